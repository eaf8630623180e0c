#include "app/document/DocumentEnveloppe.h"

#include "platform/Units.h"

#include <QFileInfo>

#include "addresses/liste/EncodageAdresse.h"

#include <algorithm>
#include <cmath>

namespace {
template <class T> int dansLesBornes(double valeur, T min, T max)
{
    return std::clamp(int(std::lround(valeur)), int(min), int(max));
}

// A block's text as a text box holds it: its lines end with CR LF, and it holds no
// no-break space, which is the list's line separator (a box gives it back as a
// space), nor Unicode's line and paragraph separators (lines end there).
QString texteDeBloc(QString texte)
{
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(u'\r', u'\n');
    texte.replace(QChar::LineSeparator, u'\n');
    texte.replace(QChar::ParagraphSeparator, u'\n');
    texte.replace(QChar::Nbsp, u' ');
    return AvecFinLigne(texte);
}

// The distance a Marge names, in settings that may be const or not.
template <class R> auto& champ(R& r, DocumentEnveloppe::Marge marge)
{
    using Marge = DocumentEnveloppe::Marge;
    return marge == Marge::GaucheDest  ? r.MargeGaucheDest
           : marge == Marge::BasseDest ? r.MargeBasseDest
           : marge == Marge::GaucheExp ? r.MargeGaucheExp
                                       : r.MargeHauteExp;
}
} // namespace

DocumentEnveloppe::DocumentEnveloppe(QObject* parent) : QObject(parent)
{
    m_reglages.Logo = logoIntegre();
}

QImage DocumentEnveloppe::logoIntegre()
{
    // A Windows bitmap keeps its natural size, whatever resolution its header states.
    QImage logo(QStringLiteral(":/logo.bmp"));
    logo.setDotsPerMeterX(qRound(units::kLogicalDotsPerMetre));
    logo.setDotsPerMeterY(qRound(units::kLogicalDotsPerMetre));
    return logo;
}

void DocumentEnveloppe::setModifie(bool modifie)
{
    if (modifie == m_modifie)
        return;
    m_modifie = modifie;
    emit modifieChange(modifie);
}

void DocumentEnveloppe::marqueModifie()
{
    if (!m_chargement)
        setModifie(true);
}

DocumentEnveloppe::Chargement::Chargement(DocumentEnveloppe& document)
    : m_document(document), m_avant(document.m_chargement)
{
    m_document.m_chargement = true;
}

DocumentEnveloppe::Chargement::~Chargement()
{
    m_document.m_chargement = m_avant;
}

void DocumentEnveloppe::setLongueurEnv(int mm)
{
    m_reglages.LongueurEnv =
        float(dansLesBornes(mm, ReglagesModele::kLongueurMin, ReglagesModele::kLongueurMax));
}

void DocumentEnveloppe::setHauteurEnv(int mm)
{
    m_reglages.HauteurEnv =
        float(dansLesBornes(mm, ReglagesModele::kHauteurMin, ReglagesModele::kHauteurMax));
}

void DocumentEnveloppe::setQuantite(int quantite)
{
    m_reglages.Quantite = dansLesBornes(quantite, ReglagesModele::kQuantiteMin, ReglagesModele::kQuantiteMax);
}

float DocumentEnveloppe::marge(Marge marge) const
{
    return champ(m_reglages, marge);
}

void DocumentEnveloppe::setMarge(Marge marge, float mm)
{
    champ(m_reglages, marge) = mm;
}

void DocumentEnveloppe::setOrientation(int orientation)
{
    m_reglages.Orientation = orientation != 0 ? 1 : 0;
}

void DocumentEnveloppe::setRepereCoupe(bool repereCoupe)
{
    m_reglages.RepereCoupe = repereCoupe;
}

void DocumentEnveloppe::setLogoChoisi(bool logoChoisi)
{
    m_reglages.LogoChoisi = logoChoisi;
}

void DocumentEnveloppe::setLogo(const QImage& logo)
{
    m_reglages.Logo = logo;
}

void DocumentEnveloppe::setNomLogo(const QString& nomLogo)
{
    m_reglages.NomLogo = nomLogo;
}

const BlockFont& DocumentEnveloppe::police(Bloc bloc) const
{
    return bloc == Bloc::Exp ? m_reglages.PoliceExp : m_reglages.PoliceDest;
}

void DocumentEnveloppe::setPolice(Bloc bloc, const BlockFont& police)
{
    (bloc == Bloc::Exp ? m_reglages.PoliceExp : m_reglages.PoliceDest) = police;
}

void DocumentEnveloppe::setTexte(Bloc bloc, const QString& texte)
{
    (bloc == Bloc::Exp ? m_reglages.TexteExp : m_reglages.TexteDest) = texteDeBloc(texte);
}

void DocumentEnveloppe::setCheminFichier(const QString& chemin)
{
    m_reglages.CheminFichier = chemin;
}

namespace {
QString absolu(const QString& chemin)
{
    return QFileInfo(chemin).absoluteFilePath();
}
} // namespace

DocumentEnveloppe::Obstacle DocumentEnveloppe::obstacleAvantEcriture(const QString& nomFichier) const
{
    using Genre = Obstacle::Genre;
    const bool memeFichier = !m_surDisque.isEmpty() && absolu(nomFichier) == m_surDisque;
    if (memeFichier && m_lectureSeule)
        return {
            Genre::LectureSeule,
            QStringLiteral("Le fichier « %1 » a été ouvert en lecture seule : il n'a pas été remplacé.\r\n"
                           "Enregistrez vos adresses sous un autre nom.")
                .arg(nomFichier)};
    if (const QString raison = FichierAdresses::raisonLectureSeule(nomFichier, m_reglages.LogoChoisi);
        !raison.isEmpty())
        return {Genre::LectureSeule, raison};
    // Another file is another program's to guard while it has it open; the file this
    // document came from is compared with what it was, whoever holds it: the other
    // program does the same before its own saves.
    if (!memeFichier) {
        if (const auto detenteur = VerrouFichier::detenteur(nomFichier))
            return {Genre::OuvertAilleurs,
                    QStringLiteral("Le fichier « %1 » est %2.\r\nL'écraser remplacerait ce que cet autre "
                                   "programme y a peut-être changé.")
                        .arg(nomFichier, VerrouFichier::decrit(*detenteur))};
        return {};
    }
    // A file removed meanwhile loses nothing when it is written again.
    const EmpreinteFichier surDisque = EmpreinteFichier::de(nomFichier, FichierAdresses::kTailleMax);
    const QString compagnon = FichierAdresses::nomCompagnon(nomFichier);
    const QString change =
        surDisque.existe() && surDisque != m_empreinte ? nomFichier
        : m_reglages.LogoChoisi &&
                EmpreinteFichier::de(compagnon, FichierAdresses::kTailleLogoMax) != m_empreinteCompagnon &&
                QFileInfo::exists(compagnon)
            ? compagnon
            : QString();
    if (change.isEmpty())
        return {};
    return {Genre::ModifieAilleurs,
            QStringLiteral("Le fichier « %1 » a été modifié par un autre programme depuis que Plivane l'a "
                           "ouvert ou enregistré.\r\nL'écraser perdrait ces modifications ; le recharger "
                           "perdrait les vôtres.")
                .arg(change)};
}

Status DocumentEnveloppe::enregistre(const QString& nomFichier)
{
    const QString avant = m_reglages.NomFichier;
    m_reglages.NomFichier = nomFichier;
    const PlvDocument fichier{m_reglages, m_adresses.entrees(), m_codage};
    const Result<PlvEcrit> ecrit = FichierAdresses::ecrit(nomFichier, fichier, m_reglages.Logo);
    if (!ecrit) {
        m_reglages.NomFichier = avant;
        return ecrit.status();
    }
    m_reglages.NomLogo = ecrit.value().nomLogo;
    m_surDisque = absolu(nomFichier);
    m_empreinte = ecrit.value().empreinte;
    m_empreinteCompagnon = ecrit.value().empreinteCompagnon;
    m_lectureSeule = false;
    (void)m_verrou.prend(nomFichier);
    setModifie(false);
    return Status::ok();
}

void DocumentEnveloppe::ouvre(PlvOuverture&& ouverture, const QString& nomFichier, bool lectureSeule)
{
    m_surDisque = absolu(nomFichier);
    m_empreinte = ouverture.empreinte;
    m_empreinteCompagnon = ouverture.empreinteCompagnon;
    m_lectureSeule = lectureSeule;
    if (lectureSeule)
        m_verrou.rend();
    else
        (void)m_verrou.prend(nomFichier);
    PlvDocument& lu = ouverture.document;
    ReglagesModele r = std::move(lu.reglages);
    // The scroll bars show whole millimetres and copies.
    r.LongueurEnv =
        float(dansLesBornes(r.LongueurEnv, ReglagesModele::kLongueurMin, ReglagesModele::kLongueurMax));
    r.HauteurEnv =
        float(dansLesBornes(r.HauteurEnv, ReglagesModele::kHauteurMin, ReglagesModele::kHauteurMax));
    r.Quantite = dansLesBornes(r.Quantite, ReglagesModele::kQuantiteMin, ReglagesModele::kQuantiteMax);
    r.TexteExp = texteDeBloc(r.TexteExp);
    // Never the previous document's picture: the next save would write it as this file's
    // companion bitmap.
    if (r.LogoChoisi)
        r.Logo = ouverture.logoIllisible || ouverture.logo.isNull() ? logoIntegre() : ouverture.logo;
    else
        r.Logo = m_reglages.Logo;
    r.NomFichier = nomFichier;
    r.CheminFichier = nomFichier;
    m_codage = lu.Codage;
    m_adresses.remplit(std::move(lu.Adresses));
    m_adresses.setAdresseCourante(m_adresses.nombre() - 1);
    r.TexteDest = EnForme(m_adresses.entree(m_adresses.adresseCourante()));
    m_reglages = std::move(r);
    setModifie(false);
}
