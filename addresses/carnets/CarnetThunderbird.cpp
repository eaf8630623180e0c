#include "addresses/carnets/CarnetThunderbird.h"
#include "addresses/import/ImportVcard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace {
using CompositionAdresse::Champ;
using CompositionAdresse::Colonne;

// The per-field properties of cards written before Thunderbird 102, home address first as
// Thunderbird's own export puts it.
struct Propriete {
    const char* nom;
    Colonne colonne;
};
constexpr Propriete kProprietes[] = {
    {"FirstName", {Champ::Prenom, 0}},       {"LastName", {Champ::Nom, 0}},
    {"DisplayName", {Champ::NomComplet, 0}}, {"Company", {Champ::Societe, 0}},
    {"HomeAddress", {Champ::Rue, 1}},        {"HomeAddress2", {Champ::SuiteRue, 1}},
    {"HomeZipCode", {Champ::CodePostal, 1}}, {"HomeCity", {Champ::Ville, 1}},
    {"HomeState", {Champ::Region, 1}},       {"HomeCountry", {Champ::Pays, 1}},
    {"WorkAddress", {Champ::Rue, 2}},        {"WorkAddress2", {Champ::SuiteRue, 2}},
    {"WorkZipCode", {Champ::CodePostal, 2}}, {"WorkCity", {Champ::Ville, 2}},
    {"WorkState", {Champ::Region, 2}},       {"WorkCountry", {Champ::Pays, 2}},
};

const QList<Colonne>& colonnesProprietes()
{
    static const QList<Colonne> colonnes = [] {
        QList<Colonne> c;
        for (const Propriete& p : kProprietes)
            c << p.colonne;
        return c;
    }();
    return colonnes;
}

int indexPropriete(const QByteArray& nom)
{
    static const QHash<QByteArray, int> index = [] {
        QHash<QByteArray, int> h;
        for (int i = 0; i < int(std::size(kProprietes)); ++i)
            h.insert(kProprietes[i].nom, i);
        return h;
    }();
    return index.value(nom, -1);
}

struct Carte {
    QByteArray vcard;
    QStringList champs = QStringList(int(std::size(kProprietes)));
    bool vide = true;
};

std::optional<CompositionAdresse::Contact> contactDe(const Carte& carte, bool& illisible)
{
    if (!carte.vcard.isEmpty()) {
        const Result<ImportVcard::Lecture> lue = ImportVcard::lit(carte.vcard);
        if (lue && !lue.value().contacts.isEmpty())
            return lue.value().contacts.constFirst();
        if (carte.vide) {
            illisible = true;
            return std::nullopt;
        }
    }
    return CompositionAdresse::contact(colonnesProprietes(), carte.champs);
}

// Copies the book and its write-ahead log, whose changes the copy then takes in as any
// reader of the file would: the copy holds what Thunderbird last wrote.
Result<QString> copie(const QString& fichier, const QTemporaryDir& dossier)
{
    const QString cible = dossier.filePath(QStringLiteral("carnet.sqlite"));
    if (!QFile::copy(fichier, cible))
        return Status::failure(QFileInfo::exists(fichier) ? QStringLiteral("il est illisible")
                                                          : QStringLiteral("il n'existe pas"));
    const QString journal = fichier + QStringLiteral("-wal");
    if (QFileInfo::exists(journal) && !QFile::copy(journal, cible + QStringLiteral("-wal")))
        return Status::failure(QStringLiteral("son journal est illisible"));
    return cible;
}
} // namespace

Result<LectureCarnet> CarnetThunderbird::lit() const
{
    const QTemporaryDir dossier;
    if (!dossier.isValid())
        return Status::failure(QStringLiteral("le dossier temporaire n'accepte pas sa copie"));
    const Result<QString> chemin = copie(m_fichier, dossier);
    if (!chemin)
        return chemin.status();

    sqlite3* base = nullptr;
    const QByteArray nomBase = QFile::encodeName(chemin.value());
    const auto ferme = qScopeGuard([&base] { sqlite3_close(base); });
    sqlite3_stmt* requete = nullptr;
    if (sqlite3_open_v2(nomBase.constData(), &base, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(base, "SELECT card, name, value FROM properties ORDER BY card", -1, &requete,
                           nullptr) != SQLITE_OK)
        return Status::failure(QStringLiteral("ce n'est pas un carnet d'adresses de Thunderbird"));
    const auto termine = qScopeGuard([requete] { sqlite3_finalize(requete); });

    LectureCarnet lecture;
    QByteArray carteCourante;
    Carte carte;
    const auto range = [&] {
        if (carteCourante.isNull())
            return;
        bool illisible = false;
        if (std::optional<CompositionAdresse::Contact> c = contactDe(carte, illisible))
            lecture.contacts << std::move(*c);
        lecture.illisibles += illisible;
        carte = {};
    };
    int etat = SQLITE_ROW;
    while ((etat = sqlite3_step(requete)) == SQLITE_ROW) {
        const auto texte = [requete](int colonne) {
            return QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(requete, colonne)),
                              sqlite3_column_bytes(requete, colonne));
        };
        const QByteArray uid = texte(0);
        if (uid != carteCourante) {
            range();
            carteCourante = uid;
        }
        const QByteArray nom = texte(1);
        if (nom == "_vCard") {
            carte.vcard = texte(2);
        } else if (const int i = indexPropriete(nom); i >= 0) {
            carte.champs[i] = QString::fromUtf8(texte(2));
            carte.vide = carte.vide && carte.champs[i].isEmpty();
        }
    }
    if (etat != SQLITE_DONE)
        return Status::failure(QStringLiteral("il est endommagé"));
    range();
    return lecture;
}

namespace {
// A value of prefs.js: a JavaScript string (its escapes undone) or a number.
QString valeurPreference(QString brut)
{
    brut = brut.trimmed();
    if (!brut.startsWith(u'"') || !brut.endsWith(u'"') || brut.size() < 2)
        return brut;
    const QString dedans = brut.mid(1, brut.size() - 2);
    QString valeur;
    for (qsizetype i = 0; i < dedans.size(); ++i) {
        if (dedans[i] != u'\\' || i + 1 == dedans.size()) {
            valeur += dedans[i];
            continue;
        }
        const QChar c = dedans[++i];
        if (c == u'u' && i + 4 < dedans.size()) {
            valeur += QChar(dedans.mid(i + 1, 4).toUShort(nullptr, 16));
            i += 4;
        } else {
            valeur += c == u'n' ? QChar(u'\n') : c;
        }
    }
    return valeur;
}

struct Livre {
    QString fichier, description;
    int type = 101; // a local SQLite book; 102 is a CardDAV book's copy, 0 and 1 LDAP
};

QMap<QString, Livre> livresDuProfil(const QDir& profil)
{
    QMap<QString, Livre> livres{
        {QStringLiteral("pab"), {QStringLiteral("abook.sqlite"), QStringLiteral("Adresses personnelles")}},
        {QStringLiteral("history"),
         {QStringLiteral("history.sqlite"), QStringLiteral("Adresses collectées")}},
    };
    QFile prefs(profil.filePath(QStringLiteral("prefs.js")));
    if (!prefs.open(QIODevice::ReadOnly))
        return livres;
    static const QRegularExpression kLigne(QStringLiteral(
        R"re(^user_pref\("ldap_2\.servers\.([^."]+)\.(filename|description|dirType)",\s*(.*)\);\s*$)re"));
    while (!prefs.atEnd()) {
        const QString ligne = QString::fromUtf8(prefs.readLine()).trimmed();
        const QRegularExpressionMatch m = kLigne.match(ligne);
        if (!m.hasMatch())
            continue;
        Livre& livre = livres[m.captured(1)];
        const QString valeur = valeurPreference(m.captured(3));
        if (m.captured(2) == u"filename")
            livre.fichier = valeur;
        else if (m.captured(2) == u"dirType")
            livre.type = valeur.toInt();
        else if (!valeur.startsWith(QStringLiteral("chrome://"))) // the default books' own names stay French
            livre.description = valeur;
    }
    return livres;
}
} // namespace

Carnets CarnetThunderbird::trouve(const QString& maison)
{
    struct Profil {
        QString nom;
        QDir dossier;
    };
    QList<Profil> profils;
    for (const char* racine : {".thunderbird", ".var/app/org.mozilla.Thunderbird/.thunderbird",
                               "snap/thunderbird/common/.thunderbird", ".mozilla-thunderbird"}) {
        const QDir dossier(QDir(maison).filePath(QString::fromLatin1(racine)));
        QSettings ini(dossier.filePath(QStringLiteral("profiles.ini")), QSettings::IniFormat);
        for (const QString& groupe : ini.childGroups()) {
            if (!groupe.startsWith(QStringLiteral("Profile")))
                continue;
            ini.beginGroup(groupe);
            const QString chemin = ini.value(QStringLiteral("Path")).toString();
            const bool relatif = ini.value(QStringLiteral("IsRelative"), 1).toInt() == 1;
            if (!chemin.isEmpty())
                profils << Profil{ini.value(QStringLiteral("Name"), chemin).toString(),
                                  QDir(relatif ? dossier.filePath(chemin) : chemin)};
            ini.endGroup();
        }
    }
    Carnets carnets;
    for (const Profil& profil : profils) {
        for (const Livre& livre : livresDuProfil(profil.dossier)) {
            const QString fichier = profil.dossier.filePath(livre.fichier);
            if ((livre.type != 101 && livre.type != 102) ||
                !livre.fichier.endsWith(QStringLiteral(".sqlite")) || !QFileInfo(fichier).isFile())
                continue;
            QString nom = QStringLiteral("Thunderbird : ") +
                          (livre.description.isEmpty() ? QFileInfo(livre.fichier).completeBaseName()
                                                       : livre.description);
            if (profils.size() > 1)
                nom += QStringLiteral(" (profil « %1 »)").arg(profil.nom);
            carnets << std::make_shared<CarnetThunderbird>(fichier, nom);
        }
    }
    return carnets;
}
