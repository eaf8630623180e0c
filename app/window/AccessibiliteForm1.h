#pragma once
// What a screen reader says for the main window's controls, in French. Buttons, options
// and frames speak their captions; the controls without one (the scroll bars, the spin
// arrows, the text boxes, the preview, the drop-downs) get a name. The value panels keep
// their text as their name, since a name would hide the number they show, and get a
// description of what the number is.

#include <QStringList>

struct ControlesForm1;
class QWidget;

namespace AccessibiliteForm1 {
// `fenetre` holds the controls, the calendar included; run once they all exist.
void applique(const ControlesForm1& c, QWidget& fenetre);
// The preview's description: what its red means, and what the block breaks, if anything.
void decritApercu(const ControlesForm1& c, const QStringList& ecartsNorme);
} // namespace AccessibiliteForm1
