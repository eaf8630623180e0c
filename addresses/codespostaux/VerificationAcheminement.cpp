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

QString ligneAEcrire(const Localite& l, QStringView cedex = {})
{
    QString ligne = l.codePostal + u' ' + l.acheminement;
    if (!cedex.isEmpty())
        ligne += u' ' + cedex.toString();
    return ligne;
}

VerdictAcheminement verdict(Etat etat, qsizetype ligne, QString message, QString suggestion = {})
{
    return {etat, ligne, std::move(message), std::move(suggestion)};
}

// Of several localities that fold alike, the one named by its routing form first: the
// commune "Aix-en-Provence" is also delivered as "LUYNES", which is no spelling of it.
const Localite* meilleure(const QList<const Localite*>& candidates, const QString& cle,
                          QStringView departement = {})
{
    const Localite* choisie = nullptr;
    int rangChoisi = -1;
    for (const Localite* l : candidates) {
        const int rang = (TableCodesPostaux::aPourCle(l->acheminement, cle) ? 2 : 0) +
                         (!departement.isEmpty() && l->codePostal.startsWith(departement) ? 1 : 0);
        if (rang > rangChoisi) {
            choisie = l;
            rangChoisi = rang;
        }
    }
    return choisie;
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
    const Ligne locale = TableCodesPostaux::aPourCle(derniere.texte, u"FRANCE") ? avant : derniere;
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

    // A CEDEX code belongs to one firm or service and is in no public list: the locality
    // alone is checked.
    static const QString kCedex = QStringLiteral("CEDEX");
    const qsizetype posCedex = cleEcrite == kCedex ? 0 : cleEcrite.indexOf(QStringLiteral(" CEDEX"));
    if (posCedex >= 0) {
        const QStringView apres = QStringView(cleEcrite).sliced(posCedex).trimmed();
        const bool finCedex = apres == kCedex || (apres.size() > 6 && apres[5] == u' ' &&
                                                  std::all_of(apres.begin() + 6, apres.end(),
                                                              [](QChar c) { return c.isDigit(); }));
        if (finCedex) {
            const QString cleLocalite = cleEcrite.first(posCedex);
            const Localite* l = meilleure(table.deCle(cleLocalite), cleLocalite, code.first(2));
            if (!l)
                return verdict(Etat::LocaliteAbsente, locale.index,
                               QStringLiteral("localité %1 inconnue").arg(cleLocalite));
            const QString attendue = code.toString() + u' ' + l->acheminement + u' ' + apres.toString();
            if (texte == attendue)
                return verdict(Etat::Correcte, locale.index, {});
            return verdict(Etat::FormeAcheminement, locale.index,
                           QStringLiteral("écrire «\u00A0%1\u00A0»").arg(attendue), attendue);
        }
    }

    const std::span<const Localite> duCode = table.duCode(code);
    const QList<const Localite*> ailleurs = table.deCle(cleEcrite);
    const QStringList codesAilleurs =
        distincts(ailleurs, [](const Localite* l) -> const QString& { return l->codePostal; });

    // Where else the locality is served: named in the message, and the line to write when
    // it is one code only.
    auto citeAilleurs = [&](QString& message, QString& suggestion) {
        if (ailleurs.isEmpty())
            return false;
        const Localite* l = meilleure(ailleurs, cleEcrite, code.first(2));
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
        if (TableCodesPostaux::aPourCle(l.acheminement, cleEcrite) ||
            TableCodesPostaux::aPourCle(l.commune, cleEcrite))
            ici.append(&l);
    if (const Localite* l = meilleure(ici, cleEcrite)) {
        const QString attendue = ligneAEcrire(*l);
        if (texte == attendue)
            return verdict(Etat::Correcte, locale.index, {});
        return verdict(Etat::FormeAcheminement, locale.index,
                       QStringLiteral("écrire «\u00A0%1\u00A0»").arg(attendue), attendue);
    }

    const QStringList servies =
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
