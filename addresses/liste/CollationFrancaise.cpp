#include "addresses/liste/CollationFrancaise.h"

#include <QtGlobal>
#include <unicode/ucol.h>

namespace {
UCollator* ouvre(const char* locale)
{
    UErrorCode etat = U_ZERO_ERROR;
    UCollator* icu = ucol_open(locale, &etat);
    if (U_FAILURE(etat)) {
        ucol_close(icu);
        return nullptr;
    }
    // Secondary strength: case apart; normalisation so that a decomposed "é" is an "é".
    ucol_setAttribute(icu, UCOL_STRENGTH, UCOL_SECONDARY, &etat);
    ucol_setAttribute(icu, UCOL_NORMALIZATION_MODE, UCOL_ON, &etat);
    ucol_setAttribute(icu, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &etat);
    return icu;
}

const UChar* enUChar(QStringView texte)
{
    return reinterpret_cast<const UChar*>(texte.utf16());
}
} // namespace

CollationFrancaise::CollationFrancaise()
{
    // ICU's data is part of its library, so French is always there; the root order is the
    // fallback of a broken installation, still case- and accent-blind. Without either the
    // system's ICU is unusable, and Qt's own text handling with it.
    m_icu = ouvre("fr_FR");
    if (!m_icu)
        m_icu = ouvre("");
    if (!m_icu)
        qFatal("ICU ne fournit aucun ordre de tri");
}

CollationFrancaise::~CollationFrancaise()
{
    ucol_close(m_icu);
}

int CollationFrancaise::compare(QStringView a, QStringView b) const
{
    return ucol_strcoll(m_icu, enUChar(a), int32_t(a.size()), enUChar(b), int32_t(b.size()));
}

int CollationFrancaise::compareUtf8(std::string_view a, std::string_view b) const
{
    UErrorCode etat = U_ZERO_ERROR;
    // Bytes that are no UTF-8 compare as replacement characters; a packed text is always UTF-8.
    return ucol_strcollUTF8(m_icu, a.data(), int32_t(a.size()), b.data(), int32_t(b.size()), &etat);
}

std::size_t CollationFrancaise::ajouteCle(QStringView texte, std::vector<std::uint8_t>& octets) const
{
    const std::size_t debut = octets.size();
    // A key is seldom longer than twice its text: one call in general, two at worst.
    std::size_t place = placePourCles(texte.size(), 1);
    for (;;) {
        octets.resize(debut + place);
        const int32_t taille = ucol_getSortKey(m_icu, enUChar(texte), int32_t(texte.size()),
                                               octets.data() + debut, int32_t(place));
        if (std::size_t(taille) <= place) {
            octets.resize(debut + std::size_t(taille));
            return std::size_t(taille);
        }
        place = std::size_t(taille);
    }
}
