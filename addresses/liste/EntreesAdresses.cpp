#include "addresses/liste/EntreesAdresses.h"

#include "addresses/liste/CollationFrancaise.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <string_view>

QString EntreesAdresses::operator[](qsizetype i) const
{
    if (!m_liste.isEmpty())
        return m_liste.at(i);
    const Tranche& t = m_tranches[std::size_t(i)];
    // QString::fromUtf8 would drop a byte-order mark that begins an entry.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return utf8(QByteArrayView(m_utf8).sliced(t.debut, t.taille));
}

QStringList EntreesAdresses::liste() const
{
    if (!m_liste.isEmpty() || m_tranches.empty())
        return m_liste;
    QStringList liste;
    liste.reserve(nombre());
    for (qsizetype i = 0; i < nombre(); ++i)
        liste.append((*this)[i]);
    return liste;
}

void EntreesAdresses::reserve(qsizetype octets, qsizetype entrees)
{
    if (!m_liste.isEmpty())
        return;
    m_utf8.reserve(octets);
    m_tranches.reserve(std::size_t(entrees));
}

void EntreesAdresses::ajoute(QStringView entree)
{
    if (!m_liste.isEmpty()) {
        m_liste.append(entree.toString());
        return;
    }
    const qsizetype debut = m_utf8.size();
    QStringEncoder utf8(QStringConverter::Utf8);
    const qsizetype pire = utf8.requiredSpace(entree.size());
    if (m_utf8.capacity() - debut >= pire) {
        // Encoded in place, within the reserve: no string made and freed for each entry.
        m_utf8.resize(debut + pire);
        const char* fin = utf8.appendToBuffer(m_utf8.data() + debut, entree);
        m_utf8.truncate(fin - m_utf8.constData());
    } else {
        m_utf8.append(entree.toUtf8());
    }
    m_tranches.push_back({debut, m_utf8.size() - debut});
}

void EntreesAdresses::ajuste()
{
    m_utf8.squeeze();
    m_tranches.shrink_to_fit();
}

void EntreesAdresses::vide()
{
    m_liste.clear();
    m_utf8.clear();
    m_tranches.clear();
}

void EntreesAdresses::trieEnOrdre()
{
    const CollationFrancaise collation;
    if (!m_liste.isEmpty()) {
        std::stable_sort(m_liste.begin(), m_liste.end(),
                         [&](const QString& a, const QString& b) { return collation.compare(a, b) < 0; });
        return;
    }
    const auto texte = [this](const Tranche& t) {
        return std::string_view(m_utf8.constData() + t.debut, std::size_t(t.taille));
    };
    std::stable_sort(m_tranches.begin(), m_tranches.end(), [&](const Tranche& a, const Tranche& b) {
        return collation.compareUtf8(texte(a), texte(b)) < 0;
    });
}
