#pragma once
// The mapping step of an import, as a window.

#include "platform/Dialogs.h"

class QWidget;

// One choice per column the program could not name, or nothing when cancelled.
std::optional<QList<int>> askColumnMapping(const ColumnMappingRequest& request, QWidget* parent);
