#pragma once
// A printer that prints nothing: it logs every operation with its arguments, in order,
// keeps the settings and the pages as a real printer would (a page exists once something
// is printed on it; ending a page or the document never makes a blank one), measures with
// simple rules, and can refuse any setting or fail any operation.

#include "platform/PrinterService.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class RecordingPrinterService : public PrinterService {
public:
    // Paper codes of this printer.
    static constexpr int kA4 = 9;
    static constexpr int kLetter = 1;
    static constexpr int kEnvelopeDL = 27;

    struct Printed {
        QString text;
        PointMm at; // the text's top left corner
        int page;   // 0-based page of the document
    };
    struct Line {
        PointMm from, to;
        int page;
    };

    // Measuring: a text is as wide as its widest line, 2 mm a character, and as high as its
    // lines times lineHeight; a line end moves down by lineHeight.
    double lineHeight = 5.0;

    // The printer's settings, as a test sets them up and reads them back; a shift is only
    // logged, and the recorded positions are those asked, without it.
    int copyCount = 1;
    int paperCode = kA4;
    PageOrientation pageOrientation = PageOrientation::Portrait;
    QString name = QStringLiteral("Imprimante de test"); // what printerName() answers
    PrinterCapabilities printerCapabilities;             // what capabilities() answers
    PaperMedium medium;                                  // the last medium set
    QString source;
    FeedEdge feedEdge = FeedEdge::Right;
    // The job each ended document becomes, and what jobOutcome() answers, in turn (the
    // last one for ever after).
    std::optional<PrintJob> job;
    QList<JobOutcome> outcomes = {{JobOutcome::State::Completed, {}}};

    // Every call of `operation` (a method name: "setCopies", "printText", ...) fails from
    // now on, or only its n-th call (counting from 1, from now) when nthCall > 0. A failing
    // setter leaves the setting as it was.
    void fail(const QString& operation, int nthCall = 0) { m_failures.insert(operation, {nthCall, 0}); }

    // What happened, in order: "setPosition(7, 7)", "printText(\"Nom\", line end)", ...
    QStringList log;
    QList<Printed> texts;
    QList<Line> lines;
    int documentsEnded = 0; // documents that held at least one page
    int pagesOut = 0;       // pages of all the ended documents

    Status setUnitMillimetres() override { return call("setUnitMillimetres"); }
    Status setFontName(const QString& n) override { return call("setFontName", quoted(n)); }
    Status setFontItalic(bool on) override { return call("setFontItalic", flag(on)); }
    Status setFontBold(bool on) override { return call("setFontBold", flag(on)); }
    Status setFontUnderline(bool on) override { return call("setFontUnderline", flag(on)); }
    Status setFontSize(double points) override { return call("setFontSize", number(points)); }
    Status setTextColour(const QColor& colour) override { return call("setTextColour", colour.name()); }
    Result<Mm> textWidth(const QString& text) override;
    Result<Mm> textHeight(const QString& text) override;

    Result<int> copies() override { return get("copies", copyCount); }
    Status setCopies(int c) override { return set("setCopies", number(c), copyCount, c); }
    Result<int> paperSize() override { return get("paperSize", paperCode); }
    Status setPaperSize(int code) override { return set("setPaperSize", number(code), paperCode, code); }
    Status setPaperA4() override { return set("setPaperA4", {}, paperCode, kA4); }
    Result<PageOrientation> orientation() override { return get("orientation", pageOrientation); }
    Status setOrientation(PageOrientation o) override
    {
        return set("setOrientation", o == PageOrientation::Landscape ? "landscape" : "portrait",
                   pageOrientation, o);
    }
    Result<Mm> printableHeight() override
    {
        return get("printableHeight", Mm(pageOrientation == PageOrientation::Landscape ? 204 : 291));
    }
    Status setPaperMedium(const PaperMedium& m) override { return set("setPaperMedium", m.name, medium, m); }
    Status setPaperSource(const QString& s) override { return set("setPaperSource", quoted(s), source, s); }
    Status setFeedEdge(FeedEdge e) override
    {
        return set("setFeedEdge", e == FeedEdge::Left ? "left" : "right", feedEdge, e);
    }
    PrinterCapabilities capabilities() override { return printerCapabilities; }
    std::optional<PrintJob> lastJob() const override { return m_documentsWithJob ? job : std::nullopt; }
    JobOutcome jobOutcome(const PrintJob&) override
    {
        log.append(QStringLiteral("jobOutcome"));
        return outcomes.size() > 1 ? outcomes.takeFirst() : outcomes.value(0);
    }
    QString printerName() const override { return name; }
    QueueState queueState() override { return {}; }
    void setJobName(const QString&, const QString&) override {}
    Status setShift(PointMm shift) override { return call("setShift", point(shift)); }

    PointMm position() const override { return m_position; }
    Status setPosition(PointMm where) override { return set("setPosition", point(where), m_position, where); }
    Status printText(const QString& text, LineEnd lineEnd) override;
    Status drawLine(PointMm from, PointMm to) override;
    Status lineTo(PointMm to) override;
    Status drawImage(const QImage& image, RectMm where) override;
    Status endPage() override;
    Status endDocument() override;

private:
    static QString number(double v) { return QString::number(v, 'g', 6); }
    static QString point(PointMm p) { return number(p.x.value) + QStringLiteral(", ") + number(p.y.value); }
    static QString quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }
    static QString flag(bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); }

    // Logs the call; a failure when the call is scripted to fail.
    Status call(const char* name, const QString& arguments = {});
    template <typename T> Status set(const char* name, const QString& arguments, T& setting, T value)
    {
        Status s = call(name, arguments);
        if (s)
            setting = value;
        return s;
    }
    template <typename T> Result<T> get(const char* name, T value)
    {
        if (Status s = call(name); !s)
            return s;
        return value;
    }
    // A drawing operation: logged, and if it succeeds, on the current page.
    Status output(const char* name, const QString& arguments);

    struct Failure {
        int nthCall = 0; // 0: every call
        int calls = 0;
    };
    QHash<QString, Failure> m_failures;
    PointMm m_position;
    bool m_open = false;
    bool m_pageHasOutput = false;
    bool m_newPageDue = false;
    int m_page = 0;
    bool m_documentsWithJob = false;
};
