#include "addresses/liste/ClesDeTri.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kTete = sizeof(std::uint64_t);
// Below this the block is not worth packing: a few edits of a small list.
constexpr std::size_t kCompacteAuDela = 1 << 16;
// Below this a run's keys are read in the run's order: they stay in the cache.
constexpr std::size_t kEnOrdreDesCles = 1 << 14;
} // namespace

ClesDeTri::Cle ClesDeTri::cle(QStringView texte)
{
    const std::size_t debut = m_octets.size();
    const std::size_t taille = m_collation.ajouteCle(texte, m_octets);
    Cle cle;
    const std::size_t enTete = std::min(taille, kTete);
    for (std::size_t i = 0; i < kTete; ++i)
        cle.tete = cle.tete << 8 | (i < enTete ? m_octets[debut + i] : 0);
    // A key ends with its only zero byte, so one that fits in its head is padded with
    // zeros the way no longer key can be: heads alone order them.
    std::memmove(m_octets.data() + debut, m_octets.data() + debut + enTete, taille - enTete);
    m_octets.resize(debut + taille - enTete);
    cle.debut = debut;
    cle.reste = std::uint32_t(taille - enTete);
    return cle;
}

void ClesDeTri::reservePour(qsizetype caracteres, qsizetype textes)
{
    // What the collation asks for at most, a key at a time: the pages it does not use are
    // never touched.
    m_octets.reserve(m_octets.size() + CollationFrancaise::placePourCles(caracteres, textes));
}

bool ClesDeTri::avant(const Cle& a, const Cle& b) const
{
    if (a.tete != b.tete)
        return a.tete < b.tete;
    const std::uint32_t commun = std::min(a.reste, b.reste);
    const int c = commun ? std::memcmp(m_octets.data() + a.debut, m_octets.data() + b.debut, commun) : 0;
    return c < 0 || (c == 0 && a.reste < b.reste);
}

std::uint64_t ClesDeTri::morceau(const Cle& cle, std::size_t k) const
{
    if (k == 0)
        return cle.tete;
    const std::size_t debut = (k - 1) * kTete;
    std::uint64_t m = 0;
    for (std::size_t i = debut; i < debut + kTete; ++i)
        m = m << 8 | (i < cle.reste ? m_octets[cle.debut + i] : 0);
    return m;
}

QList<qsizetype> ClesDeTri::ordre(const QList<Cle>& cles) const
{
    // Eight bytes at a time: everything is sorted by its head, then each run of equal heads
    // by the next eight bytes, and so on. Addresses often share long beginnings ("M. et Mme
    // Martin"), and comparing whole keys would read their scattered bytes at every step of
    // the sort; here each key's bytes are read once per depth its run reaches.
    struct Place {
        std::uint64_t morceau;
        qsizetype position;
    };
    std::vector<Place> places(std::size_t(cles.size()));
    for (qsizetype i = 0; i < cles.size(); ++i)
        places[std::size_t(i)] = {cles.at(i).tete, i};
    struct Tranche {
        std::size_t debut, fin, profondeur;
    };
    std::vector<Tranche> aTrier{{0, places.size(), 0}};
    std::vector<std::uint64_t> parPosition;
    while (!aTrier.empty()) {
        const Tranche t = aTrier.back();
        aTrier.pop_back();
        const auto debut = places.begin() + std::ptrdiff_t(t.debut);
        const auto fin = places.begin() + std::ptrdiff_t(t.fin);
        if (t.profondeur > 0 && t.fin - t.debut >= kEnOrdreDesCles && t.fin - t.debut >= places.size() / 4) {
            // A run of most keys (a common beginning): their bytes are read in the order
            // they are stored, not in the run's, which once the file was out of order would
            // be a cache miss for each key.
            parPosition.resize(places.size());
            for (qsizetype i = 0; i < cles.size(); ++i)
                parPosition[std::size_t(i)] = morceau(cles.at(i), t.profondeur);
            for (auto p = debut; p != fin; ++p)
                p->morceau = parPosition[std::size_t(p->position)];
        } else if (t.profondeur > 0) {
            for (auto p = debut; p != fin; ++p)
                p->morceau = morceau(cles.at(p->position), t.profondeur);
        }
        // Stable at every depth: equal keys end in the order given.
        std::stable_sort(debut, fin, [](const Place& a, const Place& b) { return a.morceau < b.morceau; });
        for (auto a = debut; a != fin;) {
            auto b = a + 1;
            while (b != fin && b->morceau == a->morceau)
                ++b;
            // A key's only zero byte is its end: eight bytes with a zero among them end
            // the keys that share them, which are then equal.
            bool continuent = b - a > 1;
            for (std::uint64_t m = a->morceau, i = 0; continuent && i < kTete; ++i, m >>= 8)
                continuent = (m & 0xff) != 0;
            if (continuent)
                aTrier.push_back(
                    {std::size_t(a - places.begin()), std::size_t(b - places.begin()), t.profondeur + 1});
            a = b;
        }
    }
    QList<qsizetype> ordre;
    ordre.reserve(cles.size());
    for (const Place& p : places)
        ordre.append(p.position);
    return ordre;
}

void ClesDeTri::compacteSiUtile(QList<Cle>& enUsage)
{
    if (m_octetsOublies < kCompacteAuDela || m_octetsOublies * 2 < m_octets.size())
        return;
    std::vector<std::uint8_t> octets;
    octets.reserve(m_octets.size() - m_octetsOublies);
    for (Cle& cle : enUsage) {
        const auto source = m_octets.begin() + std::ptrdiff_t(cle.debut);
        cle.debut = octets.size();
        octets.insert(octets.end(), source, source + cle.reste);
    }
    m_octets = std::move(octets);
    m_octetsOublies = 0;
}

void ClesDeTri::vide()
{
    m_octets = {};
    m_octetsOublies = 0;
}
