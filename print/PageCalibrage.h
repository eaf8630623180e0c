#pragma once
// The calibration page: the envelope's outline where the run lays the envelope, for its
// size and feed, with two millimetre rulers: one along the top edge that crosses the left
// edge, one along the left edge that crosses the top edge, each graduated from -15 to
// +15 mm around the edge it crosses. Printed without any shift on an envelope fed as for
// a run, each ruler reads, where the envelope's real edge falls, the shift to enter for
// the printer: a printer printing 2 mm too far right puts the left edge on the -2 mark,
// and -2 mm to the right brings its prints back.

#include "platform/Outcome.h"
#include "platform/Units.h"

class PrinterService;
struct ReglagesModele;

class PageCalibrage {
public:
    // Where the rulers lie, from the envelope's top left corner.
    static constexpr Mm kRegle = Mm(30);
    static constexpr int kEtendue = 15;  // graduations either side of the edge, in mm

    // Draws the page in printer coordinates; the envelope lies as the run lays it, with
    // this DecalageY. Ends neither the page nor the document.
    static Status dessine(PrinterService& imprimante, const ReglagesModele& reglages, Mm decalageY);
};
