#include "print/ApercuImpression.h"

#include "layout/GeometrieEnveloppe.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"
#include "print/CommandeImpression.h"
#include "print/TestsImprimante.h"

#include <QImage>

ApercuImpression::ApercuImpression(PrinterService& imprimante, Dialogs& dialogues,
                                   const DecalagesImprimantes* decalages)
    : m_imprimante(imprimante), m_dialogues(dialogues), m_decalages(decalages)
{
}

QString ApercuImpression::ImageAlimentation(const ReglagesModele& reglages)
{
    return QStringLiteral(":/orient%1.png").arg(reglages.ImageOrient());
}

bool ApercuImpression::montre(const DemandeImpression& demande, const QList<int>& selection)
{
    // The preview shows the pages; it does not walk the recipient box through them.
    DemandeImpression pages = demande;
    pages.montreAdresse = nullptr;

    PreviewRequest requete;
    requete.title = QStringLiteral("Aperçu avant impression");
    requete.picture = QImage(ImageAlimentation(demande.reglages));
    requete.pictureCaption = QStringLiteral("Introduction de l'enveloppe");
    requete.prepare = [&](PrinterService& copie) { return prepare(copie, pages, selection); };
    requete.paint = [&](PrinterService& copie) { peint(copie, pages, selection); };
    return m_dialogues.printPreview(m_imprimante, requete);
}

bool ApercuImpression::prepare(PrinterService& copie, const DemandeImpression& demande,
                               const QList<int>& selection)
{
    // Checked once here rather than reported at every painting of the pages.
    if (Status s = Imprime::VerifieBlocs(demande, selection); !s) {
        m_dialogues.message(MessageIcon::Exclamation, kTitreControleImpression, s.error());
        return false;
    }
    // What the print command does before its print dialog, for the preview's own.
    TestImpr1(copie, m_dialogues, m_reglages);
    if (!m_reglages.refuse(ReglagesImprimante::Reglage::Copies))
        (void)copie.setCopies(demande.reglages.Quantite);
    if (GeometrieEnveloppe::depasseA4(demande.reglages))
        m_dialogues.message(MessageIcon::Information, kTitreControleImpression,
                            CommandeImpression::MessageDepasseA4(m_dialogues.hasWindows()));
    TestImpr2(copie, m_dialogues, m_reglages);
    return true;
}

void ApercuImpression::peint(PrinterService& copie, const DemandeImpression& demande,
                             const QList<int>& selection)
{
    // The preview frames its pages with the printer's page as the painting leaves it,
    // and the run puts back what it found: so the page is made the run's own beforehand.
    if (!m_reglages.refuse(ReglagesImprimante::Reglage::Format))
        (void)copie.setPaperA4();
    if (!m_reglages.refuse(ReglagesImprimante::Reglage::Orientation))
        (void)copie.setOrientation(demande.reglages.Orientation != 0 ? PageOrientation::Landscape
                                                                     : PageOrientation::Portrait);
    // The run itself, on the printer it is handed.
    Imprime run(copie, m_dialogues, m_reglages, m_decalages);
    m_run = &run;
    run.lance(demande, selection, Imprime::Sondes::DejaFaites);
    m_run = nullptr;
}
