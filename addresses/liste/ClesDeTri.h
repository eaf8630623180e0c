#pragma once
// The sort keys of the address list's entries, computed once per entry. Each key keeps its
// first bytes inline and the rest in one shared block, so that sorting a big file in any
// order mostly compares integers side by side in memory, and a hundred thousand keys are
// neither a hundred thousand allocations nor as many scattered frees.

#include "addresses/liste/CollationFrancaise.h"

#include <QList>
#include <QStringView>
#include <cstdint>
#include <vector>

class ClesDeTri {
public:
    struct Cle {
        std::uint64_t tete = 0; // the key's first 8 bytes, the first one highest
        std::size_t debut = 0;  // where the rest is in the shared block
        std::uint32_t reste = 0;
    };

    // The key of this text, its bytes kept here until forgotten.
    Cle cle(QStringView texte);
    // Room for the keys of these many characters more, so that a big file's keys are not
    // copied as the block grows.
    void reservePour(qsizetype caracteres, qsizetype textes);
    // Whether a sorts strictly before b.
    bool avant(const Cle& a, const Cle& b) const;
    // The positions of these keys in sorted order, equal keys in the order given.
    QList<qsizetype> ordre(const QList<Cle>& cles) const;
    // The key's bytes are no longer needed. Once more are forgotten than kept, the block is
    // packed again with the keys in use, which are all in `enUsage` (their places updated).
    void oublie(const Cle& cle) { m_octetsOublies += cle.reste; }
    void compacteSiUtile(QList<Cle>& enUsage);
    void vide();

    const CollationFrancaise& collation() const { return m_collation; }

private:
    // The key's k-th 8 bytes as a number, zeros past its end; the 0th is its head.
    std::uint64_t morceau(const Cle& cle, std::size_t k) const;

    CollationFrancaise m_collation;
    std::vector<std::uint8_t> m_octets;
    std::size_t m_octetsOublies = 0;
};
