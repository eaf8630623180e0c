#pragma once
// The printing service over QPrinter and QPainter. Measures with the printer's own font
// metrics (the PDF printer when no printer is installed), so that the preview shows what
// a print gives.

#include "platform/PrinterService.h"

#include <QFont>
#include <memory>

class QPrinter;
class QPainter;

class QtPrinterService : public PrinterService {
public:
    QtPrinterService();
    ~QtPrinterService() override;

    QPrinter& printer() { return *m_printer; }

    Status setUnitMillimetres() override;
    Status setFontName(const QString& name) override;
    Status setFontItalic(bool on) override;
    Status setFontBold(bool on) override;
    Status setFontUnderline(bool on) override;
    Status setFontSize(double points) override;
    Status setTextColour(const QColor& colour) override;
    Result<Mm> textWidth(const QString& text) override;
    Result<Mm> textHeight(const QString& text) override;

    Result<int> copies() override;
    Status setCopies(int copies) override;
    Result<int> paperSize() override;
    Status setPaperSize(int code) override;
    Status setPaperA4() override;
    Result<PageOrientation> orientation() override;
    Status setOrientation(PageOrientation orientation) override;
    Result<Mm> printableHeight() override;

    PointMm position() const override { return m_position; }
    Status setPosition(PointMm where) override;
    Status printText(const QString& text, LineEnd lineEnd) override;
    Status drawLine(PointMm from, PointMm to) override;
    Status lineTo(PointMm to) override;
    Status drawImage(const QImage& image, RectMm where) override;
    Status endPage() override;
    Status endDocument() override;

    const QFont& font() const { return m_font; }

private:
    std::unique_ptr<QPrinter> m_printer;
    QFont m_font;
    QColor m_colour = Qt::black;
    PointMm m_position;
};
