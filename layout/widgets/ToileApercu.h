#pragma once
// The preview box "Modèle" (the picture the preview is drawn on): a to-scale picture of the envelope. Drawing
// is persistent: everything goes onto an image that the widget shows, so a block's redraw wipes and draws
// only its own rectangle and a window repaint never redraws the blocks. Coordinates are twips from the box's
// top left corner.

#include "platform/Units.h"

#include <QImage>
#include <QWidget>

class ToileApercu : public QWidget {
    Q_OBJECT
public:
    explicit ToileApercu(QWidget* parent = nullptr);

    // New size, keeping the top left corner; the picture is cleared.
    void redimensionne(Twips largeur, Twips hauteur);
    void efface();
    void remplit(const RectTwips& rect, const QColor& couleur);
    void contour(const RectTwips& rect, const QColor& couleur);
    void trait(QPointF de, QPointF a, const QColor& couleur);
    void rafraichit() { update(); }

    Twips largeur() const { return m_largeur; }
    Twips hauteur() const { return m_hauteur; }
    QColor couleurFond() const;
    // The picture in device pixels, for the tests' eyes.
    const QImage& image() const { return m_image; }
    QPoint versPixel(QPointF twips) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect rectPixels(const RectTwips& rect) const;

    QImage m_image;
    Twips m_largeur;
    Twips m_hauteur;
    qreal m_ratio = 1.0;
};
