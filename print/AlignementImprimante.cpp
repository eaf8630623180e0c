#include "print/AlignementImprimante.h"

#include "app/ReglagesModele.h"
#include "platform/BusyPointer.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"
#include "print/ControleFile.h"
#include "print/DecalagesImprimantes.h"
#include "print/NomTravail.h"
#include "print/PageCalibrage.h"
#include "print/ReglagesImprimante.h"
#include "print/TestsImprimante.h"

AlignementImprimante::AlignementImprimante(PrinterService& imprimante, Dialogs& dialogues,
                                           DecalagesImprimantes& decalages)
    : m_imprimante(imprimante), m_dialogues(dialogues), m_decalages(decalages)
{
}

void AlignementImprimante::Regle(const ReglagesModele& reglages)
{
    PrinterShiftRequest requete;
    requete.printerName = [this] { return m_imprimante.printerName(); };
    requete.storedShift = [this] { return m_decalages.decalage(m_imprimante.printerName()); };
    requete.printCalibration = [this, &reglages] { ImprimeCalibrage(reglages); };
    requete.limit = DecalagesImprimantes::kDecalageMax;
    const std::optional<PointMm> choix = m_dialogues.printerShiftDialog(requete);
    if (!choix)
        return;
    if (Status s = m_decalages.enregistre(m_imprimante.printerName(), *choix); !s)
        m_dialogues.message(MessageIcon::Exclamation, kTitreControleImpression, s.error());
}

void AlignementImprimante::ImprimeCalibrage(const ReglagesModele& reglages)
{
    // One page is enough, whatever the quantity.
    const Result<int> copies = m_imprimante.copies();
    if (copies)
        (void)m_imprimante.setCopies(1);
    NommeTravail(m_imprimante, reglages, QStringLiteral("page de calibrage"));
    if (m_dialogues.printDialog(m_imprimante)) {
        if (Status s = imprimePage(reglages); !s)
            m_dialogues.message(MessageIcon::Exclamation, kTitreControleImpression, s.error());
    }
    if (copies)
        (void)m_imprimante.setCopies(copies.value());
}

Status AlignementImprimante::imprimePage(const ReglagesModele& reglages)
{
    const Result<Envoi> envoi = ControleFile(m_imprimante, m_dialogues);
    if (!envoi || envoi.value() == Envoi::Non)
        return envoi.status();
    const BusyPointer sablier;
    // The envelope lies where a run lays it: A4, in the envelope's feed when the printer
    // takes it, upright otherwise. A setting the printer refuses is no failure here: the
    // page shows where the envelope then lands.
    ReglagesImprimante initiaux;
    if (const Result<int> format = m_imprimante.paperSize())
        initiaux.FormatInitial = format.value();
    if (const Result<PageOrientation> orientation = m_imprimante.orientation())
        initiaux.OrientationInitiale = orientation.value();
    (void)m_imprimante.setUnitMillimetres();
    (void)m_imprimante.setPaperA4();
    const bool paysage = reglages.Orientation != 0 && m_imprimante.setOrientation(PageOrientation::Landscape);
    if (!paysage)
        (void)m_imprimante.setOrientation(PageOrientation::Portrait);

    Status echec = m_imprimante.setShift({});
    GeometrieEnveloppe::PlaceEnveloppe place =
        GeometrieEnveloppe::placeEnveloppe(Mm(reglages.HauteurEnv), false);
    if (echec && paysage) {
        const Result<Mm> hauteur = m_imprimante.printableHeight();
        if (hauteur)
            place = GeometrieEnveloppe::placeEnveloppe(Mm(reglages.HauteurEnv), true, hauteur.value());
        else
            echec = hauteur.status();
    }
    if (echec)
        echec = PageCalibrage::dessine(m_imprimante, reglages, place);
    // Whatever failed, the page under way comes out and the printer comes back.
    const Status fin = m_imprimante.endDocument();
    const Status remise = initiaux.restaureFormatEtOrientation(m_imprimante);
    if (!echec)
        return echec;
    return fin ? remise : fin;
}
