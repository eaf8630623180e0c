#include "addresses/fichier/PlvFieldWriter.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace {

// The reader takes a number to double precision and then to single, so a text is only
// faithful when it survives that same road.
bool readsBackAs(const char* first, const char* last, float value)
{
    double parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed);
    return error == std::errc() && end == last && float(parsed) == value;
}

} // namespace

void PlvFieldWriter::separate()
{
    if (m_recordStarted)
        m_text += u',';
    m_recordStarted = true;
}

PlvFieldWriter& PlvFieldWriter::string(QStringView text)
{
    separate();
    m_text += u'"';
    if (text.contains(u'"')) {
        for (QChar c : text) {
            if (c == u'"')
                m_text += u'"';
            m_text += c;
        }
    } else {
        m_text += text;
    }
    m_text += u'"';
    return *this;
}

PlvFieldWriter& PlvFieldWriter::boolean(bool value)
{
    separate();
    m_text += value ? u"#TRUE#" : u"#FALSE#";
    return *this;
}

PlvFieldWriter& PlvFieldWriter::integer(qint64 value)
{
    separate();
    m_text += QString::number(value);
    return *this;
}

PlvFieldWriter& PlvFieldWriter::single(float value)
{
    separate();
    m_text += singleText(value);
    return *this;
}

PlvFieldWriter& PlvFieldWriter::currency(double value)
{
    separate();
    m_text += currencyText(value);
    return *this;
}

void PlvFieldWriter::endRecord()
{
    m_text += u"\r\n";
    m_recordStarted = false;
}

QString PlvFieldWriter::singleText(float value)
{
    if (!std::isfinite(value))
        value = 0;
    if (value == std::trunc(value) && std::fabs(value) < 1e9f)
        return QString::number(qint64(value));

    // Nine significant digits always come back as the same single; seven are what
    // Windows writes and enough for any value a person types.
    char buffer[64];
    std::to_chars_result written{};
    for (int digits = 7; digits <= 9; ++digits) {
        written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
        if (written.ec == std::errc() && readsBackAs(buffer, written.ptr, value))
            break;
    }
    return QString::fromLatin1(buffer, written.ptr - buffer);
}

QString PlvFieldWriter::currencyText(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 9e14)
        value = 0;
    const qint64 tenThousandths = std::llround(value * 10000.0);
    const qint64 whole = std::llabs(tenThousandths) / 10000;
    const qint64 fraction = std::llabs(tenThousandths) % 10000;
    QString text = tenThousandths < 0 ? QStringLiteral("-") : QString();
    text += QString::number(whole);
    if (fraction != 0) {
        QString decimals = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        text += u'.' + decimals;
    }
    return text;
}
