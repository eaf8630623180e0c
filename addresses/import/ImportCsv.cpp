#include "addresses/import/ImportCsv.h"

#include "addresses/fichier/CodageTexte.h"
#include "addresses/import/CompositionAdresse.h"
#include "addresses/liste/EncodageAdresse.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {

// One row as the cutter hands it over.
struct Enregistrement {
    QStringList lignes;
    QStringList champs; // each field's lines joined by LF, for the columns a title names
    bool tropDeLignes = false;
    int numero = 0;
};

// Cuts the text into rows and fields for one separator. A row ends at CR LF, LF or a CR
// alone (older Mac exports) outside double quotes.
class Decoupeur {
public:
    Decoupeur(QStringView texte, QChar separateur) : m_texte(texte), m_sep(separateur) {}

    bool fini() const { return m_pos >= m_texte.size(); }
    // The line where an unclosed double quote opened, once suivant() has failed.
    int ligneGuillemet() const { return m_ligneGuillemet; }

    // The line of a row with more than kChampsMax fields, once suivant() has failed.
    int ligneTropLarge() const { return m_ligneTropLarge; }

    // False when a double quote opens a field and the file ends before it closes, or a
    // row has more than kChampsMax fields.
    bool suivant(Enregistrement& e)
    {
        e.lignes.clear();
        e.champs.clear();
        e.tropDeLignes = false;
        e.numero = m_ligne;
        for (;;) {
            saute(u' ');
            if (m_sep != u'\t')
                saute(u'\t');
            if (m_pos < m_texte.size() && m_texte[m_pos] == u'"') {
                if (!champGuillemets(e))
                    return false;
            } else {
                const qsizetype debut = m_pos;
                while (m_pos < m_texte.size() && !finDeChamp(m_texte[m_pos]))
                    ++m_pos;
                ajoute(e, m_texte.sliced(debut, m_pos - debut));
            }
            if (m_pos >= m_texte.size())
                return true;
            const QChar c = m_texte[m_pos++];
            if (c == m_sep && e.champs.size() >= ImportCsv::kChampsMax) {
                m_ligneTropLarge = e.numero;
                m_pos = m_texte.size();
                return false;
            }
            if (c == m_sep)
                continue;
            if (c == u'\r' && m_pos < m_texte.size() && m_texte[m_pos] == u'\n')
                ++m_pos;
            ++m_ligne;
            return true;
        }
    }

private:
    bool finDeChamp(QChar c) const { return c == m_sep || c == u'\n' || c == u'\r'; }

    void saute(char16_t c)
    {
        while (m_pos < m_texte.size() && m_texte[m_pos] == c)
            ++m_pos;
    }

    bool champGuillemets(Enregistrement& e)
    {
        const int ouverture = m_ligne;
        ++m_pos;
        QString champ;
        for (;;) {
            const qsizetype fin = m_texte.indexOf(u'"', m_pos);
            if (fin < 0) {
                m_ligneGuillemet = ouverture;
                m_pos = m_texte.size();
                return false;
            }
            const QStringView morceau = m_texte.sliced(m_pos, fin - m_pos);
            compteLignes(morceau);
            champ += morceau;
            m_pos = fin + 1;
            if (m_pos < m_texte.size() && m_texte[m_pos] == u'"') {
                champ += u'"';
                ++m_pos;
                continue;
            }
            break;
        }
        // Text after the closing quote belongs to the field, as spreadsheets read it.
        const qsizetype debut = m_pos;
        while (m_pos < m_texte.size() && !finDeChamp(m_texte[m_pos]))
            ++m_pos;
        champ += m_texte.sliced(debut, m_pos - debut);
        ajoute(e, champ);
        return true;
    }

    void compteLignes(QStringView morceau)
    {
        for (qsizetype i = 0; i < morceau.size(); ++i) {
            if (morceau[i] == u'\n' ||
                (morceau[i] == u'\r' && (i + 1 >= morceau.size() || morceau[i + 1] != u'\n')))
                ++m_ligne;
        }
    }

    // A field gives one address line per line of its text; blanks around a line and
    // empty lines go. Tabs, other control codes and the no-break space (the list's own
    // line separator) become plain spaces.
    static void ajoute(Enregistrement& e, QStringView champ)
    {
        QString texte;
        qsizetype debut = 0;
        while (debut <= champ.size()) {
            qsizetype fin = debut;
            while (fin < champ.size() && champ[fin] != u'\n' && champ[fin] != u'\r')
                ++fin;
            const QStringView vue = champ.sliced(debut, fin - debut).trimmed();
            QString ligne = vue.toString();
            if (std::any_of(vue.cbegin(), vue.cend(),
                            [](QChar c) { return c.unicode() < 0x20 || c == kSeparateurLignes; })) {
                for (QChar& c : ligne)
                    if (c.unicode() < 0x20 || c == kSeparateurLignes)
                        c = u' ';
                ligne = ligne.trimmed();
            }
            if (!ligne.isEmpty()) {
                if (texte.isEmpty())
                    texte = ligne;
                else
                    texte += u'\n' + ligne;
                if (e.lignes.size() >= ImportCsv::kLignesMax)
                    e.tropDeLignes = true;
                else
                    e.lignes.append(ligne);
            }
            debut = fin + 1;
        }
        e.champs.append(texte);
    }

    QStringView m_texte;
    QChar m_sep;
    qsizetype m_pos = 0;
    int m_ligne = 1;
    int m_ligneGuillemet = 0;
    int m_ligneTropLarge = 0;
};

constexpr char16_t kEntreChamps = u'\x1F';

const QString kPasDuTexte = QStringLiteral("c'est un classeur ou un fichier binaire, pas une liste de texte. "
                                           "Ouvrez-le dans votre tableur et enregistrez-le au format CSV, "
                                           "puis importez ce fichier CSV");

// The separator that cuts the first rows into the same number of fields most often, and
// into the most fields on a tie; tab, then semicolon, then comma on a full tie. A comma in
// "12, rue des Lilas" thus cannot beat the semicolons of a spreadsheet's export.
QChar detecteSeparateur(QStringView texte)
{
    constexpr int kEchantillon = 50;
    QChar meilleur = u';';
    int meilleureFrequence = 0;
    int meilleursChamps = 0;
    for (QChar candidat : {QChar(u'\t'), QChar(u';'), QChar(u',')}) {
        Decoupeur d(texte, candidat);
        QHash<int, int> frequences;
        Enregistrement e;
        for (int n = 0; n < kEchantillon && !d.fini(); ++n) {
            if (!d.suivant(e))
                break;
            if (!e.lignes.isEmpty())
                ++frequences[int(e.champs.size())];
        }
        int champs = 1;
        int frequence = 0;
        for (auto it = frequences.cbegin(); it != frequences.cend(); ++it)
            if (it.key() > 1 && (it.value() > frequence || (it.value() == frequence && it.key() > champs))) {
                champs = it.key();
                frequence = it.value();
            }
        if (frequence > meilleureFrequence ||
            (frequence == meilleureFrequence && frequence > 0 && champs > meilleursChamps)) {
            meilleur = candidat;
            meilleureFrequence = frequence;
            meilleursChamps = champs;
        }
    }
    return meilleur;
}

// Words column titles are made of, accents and case aside.
const QSet<QString>& motsDeTitres()
{
    static const QSet<QString> mots = [] {
        const QStringList liste =
            QStringLiteral(
                // French
                "nom noms prenom prenoms civilite titre societe entreprise raison sociale organisme "
                "organisation destinataire contact adresse adresses rue voie numero num no n complement "
                "complet complete lieu dit batiment residence bp cp code postal postale ville commune "
                "localite cedex pays region ligne courriel mail e email telephone tel portable mobile "
                "et de du des la le les d l "
                // English, as address books export them
                "name first last full title company address street line city town zip postcode state "
                "country phone of and the")
                .split(u' ', Qt::SkipEmptyParts);
        return QSet<QString>(liste.begin(), liste.end());
    }();
    return mots;
}

QString sansAccents(const QString& texte)
{
    QString resultat;
    for (QChar c : texte.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            resultat += c.toLower();
    return resultat;
}

// "CP Ville" or "Adresse 2" are titles: title words, and at most a column number.
bool estTitre(const QString& ligne)
{
    bool unMot = false;
    static const QRegularExpression horsMot(QStringLiteral("[^\\p{L}\\p{N}]+"));
    const QStringList mots = sansAccents(ligne).split(horsMot, Qt::SkipEmptyParts);
    for (const QString& mot : mots) {
        bool nombre = false;
        mot.toInt(&nombre);
        if (nombre && mot.size() <= 2)
            continue;
        if (!motsDeTitres().contains(mot))
            return false;
        unMot = true;
    }
    return unMot;
}

ImportCsv::EnTete jugeEnTete(const QStringList& premiere)
{
    bool toutTitre = !premiere.isEmpty();
    bool donnee = false;
    for (const QString& ligne : premiere) {
        const bool titre = estTitre(ligne);
        toutTitre = toutTitre && titre;
        // A street number or a postcode outside a title: this is an address.
        if (!titre && std::any_of(ligne.cbegin(), ligne.cend(), [](QChar c) { return c.isDigit(); }))
            donnee = true;
    }
    if (toutTitre)
        return ImportCsv::EnTete::Presente;
    return donnee ? ImportCsv::EnTete::Absente : ImportCsv::EnTete::Incertaine;
}

// A plain text list, as typed in an editor: one field a row, each address a block of lines
// between blank lines. Each block becomes one row of one field a line.
void regroupeBlocs(QList<ImportCsv::Ligne>& lignes)
{
    bool blanche = false, bloc = false;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (lignes[i].texte.contains(QChar(kEntreChamps)))
            return;
        blanche = blanche || lignes[i].vide;
        bloc = bloc || (i > 0 && !lignes[i].vide && !lignes[i - 1].vide);
    }
    if (!blanche || !bloc)
        return;
    QList<ImportCsv::Ligne> blocs;
    for (qsizetype i = 0; i < lignes.size();) {
        if (lignes[i].vide) {
            ++i;
            continue;
        }
        ImportCsv::Ligne b{lignes[i].texte, false, lignes[i].numero, false};
        int n = 1;
        for (++i; i < lignes.size() && !lignes[i].vide; ++i, ++n)
            b.texte += QChar(kEntreChamps) + lignes[i].texte;
        b.tropDeLignes = n > ImportCsv::kLignesMax;
        blocs.append(std::move(b));
    }
    lignes = std::move(blocs);
}

} // namespace

Result<ImportCsv::Lecture> ImportCsv::lit(QByteArray octets)
{
    // A spreadsheet (xlsx and ods are zip archives, xls a compound document) or any
    // other binary file would otherwise be cut into garbage addresses.
    if (octets.startsWith("PK\x03\x04") || octets.startsWith("\xD0\xCF\x11\xE0"))
        return Status::failure(kPasDuTexte);
    Lecture lecture;
    const Result<QString> texte = CodageTexte::decode(octets, lecture.codage);
    octets = QByteArray();
    if (!texte)
        return texte.status();
    if (texte.value().contains(QChar(0)))
        return Status::failure(kPasDuTexte);

    lecture.separateur = detecteSeparateur(texte.value());
    Decoupeur d(texte.value(), lecture.separateur);
    Enregistrement e;
    while (!d.fini()) {
        if (!d.suivant(e)) {
            if (d.ligneTropLarge() > 0)
                return Status::failure(QStringLiteral("la ligne %1 a plus de %2 colonnes : ce n'est pas une "
                                                      "liste d'adresses")
                                           .arg(d.ligneTropLarge())
                                           .arg(kChampsMax));
            return Status::failure(QStringLiteral("le guillemet ouvert à la ligne %1 n'est jamais refermé")
                                       .arg(d.ligneGuillemet()));
        }
        lecture.lignes.append(
            Ligne{e.champs.join(QChar(kEntreChamps)), e.tropDeLignes, e.numero, e.lignes.isEmpty()});
    }
    // Blank lines at the end of a file are no rows anybody wrote.
    while (!lecture.lignes.isEmpty() && lecture.lignes.constLast().vide)
        lecture.lignes.removeLast();
    regroupeBlocs(lecture.lignes);

    for (const Ligne& ligne : lecture.lignes)
        if (!ligne.vide) {
            const QStringList champs = ligne.champs();
            lecture.colonnes = CompositionAdresse::colonnes(champs);
            if (!lecture.colonnes.isEmpty()) {
                lecture.titres = champs;
                lecture.enTete = EnTete::Presente;
            } else {
                lecture.enTete = jugeEnTete(ligne.lignes());
                // Titles of which half are ours, a person's or a place's, are titles: the
                // user is shown the columns, rather than the titles taken for an address.
                qsizetype remplis = 0, connus = 0;
                for (const QString& champ : champs)
                    if (!champ.isEmpty()) {
                        ++remplis;
                        connus +=
                            CompositionAdresse::colonne(champ).champ != CompositionAdresse::Champ::Aucun;
                    }
                if (remplis >= 2 && 2 * connus >= remplis) {
                    lecture.enTete = EnTete::Presente;
                    lecture.titres = champs;
                }
            }
            break;
        }
    return lecture;
}

ImportCsv::Bilan ImportCsv::adresses(const Lecture& lecture, bool premiereLigneEnTete)
{
    Bilan bilan;
    bilan.adresses.reserve(lecture.lignes.size());
    bool titresPasses = !premiereLigneEnTete;
    const bool composees = premiereLigneEnTete && !lecture.colonnes.isEmpty();
    QList<bool> horsAdresse(lecture.colonnes.size(), false);
    for (const Ligne& ligne : lecture.lignes) {
        if (ligne.vide) {
            ++bilan.vides;
            continue;
        }
        if (!titresPasses) {
            titresPasses = true;
            bilan.enTeteIgnoree = true;
            continue;
        }
        const QStringList champs = composees ? ligne.champs() : QStringList();
        if (composees) {
            // Text beyond the titled columns: a row cut with the wrong separator or a
            // stray quote, whose lines would come out shifted.
            if (std::any_of(champs.cbegin() + std::min(champs.size(), lecture.colonnes.size()), champs.cend(),
                            [](const QString& champ) { return !champ.isEmpty(); })) {
                ++bilan.horsColonnes;
                continue;
            }
            const CompositionAdresse::Contact contact = CompositionAdresse::contact(lecture.colonnes, champs);
            for (qsizetype i = 0; i < champs.size() && i < lecture.colonnes.size(); ++i)
                if (lecture.colonnes[i].champ == CompositionAdresse::Champ::Aucun && !champs[i].isEmpty())
                    horsAdresse[i] = true;
            bilan.ajoute(contact);
            continue;
        }
        if (ligne.tropDeLignes) {
            ++bilan.tropLongues;
            continue;
        }
        bilan.adresses.append(ligne.lignes().join(kSeparateurLignes));
    }
    for (qsizetype i = 0; i < horsAdresse.size(); ++i)
        if (horsAdresse[i])
            bilan.colonnesIgnorees << lecture.titres.value(i).replace(u'\n', u' ');
    return bilan;
}

QStringList ImportCsv::Ligne::champs() const
{
    return texte.split(QChar(kEntreChamps));
}

QStringList ImportCsv::Ligne::lignes() const
{
    QStringList resultat;
    for (const QStringView champ : QStringView(texte).tokenize(QChar(kEntreChamps)))
        for (const QStringView ligne : champ.tokenize(u'\n', Qt::SkipEmptyParts)) {
            if (resultat.size() == kLignesMax)
                return resultat;
            resultat.append(ligne.toString());
        }
    return resultat;
}

void ImportCsv::Bilan::ajoute(const CompositionAdresse::Contact& contact)
{
    const QStringList lignes = CompositionAdresse::lignes(contact);
    // A row with only a telephone or an e-mail is no empty row, but has no address either.
    if (lignes.isEmpty() || !CompositionAdresse::aUneAdressePostale(contact))
        ++sansAdresse;
    else if (lignes.size() > kLignesMax)
        ++tropLongues;
    else
        adresses.append(lignes.join(kSeparateurLignes));
}

QString ImportCsv::nomSeparateur(QChar separateur)
{
    if (separateur == u'\t')
        return QStringLiteral("tabulations");
    if (separateur == u',')
        return QStringLiteral("virgules");
    return QStringLiteral("points-virgules");
}
