#include "print/ReglagesImprimante.h"

Status ReglagesImprimante::restaureFormatEtOrientation(PrinterService& imprimante) const
{
    Status format = Status::ok();
    if (!refuse(Reglage::Format) && FormatInitial)
        format = imprimante.setPaperSize(*FormatInitial);
    Status orientation = Status::ok();
    if (!refuse(Reglage::Orientation) && OrientationInitiale)
        orientation = imprimante.setOrientation(*OrientationInitiale);
    return format ? orientation : format;
}
