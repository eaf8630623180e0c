#pragma once
// The printing service over QPrinter and QPainter. Measures with the printer's own font
// metrics (the PDF printer when no printer is installed), so that the preview shows what
// a print gives.
//
// Geometry. The program's printable area begins 3 mm in from the top and left edges of
// the sheet on every printer. Printers differ in their hardware margins and Qt rounds
// page margins to whole points, so the service paints on the full page and adds the
// 3 mm itself: a point at (x, y) mm lands x + 3 mm from the sheet's left edge and
// y + 3 mm from its top, whatever the printer. Millimetres become device pixels at the
// printer's resolution; the painter is never scaled, as a scaled painter lays text out
// at the wrong size. The printable height is the sheet's height in the current
// orientation less 3 mm at each edge: 291 mm upright on A4, 204 mm sideways.
//
// Measuring never opens a print job. The job opens with the first output; a page is
// started only when output comes for it, so neither ending a page nor ending the
// document ever leaves a blank page behind.
//
// A printer that prints off its place gets a shift, added where millimetres become
// device pixels: text, lines and pictures all move by it, and a zero shift changes
// nothing. The same painting serves Qt's print preview: painted on a printer in preview
// mode, the pages become the preview's, one copy each and without a file.
//
// A printer queue gets a PDF the service writes itself and hands over through libcups
// (CupsQueue), not through Qt's print engine: Qt asks for "landscape", which each kind of
// queue turns its own way, lets the queue scale the page to fit, and drops the server's
// answer. Here the page is sent as the sheet enters the printer, a page laid sideways
// turned as setFeedEdge() says, with the paper, source, copies and name the program
// means, at its natural size; the job's number is kept to follow it.
//
// Nothing is lost without a word. A PDF is written beside the chosen file and takes its
// place only once whole (SafePdfFile); a job the server refuses is reported.

#include "platform/PrinterService.h"
#include "platform/SafePdfFile.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPen>
#include <QTemporaryFile>
#include <memory>
#include <optional>
#include <vector>

class QPrinter;
class QPainter;

class QtPrinterService : public PrinterService {
public:
    QtPrinterService();
    ~QtPrinterService() override;

    // The sheet's edge to the origin of the printable area, at the top and at the left.
    static constexpr Mm kMargeFeuille = Mm(3.0);

    QPrinter& printer() { return *m_printer; }

    // Prints to a PDF file instead of a printer queue (the print dialog's "print to
    // file" does the same). An empty path goes back to the system's default printer.
    Status setOutputFileName(const QString& path);
    // Prints on the named printer queue.
    Status selectPrinter(const QString& queueName);
    // Takes the other service's printer, file, paper, orientation, copies and font, so
    // that a preview made here looks like a print made there and changes nothing there.
    void takeSettingsOf(const QtPrinterService& other);

    // What printerName() answers when the output is a PDF file.
    static QString pdfOutputName();

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
    Status setPaperMedium(const PaperMedium& medium) override;
    Status setPaperSource(const QString& source) override;
    Status setFeedEdge(FeedEdge edge) override;
    PrinterCapabilities capabilities() override;
    QString printerName() const override;
    QueueState queueState() override;
    std::optional<PrintJob> lastJob() const override { return m_lastJob; }
    JobOutcome jobOutcome(const PrintJob& job) override;
    void setJobName(const QString& name, const QString& folder) override;
    // The PDF the print dialog offers when the user prints to a file: the job's name in
    // its folder; empty when the job has no name or no folder.
    QString proposedOutputFile() const;
    Status setShift(PointMm shift) override;
    PointMm shift() const { return m_shift; }

    PointMm position() const override { return m_position; }
    Status setPosition(PointMm where) override;
    Status printText(const QString& text, LineEnd lineEnd) override;
    Status drawLine(PointMm from, PointMm to) override;
    Status lineTo(PointMm to) override;
    Status drawImage(const QImage& image, RectMm where) override;
    Status endPage() override;
    Status endDocument() override;

    const QFont& font() const { return m_font; }
    bool documentOpen() const;

private:
    // One thing painted on the current page, kept only when the service must repeat
    // the page itself for the copies (a PDF has no copies count of its own).
    struct Trace {
        enum Kind { Text, Line, Image } kind;
        QPointF a, b;
        QRectF rect;
        QString text;
        QFont font;
        QPen pen;
        QImage image;
    };

    const QFontMetricsF& metrics();
    double toPixels(Mm length) const;
    QPointF toDevice(PointMm point) const;
    QString printerDescription() const;
    QString outputFile() const;
    bool previewing() const;
    Status beginOutput();
    void paint(const Trace& trace);
    void record(Trace trace);
    Status finishPage();
    Status setPageSizeChecked(const QPageSize& size);
    int codeFor(const QPageSize& size);
    bool toQueue() const;
    QPrinter& target() { return m_job ? *m_job : *m_printer; }
    void turnPage();
    QList<QPair<QByteArray, QByteArray>> jobOptions() const;
    QString inputSlotFor(const QString& source) const;
    Status handOver();

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    // While a job writes a PDF: its temporary, which the printer writes to, and the file
    // the user chose, which the printer names again once the job is over.
    std::unique_ptr<SafePdfFile> m_pdf;
    QString m_chosenFile;
    QFont m_font;
    std::optional<QFontMetricsF> m_metrics; // of m_font on the printer; dropped when the font changes
    int m_metricsDpi = 0;
    QColor m_colour = Qt::black;
    PointMm m_position;
    PointMm m_shift;
    QString m_jobFolder; // where a print to a file of this job is offered

    // The paper as the program asked for it; the source's kind decides how it is sent.
    PaperMedium m_medium; // its name, while the page has its size
    QString m_source;
    bool m_sourceIsSlot = false; // a driver's input slot, not an IPP keyword
    FeedEdge m_feedEdge = FeedEdge::Right;
    PrinterCapabilities m_capabilities;
    QString m_capabilitiesOf; // the printer they were read from

    // While a job for a queue is painted: the PDF it becomes, and the printer painting it.
    std::unique_ptr<FichierSansNom> m_jobFile;
    std::unique_ptr<QPrinter> m_job;
    std::optional<PrintJob> m_lastJob;

    double m_dpi = 0.0;                   // resolution of the job under way
    bool m_pageHasOutput = false;         // something was painted on the current page
    bool m_newPageDue = false;            // the page was ended; the next output starts a new one
    int m_pagesToRepeat = 1;              // copies the service paints itself
    std::vector<Trace> m_pageTrace;       // the current page, when it must be repeated
    std::vector<QPageSize> m_customSizes; // sizes without a standard id; their code is 1000 + index
};
