#pragma once
// France's list of postcodes: each code with the localities it serves, in the form La Poste
// routes by (the "libellé d'acheminement", "AIX EN PROVENCE") and the commune's own name
// ("Aix-en-Provence"), and the old communes merged into a commune nouvelle, which people
// still write. The program carries the official list in its resources
// (resources/codes-postaux.tsv, made by scripts/codes-postaux.sh).

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <span>
#include <vector>

class TableCodesPostaux {
public:
    struct Localite {
        QString codePostal;   // "13100"
        QString acheminement; // "AIX EN PROVENCE"
        QString commune;      // "Aix-en-Provence"
        // A commune déléguée or associée of `commune` ("Treffort"), or empty: La Poste asks
        // for its name on the line above "01370 VAL REVERMONT".
        QString ancienne;
    };

    // Reads the table's text: lines "code <TAB> acheminement <TAB> commune [<TAB> ancienne]"
    // sorted by code, '#' lines being comments. Nothing when a line is not of that form.
    static std::optional<TableCodesPostaux> lit(QByteArrayView texte);

    // The official list, read from the resources at its first use, once for the program.
    static const TableCodesPostaux& officielle();
    // Whether officielle() has been read already: the window reads it after its first paint.
    static bool officielleLue();

    qsizetype taille() const { return qsizetype(m_localites.size()); }
    // The localities of one postcode, in the table's order; empty for an unknown code.
    std::span<const Localite> duCode(QStringView codePostal) const;
    // Every locality whose routing form, commune name or old commune name folds to `cle`
    // (see cle()).
    QList<const Localite*> deCle(const QString& cle) const;
    // Which of its names `l` is called by in `cle`, if any.
    enum class Nom { Aucun, Acheminement, Commune, Ancienne };
    static Nom nomDe(const Localite& l, QStringView cle);

    // A name in La Poste's routing form: capitals without accents, punctuation and hyphens
    // as spaces, SAINT and SAINTE as ST and STE, at most 32 characters (the small words
    // dropped first, then the last words). scripts/codes-postaux.sh makes the table's
    // second column by the same rules.
    static QString formeAcheminement(QStringView nom);

    // How two spellings of a locality are compared: capitals without accents, hyphens and
    // apostrophes as spaces, "ST"/"STE" as "SAINT"/"SAINTE", single spaces, and an article
    // put at the end in brackets ("BAUX DE PROVENCE (LES)") put back in front.
    static QString cle(QStringView localite);
    static void plieDans(QStringView localite, QString& cle);
    // Whether `localite` folds to `cle`, without making a string of its own: the check of an
    // imported address book asks this of several localities per address.
    static bool aPourCle(QStringView localite, QStringView cle);

private:
    std::vector<Localite> m_localites;                  // by postcode
    std::vector<std::pair<size_t, qsizetype>> m_parCle; // (hash of a key, locality), sorted
};
