#include "print/CommandeImpression.h"

#include "addresses/liste/EncodageAdresse.h"
#include "layout/GeometrieEnveloppe.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"
#include "print/NomTravail.h"
#include "print/TestsImprimante.h"

#include <numeric>

CommandeImpression::CommandeImpression(PrinterService& imprimante, Dialogs& dialogues, ChoixAdresses choix)
    : m_imprimante(imprimante), m_dialogues(dialogues),
      m_imprime(imprimante, dialogues, m_reglages, &m_decalages),
      m_apercu(imprimante, dialogues, &m_decalages), m_alignement(imprimante, dialogues, m_decalages),
      m_suivi(imprimante, dialogues), m_choix(std::move(choix))
{
}

CommandeImpression::~CommandeImpression() = default;

CommandeImpression::ChoixAdresses CommandeImpression::toutes()
{
    return [](const EntreesAdresses& adresses) {
        QList<int> toutes(adresses.nombre());
        std::iota(toutes.begin(), toutes.end(), 0);
        return std::optional<QList<int>>(toutes);
    };
}

QString CommandeImpression::MessageDepasseA4(bool fenetre)
{
    if (!fenetre)
        return QStringLiteral("Attention, l'enveloppe dépasse le format A4 (210 x 297) : vérifiez le format "
                              "de papier réglé pour l'imprimante.");
    return QStringList{QStringLiteral("Attention, vous dépassez le format A4 (210 x 297)"),
                       QStringLiteral("Pensez à modifier en conséquence les réglages de l'imprimante"),
                       QStringLiteral("dans la fenêtre suivante, avant de lancer l'impression...")}
        .join(QString::fromUtf16(kFinLigne));
}

void CommandeImpression::Apercu(const DemandeImpression& demande)
{
    if (const std::optional<QList<int>> selection = m_choix(demande.adresses)) {
        NommeTravail(m_imprimante, demande.reglages, QStringLiteral("enveloppes"));
        m_apercu.montre(demande, *selection);
    }
}

void CommandeImpression::ReglageImprimante(const ReglagesModele& reglages)
{
    m_alignement.Regle(reglages);
}

CommandeImpression::Bilan CommandeImpression::Imprimer(const DemandeImpression& demande)
{
    Bilan bilan;
    const std::optional<QList<int>> selection = m_choix(demande.adresses);
    if (!selection)
        return bilan; // "Annuler": nothing else happens
    if (demande.confirmeSelection && !demande.confirmeSelection(demande, *selection))
        return bilan;

    NommeTravail(m_imprimante, demande.reglages, QStringLiteral("enveloppes"));
    TestImpr1(m_imprimante, m_dialogues, m_reglages);
    // An envelope printed on itself has no sheet to go beyond.
    if (GeometrieEnveloppe::depasseA4(demande.reglages) &&
        m_decalages.installation(m_imprimante.printerName()).papier == Papier::FeuilleA4)
        m_dialogues.message(MessageIcon::Information, kTitreControleImpression,
                            MessageDepasseA4(m_dialogues.hasWindows()));

    // The print dialog opens on the printer's copies count, preset to the quantity; what
    // the user chooses there is what the run prints.
    const bool copiesReglables = !m_reglages.refuse(ReglagesImprimante::Reglage::Copies);
    Status echec = copiesReglables ? m_imprimante.setCopies(demande.reglages.Quantite) : Status::ok();
    if (echec && m_dialogues.printDialog(m_imprimante)) {
        m_imprime.lance(demande, *selection);
        bilan.lancee = true;
        bilan.echec = m_imprime.Echouee();
        bilan.annulee = m_imprime.Annulee();
        bilan.enveloppes = m_imprime.EnveloppesImprimees();
        // The server has the job; whether the printer prints it is known later.
        if (bilan.enveloppes > 0 && !bilan.echec)
            if (const std::optional<PrintJob> travail = m_imprimante.lastJob())
                m_suivi.suit(*travail);
    }

    if (copiesReglables) {
        const Status remise = m_imprimante.setCopies(m_reglages.CopiesInitiales);
        if (echec)
            echec = remise;
    }
    if (!echec) {
        m_dialogues.message(MessageIcon::Exclamation, kTitreControleImpression, echec.error());
        bilan.echec = true;
    }
    return bilan;
}

void CommandeImpression::Quitter()
{
    if (ImpressionEnCours())
        (void)m_reglages.restaureFormatEtOrientation(m_imprimante);
}
