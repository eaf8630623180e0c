#include "layout/widgets/SpinButton.h"

#include <QToolButton>

namespace {
QToolButton* fleche(QWidget* parent, Qt::ArrowType type)
{
    auto* b = new QToolButton(parent);
    b->setArrowType(type);
    b->setAutoRepeat(true);
    b->setAutoRepeatDelay(400);
    b->setAutoRepeatInterval(80);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}
} // namespace

SpinButton::SpinButton(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation)
{
    const bool horizontal = orientation == Qt::Horizontal;
    m_bas = fleche(this, horizontal ? Qt::LeftArrow : Qt::DownArrow);
    m_haut = fleche(this, horizontal ? Qt::RightArrow : Qt::UpArrow);
    connect(m_bas, &QToolButton::clicked, this, &SpinButton::bas);
    connect(m_haut, &QToolButton::clicked, this, &SpinButton::haut);
    // Keyboard order follows the picture: left before right, up before down.
    if (horizontal)
        setTabOrder(m_bas, m_haut);
    else
        setTabOrder(m_haut, m_bas);
}

void SpinButton::resizeEvent(QResizeEvent*)
{
    const int w = width();
    const int h = height();
    if (m_orientation == Qt::Horizontal) {
        m_bas->setGeometry(0, 0, w / 2, h);
        m_haut->setGeometry(w / 2, 0, w - w / 2, h);
    } else {
        m_haut->setGeometry(0, 0, w, h / 2);
        m_bas->setGeometry(0, h / 2, w, h - h / 2);
    }
}
