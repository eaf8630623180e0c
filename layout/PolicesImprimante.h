#pragma once
// Hands a block's font and text colour to the printer, property by property in a fixed
// order, skipping any the printer refuses: the measure or print that follows then uses
// the printer's previous value for it. Strike-out is not part of a block's font. The
// colour is the one on paper, the desktop's theme aside.

#include "app/ReglagesModele.h"

class PrinterService;

void ImprPolice(PrinterService& imprimante, const BlockFont& police);

// The recipient box's font and the sender box's font.
inline void ImprPoliceDest(PrinterService& imprimante, const ReglagesModele& reglages)
{
    ImprPolice(imprimante, reglages.PoliceDest);
}
inline void ImprPoliceExp(PrinterService& imprimante, const ReglagesModele& reglages)
{
    ImprPolice(imprimante, reglages.PoliceExp);
}
