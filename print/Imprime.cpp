#include "print/Imprime.h"

#include "addresses/liste/EncodageAdresse.h"
#include "layout/PolicesImprimante.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"
#include "print/ControleFile.h"
#include "print/DecalagesImprimantes.h"
#include "print/PapierImprimante.h"
#include "print/ReglagesImprimante.h"
#include "print/TestsImprimante.h"

#include <QCoreApplication>
#include <algorithm>

namespace {
// The window repaints between pages at this pace at most: often enough that the screen
// never seems frozen, seldom enough that a long run pays nothing for it.
constexpr qint64 kIntervalleAffichageMs = 40;

Status tropDeLignes(const QString& bloc, int nombre)
{
    return Status::failure(QStringLiteral("%1 compte %2 lignes : une enveloppe n'en imprime que %3 au plus.")
                               .arg(bloc)
                               .arg(nombre)
                               .arg(Imprime::kLignesMax));
}
} // namespace

Imprime::Imprime(PrinterService& imprimante, Dialogs& dialogues, ReglagesImprimante& reglages,
                 const DecalagesImprimantes* decalages)
    : m_imprimante(imprimante), m_dialogues(dialogues), m_reglages(reglages), m_decalages(decalages)
{
}

Imprime::~Imprime() = default;

QStringList Imprime::LignesExpediteur(const QString& texte)
{
    // The sender's lines follow the same rule as an address's.
    return Separe(EnLigne(texte)).LignesAdresse;
}

QString Imprime::TexteSuivi(int numero, int total)
{
    return QStringLiteral("Impression de l'enveloppe %1 sur %2").arg(numero).arg(total);
}

Status Imprime::VerifieBlocs(const DemandeImpression& demande, const QList<int>& selection)
{
    // A run that stops half-way leaves the user to find out which envelopes came out.
    if (!demande.reglages.LogoChoisi) {
        const qsizetype lignes = LignesExpediteur(demande.reglages.TexteExp).size();
        if (lignes > kLignesMax)
            return tropDeLignes(QStringLiteral("L'adresse de l'expéditeur"), int(lignes));
    }
    QList<bool> vue(demande.adresses.nombre(), false);
    for (int i : selection) {
        if (i < 0 || i >= demande.adresses.nombre() || vue[i])
            continue;
        vue[i] = true;
        const int nombre = Separe(demande.adresses[i]).NbLignes + 1;
        if (nombre > kLignesMax)
            return tropDeLignes(QStringLiteral("L'adresse n° %1 de la liste").arg(i + 1), nombre);
    }
    return Status::ok();
}

void Imprime::lance(const DemandeImpression& demande, const QList<int>& selection, Sondes sondes)
{
    // Only what this run reads is ever put back.
    m_reglages.FormatInitial.reset();
    m_reglages.OrientationInitiale.reset();
    m_annulee = false;
    m_echouee = false;
    m_imprimees = 0;
    m_depuisAffichage.start();
    const Status echec = deroule(demande, selection, sondes);
    termine(echec);
}

Status Imprime::deroule(const DemandeImpression& demande, const QList<int>& selection, Sondes sondes)
{
    const ReglagesModele& reglages = demande.reglages;
    (void)m_imprimante.setFontName(QStringLiteral("arial")); // a font step never fails the run

    QStringList lignesExp;
    if (!reglages.LogoChoisi) {
        ImprPoliceExp(m_imprimante, reglages);
        lignesExp = LignesExpediteur(demande.reglages.TexteExp);
    }
    if (Status s = VerifieBlocs(demande, selection); !s)
        return s;
    const Result<Envoi> envoi = ControleFile(m_imprimante, m_dialogues);
    if (!envoi)
        return envoi.status();
    if (envoi.value() == Envoi::Non)
        return Status::ok();
    QList<bool> choisie(demande.adresses.nombre(), false);
    for (int i : selection)
        if (i >= 0 && i < demande.adresses.nombre())
            choisie[i] = true;

    // A printer without A4 would take the job and cancel it: it gets none.
    const InstallationImprimante installation =
        m_decalages ? m_decalages->installation(m_imprimante.printerName()) : InstallationImprimante{};
    const bool surEnveloppe = installation.papier == Papier::Enveloppe;
    const PrinterCapabilities capacites = m_imprimante.capabilities();
    if (!surEnveloppe && PapierImprimante::sansA4(capacites))
        return Status::failure(PapierImprimante::messageSansA4(m_imprimante.printerName()));

    if (sondes == Sondes::Oui)
        TestImpr2(m_imprimante, m_dialogues, m_reglages);
    // The busy pointer comes after the probes' questions: they wait for the user.
    m_sablier.emplace();

    if (Status s = m_imprimante.setUnitMillimetres(); !s)
        return s;
    if (!m_reglages.refuse(ReglagesImprimante::Reglage::Format)) {
        const Result<int> format = m_imprimante.paperSize();
        if (!format)
            return format.status();
        m_reglages.FormatInitial = format.value();
        if (Status s = PapierImprimante::metLePapier(m_imprimante, installation, reglages, capacites); !s)
            return s;
    }
    if (!m_reglages.refuse(ReglagesImprimante::Reglage::Orientation)) {
        const Result<PageOrientation> orientation = m_imprimante.orientation();
        if (!orientation)
            return orientation.status();
        m_reglages.OrientationInitiale = orientation.value();
    }
    m_enCours = true;

    // A printer that takes no orientation gets the upright layout, whatever was chosen.
    // On the envelope itself the page is the envelope as it lies, long side across.
    bool paysage = false;
    if (!m_reglages.refuse(ReglagesImprimante::Reglage::Orientation)) {
        paysage = PapierImprimante::paysage(installation, reglages);
        if (Status s =
                m_imprimante.setOrientation(paysage ? PageOrientation::Landscape : PageOrientation::Portrait);
            !s)
            return s;
    }
    if (Status s = m_imprimante.setFeedEdge(installation.entree); !s)
        return s;
    GeometrieEnveloppe::PlaceEnveloppe place =
        GeometrieEnveloppe::placeEnveloppe(Mm(reglages.HauteurEnv), false);
    if (surEnveloppe) {
        place = GeometrieEnveloppe::placeSurEnveloppe(reglages);
    } else if (paysage) {
        const Result<Mm> hauteur = m_imprimante.printableHeight();
        if (!hauteur)
            return hauteur.status();
        place = GeometrieEnveloppe::placeEnveloppe(Mm(reglages.HauteurEnv), true, hauteur.value());
    }
    // The printer the probes' set-up dialogs leave is the one whose shift applies.
    if (m_decalages) {
        m_decale = true;
        if (Status s = m_imprimante.setShift(m_decalages->decalage(m_imprimante.printerName())); !s)
            return s;
    }

    // The marks show where to cut a sheet to the envelope: an envelope needs none.
    if (reglages.RepereCoupe && !surEnveloppe) {
        if (Status s = reperesCoupe(reglages, paysage); !s)
            return s;
    }
    const int total = int(std::count(choisie.begin(), choisie.end(), true));
    if (total > kEnveloppesSansSuivi)
        m_suivi = m_dialogues.progress(QStringLiteral("Impression"), total);
    int numero = 0;
    for (int i = 0; i < demande.adresses.nombre(); ++i) {
        ImprPoliceExp(m_imprimante, reglages);
        if (!choisie[i])
            continue;
        // Asked before each envelope: "Annuler" pressed during the one before is heard here.
        if (m_suivi && !m_suivi->advance(numero, TexteSuivi(numero + 1, total))) {
            m_annulee = true;
            break;
        }
        ++numero;
        if (Status s = enveloppe(demande, i, lignesExp, place); !s)
            return s;
        ++m_imprimees;
        laisseRespirer();
    }
    return Status::ok();
}

Status Imprime::reperesCoupe(const ReglagesModele& reglages, bool paysage)
{
    for (const QList<PointMm>& trait : GeometrieEnveloppe::reperesCoupe(reglages, paysage)) {
        if (Status s = m_imprimante.drawLine(trait[0], trait[1]); !s)
            return s;
        for (qsizetype k = 2; k < trait.size(); ++k)
            if (Status s = m_imprimante.lineTo(trait[k]); !s)
                return s;
    }
    return Status::ok();
}

Status Imprime::expediteurTexte(const ReglagesModele& reglages, const QStringList& lignesExp, PointMm coin)
{
    // Each line is centred on the widest one.
    QList<Mm> largeurs;
    Mm plusLarge(0);
    for (const QString& ligne : lignesExp) {
        const Result<Mm> largeur = m_imprimante.textWidth(ligne);
        if (!largeur)
            return largeur.status();
        largeurs.append(largeur.value());
        plusLarge = std::max(plusLarge, largeur.value());
    }
    ImprPoliceExp(m_imprimante, reglages);
    if (Status s = m_imprimante.printText(QString(), LineEnd::No); !s)
        return s;
    for (int k = 0; k < lignesExp.size(); ++k) {
        const Mm retrait = (plusLarge - largeurs[k]) / 2;
        if (Status s = m_imprimante.setPosition({coin.x + retrait, m_imprimante.position().y}); !s)
            return s;
        if (Status s = m_imprimante.printText(lignesExp[k], LineEnd::Yes); !s)
            return s;
    }
    return Status::ok();
}

Status Imprime::enveloppe(const DemandeImpression& demande, int index, const QStringList& lignesExp,
                          const GeometrieEnveloppe::PlaceEnveloppe& place)
{
    const ReglagesModele& reglages = demande.reglages;
    const PointMm coinExp = place.versImprimante(GeometrieEnveloppe::coinExp(reglages));
    if (Status s = m_imprimante.setPosition(coinExp); !s)
        return s;
    if (!reglages.LogoChoisi) {
        if (Status s = expediteurTexte(reglages, lignesExp, coinExp); !s)
            return s;
    } else {
        if (Status s = m_imprimante.drawImage(reglages.Logo,
                                              place.versImprimante(GeometrieEnveloppe::blocLogo(reglages)));
            !s)
            return s;
    }

    ImprPoliceDest(m_imprimante, reglages);
    if (Status s = m_imprimante.printText(QString(), LineEnd::Yes); !s)
        return s;
    const QString entree = demande.adresses[index];
    if (demande.montreAdresse)
        demande.montreAdresse(index);
    const LignesSeparees adresse = Separe(entree);

    // The block is placed by its bottom line: MargeBasseDest above the envelope's edge.
    const Result<Mm> hauteur = m_imprimante.textHeight(EnForme(entree));
    if (!hauteur)
        return hauteur.status();
    const RectMm bloc = place.versImprimante(GeometrieEnveloppe::blocDest(reglages, Mm(0), hauteur.value()));
    const Mm x = bloc.left;
    if (Status s = m_imprimante.setPosition({x, bloc.top}); !s)
        return s;
    if (Status s = m_imprimante.printText(QString(), LineEnd::No); !s)
        return s;
    for (const QString& ligne : adresse.LignesAdresse) {
        if (Status s = m_imprimante.printText(ligne, LineEnd::Yes); !s)
            return s;
        if (Status s = m_imprimante.setPosition({x, m_imprimante.position().y}); !s)
            return s;
    }
    return m_imprimante.endPage();
}

void Imprime::laisseRespirer()
{
    if (m_depuisAffichage.elapsed() < kIntervalleAffichageMs)
        return;
    // The window repaints; the user's clicks and keys wait until the run is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_depuisAffichage.restart();
}

void Imprime::termine(const Status& echec)
{
    // Each ending step is done once, whatever fails: a failure here is reported with the
    // others and never brings the run back to these steps.
    QStringList aSignaler;
    if (!echec)
        aSignaler.append(echec.error());
    m_suivi.reset();
    if (Status s = m_imprimante.endDocument(); !s)
        aSignaler.append(s.error());
    if (m_decale) {
        m_decale = false;
        if (Status s = m_imprimante.setShift({}); !s)
            aSignaler.append(s.error());
    }
    if (Status s = m_reglages.restaureFormatEtOrientation(m_imprimante); !s)
        aSignaler.append(s.error());
    m_sablier.reset();
    aSignaler.removeDuplicates();
    m_echouee = !aSignaler.isEmpty();
    if (m_echouee)
        m_dialogues.message(MessageIcon::Exclamation, kTitreControleImpression,
                            aSignaler.join(QString::fromUtf16(kFinLigne)));
    m_enCours = false;
}
