#include "addresses/import/Pays.h"

#include "addresses/codespostaux/TableCodesPostaux.h"

#include <QFile>
#include <QHash>

#include <unicode/locid.h>
#include <unicode/uloc.h>
#include <unicode/unistr.h>

namespace {

QString depuisIcu(const icu::UnicodeString& s)
{
    return QString(reinterpret_cast<const QChar*>(s.getBuffer()), s.length());
}

// Every country's name in the languages of the address books people keep in France, and
// its codes, folded as localities are (TableCodesPostaux::cle).
const QHash<QString, QString>& parNom()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        static const char* const kLangues[] = {"fr", "en", "de", "nl", "it", "es", "pt", "lb", "ca"};
        for (const char* const* pays = uloc_getISOCountries(); *pays; ++pays) {
            const QString code = QString::fromLatin1(*pays);
            const icu::Locale lieu("und", *pays);
            t.insert(code, code);
            t.insert(QString::fromLatin1(lieu.getISO3Country()), code);
            for (const char* langue : kLangues) {
                icu::UnicodeString nom;
                lieu.getDisplayCountry(icu::Locale(langue), nom);
                const QString cle = TableCodesPostaux::cle(depuisIcu(nom));
                if (!cle.isEmpty() && cle != code)
                    t.insert(cle, code);
            }
        }
        // What people write that no language's name is.
        const std::pair<const char*, const char*> kUsages[] = {{"UK", "GB"},
                                                               {"GREAT BRITAIN", "GB"},
                                                               {"ENGLAND", "GB"},
                                                               {"ANGLETERRE", "GB"},
                                                               {"SCOTLAND", "GB"},
                                                               {"ECOSSE", "GB"},
                                                               {"WALES", "GB"},
                                                               {"USA", "US"},
                                                               {"U S A", "US"},
                                                               {"ETATS UNIS D AMERIQUE", "US"},
                                                               {"AMERICA", "US"},
                                                               {"HOLLAND", "NL"},
                                                               {"HOLLANDE", "NL"},
                                                               {"SUISSE ROMANDE", "CH"},
                                                               {"CONFEDERATION SUISSE", "CH"}};
        for (const auto& [usage, code] : kUsages)
            t.insert(QString::fromLatin1(usage), QString::fromLatin1(code));
        return t;
    }();
    return table;
}

struct Formats {
    QHash<QString, QString> lignes;  // code -> "{cp} {ville}|..."
    QHash<QString, QString> regions; // "CA:QUEBEC" (folded) -> "QC"
};

const Formats& formats()
{
    static const Formats f = [] {
        Formats f;
        QFile fichier(QStringLiteral(":/formats-pays.tsv"));
        if (!fichier.open(QIODevice::ReadOnly))
            return f;
        for (const QByteArray& brute : fichier.readAll().split('\n')) {
            if (brute.isEmpty() || brute.startsWith('#'))
                continue;
            const QList<QByteArray> champs = brute.split('\t');
            if (champs.size() != 2)
                continue;
            const QString cle = QString::fromUtf8(champs[0]);
            const QString valeur = QString::fromUtf8(champs[1]);
            if (cle.size() > 3 && cle[2] == u':')
                f.regions.insert(cle.first(3) + TableCodesPostaux::cle(cle.sliced(3)), valeur);
            else
                f.lignes.insert(cle, valeur);
        }
        return f;
    }();
    return f;
}

// One line of a layout with its parts filled in: a part left empty takes the text before
// it along ("{ville}, {region} {cp}" without a region is "{ville} {cp}").
QString remplit(const QString& modele, const QHash<QString, QString>& parties)
{
    QString ligne;
    qsizetype pos = 0;
    QString avant;
    while (pos < modele.size()) {
        const qsizetype ouvre = modele.indexOf(u'{', pos);
        if (ouvre < 0) {
            avant += modele.sliced(pos);
            break;
        }
        const qsizetype ferme = modele.indexOf(u'}', ouvre);
        if (ferme < 0)
            break;
        avant += modele.sliced(pos, ouvre - pos);
        const QString valeur = parties.value(modele.sliced(ouvre + 1, ferme - ouvre - 1));
        if (!valeur.isEmpty())
            ligne += (ligne.isEmpty() ? QString() : avant) + valeur;
        avant.clear();
        pos = ferme + 1;
    }
    return ligne;
}
} // namespace

QString Pays::code(const QString& nom)
{
    const QString cle = TableCodesPostaux::cle(nom);
    if (cle.isEmpty())
        return {};
    return parNom().value(cle);
}

bool Pays::desserviCommeLaFrance(const QString& code)
{
    static const QStringList kFrance = {u"FR"_qs, u"GP"_qs, u"MQ"_qs, u"GF"_qs, u"RE"_qs, u"YT"_qs, u"PM"_qs,
                                        u"BL"_qs, u"MF"_qs, u"WF"_qs, u"PF"_qs, u"NC"_qs, u"MC"_qs};
    return kFrance.contains(code);
}

QString Pays::ligne(const QString& code)
{
    if (code.size() != 2)
        return {};
    const QByteArray c = code.toLatin1();
    icu::UnicodeString nom;
    icu::Locale("und", c.constData()).getDisplayCountry(icu::Locale("fr"), nom);
    QString texte = depuisIcu(nom);
    if (texte.isEmpty() || texte == code)
        return {};
    // Capitals without accents, as La Poste prints the last line.
    texte = texte.normalized(QString::NormalizationForm_D);
    texte.removeIf([](QChar ch) { return ch.category() == QChar::Mark_NonSpacing; });
    return texte.toUpper();
}

QStringList Pays::lignesLocalite(const QString& code, const QString& codePostal, const QString& ville,
                                 const QString& region)
{
    const QString modele = formats().lignes.value(code, u"{cp} {ville}"_qs);
    QString regionDite = region;
    // Canada's and the United States' rules want the province's or state's code.
    if (const auto abrege = formats().regions.constFind(code + u':' + TableCodesPostaux::cle(region));
        abrege != formats().regions.cend())
        regionDite = *abrege;
    const QHash<QString, QString> parties{{u"cp"_qs, codePostal.trimmed()},
                                          {u"ville"_qs, ville.trimmed()},
                                          {u"region"_qs, regionDite.trimmed()}};
    QStringList lignes;
    for (const QString& l : modele.split(u'|')) {
        const QString remplie = remplit(l, parties);
        if (!remplie.trimmed().isEmpty())
            lignes << remplie.toUpper();
    }
    return lignes;
}
