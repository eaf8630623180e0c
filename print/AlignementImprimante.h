#pragma once
// The command "Réglage de l'imprimante": the shift right and down of the printer that the
// next print uses, kept under its name, and the calibration page that measures it.

#include "platform/Outcome.h"
#include "print/PapierImprimante.h"

#include <optional>

class DecalagesImprimantes;
class Dialogs;
class PrinterService;
struct ReglagesModele;

class AlignementImprimante {
public:
    AlignementImprimante(PrinterService& imprimante, Dialogs& dialogues, DecalagesImprimantes& decalages);

    // Shows the dialog on the printer's kept shift and set-up (paper, source, feed edge);
    // what the user confirms is kept for the printer the dialog names then. The
    // envelope's size and feed are those the calibration page draws.
    void Regle(const ReglagesModele& reglages);

    // The dialog's calibration button: the print dialog (one copy), then the page on the
    // printer chosen there, without any shift, on the paper and source of `installation`
    // (by default the printer's own set-up) and in the envelope's feed, with the edge that
    // went in first marked. Paper size, orientation and copies come back as they were; a
    // failure is reported once.
    void ImprimeCalibrage(const ReglagesModele& reglages,
                          std::optional<InstallationImprimante> installation = std::nullopt);

private:
    Status imprimePage(const ReglagesModele& reglages, const InstallationImprimante& installation);

    PrinterService& m_imprimante;
    Dialogs& m_dialogues;
    DecalagesImprimantes& m_decalages;
};
