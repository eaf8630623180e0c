#include "addresses/import/ImportVcard.h"

#include "addresses/fichier/CodageTexte.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// One content line, "item1.ADR;TYPE=home;PREF=1:;;5 rue du Port;Brest;;29200;France",
// cut at its first colon outside double quotes.
struct Propriete {
    QStringView nom;    // upper-cased by the caller's comparisons, group removed
    QStringView groupe; // Apple's "item1" of "item1.ADR", or empty
    QList<QStringView> parametres;
    QStringView valeur;
};

bool coupe(QStringView ligne, Propriete& p)
{
    bool guillemets = false;
    qsizetype debut = 0;
    p.parametres.clear();
    p.nom = {};
    for (qsizetype i = 0; i < ligne.size(); ++i) {
        const QChar c = ligne[i];
        if (c == u'"') {
            guillemets = !guillemets;
        } else if (!guillemets && (c == u';' || c == u':')) {
            const QStringView morceau = ligne.sliced(debut, i - debut);
            if (p.nom.isNull())
                p.nom = morceau;
            else
                p.parametres << morceau;
            debut = i + 1;
            if (c == u':') {
                p.valeur = ligne.sliced(i + 1);
                const qsizetype point = p.nom.lastIndexOf(u'.');
                p.groupe = point >= 0 ? p.nom.first(point) : QStringView();
                if (point >= 0)
                    p.nom = p.nom.sliced(point + 1);
                return true;
            }
        }
    }
    return false;
}

int hexa(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray decodeQuotedPrintable(const QByteArray& texte)
{
    QByteArray octets;
    octets.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (texte[i] == '=' && i + 2 < texte.size() && hexa(texte[i + 1]) >= 0 && hexa(texte[i + 2]) >= 0) {
            octets += char(hexa(texte[i + 1]) * 16 + hexa(texte[i + 2]));
            i += 2;
        } else {
            octets += texte[i];
        }
    }
    return octets;
}

// The components of a structured value, cut at the semicolons that are not escaped,
// each unescaped: "\n" is a line break, "\;", "\," and "\\" the character itself.
QStringList composantes(QStringView valeur)
{
    QStringList resultat;
    if (!valeur.contains(u'\\')) {
        for (QStringView partie : valeur.split(u';'))
            resultat << partie.trimmed().toString();
        return resultat;
    }
    QString courante;
    for (qsizetype i = 0; i < valeur.size(); ++i) {
        const QChar c = valeur[i];
        if (c == u'\\' && i + 1 < valeur.size()) {
            const QChar s = valeur[++i];
            if (s == u'n' || s == u'N')
                courante += u'\n';
            else if (s == u';' || s == u',' || s == u'\\' || s == u':')
                courante += s;
            else
                courante += c, courante += s;
        } else if (c == u';') {
            resultat << courante.trimmed();
            courante.clear();
        } else {
            courante += c;
        }
    }
    resultat << courante.trimmed();
    return resultat;
}

// Whether simplified() would leave the text as it is.
bool simple(QStringView texte)
{
    if (!texte.isEmpty() && (texte.front().isSpace() || texte.back().isSpace()))
        return false;
    for (qsizetype i = 0; i < texte.size(); ++i)
        if (texte[i].isSpace() && (texte[i] != u' ' || texte[i + 1] == u' '))
            return false;
    return true;
}

QString unNom(const QString& composante)
{
    // Several values of one part of N ("Jean,Marie") are one name.
    if (!composante.contains(u',') && simple(composante))
        return composante;
    QString texte = composante;
    texte.replace(u',', u' ').replace(u'\n', u' ');
    return texte.simplified();
}

struct Fiche {
    CompositionAdresse::Contact contact;
    QStringList adresse;
    int rangAdresse = 0; // the ADR's preference, 1 most preferred; 0 for none yet
    QString groupeAdresse;
    QHash<QString, QString> codesPays; // Apple's X-ABADR country code, by group
};

constexpr int kSansPreference = 1000;

void litPropriete(const Propriete& p, CodageTexte::Codage codageFichier, Fiche& fiche)
{
    const bool n = p.nom.compare(u"N", Qt::CaseInsensitive) == 0;
    const bool fn = p.nom.compare(u"FN", Qt::CaseInsensitive) == 0;
    const bool org = p.nom.compare(u"ORG", Qt::CaseInsensitive) == 0;
    const bool adr = p.nom.compare(u"ADR", Qt::CaseInsensitive) == 0;
    if (p.nom.compare(u"X-ABADR", Qt::CaseInsensitive) == 0) {
        fiche.codesPays.insert(p.groupe.toString().toLower(), p.valeur.trimmed().toString());
        return;
    }
    if (!n && !fn && !org && !adr)
        return;

    bool qp = false;
    QString charset;
    int rang = kSansPreference;
    for (QStringView param : p.parametres) {
        const qsizetype egal = param.indexOf(u'=');
        const QStringView cle = egal < 0 ? QStringView(u"TYPE") : param.first(egal).trimmed();
        QStringView val = egal < 0 ? param.trimmed() : param.sliced(egal + 1).trimmed();
        if (val.size() >= 2 && val.startsWith(u'"') && val.endsWith(u'"'))
            val = val.sliced(1, val.size() - 2);
        if (cle.compare(u"ENCODING", Qt::CaseInsensitive) == 0 || egal < 0) {
            if (val.compare(u"QUOTED-PRINTABLE", Qt::CaseInsensitive) == 0)
                qp = true;
            else if (val.compare(u"B", Qt::CaseInsensitive) == 0 ||
                     val.compare(u"BASE64", Qt::CaseInsensitive) == 0)
                return;
        }
        if (cle.compare(u"CHARSET", Qt::CaseInsensitive) == 0)
            charset = val.toString();
        if (cle.compare(u"PREF", Qt::CaseInsensitive) == 0)
            rang = std::max(1, val.toInt());
        if (cle.compare(u"TYPE", Qt::CaseInsensitive) == 0)
            for (QStringView type : val.split(u','))
                if (type.compare(u"pref", Qt::CaseInsensitive) == 0)
                    rang = std::min(rang, 1);
    }

    // Without QUOTED-PRINTABLE the file's own decoding has already read the bytes, right
    // unless it fell back to Windows-1252 where the card names another charset: those
    // bytes are given back and read again as the card says.
    const bool relue = qp || (!charset.isEmpty() && codageFichier == CodageTexte::Codage::Windows1252);
    const QString valeur = !relue ? QString()
                           : qp   ? CodageTexte::decodeJeu(decodeQuotedPrintable(p.valeur.toUtf8()), charset)
                                  : CodageTexte::decodeJeu(CodageTexte::encode(p.valeur), charset);
    const QStringList parties = composantes(relue ? QStringView(valeur) : p.valeur);
    CompositionAdresse::Contact& c = fiche.contact;
    if (n) {
        c.nom = unNom(parties.value(0));
        c.prenom = unNom(parties.value(1));
        c.secondPrenom = unNom(parties.value(2));
        c.civilite = unNom(parties.value(3));
    } else if (fn) {
        c.nomComplet = unNom(parties.join(u' '));
    } else if (org) {
        // A company's name keeps its commas ("Dupont, Durand et associés"): only N's parts
        // are lists.
        c.societe = QString(parties.value(0)).replace(u'\n', u' ').simplified();
    } else if (std::any_of(parties.cbegin(), parties.cend(), [](const QString& s) { return !s.isEmpty(); }) &&
               (fiche.rangAdresse == 0 || rang < fiche.rangAdresse)) {
        fiche.adresse = parties;
        fiche.rangAdresse = rang;
        fiche.groupeAdresse = p.groupe.toString().toLower();
    }
}

void termine(Fiche& fiche, QList<CompositionAdresse::Contact>& contacts)
{
    CompositionAdresse::Contact& c = fiche.contact;
    const QStringList& a = fiche.adresse;
    const auto lignes = [](const QString& texte) {
        QStringList l;
        if (simple(texte)) {
            if (!texte.isEmpty())
                l << texte;
            return l;
        }
        for (const QString& ligne : texte.split(u'\n', Qt::SkipEmptyParts))
            if (!ligne.trimmed().isEmpty())
                l << ligne.simplified();
        return l;
    };
    c.boitesPostales = lignes(a.value(0));
    c.complements = lignes(a.value(1));
    c.rues = lignes(a.value(2));
    c.ville = unNom(a.value(3));
    c.region = unNom(a.value(4));
    c.codePostal = unNom(a.value(5));
    c.pays = unNom(a.value(6));
    if (const QString code = fiche.codesPays.value(fiche.groupeAdresse);
        !fiche.groupeAdresse.isEmpty() && code.size() == 2)
        c.codePays = code.toUpper();
    contacts << std::move(c);
}

} // namespace

bool ImportVcard::estVcard(const QByteArray& octets)
{
    // By what it holds, wherever it starts: some exports put a line of their own first.
    const QString debut =
        CodageTexte::decode(QByteArrayView(octets).first(std::min<qsizetype>(octets.size(), 64 * 1024)))
            .valueOr(QString());
    static const QRegularExpression carte(u"(^|[\r\n])[ \t]*BEGIN:VCARD[ \t]*[\r\n]"_qs,
                                          QRegularExpression::CaseInsensitiveOption);
    return carte.match(debut).hasMatch();
}

Result<ImportVcard::Lecture> ImportVcard::lit(const QByteArray& octets)
{
    Lecture lecture;
    const Result<QString> decode = CodageTexte::decode(octets, lecture.codage);
    if (!decode)
        return decode.status();
    const QStringView texte = decode.value();

    int profondeur = 0;
    int ligneOuverture = 0;
    int version = 30;
    Fiche fiche;
    Propriete p;
    // The line being read: a view of the text, or of tampon once folded lines are joined.
    QStringView logique;
    QString tampon;
    bool plie = false;
    // Joins a line's continuation, in place once the line is in tampon: a photo folded
    // over thousands of lines stays linear.
    const auto etend = [&](QStringView debut, QStringView suite) {
        if (plie) {
            tampon.truncate(debut.size());
        } else {
            tampon = debut.toString();
            plie = true;
        }
        tampon += suite;
        logique = tampon;
    };
    bool enCours = false;
    bool suiteQp = false;
    const auto traite = [&](QStringView ligne) {
        if (!coupe(ligne, p))
            return;
        if (p.nom.compare(u"BEGIN", Qt::CaseInsensitive) == 0) {
            if (profondeur++ == 0)
                fiche = Fiche();
            else
                ++lecture.imbriquees;
            return;
        }
        if (p.nom.compare(u"END", Qt::CaseInsensitive) == 0) {
            if (profondeur > 0 && --profondeur == 0)
                termine(fiche, lecture.contacts);
            return;
        }
        if (profondeur != 1)
            return;
        if (p.nom.compare(u"VERSION", Qt::CaseInsensitive) == 0)
            version = p.valeur.trimmed().startsWith(u"2")   ? 21
                      : p.valeur.trimmed().startsWith(u"4") ? 40
                                                            : 30;
        else
            litPropriete(p, lecture.codage, fiche);
    };

    int numero = 0;
    qsizetype pos = 0;
    while (pos < texte.size()) {
        qsizetype fin = pos;
        while (fin < texte.size() && texte[fin] != u'\n' && texte[fin] != u'\r')
            ++fin;
        const QStringView physique = texte.sliced(pos, fin - pos);
        pos = fin;
        if (pos < texte.size() && texte[pos] == u'\r') {
            ++pos;
            if (pos < texte.size() && texte[pos] == u'\n')
                ++pos;
        } else if (pos < texte.size()) {
            ++pos;
        }
        ++numero;

        if (enCours && suiteQp) {
            // A soft line break: the '=' ends the line and the text goes on below.
            etend(logique.chopped(1), physique);
        } else if (enCours && !physique.isEmpty() && (physique[0] == u' ' || physique[0] == u'\t')) {
            // 2.1 folds at a blank and keeps it; 3.0 and 4.0 add one that unfolding takes away.
            etend(logique, version == 21 ? physique : physique.sliced(1));
        } else {
            if (enCours)
                traite(logique);
            logique = physique;
            plie = false;
            enCours = true;
            if (profondeur == 0 && logique.startsWith(u"BEGIN:", Qt::CaseInsensitive)) {
                ligneOuverture = numero;
                version = 30;
            }
        }
        suiteQp = enCours && logique.endsWith(u'=') &&
                  logique.first(std::max<qsizetype>(0, logique.indexOf(u':')))
                      .contains(u"QUOTED-PRINTABLE", Qt::CaseInsensitive);
    }
    if (enCours)
        traite(logique);
    if (profondeur > 0)
        return Status::failure(
            QStringLiteral("la fiche commencée à la ligne %1 n'est jamais refermée (END:VCARD)")
                .arg(ligneOuverture));
    return lecture;
}

ImportCsv::Bilan ImportVcard::adresses(const Lecture& lecture)
{
    ImportCsv::Bilan bilan;
    bilan.adresses.reserve(lecture.contacts.size());
    for (const CompositionAdresse::Contact& contact : lecture.contacts)
        bilan.ajoute(contact);
    return bilan;
}
