#pragma once
// Compares printed pages: the same words at the same places (or all moved by the same
// distance), read back with Poppler, and the same ink, rendered at ten pixels a
// millimetre, each inked point of one having ink within a pixel of it in the other.

#include "tests/print/LecturePdf.h"

#include <QPoint>
#include <QPointF>
#include <QString>
#include <vector>

namespace pdf {

inline constexpr double kDixiemes = 254;  // dpi: one pixel is a tenth of a millimetre

// Empty when every word of page pb of b stands where page pa of a has it, moved by
// `decalage` mm, within `tolerance` mm; otherwise what differs.
inline QString ecartMots(Poppler::Document& a, int pa, Poppler::Document& b, int pb, QPointF decalage,
                         double tolerance)
{
    const QList<Mot> ma = mots(a, pa);
    const QList<Mot> mb = mots(b, pb);
    if (ma.size() != mb.size())
        return QStringLiteral("%1 mots contre %2").arg(ma.size()).arg(mb.size());
    for (qsizetype i = 0; i < ma.size(); ++i) {
        const QRectF& ra = ma[i].mm;
        const QRectF& rb = mb[i].mm;
        const bool ici = qAbs(rb.left() - ra.left() - decalage.x()) <= tolerance &&
                         qAbs(rb.top() - ra.top() - decalage.y()) <= tolerance &&
                         qAbs(rb.width() - ra.width()) <= tolerance && qAbs(rb.height() - ra.height()) <= tolerance;
        if (ma[i].texte != mb[i].texte || !ici)
            return QStringLiteral("« %1 » à (%2, %3) mm, « %4 » à (%5, %6) mm")
                .arg(ma[i].texte)
                .arg(ra.left())
                .arg(ra.top())
                .arg(mb[i].texte)
                .arg(rb.left())
                .arg(rb.top());
    }
    return {};
}

struct Encre {
    int pixels = 0;    // inked in either
    int seuls = 0;     // inked in one with no ink near the matching place in the other
    QString texte() const { return QStringLiteral("%1 pixels isolés sur %2").arg(seuls).arg(pixels); }
};

namespace detail {
struct Masque {
    int largeur = 0, hauteur = 0;
    std::vector<unsigned char> encre;
    explicit Masque(const QImage& image) : largeur(image.width()), hauteur(image.height())
    {
        const QImage gris = image.convertToFormat(QImage::Format_Grayscale8);
        encre.resize(std::size_t(largeur) * std::size_t(hauteur));
        for (int y = 0; y < hauteur; ++y) {
            const uchar* ligne = gris.constScanLine(y);
            for (int x = 0; x < largeur; ++x)
                encre[std::size_t(y) * std::size_t(largeur) + std::size_t(x)] = ligne[x] < 128;
        }
    }
    bool a(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < largeur && y < hauteur &&
               encre[std::size_t(y) * std::size_t(largeur) + std::size_t(x)];
    }
    bool pres(int x, int y, int rayon) const
    {
        for (int dy = -rayon; dy <= rayon; ++dy)
            for (int dx = -rayon; dx <= rayon; ++dx)
                if (a(x + dx, y + dy))
                    return true;
        return false;
    }
};
}  // namespace detail

// The ink of b against the ink of a moved by whole pixels (x right, y down).
inline Encre compareEncre(const QImage& a, const QImage& b, QPoint decalage = {}, int rayon = 1)
{
    const detail::Masque ma(a), mb(b);
    Encre e;
    for (int y = 0; y < ma.hauteur; ++y)
        for (int x = 0; x < ma.largeur; ++x)
            if (ma.a(x, y)) {
                ++e.pixels;
                e.seuls += !mb.pres(x + decalage.x(), y + decalage.y(), rayon);
            }
    for (int y = 0; y < mb.hauteur; ++y)
        for (int x = 0; x < mb.largeur; ++x)
            if (mb.a(x, y)) {
                ++e.pixels;
                e.seuls += !ma.pres(x - decalage.x(), y - decalage.y(), rayon);
            }
    return e;
}

}  // namespace pdf
