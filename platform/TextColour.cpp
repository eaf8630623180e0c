#include "platform/TextColour.h"

#include <QGuiApplication>
#include <QPalette>
#include <iterator>

QColor TextColour::toQColor() const
{
    if (!isSystemColour())
        return QColor(int(m_number & 0xFF), int((m_number >> 8) & 0xFF), int((m_number >> 16) & 0xFF));

    const QPalette palette = QGuiApplication::palette();
    switch (m_number & 0xFF) {
    case 5:
        return palette.color(QPalette::Base); // window
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 15:
        return palette.color(QPalette::Button); // button face
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text); // grey text
    case 18:
        return palette.color(QPalette::ButtonText);
    case 23:
        return palette.color(QPalette::ToolTipText);
    case 24:
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::WindowText); // window text and the rest
    }
}

QColor TextColour::paperColour() const
{
    if (!isSystemColour())
        return toQColor();

    // GetSysColor's answers under Windows' standard scheme, by system colour index.
    static constexpr QRgb kSchemaWindows[] = {
        0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, //  0 -  7
        0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0, //  8 - 15
        0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, // 16 - 23
        0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0,           // 24 - 30
    };
    const quint32 index = m_number & 0xFF;
    if (index >= std::size(kSchemaWindows))
        return Qt::black; // an index Windows never had: its window text
    return QColor::fromRgb(kSchemaWindows[index]);
}
