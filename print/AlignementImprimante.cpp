#include "print/AlignementImprimante.h"

#include "app/ReglagesModele.h"
#include "platform/BusyPointer.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"
#include "print/ControleFile.h"
#include "print/DecalagesImprimantes.h"
#include "print/NomTravail.h"
#include "print/PageCalibrage.h"
#include "print/PapierImprimante.h"
#include "print/ReglagesImprimante.h"
#include "print/TestsImprimante.h"

AlignementImprimante::AlignementImprimante(PrinterService& imprimante, Dialogs& dialogues,
                                           DecalagesImprimantes& decalages)
    : m_imprimante(imprimante), m_dialogues(dialogues), m_decalages(decalages)
{
}

namespace {
PrinterSetup versDialogue(const InstallationImprimante& i)
{
    return {int(i.papier), i.bac, i.entree};
}

InstallationImprimante depuisDialogue(const PrinterSetup& r)
{
    return {r.paper == int(Papier::Enveloppe) ? Papier::Enveloppe : Papier::FeuilleA4, r.source, r.feedEdge};
}
} // namespace

void AlignementImprimante::Regle(const ReglagesModele& reglages)
{
    PrinterShiftRequest requete;
    requete.printerName = [this] { return m_imprimante.printerName(); };
    requete.storedShift = [this] { return m_decalages.decalage(m_imprimante.printerName()); };
    requete.storedSetup = [this] {
        return versDialogue(m_decalages.installation(m_imprimante.printerName()));
    };
    requete.sources = [this] {
        QList<QPair<QString, QString>> sources{{QString(), PapierImprimante::nomBac({})}};
        const PrinterCapabilities capacites = m_imprimante.capabilities();
        for (const QString& source : capacites.sources)
            sources.append({source, PapierImprimante::nomBac(source)});
        return sources;
    };
    requete.papers = {PapierImprimante::nom(Papier::FeuilleA4), PapierImprimante::nom(Papier::Enveloppe)};
    requete.feedEdges = {PapierImprimante::nomEntree(FeedEdge::Right),
                         PapierImprimante::nomEntree(FeedEdge::Left)};
    requete.printCalibration = [this, &reglages](const PrinterSetup& reglage) {
        ImprimeCalibrage(reglages, depuisDialogue(reglage));
    };
    requete.limit = DecalagesImprimantes::kDecalageMax;
    const std::optional<PrinterShiftAnswer> choix = m_dialogues.printerShiftDialog(requete);
    if (!choix)
        return;
    const QString imprimante = m_imprimante.printerName();
    Status s = m_decalages.enregistre(imprimante, choix->shift);
    if (s)
        s = m_decalages.enregistreInstallation(imprimante, depuisDialogue(choix->setup));
    if (!s)
        m_dialogues.message(MessageIcon::Exclamation, kTitreControleImpression, s.error());
}

void AlignementImprimante::ImprimeCalibrage(const ReglagesModele& reglages,
                                            std::optional<InstallationImprimante> installation)
{
    // One page is enough, whatever the quantity.
    const Result<int> copies = m_imprimante.copies();
    if (copies)
        (void)m_imprimante.setCopies(1);
    NommeTravail(m_imprimante, reglages, QStringLiteral("page de calibrage"));
    if (m_dialogues.printDialog(m_imprimante)) {
        // The printer chosen in the print dialog, as kept, unless the set-up dialog shows another.
        const InstallationImprimante choisie =
            installation.value_or(m_decalages.installation(m_imprimante.printerName()));
        if (Status s = imprimePage(reglages, choisie); !s)
            m_dialogues.message(MessageIcon::Exclamation, kTitreControleImpression, s.error());
    }
    if (copies)
        (void)m_imprimante.setCopies(copies.value());
}

Status AlignementImprimante::imprimePage(const ReglagesModele& reglages,
                                         const InstallationImprimante& installation)
{
    const Result<Envoi> envoi = ControleFile(m_imprimante, m_dialogues);
    if (!envoi || envoi.value() == Envoi::Non)
        return envoi.status();
    const BusyPointer sablier;
    // The envelope lies where a run lays it: on the envelope itself, or on A4 in the
    // envelope's feed when the printer takes it, upright otherwise. A setting the printer
    // refuses is no failure here: the page shows where the envelope then lands.
    ReglagesImprimante initiaux;
    if (const Result<int> format = m_imprimante.paperSize())
        initiaux.FormatInitial = format.value();
    if (const Result<PageOrientation> orientation = m_imprimante.orientation())
        initiaux.OrientationInitiale = orientation.value();
    (void)m_imprimante.setUnitMillimetres();
    const bool surEnveloppe = installation.papier == Papier::Enveloppe;
    // On A4, a printer that refuses the size still shows where the envelope lands.
    Status echec =
        PapierImprimante::metLePapier(m_imprimante, installation, reglages, m_imprimante.capabilities());
    if (!surEnveloppe && !echec)
        echec = m_imprimante.setPaperSource(installation.bac);
    const bool voulu = PapierImprimante::paysage(installation, reglages);
    const bool paysage = voulu && m_imprimante.setOrientation(PageOrientation::Landscape);
    if (!paysage)
        (void)m_imprimante.setOrientation(PageOrientation::Portrait);
    (void)m_imprimante.setFeedEdge(installation.entree);

    if (echec)
        echec = m_imprimante.setShift({});
    GeometrieEnveloppe::PlaceEnveloppe place =
        GeometrieEnveloppe::placeEnveloppe(Mm(reglages.HauteurEnv), false);
    if (surEnveloppe) {
        place = GeometrieEnveloppe::placeSurEnveloppe(reglages);
    } else if (echec && paysage) {
        const Result<Mm> hauteur = m_imprimante.printableHeight();
        if (hauteur)
            place = GeometrieEnveloppe::placeEnveloppe(Mm(reglages.HauteurEnv), true, hauteur.value());
        else
            echec = hauteur.status();
    }
    if (echec)
        echec = PageCalibrage::dessine(m_imprimante, reglages, place);
    if (echec && paysage)
        echec = PageCalibrage::marqueEntree(m_imprimante, reglages, place, installation.entree);
    // Whatever failed, the page under way comes out and the printer comes back.
    const Status fin = m_imprimante.endDocument();
    const Status remise = initiaux.restaureFormatEtOrientation(m_imprimante);
    if (!echec)
        return echec;
    return fin ? remise : fin;
}
