#pragma once
// The print preview: the pages that the run prints for a selection, painted by the run
// itself on the preview's printer, beside the picture of the envelope's feed. Printing
// from the preview runs the same painting on the printer chosen there.
//
// The preview lives on a copy of the printer (see Dialogs::printPreview), so the
// printer's copies, paper and orientation are never touched. The probes run once, on
// that copy, before the preview opens: their messages and set-up dialogs come once, and
// every painting of the pages (each showing, each change in the preview, the print from
// it) takes what they found. Those findings are the preview's own: the print command's
// stay as its last command left them.

#include "print/DemandeImpression.h"
#include "print/Imprime.h"
#include "print/ReglagesImprimante.h"

#include <QList>
#include <QString>

class DecalagesImprimantes;
class Dialogs;
class PrinterService;

class ApercuImpression {
public:
    ApercuImpression(PrinterService& imprimante, Dialogs& dialogues, const DecalagesImprimantes* decalages);

    // Shows the preview of the envelopes of `selection`; true when the user printed them
    // from it. The main window's recipient box is left alone.
    bool montre(const DemandeImpression& demande, const QList<int>& selection);

    bool ImpressionEnCours() const { return m_run && m_run->ImpressionEnCours(); }
    const ReglagesImprimante& reglagesImprimante() const { return m_reglages; }

    // The feed picture of the main window for these settings: ":/orient0.png" upright to
    // ":/orient3.png" sideways with crop marks.
    static QString ImageAlimentation(const ReglagesModele& reglages);

private:
    bool prepare(PrinterService& copie, const DemandeImpression& demande, const QList<int>& selection);
    void peint(PrinterService& copie, const DemandeImpression& demande, const QList<int>& selection);

    PrinterService& m_imprimante;
    Dialogs& m_dialogues;
    const DecalagesImprimantes* m_decalages;
    ReglagesImprimante m_reglages;
    const Imprime* m_run = nullptr; // the run painting the pages, while it does
};
