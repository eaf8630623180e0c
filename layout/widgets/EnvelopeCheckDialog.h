#pragma once
// The check of the envelopes before a print, as a window.

#include "platform/Dialogs.h"

class QWidget;

// The envelopes to look at, one row each: "Imprimer quand même" (before a print),
// "Annuler", or one of them opened for editing.
EnvelopeCheckAnswer askEnvelopeCheck(const EnvelopeCheckRequest& request, QWidget* parent);
