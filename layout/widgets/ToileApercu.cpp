#include "layout/widgets/ToileApercu.h"

#include <QPainter>
#include <cmath>

ToileApercu::ToileApercu(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Modèle"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Modèle de l'enveloppe"));
}

QColor ToileApercu::couleurFond() const
{
    // The envelope is paper: a dark desktop theme must not turn it dark, where the black
    // outlines of the blocks would no longer show.
    return Qt::white;
}

void ToileApercu::redimensionne(Twips largeur, Twips hauteur)
{
    m_largeur = largeur;
    m_hauteur = hauteur;
    const int w = std::max(1, int(std::lround(units::toLogicalPixels(largeur))));
    const int h = std::max(1, int(std::lround(units::toLogicalPixels(hauteur))));
    resize(w, h);
    m_ratio = devicePixelRatioF();
    m_image = QImage(int(std::lround(w * m_ratio)), int(std::lround(h * m_ratio)), QImage::Format_RGB32);
    efface();
}

void ToileApercu::efface()
{
    m_image.fill(couleurFond());
}

QPoint ToileApercu::versPixel(QPointF twips) const
{
    const double k = m_ratio / units::kTwipsPerLogicalPixel;
    return {int(std::lround(twips.x() * k)), int(std::lround(twips.y() * k))};
}

QRect ToileApercu::rectPixels(const RectTwips& rect) const
{
    // Both corners included, the way an outline is drawn, so a wipe covers its outline.
    const QPoint a = versPixel({rect.left.value, rect.top.value});
    const QPoint b = versPixel({(rect.left + rect.width).value, (rect.top + rect.height).value});
    return QRect(a, b).normalized();
}

void ToileApercu::remplit(const RectTwips& rect, const QColor& couleur)
{
    if (m_image.isNull())
        return;
    QPainter p(&m_image);
    p.fillRect(rectPixels(rect), couleur);
}

void ToileApercu::contour(const RectTwips& rect, const QColor& couleur)
{
    if (m_image.isNull())
        return;
    const QRect r = rectPixels(rect);
    QPainter p(&m_image);
    p.setPen(QPen(couleur, 0));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.drawLine(r.bottomRight(), r.bottomLeft());
    p.drawLine(r.bottomLeft(), r.topLeft());
}

void ToileApercu::trait(QPointF de, QPointF a, const QColor& couleur)
{
    if (m_image.isNull())
        return;
    QPainter p(&m_image);
    p.setPen(QPen(couleur, 0));
    p.drawLine(versPixel(de), versPixel(a));
}

void ToileApercu::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_image.isNull()) {
        p.fillRect(rect(), couleurFond());
        return;
    }
    p.drawImage(rect(), m_image);
}
