#pragma once
// A block's text colour as Windows numbers colours, so that address files travel both
// ways between Windows and Linux: an explicit colour is red + 256 x green + 65536 x blue;
// a system colour has the high bit set and its index in the low byte (the default
// window-text colour is 0x80000008).

#include <QColor>
#include <QtGlobal>

class TextColour {
public:
    static constexpr quint32 kSystemFlag = 0x80000000u;
    static constexpr int kWindowTextIndex = 8;

    static TextColour windowText() { return TextColour(kSystemFlag | kWindowTextIndex); }
    static TextColour fromRgb(const QColor& c)
    {
        return TextColour(quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16));
    }
    static TextColour fromWindowsNumber(qint64 number) { return TextColour(quint32(number)); }

    qint32 windowsNumber() const { return qint32(m_number); }
    bool isSystemColour() const { return (m_number & kSystemFlag) != 0; }
    // The colour to show on screen: a system colour follows the desktop's palette.
    QColor toQColor() const;
    // The colour on paper. A system colour keeps the meaning it has in Windows' standard
    // scheme, where the files come from: window text prints black whatever the desktop's
    // theme, which would otherwise print white text on a white envelope.
    QColor paperColour() const;

    bool operator==(const TextColour&) const = default;

private:
    explicit TextColour(quint32 n) : m_number(n) {}
    quint32 m_number;
};
