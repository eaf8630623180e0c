#pragma once
// The calibration page, for an envelope of the settings' size fed as for a run. The
// envelope's left and top edges lie where no printer prints (upright, on the sheet's
// edges), so nothing is drawn near them. Instead two fold lines run at known distances
// inside the envelope, and two millimetre rulers lie beyond them: folded along the
// vertical line, the left edge comes to the horizontal ruler, and the graduation it
// reaches is the shift right to enter; the top edge, folded along the horizontal line,
// reads the shift down on the vertical ruler. A fold doubles the edge's distance to the
// line, so a graduation labelled v lies 2 x (fold distance) - v from the edge: a printer
// printing 2 mm too far right brings the folded edge to -2, and -2 mm brings its prints
// back. Without folding, the distance from the edge to the line, measured with a ruler,
// gives the shift too. The page says so in French, in the room beside the rulers.
//
// Every mark stays kMarge inside the envelope and inside the A4 sheet.

#include "layout/GeometrieEnveloppe.h"
#include "platform/Outcome.h"
#include "platform/PrinterService.h"
#include "platform/Units.h"

class PrinterService;
struct ReglagesModele;

namespace PageCalibrage {
inline constexpr Mm kMarge = Mm(10);   // beyond any printer's unprintable margin
inline constexpr Mm kPli = Mm(12);     // the fold lines, from the left and top edges
inline constexpr int kEtendueMax = 10; // graduations either way, in mm

// Draws the page in printer coordinates; the envelope lies where the run lays it.
// Ends neither the page nor the document.
Status dessine(PrinterService& imprimante, const ReglagesModele& reglages,
               const GeometrieEnveloppe::PlaceEnveloppe& place);
// On a page laid sideways, marks the edge of the envelope that entered the printer first,
// so that the user sees which way round the printer took it.
Status marqueEntree(PrinterService& imprimante, const ReglagesModele& reglages,
                    const GeometrieEnveloppe::PlaceEnveloppe& place, FeedEdge entree);
} // namespace PageCalibrage
