#pragma once
// The command "Réglage de l'imprimante": the shift right and down of the printer that the
// next print uses, kept under its name, and the calibration page that measures it.

#include "platform/Outcome.h"

class DecalagesImprimantes;
class Dialogs;
class PrinterService;
struct ReglagesModele;

class AlignementImprimante {
public:
    AlignementImprimante(PrinterService& imprimante, Dialogs& dialogues, DecalagesImprimantes& decalages);

    // Shows the dialog on the printer's kept shift; what the user confirms is kept for
    // the printer the dialog names then. The envelope's size and feed are those the
    // calibration page draws.
    void Regle(const ReglagesModele& reglages);

    // The dialog's calibration button: the print dialog (one copy), then the page on the
    // printer chosen there, without any shift, on A4 in the envelope's feed. Paper size,
    // orientation and copies come back as they were; a failure is reported once.
    void ImprimeCalibrage(const ReglagesModele& reglages);

private:
    Status imprimePage(const ReglagesModele& reglages);

    PrinterService& m_imprimante;
    Dialogs& m_dialogues;
    DecalagesImprimantes& m_decalages;
};
