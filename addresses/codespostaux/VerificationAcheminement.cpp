#include "addresses/codespostaux/VerificationAcheminement.h"

#include "addresses/codespostaux/TableCodesPostaux.h"
#include "addresses/liste/EncodageAdresse.h"

#include <QStringList>

namespace {
using Localite = TableCodesPostaux::Localite;
using Etat = VerdictAcheminement::Etat;

constexpr qsizetype kCitesMax = 4; // localities or codes named in a message, then "…"

struct Ligne {
    QStringView texte; // without the blanks around it
    qsizetype index = -1;
};

QString enumere(const QStringList& elements)
{
    if (elements.size() <= kCitesMax)
        return elements.join(QStringLiteral(", "));
    return elements.first(kCitesMax).join(QStringLiteral(", ")) + QStringLiteral(", …");
}

template <typename Liste, typename Champ> QStringList distincts(const Liste& localites, Champ champ)
{
    QStringList valeurs;
    for (const auto& l : localites) {
        const QString& v = champ(l);
        if (!valeurs.contains(v))
            valeurs.append(v);
    }
    return valeurs;
}

QString ligneAEcrire(const Localite& l)
{
    return l.codePostal + u' ' + l.acheminement;
}

VerdictAcheminement verdict(Etat etat, qsizetype ligne, QString message, QString suggestion = {})
{
    return {etat, ligne, std::move(message), std::move(suggestion), {}};
}

// The département a code routes to: three digits overseas and in Monaco, two elsewhere
// (Corsica's 20 included).
QStringView departement(QStringView code)
{
    return code.first(code.startsWith(u"97") || code.startsWith(u"98") ? 3 : 2);
}

// Of several localities that fold alike, the one named by its routing form first, then in
// the code's département: the commune "Aix-en-Provence" is also delivered as "LUYNES",
// and "TREFFORT" is an old commune of the Ain as well as a commune of the Isère.
const Localite* meilleure(const QList<const Localite*>& candidates, const QString& cle,
                          QStringView departementCode = {})
{
    const Localite* choisie = nullptr;
    int rangChoisi = -1;
    for (const Localite* l : candidates) {
        const TableCodesPostaux::Nom nom = TableCodesPostaux::nomDe(*l, cle);
        const int rang = (departement(l->codePostal) == departementCode ? 4 : 0) +
                         (nom == TableCodesPostaux::Nom::Acheminement ? 2
                          : nom == TableCodesPostaux::Nom::Commune    ? 1
                                                                      : 0);
        if (rang > rangChoisi) {
            choisie = l;
            rangChoisi = rang;
        }
    }
    return choisie;
}

// The localities La Poste routes CEDEX mail to that are no commune's name.
struct LocaliteCedex {
    QStringView acheminement;
    QStringView departement;
};
constexpr LocaliteCedex kLocalitesCedex[] = {
    {u"PARIS LA DEFENSE", u"92"},         {u"MARNE LA VALLEE", u"77"},        {u"CERGY PONTOISE", u"95"},
    {u"ROISSY CHARLES DE GAULLE", u"95"}, {u"ST QUENTIN EN YVELINES", u"78"}, {u"SOPHIA ANTIPOLIS", u"06"},
};

// A right locality, in whatever spelling: no fault; the routing form offered if it differs.
VerdictAcheminement juste(const Localite& l, const QString& cle, QStringView texte, qsizetype index,
                          QStringView cedex = {})
{
    // A CEDEX line keeps its own code, which no public list holds.
    const QString attendue =
        cedex.isEmpty() ? ligneAEcrire(l)
                        : texte.first(5).toString() + u' ' + l.acheminement + u' ' + cedex.toString();
    if (TableCodesPostaux::nomDe(l, cle) == TableCodesPostaux::Nom::Ancienne) {
        VerdictAcheminement v = verdict(Etat::AncienneCommune, index, {}, attendue);
        v.ligneAuDessus = TableCodesPostaux::formeAcheminement(l.ancienne);
        return v;
    }
    if (texte == attendue)
        return verdict(Etat::Correcte, index, {});
    return verdict(Etat::FormeAcheminement, index, {}, attendue);
}

VerdictAcheminement verifieCedex(QStringView code, const QString& cleLocalite, QStringView cedex,
                                 QStringView texte, qsizetype index, const TableCodesPostaux& table)
{
    const QStringView dep = departement(code);
    const QList<const Localite*> candidates = table.deCle(cleLocalite);
    if (const Localite* l = meilleure(candidates, cleLocalite, dep); l && departement(l->codePostal) == dep)
        return juste(*l, cleLocalite, texte, index, cedex);
    for (const LocaliteCedex& speciale : kLocalitesCedex)
        if (TableCodesPostaux::aPourCle(speciale.acheminement, cleLocalite)) {
            if (speciale.departement != dep)
                break;
            const QString attendue =
                code.toString() + u' ' + speciale.acheminement.toString() + u' ' + cedex.toString();
            return verdict(texte == attendue ? Etat::Correcte : Etat::FormeAcheminement, index, {},
                           texte == attendue ? QString() : attendue);
        }
    // A CEDEX code belongs to one firm or service and is in no public list: only its
    // département can be told wrong, and no other code can be proposed in its place.
    QStringList departements;
    for (const Localite* l : candidates)
        if (!departements.contains(departement(l->codePostal)))
            departements.append(departement(l->codePostal).toString());
    for (const LocaliteCedex& speciale : kLocalitesCedex)
        if (TableCodesPostaux::aPourCle(speciale.acheminement, cleLocalite))
            departements.append(speciale.departement.toString());
    if (departements.isEmpty())
        return verdict(Etat::LocaliteAbsente, index, QStringLiteral("localité %1 inconnue").arg(cleLocalite));
    return verdict(Etat::LocaliteAbsente, index,
                   QStringLiteral("le code %1 n'est pas du département de %2 (%3)")
                       .arg(code, cleLocalite, enumere(departements)));
}
} // namespace

VerdictAcheminement verifieAcheminement(QStringView texteAdresse, const TableCodesPostaux& table)
{
    if (table.taille() == 0)
        return {};

    // The two last lines that hold something.
    Ligne avant;
    Ligne derniere;
    qsizetype index = 0;
    for (qsizetype debut = 0; debut <= texteAdresse.size(); ++index) {
        qsizetype fin = texteAdresse.indexOf(u'\n', debut);
        if (fin < 0)
            fin = texteAdresse.size();
        const QStringView ligne = texteAdresse.sliced(debut, fin - debut).trimmed();
        if (!ligne.isEmpty()) {
            avant = derniere;
            derniere = {ligne, index};
        }
        debut = fin + 1;
    }
    // A country line France's post routes as its own: France itself, and Monaco.
    const bool pays =
        TableCodesPostaux::aPourCle(derniere.texte, u"FRANCE") ||
        (TableCodesPostaux::aPourCle(derniere.texte, u"MONACO") && avant.texte.startsWith(u"980"));
    const Ligne locale = pays ? avant : derniere;
    const QStringView texte = locale.texte;

    // "NNNNN LOCALITÉ": anything else (a foreign line, a street) is not ours to judge.
    if (texte.size() < 7)
        return {};
    for (qsizetype i = 0; i < 5; ++i)
        if (!(texte[i] >= u'0' && texte[i] <= u'9'))
            return {};
    if (!texte[5].isSpace())
        return {};
    const QStringView code = texte.first(5);
    const QString cleEcrite = TableCodesPostaux::cle(texte.sliced(6));
    if (cleEcrite.isEmpty())
        return {};

    static const QString kCedex = QStringLiteral("CEDEX");
    const qsizetype posCedex = cleEcrite == kCedex ? 0 : cleEcrite.indexOf(QStringLiteral(" CEDEX"));
    if (posCedex >= 0) {
        const QStringView apres = QStringView(cleEcrite).sliced(posCedex).trimmed();
        const bool finCedex = apres == kCedex || (apres.size() > 6 && apres[5] == u' ' &&
                                                  std::all_of(apres.begin() + 6, apres.end(),
                                                              [](QChar c) { return c.isDigit(); }));
        if (finCedex)
            return verifieCedex(code, cleEcrite.first(posCedex), apres, texte, locale.index, table);
    }

    const std::span<const Localite> duCode = table.duCode(code);
    const QStringView dep = departement(code);
    QList<const Localite*> ailleurs = table.deCle(cleEcrite);
    // A namesake in the code's own département before any other.
    if (std::any_of(ailleurs.cbegin(), ailleurs.cend(),
                    [&](const Localite* l) { return departement(l->codePostal) == dep; }))
        ailleurs.removeIf([&](const Localite* l) { return departement(l->codePostal) != dep; });
    const QStringList codesAilleurs =
        distincts(ailleurs, [](const Localite* l) -> const QString& { return l->codePostal; });

    // Where else the locality is served: named in the message, and the line to write when
    // it is one code only.
    auto citeAilleurs = [&](QString& message, QString& suggestion) {
        if (ailleurs.isEmpty())
            return false;
        const Localite* l = meilleure(ailleurs, cleEcrite, dep);
        message += QStringLiteral(" ; %1 : %2").arg(l->acheminement, enumere(codesAilleurs));
        if (codesAilleurs.size() == 1)
            suggestion = ligneAEcrire(*l);
        return true;
    };

    if (duCode.empty()) {
        QString message = QStringLiteral("Code postal %1 inconnu").arg(code);
        QString suggestion;
        citeAilleurs(message, suggestion);
        return verdict(Etat::CodeInconnu, locale.index, message, suggestion);
    }

    QList<const Localite*> ici;
    for (const Localite& l : duCode)
        if (TableCodesPostaux::nomDe(l, cleEcrite) != TableCodesPostaux::Nom::Aucun)
            ici.append(&l);
    if (const Localite* l = meilleure(ici, cleEcrite, dep))
        return juste(*l, cleEcrite, texte, locale.index);

    QStringList servies =
        distincts(duCode, [](const Localite& l) -> const QString& { return l.acheminement; });
    QString message = QStringLiteral("%1 : %2").arg(code, enumere(servies));
    QString suggestion;
    if (!citeAilleurs(message, suggestion) && servies.size() == 1)
        suggestion = ligneAEcrire(duCode.front());
    return verdict(Etat::LocaliteAbsente, locale.index,
                   QStringLiteral("%1 ne dessert pas %2 (%3)")
                       .arg(code, texte.sliced(6).trimmed().toString().toUpper(), message),
                   suggestion);
}

QList<AdresseAReprendre> adressesAReprendre(const QStringList& entrees, const TableCodesPostaux& table)
{
    QList<AdresseAReprendre> aReprendre;
    for (qsizetype i = 0; i < entrees.size(); ++i) {
        const QString texte = EnForme(entrees[i]);
        VerdictAcheminement v = verifieAcheminement(texte, table);
        if (!v.aSignaler())
            continue;
        const qsizetype fin = texte.indexOf(u'\r');
        const QStringView premiere = (fin < 0 ? QStringView(texte) : QStringView(texte).first(fin)).trimmed();
        aReprendre.append({i, premiere.toString(), std::move(v.message)});
    }
    return aReprendre;
}

QString resumeAReprendre(const QList<AdresseAReprendre>& aReprendre, const QString& finLigne)
{
    constexpr qsizetype kMontrees = 10; // a report box, not the list itself
    if (aReprendre.isEmpty())
        return {};
    QStringList lignes;
    lignes << (aReprendre.size() == 1
                   ? QStringLiteral("1 adresse a une dernière ligne à revoir :")
                   : QStringLiteral("%1 adresses ont une dernière ligne à revoir :").arg(aReprendre.size()));
    for (qsizetype i = 0; i < std::min(kMontrees, aReprendre.size()); ++i)
        lignes << QStringLiteral("\u2022 %1 : %2").arg(aReprendre[i].premiereLigne, aReprendre[i].message);
    if (aReprendre.size() > kMontrees)
        lignes << QStringLiteral("\u2022 %1").arg(QChar(0x2026));
    return lignes.join(finLigne);
}
