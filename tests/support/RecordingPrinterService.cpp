#include "tests/support/RecordingPrinterService.h"

#include <QImage>
#include <QRegularExpression>
#include <algorithm>

namespace {
QStringList splitLines(const QString& text)
{
    static const QRegularExpression kBreak(QStringLiteral("\r\n|\n|\r"));
    return text.split(kBreak);
}
} // namespace

Status RecordingPrinterService::call(const char* name, const QString& arguments)
{
    const QString operation = QString::fromLatin1(name);
    const QString entry = operation + QLatin1Char('(') + arguments + QLatin1Char(')');
    log.append(entry);
    const auto it = m_failures.find(operation);
    if (it == m_failures.end())
        return Status::ok();
    ++it->calls;
    if (it->nthCall == 0 || it->nthCall == it->calls)
        return Status::failure(QStringLiteral("L'imprimante a refusé %1.").arg(operation));
    return Status::ok();
}

Status RecordingPrinterService::output(const char* name, const QString& arguments)
{
    Status s = call(name, arguments);
    if (!s)
        return s;
    if (!m_open) {
        m_open = true;
        m_page = 0;
    } else if (m_newPageDue) {
        ++m_page;
    }
    m_newPageDue = false;
    m_pageHasOutput = true;
    return s;
}

Result<Mm> RecordingPrinterService::textWidth(const QString& text)
{
    qsizetype widest = 0;
    for (const QString& line : splitLines(text))
        widest = std::max(widest, line.size());
    return get("textWidth", Mm(double(widest) * 2.0));
}

Result<Mm> RecordingPrinterService::textHeight(const QString& text)
{
    return get("textHeight", Mm(double(splitLines(text).size()) * lineHeight));
}

Status RecordingPrinterService::printText(const QString& text, LineEnd lineEnd)
{
    Status s = output("printText",
                      quoted(text) + (lineEnd == LineEnd::Yes ? QStringLiteral(", line end") : QString()));
    if (!s)
        return s;
    texts.append({text, m_position, m_page});
    if (lineEnd == LineEnd::Yes)
        m_position = {Mm(0), m_position.y + Mm(lineHeight)};
    else
        m_position.x += Mm(double(text.size()) * 2.0);
    return s;
}

Status RecordingPrinterService::drawLine(PointMm from, PointMm to)
{
    Status s = output("drawLine", point(from) + QStringLiteral(" -> ") + point(to));
    if (s) {
        lines.append({from, to, m_page});
        m_position = to;
    }
    return s;
}

Status RecordingPrinterService::lineTo(PointMm to)
{
    Status s = output("lineTo", point(to));
    if (s) {
        lines.append({m_position, to, m_page});
        m_position = to;
    }
    return s;
}

Status RecordingPrinterService::drawImage(const QImage& image, RectMm where)
{
    return output("drawImage", QStringLiteral("%1x%2 px at %3")
                                   .arg(image.width())
                                   .arg(image.height())
                                   .arg(point({where.left, where.top})));
}

Status RecordingPrinterService::endPage()
{
    Status s = call("endPage");
    if (s && m_open && m_pageHasOutput) {
        m_newPageDue = true;
        m_pageHasOutput = false;
    }
    return s;
}

Status RecordingPrinterService::endDocument()
{
    Status s = call("endDocument");
    m_documentsWithJob = s && m_open;
    if (s && m_open) {
        ++documentsEnded;
        pagesOut += m_page + 1;
    }
    if (s)
        m_open = m_pageHasOutput = m_newPageDue = false;
    return s;
}
