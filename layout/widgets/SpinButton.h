#pragma once
// A spin button: two arrows that emit two distinct events and repeat while held.
// Drawn vertical (up above down) or horizontal (left is down, right is up).

#include <QWidget>

class QToolButton;

class SpinButton : public QWidget {
    Q_OBJECT
public:
    SpinButton(Qt::Orientation orientation, QWidget* parent = nullptr);

    QToolButton* flecheBas() const { return m_bas; }
    QToolButton* flecheHaut() const { return m_haut; }

signals:
    void bas();  // down, or left
    void haut(); // up, or right

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Qt::Orientation m_orientation;
    QToolButton* m_bas;
    QToolButton* m_haut;
};
