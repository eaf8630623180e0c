#pragma once
// Where an import's addresses come from, as a window.

#include "platform/Dialogs.h"

class QWidget;

// The answer chosen, or nothing when cancelled.
std::optional<AddressBookAnswer> askAddressBook(const AddressBookRequest& request, QWidget* parent);
