#include "addresses/codespostaux/TableCodesPostaux.h"

#include <QFile>
#include <QHashFunctions>

#include <algorithm>
#include <atomic>
#include <mutex>

namespace {
constexpr qsizetype kLongueurAcheminement = 32; // La Poste's limit for the locality

// One letter without its accent, in capitals; 0 for a character that separates words.
// Most of the table is ASCII, so the decomposition is looked up only for the rest.
void plie(QChar c, QString& sortie)
{
    const char16_t u = c.unicode();
    if (u < 0x80) {
        if ((u >= 'a' && u <= 'z'))
            sortie.append(QChar(u - 'a' + 'A'));
        else if ((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9'))
            sortie.append(c);
        else
            sortie.append(u' ');
        return;
    }
    switch (u) {
    case 0x0152: // Œ
    case 0x0153:
        sortie.append(u"OE");
        return;
    case 0x00C6: // Æ
    case 0x00E6:
        sortie.append(u"AE");
        return;
    case 0x00DF: // ß
        sortie.append(u"SS");
        return;
    }
    if (!c.isLetterOrNumber()) {
        sortie.append(u' '); // ’, no-break space, dashes
        return;
    }
    const QString decompose = c.decomposition();
    const QChar base = decompose.isEmpty() ? c : decompose.front();
    sortie.append(base.toUpper());
}
} // namespace

QString TableCodesPostaux::cle(QStringView localite)
{
    QString cle;
    plieDans(localite, cle);
    return cle;
}

namespace {
// "BAUX-DE-PROVENCE (LES)" as the tax office writes it: the article, and the name before it.
bool articleEnFin(QStringView localite, QStringView& article, QStringView& nom)
{
    const QStringView t = localite.trimmed();
    if (!t.endsWith(u')'))
        return false;
    const qsizetype ouvrante = t.lastIndexOf(u'(');
    if (ouvrante <= 0)
        return false;
    const QStringView a = t.sliced(ouvrante + 1, t.size() - ouvrante - 2).trimmed();
    for (QStringView connu : {u"LE", u"LA", u"LES", u"L"})
        if (a.compare(connu, Qt::CaseInsensitive) == 0) {
            article = a;
            nom = t.first(ouvrante);
            return true;
        }
    return false;
}
} // namespace

void TableCodesPostaux::plieDans(QStringView localite, QString& cle)
{
    QStringView article;
    QStringView nom;
    if (articleEnFin(localite, article, nom)) {
        QString devant;
        plieDans(nom, devant);
        plieDans(article, cle);
        cle += u' ' + devant;
        return;
    }
    // One pass: letters folded as they come, a word ended at each separator, where "ST"
    // and "STE" are spelt out.
    cle.clear();
    cle.reserve(localite.size() + 8);
    qsizetype debutMot = 0;
    auto finitMot = [&] {
        const QStringView mot = QStringView(cle).sliced(debutMot);
        if (mot == u"ST" || mot == u"STE")
            cle.insert(debutMot + 1, u"AIN"); // S-AIN-T, S-AIN-TE
    };
    for (QChar c : localite) {
        const qsizetype avant = cle.size();
        plie(c, cle);
        if (cle.size() == avant + 1 && cle.back() == u' ') {
            cle.chop(1);
            if (cle.size() > debutMot) {
                finitMot();
                cle.append(u' ');
                debutMot = cle.size();
            }
        }
    }
    if (cle.size() > debutMot)
        finitMot();
    else if (!cle.isEmpty())
        cle.chop(1); // the space after the last word
}

QString TableCodesPostaux::formeAcheminement(QStringView nom)
{
    constexpr qsizetype kLongueurMax = kLongueurAcheminement;
    QStringList mots = cle(nom).split(u' ', Qt::SkipEmptyParts);
    for (QString& mot : mots)
        if (mot == u"SAINT" || mot == u"SAINTE")
            mot.remove(1, 3);
    auto longueur = [&] { return mots.join(u' ').size(); };
    static const QStringList kPetits = {u"D"_qs,  u"DE"_qs,  u"DES"_qs, u"DU"_qs, u"L"_qs,  u"LA"_qs,
                                        u"LE"_qs, u"LES"_qs, u"ET"_qs,  u"EN"_qs, u"AU"_qs, u"AUX"_qs};
    for (qsizetype i = mots.size() - 1; longueur() > kLongueurMax && i > 0; --i)
        if (kPetits.contains(mots[i]))
            mots.removeAt(i);
    while (longueur() > kLongueurMax && mots.size() > 1)
        mots.removeLast();
    return mots.join(u' ').left(kLongueurMax);
}

bool TableCodesPostaux::aPourCle(QStringView localite, QStringView cle)
{
    thread_local QString pliee;
    plieDans(localite, pliee);
    return pliee == cle;
}

std::optional<TableCodesPostaux> TableCodesPostaux::lit(QByteArrayView texte)
{
    TableCodesPostaux table;
    table.m_localites.reserve(size_t(texte.count('\n')) + 1);
    qsizetype debut = 0;
    while (debut < texte.size()) {
        qsizetype fin = texte.indexOf('\n', debut);
        if (fin < 0)
            fin = texte.size();
        const QByteArrayView ligne = texte.sliced(debut, fin - debut);
        debut = fin + 1;
        if (ligne.isEmpty() || ligne.front() == '#')
            continue;
        const qsizetype tab1 = ligne.indexOf('\t');
        const qsizetype tab2 = tab1 < 0 ? -1 : ligne.indexOf('\t', tab1 + 1);
        if (tab1 != 5 || tab2 < 0 || tab2 == tab1 + 1 || tab2 + 1 >= ligne.size())
            return std::nullopt;
        qsizetype tab3 = ligne.indexOf('\t', tab2 + 1);
        if (tab3 == tab2 + 1 || tab3 + 1 == ligne.size())
            return std::nullopt;
        if (tab3 < 0)
            tab3 = ligne.size();
        Localite l{QString::fromLatin1(ligne.first(5)),
                   QString::fromUtf8(ligne.sliced(tab1 + 1, tab2 - tab1 - 1)),
                   QString::fromUtf8(ligne.sliced(tab2 + 1, tab3 - tab2 - 1)),
                   tab3 < ligne.size() ? QString::fromUtf8(ligne.sliced(tab3 + 1)) : QString()};
        if (!table.m_localites.empty() && table.m_localites.back().codePostal > l.codePostal)
            return std::nullopt;
        table.m_localites.push_back(std::move(l));
    }

    // The index holds the keys' hashes only: 70,000 key strings would cost more to make
    // than the whole table. A lookup confirms its candidates by their keys.
    table.m_parCle.reserve(2 * table.m_localites.size());
    QString cleAcheminement;
    QString cleCommune;
    QString cleAncienne;
    for (qsizetype i = 0; i < qsizetype(table.m_localites.size()); ++i) {
        const Localite& l = table.m_localites[size_t(i)];
        plieDans(l.acheminement, cleAcheminement);
        plieDans(l.commune, cleCommune);
        table.m_parCle.emplace_back(qHash(cleAcheminement), i);
        if (cleCommune != cleAcheminement)
            table.m_parCle.emplace_back(qHash(cleCommune), i);
        if (!l.ancienne.isEmpty()) {
            plieDans(l.ancienne, cleAncienne);
            table.m_parCle.emplace_back(qHash(cleAncienne), i);
            // La Poste's form of a long name is shortened: people copy it too.
            if (cleAncienne.size() > kLongueurAcheminement)
                table.m_parCle.emplace_back(qHash(cle(formeAcheminement(l.ancienne))), i);
        }
    }
    std::sort(table.m_parCle.begin(), table.m_parCle.end());
    return table;
}

namespace {
std::once_flag g_lue;
std::optional<TableCodesPostaux> g_officielle;
std::atomic<bool> g_officielleLue = false;
} // namespace

const TableCodesPostaux& TableCodesPostaux::officielle()
{
    std::call_once(g_lue, [] {
        QFile fichier(QStringLiteral(":/codes-postaux.tsv"));
        if (fichier.open(QIODevice::ReadOnly))
            g_officielle = lit(fichier.readAll());
        // A build without the resource checks nothing rather than flagging every address.
        if (!g_officielle)
            g_officielle.emplace();
        g_officielleLue = true;
    });
    return *g_officielle;
}

bool TableCodesPostaux::officielleLue()
{
    return g_officielleLue;
}

std::span<const TableCodesPostaux::Localite> TableCodesPostaux::duCode(QStringView codePostal) const
{
    const auto [premier, dernier] = std::equal_range(
        m_localites.begin(), m_localites.end(), codePostal, [](const auto& a, const auto& b) {
            if constexpr (std::is_same_v<std::decay_t<decltype(a)>, Localite>)
                return QStringView(a.codePostal) < b;
            else
                return a < QStringView(b.codePostal);
        });
    return {premier, dernier};
}

QList<const TableCodesPostaux::Localite*> TableCodesPostaux::deCle(const QString& cleLocalite) const
{
    QList<const Localite*> trouvees;
    const auto [premier, dernier] = std::equal_range(
        m_parCle.begin(), m_parCle.end(), std::pair<size_t, qsizetype>(qHash(cleLocalite), 0),
        [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto it = premier; it != dernier; ++it) {
        const Localite& l = m_localites[size_t(it->second)];
        if (nomDe(l, cleLocalite) != Nom::Aucun && !trouvees.contains(&l))
            trouvees.append(&l);
    }
    return trouvees;
}

TableCodesPostaux::Nom TableCodesPostaux::nomDe(const Localite& l, QStringView cle)
{
    if (aPourCle(l.acheminement, cle))
        return Nom::Acheminement;
    if (aPourCle(l.commune, cle))
        return Nom::Commune;
    if (!l.ancienne.isEmpty() &&
        (aPourCle(l.ancienne, cle) ||
         (l.ancienne.size() > kLongueurAcheminement && aPourCle(formeAcheminement(l.ancienne), cle))))
        return Nom::Ancienne;
    return Nom::Aucun;
}
