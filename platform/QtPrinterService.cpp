#include "platform/QtPrinterService.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QRegularExpression>
#include <algorithm>

namespace {
QStringList lignes(const QString& text)
{
    static const QRegularExpression kFinDeLigne(QStringLiteral("\r\n|\n|\r"));
    return text.split(kFinDeLigne);
}

Status nonDisponible()
{
    return Status::failure(QStringLiteral("Cette opération d'impression n'est pas disponible."));
}
}  // namespace

QtPrinterService::QtPrinterService() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_font.setFamily(QStringLiteral("Arial"));
    m_font.setPointSizeF(8.25);
}

QtPrinterService::~QtPrinterService() = default;

Status QtPrinterService::setUnitMillimetres()
{
    return Status::ok();
}

Status QtPrinterService::setFontName(const QString& name)
{
    if (name.trimmed().isEmpty())
        return Status::failure(QStringLiteral("Nom de police vide."));
    m_font.setFamily(name);
    return Status::ok();
}

Status QtPrinterService::setFontItalic(bool on)
{
    m_font.setItalic(on);
    return Status::ok();
}

Status QtPrinterService::setFontBold(bool on)
{
    m_font.setBold(on);
    return Status::ok();
}

Status QtPrinterService::setFontUnderline(bool on)
{
    m_font.setUnderline(on);
    return Status::ok();
}

Status QtPrinterService::setFontSize(double points)
{
    if (!(points > 0.0) || points > 1638.0)
        return Status::failure(QStringLiteral("Taille de police impossible : %1.").arg(points));
    m_font.setPointSizeF(points);
    return Status::ok();
}

Status QtPrinterService::setTextColour(const QColor& colour)
{
    if (!colour.isValid())
        return Status::failure(QStringLiteral("Couleur de texte invalide."));
    m_colour = colour;
    return Status::ok();
}

Result<Mm> QtPrinterService::textWidth(const QString& text)
{
    const QFontMetricsF metrics(m_font, m_printer.get());
    double widest = 0.0;
    for (const QString& line : lignes(text))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return units::fromDevicePixels(widest, m_printer->resolution());
}

Result<Mm> QtPrinterService::textHeight(const QString& text)
{
    const QFontMetricsF metrics(m_font, m_printer.get());
    return units::fromDevicePixels(metrics.lineSpacing() * lignes(text).size(), m_printer->resolution());
}

Result<int> QtPrinterService::copies() { return nonDisponible(); }
Status QtPrinterService::setCopies(int) { return nonDisponible(); }
Result<int> QtPrinterService::paperSize() { return nonDisponible(); }
Status QtPrinterService::setPaperSize(int) { return nonDisponible(); }
Status QtPrinterService::setPaperA4() { return nonDisponible(); }
Result<PageOrientation> QtPrinterService::orientation() { return nonDisponible(); }
Status QtPrinterService::setOrientation(PageOrientation) { return nonDisponible(); }
Result<Mm> QtPrinterService::printableHeight() { return nonDisponible(); }
Status QtPrinterService::setPosition(PointMm where)
{
    m_position = where;
    return Status::ok();
}
Status QtPrinterService::printText(const QString&, LineEnd) { return nonDisponible(); }
Status QtPrinterService::drawLine(PointMm, PointMm) { return nonDisponible(); }
Status QtPrinterService::lineTo(PointMm) { return nonDisponible(); }
Status QtPrinterService::drawImage(const QImage&, RectMm) { return nonDisponible(); }
Status QtPrinterService::endPage() { return nonDisponible(); }
Status QtPrinterService::endDocument() { return nonDisponible(); }
