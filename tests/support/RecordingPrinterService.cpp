#include "tests/support/RecordingPrinterService.h"

#include <QImage>
#include <QRegularExpression>
#include <algorithm>

namespace {
QString n(double v)
{
    return QString::number(v, 'g', 6);
}
QString n(Mm v)
{
    return n(v.value);
}
QString point(PointMm p)
{
    return QStringLiteral("%1, %2").arg(n(p.x), n(p.y));
}
QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}
QStringList splitLines(const QString& text)
{
    static const QRegularExpression kBreak(QStringLiteral("\r\n|\n|\r"));
    return text.split(kBreak);
}
}  // namespace

void RecordingPrinterService::fail(const QString& operation, int nthCall)
{
    m_failures.insert(operation, Failure{nthCall, 0});
}

Status RecordingPrinterService::call(const QString& name, const QString& arguments)
{
    const QString entry = name + QLatin1Char('(') + arguments + QLatin1Char(')');
    log.append(entry);
    auto it = m_failures.find(entry);
    if (it == m_failures.end())
        it = m_failures.find(name);
    if (it == m_failures.end())
        return Status::ok();
    ++it->calls;
    if (it->nthCall == 0 || it->nthCall == it->calls)
        return Status::failure(QStringLiteral("L'imprimante a refusé %1.").arg(name));
    return Status::ok();
}

QList<RecordingPrinterService::Printed> RecordingPrinterService::textsOnPage(int page) const
{
    QList<Printed> result;
    for (const Printed& p : texts)
        if (p.page == page)
            result.append(p);
    return result;
}

Status RecordingPrinterService::setUnitMillimetres()
{
    return call(QStringLiteral("setUnitMillimetres"), {});
}

Status RecordingPrinterService::setFontName(const QString& name)
{
    return call(QStringLiteral("setFontName"), quoted(name));
}

Status RecordingPrinterService::setFontItalic(bool on)
{
    return call(QStringLiteral("setFontItalic"), on ? QStringLiteral("true") : QStringLiteral("false"));
}

Status RecordingPrinterService::setFontBold(bool on)
{
    return call(QStringLiteral("setFontBold"), on ? QStringLiteral("true") : QStringLiteral("false"));
}

Status RecordingPrinterService::setFontUnderline(bool on)
{
    return call(QStringLiteral("setFontUnderline"), on ? QStringLiteral("true") : QStringLiteral("false"));
}

Status RecordingPrinterService::setFontSize(double points)
{
    Status s = call(QStringLiteral("setFontSize"), n(points));
    if (s)
        fontSize = points;
    return s;
}

Status RecordingPrinterService::setTextColour(const QColor& colour)
{
    return call(QStringLiteral("setTextColour"), colour.name());
}

Result<Mm> RecordingPrinterService::textWidth(const QString& text)
{
    if (Status s = call(QStringLiteral("textWidth"), quoted(text)); !s)
        return s;
    qsizetype widest = 0;
    for (const QString& line : splitLines(text))
        widest = std::max(widest, line.size());
    return Mm(double(widest) * charWidth);
}

Result<Mm> RecordingPrinterService::textHeight(const QString& text)
{
    if (Status s = call(QStringLiteral("textHeight"), quoted(text)); !s)
        return s;
    return Mm(double(splitLines(text).size()) * lineHeight);
}

Result<int> RecordingPrinterService::copies()
{
    if (Status s = call(QStringLiteral("copies"), {}); !s)
        return s;
    return copyCount;
}

Status RecordingPrinterService::setCopies(int copies)
{
    Status s = call(QStringLiteral("setCopies"), QString::number(copies));
    if (s)
        copyCount = copies;
    return s;
}

Result<int> RecordingPrinterService::paperSize()
{
    if (Status s = call(QStringLiteral("paperSize"), {}); !s)
        return s;
    return paperCode;
}

void RecordingPrinterService::setJobName(const QString& job, const QString& folder)
{
    jobName = job;
    jobFolder = folder;
}

Status RecordingPrinterService::setPaperSize(int code)
{
    Status s = call(QStringLiteral("setPaperSize"), QString::number(code));
    if (s)
        paperCode = code;
    return s;
}

Status RecordingPrinterService::setPaperA4()
{
    Status s = call(QStringLiteral("setPaperA4"), {});
    if (s)
        paperCode = kA4;
    return s;
}

Result<PageOrientation> RecordingPrinterService::orientation()
{
    if (Status s = call(QStringLiteral("orientation"), {}); !s)
        return s;
    return pageOrientation;
}

Status RecordingPrinterService::setOrientation(PageOrientation orientation)
{
    Status s = call(QStringLiteral("setOrientation"), orientation == PageOrientation::Landscape
                                                          ? QStringLiteral("landscape")
                                                          : QStringLiteral("portrait"));
    if (s)
        pageOrientation = orientation;
    return s;
}

Result<Mm> RecordingPrinterService::printableHeight()
{
    if (Status s = call(QStringLiteral("printableHeight"), {}); !s)
        return s;
    return Mm(pageOrientation == PageOrientation::Landscape ? landscapePrintableHeight : portraitPrintableHeight);
}

Status RecordingPrinterService::setShift(PointMm to)
{
    return call(QStringLiteral("setShift"), point(to));
}

void RecordingPrinterService::output()
{
    if (!m_open) {
        m_open = true;
        m_page = 0;
    } else if (m_newPageDue) {
        ++m_page;
    }
    m_newPageDue = false;
    m_pageHasOutput = true;
}

Status RecordingPrinterService::setPosition(PointMm where)
{
    Status s = call(QStringLiteral("setPosition"), point(where));
    if (s)
        m_position = where;
    return s;
}

Status RecordingPrinterService::printText(const QString& text, LineEnd lineEnd)
{
    Status s = call(QStringLiteral("printText"),
                    quoted(text) + (lineEnd == LineEnd::Yes ? QStringLiteral(", line end") : QString()));
    if (!s)
        return s;
    output();
    texts.append({text, m_position, m_page, fontSize});
    if (lineEnd == LineEnd::Yes)
        m_position = {Mm(0), m_position.y + Mm(lineHeight)};
    else
        m_position.x += Mm(double(text.size()) * charWidth);
    return s;
}

Status RecordingPrinterService::drawLine(PointMm from, PointMm to)
{
    Status s = call(QStringLiteral("drawLine"), point(from) + QStringLiteral(" -> ") + point(to));
    if (!s)
        return s;
    output();
    lines.append({from, to, m_page});
    m_position = to;
    return s;
}

Status RecordingPrinterService::lineTo(PointMm to)
{
    Status s = call(QStringLiteral("lineTo"), point(to));
    if (!s)
        return s;
    output();
    lines.append({m_position, to, m_page});
    m_position = to;
    return s;
}

Status RecordingPrinterService::drawImage(const QImage& image, RectMm where)
{
    Status s = call(QStringLiteral("drawImage"), QStringLiteral("%1x%2 px at %3, %4, %5 x %6")
                                                     .arg(image.width())
                                                     .arg(image.height())
                                                     .arg(n(where.left), n(where.top), n(where.width),
                                                          n(where.height)));
    if (!s)
        return s;
    output();
    return s;
}

Status RecordingPrinterService::endPage()
{
    Status s = call(QStringLiteral("endPage"), {});
    if (s && m_open && m_pageHasOutput) {
        m_newPageDue = true;
        m_pageHasOutput = false;
    }
    return s;
}

Status RecordingPrinterService::endDocument()
{
    Status s = call(QStringLiteral("endDocument"), {});
    if (!s)
        return s;
    if (m_open) {
        ++documentsEnded;
        pagesOut += m_page + 1;
    }
    m_open = false;
    m_pageHasOutput = false;
    m_newPageDue = false;
    return s;
}
