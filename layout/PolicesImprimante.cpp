#include "layout/PolicesImprimante.h"

#include "platform/PrinterService.h"

void ImprPolice(PrinterService& imprimante, const BlockFont& police)
{
    // Each step stands alone: a refusal is not reported and does not stop the next one.
    (void)imprimante.setFontName(police.name);
    (void)imprimante.setFontItalic(police.italic);
    (void)imprimante.setFontBold(police.bold);
    (void)imprimante.setFontUnderline(police.underline);
    (void)imprimante.setTextColour(police.colour.paperColour());
    (void)imprimante.setFontSize(police.pointSize);
}
