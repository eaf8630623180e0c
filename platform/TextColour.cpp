#include "platform/TextColour.h"

#include <QGuiApplication>
#include <QPalette>

QColor TextColour::toQColor() const
{
    if (!isSystemColour())
        return QColor(int(m_number & 0xFF), int((m_number >> 8) & 0xFF), int((m_number >> 16) & 0xFF));

    const QPalette palette = QGuiApplication::palette();
    switch (m_number & 0xFF) {
    case 5:  return palette.color(QPalette::Base);             // window
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);            // button face
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);  // grey text
    case 18: return palette.color(QPalette::ButtonText);
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::WindowText);        // window text and the rest
    }
}
