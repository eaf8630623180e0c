#pragma once
// A printer that prints nothing: it records every operation with its arguments, in
// order, keeps the settings and the pages as a real printer would (a page exists once
// something is printed on it; ending a page or the document never makes a blank one),
// measures with simple rules, and can refuse any setting or fail any operation.

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
        PointMm at;  // the text's top left corner
        int page;    // 0-based page of the document
        double fontSize;
    };
    struct Line {
        PointMm from, to;
        int page;
    };

    // Measuring: a text is as wide as its widest line's characters times charWidth and as
    // high as its lines times lineHeight; a line end moves down by lineHeight.
    double charWidth = 2.0;
    double lineHeight = 5.0;

    // The printer's settings, as a test sets them up and reads them back.
    int copyCount = 1;
    int paperCode = kA4;
    PageOrientation pageOrientation = PageOrientation::Portrait;
    double portraitPrintableHeight = 291.0;
    double landscapePrintableHeight = 204.0;
    double fontSize = 8.25;
    QString name = QStringLiteral("Imprimante de test");  // what printerName() answers
    // A shift is only logged: recorded positions are those asked, without it.

    // Every call of `operation` (a method name: "setCopies", "printText", ..., or a call
    // as logged: "setOrientation(landscape)") fails from now on, or only its n-th call
    // (counting from 1, from now) when nthCall > 0. A failing setter leaves the setting
    // as it was.
    void fail(const QString& operation, int nthCall = 0);

    // What happened, in order: "setPosition(7, 7)", "printText(\"Nom\", line end)", ...
    QStringList log;
    QList<Printed> texts;
    QList<Line> lines;
    int documentsEnded = 0;  // documents that held at least one page
    int pagesOut = 0;        // pages of all the ended documents

    // The texts printed on one page (counting from 0 in its document), in order.
    QList<Printed> textsOnPage(int page) const;

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
    QString printerName() const override { return name; }
    void setJobName(const QString& job, const QString& folder) override;
    QString jobName, jobFolder;  // as last named
    Status setShift(PointMm shift) override;

    PointMm position() const override { return m_position; }
    Status setPosition(PointMm where) override;
    Status printText(const QString& text, LineEnd lineEnd) override;
    Status drawLine(PointMm from, PointMm to) override;
    Status lineTo(PointMm to) override;
    Status drawImage(const QImage& image, RectMm where) override;
    Status endPage() override;
    Status endDocument() override;

private:
    // Logs the call; a failure when the call is scripted to fail.
    Status call(const QString& name, const QString& arguments);
    void output();

    struct Failure {
        int nthCall = 0;  // 0: every call
        int calls = 0;
    };
    QHash<QString, Failure> m_failures;
    PointMm m_position;
    bool m_open = false;
    bool m_pageHasOutput = false;
    bool m_newPageDue = false;
    int m_page = 0;
};
