#pragma once
// The order a French reader expects of address entries: accents and case do not split
// "Émile" from "Emile" nor "dupont" from "Dupont"; accents only break ties between
// otherwise equal texts. ICU is used directly rather than through QCollator because the
// list keeps a sort key per entry and QCollatorSortKey hides its bytes: packing them in
// one block, with their first bytes inline, is what lets a big file in any order open as
// fast as a sorted one.

#include <QStringView>
#include <cstdint>
#include <string_view>
#include <vector>

struct UCollator;

class CollationFrancaise {
public:
    CollationFrancaise();
    ~CollationFrancaise();
    CollationFrancaise(const CollationFrancaise&) = delete;
    CollationFrancaise& operator=(const CollationFrancaise&) = delete;

    // <0, 0 or >0 as a sorts before, with or after b.
    int compare(QStringView a, QStringView b) const;
    // The same order for texts in UTF-8.
    int compareUtf8(std::string_view a, std::string_view b) const;
    // Appends the sort key of `texte` to `octets`, its terminating zero included (no other
    // byte of a key is zero); returns its size. Keys compare byte by byte as their texts do.
    std::size_t ajouteCle(QStringView texte, std::vector<std::uint8_t>& octets) const;
    // The room ajouteCle asks for, in general, for the keys of `textes` texts of
    // `caracteres` characters in all.
    static std::size_t placePourCles(qsizetype caracteres, qsizetype textes)
    {
        return std::size_t(caracteres) * 2 + std::size_t(textes) * 16;
    }

private:
    UCollator* m_icu = nullptr;
};
