#pragma once
// The calendar's fixed colours. The two mark colours double as the background of the
// check boxes that switch them, so that the boxes read as the grid's legend.

#include <QColor>

namespace couleurs {
inline const QColor kCelluleOrdinaire{253, 245, 230};
inline const QColor kJourChoisi{255, 0, 0};
inline const QColor kWeekEnd{255, 192, 128};
inline const QColor kFerie{255, 192, 255};
inline const QColor kEnTeteJour{248, 214, 150};
inline const QColor kTitre{128, 0, 128};
inline const QColor kTitreSurSombre{255, 128, 255}; // the title's purple on a dark window
} // namespace couleurs
