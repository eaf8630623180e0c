#pragma once
// Reads a printed PDF back with Poppler: where each word stands in millimetres from the
// sheet's top left corner, whether ink lies at a point, and how the ink of two printings
// differs.

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QtTest>
#include <memory>
#include <poppler-qt6.h>

#define QCOMPARE_MM(actual, expected)                                                                        \
    QVERIFY2(qAbs((actual) - (expected)) <= 0.1,                                                             \
             qPrintable(QStringLiteral("%1 mm, expected %2 mm").arg(actual).arg(expected)))

namespace pdf {

inline constexpr double kMmParPoint = 25.4 / 72.0;
inline constexpr double kDixiemes = 254; // dpi: one pixel is a tenth of a millimetre

struct Mot {
    QString texte;
    QRectF mm; // left at the text's origin, top at its ascent, from the sheet's corner
};

inline std::unique_ptr<Poppler::Document> ouvre(const QString& chemin)
{
    // Poppler's complaints about fonts that a print queue rewrote are no test's business.
    Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
    auto document = Poppler::Document::load(chemin);
    if (document)
        document->setRenderHint(Poppler::Document::Antialiasing, false);
    return document;
}

inline QSizeF tailleMm(Poppler::Document& document, int page)
{
    return document.page(page)->pageSizeF() * kMmParPoint;
}

inline QList<Mot> mots(Poppler::Document& document, int page)
{
    QList<Mot> result;
    for (const auto& boite : document.page(page)->textList()) {
        const QRectF r = boite->boundingBox();
        result.append({boite->text(), QRectF(r.topLeft() * kMmParPoint, r.size() * kMmParPoint)});
    }
    return result;
}

inline std::optional<Mot> mot(Poppler::Document& document, int page, const QString& texte)
{
    for (const Mot& m : mots(document, page))
        if (m.texte == texte)
            return m;
    return std::nullopt;
}

inline QImage rendu(Poppler::Document& document, int page, double dpi = kDixiemes)
{
    return document.page(page)->renderToImage(dpi, dpi);
}

// Some ink within a quarter of a millimetre of the point.
inline bool encre(const QImage& image, double dpi, double xMm, double yMm)
{
    const int rayon = qMax(1, qRound(0.25 * dpi / 25.4));
    const int cx = qRound(xMm * dpi / 25.4);
    const int cy = qRound(yMm * dpi / 25.4);
    for (int y = cy - rayon; y <= cy + rayon; ++y)
        for (int x = cx - rayon; x <= cx + rayon; ++x)
            if (image.valid(x, y) && qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

// The ink's bounds on a page, in millimetres from its top left corner.
inline QRectF encreMm(const QImage& page, double dpi)
{
    const QImage gris = page.convertToFormat(QImage::Format_Grayscale8);
    int gauche = gris.width(), haut = gris.height(), droite = -1, bas = -1;
    for (int y = 0; y < gris.height(); ++y) {
        const uchar* ligne = gris.constScanLine(y);
        for (int x = 0; x < gris.width(); ++x)
            if (ligne[x] < 128) {
                gauche = std::min(gauche, x);
                droite = std::max(droite, x);
                haut = std::min(haut, y);
                bas = std::max(bas, y);
            }
    }
    const double mm = 25.4 / dpi;
    return droite < 0 ? QRectF()
                      : QRectF(gauche * mm, haut * mm, (droite - gauche + 1) * mm, (bas - haut + 1) * mm);
}

struct Encre {
    int pixels = 0; // inked in either
    int seuls = 0;  // inked in one with no ink near the matching place in the other
    QString texte() const { return QStringLiteral("%1 pixels isolés sur %2").arg(seuls).arg(pixels); }
};

// The ink of b against the ink of a, each inked pixel looked for within `rayon` pixels in
// the other.
inline Encre compareEncre(const QImage& a, const QImage& b, int rayon = 1)
{
    const QImage ga = a.convertToFormat(QImage::Format_Grayscale8);
    const QImage gb = b.convertToFormat(QImage::Format_Grayscale8);
    const auto encre = [](const QImage& g, int x, int y) {
        return g.valid(x, y) && g.constScanLine(y)[x] < 128;
    };
    Encre e;
    const auto compte = [&](const QImage& de, const QImage& vers) {
        for (int y = 0; y < de.height(); ++y)
            for (int x = 0; x < de.width(); ++x) {
                if (!encre(de, x, y))
                    continue;
                ++e.pixels;
                bool pres = false;
                for (int dy = -rayon; dy <= rayon && !pres; ++dy)
                    for (int dx = -rayon; dx <= rayon && !pres; ++dx)
                        pres = encre(vers, x + dx, y + dy);
                e.seuls += !pres;
            }
    };
    compte(ga, gb);
    compte(gb, ga);
    return e;
}

} // namespace pdf
