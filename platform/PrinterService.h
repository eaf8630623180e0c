#pragma once
// The printer, as the program drives it: a measuring device for the preview and the
// output device of the print run. Every coordinate and measure is in millimetres from the
// top left corner of the printable area; every operation can fail with a French
// description for the user. The Qt implementation paints on a QPrinter; tests use a
// recording double that can refuse any setting or fail any operation.

#include "platform/Outcome.h"
#include "platform/Units.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

enum class PageOrientation { Portrait = 0, Landscape = 1 };
enum class LineEnd { No, Yes };

// A paper size a printer has, named as it names it and measured as it is fed: the width
// across the feed, the length along it. The margins are the edges it cannot print on.
struct PaperMedium {
    QString name; // the printer's own name for it, "iso_dl_110x220mm"; empty: any size
    Mm width, length;
    Mm top, bottom, left, right;
};

// Where a printer says a paper is loaded.
struct LoadedMedium {
    Mm width, length;
    QString source; // an IPP media-source keyword, "by-pass-tray"
};

// What a printer says of its paper. A PDF file, a preview or a queue whose server does
// not answer knows nothing of it, and takes any size from anywhere.
struct PrinterCapabilities {
    bool known = false;
    QList<PaperMedium> media;
    bool customSizes = false; // sizes beyond its list, within its limits
    QStringList sources;      // IPP media-source keywords, as it lists them
    QStringList inputSlots;   // a driver's own names for its sources, when it has a driver
    QStringList types;        // IPP media-type keywords
    QStringList driverTypes;  // a driver's own names for its media types
    QList<LoadedMedium> loaded;
};

// Which edge of a page laid sideways enters the printer first. An upright page enters by
// its top edge.
enum class FeedEdge { Right = 0, Left = 1 };

// A job handed to a printer queue, and what became of it.
struct PrintJob {
    QString queue;
    int id = 0;
};
struct JobOutcome {
    enum class State { Pending, Completed, Canceled, Aborted } state = State::Pending;
    QString reason; // in French, when the server gave one
};

// What a printer queue says of itself, before a job is sent to it.
struct QueueState {
    bool acceptingJobs = true; // false: the server refuses every job sent to it
    bool stopped = false;      // true: jobs wait in the queue until it is started again
};

class PrinterService {
public:
    virtual ~PrinterService() = default;

    // Unit. The program only ever uses millimetres, and says so before every measure and run.
    virtual Status setUnitMillimetres() = 0;

    // Font and text colour; the colour also draws lines.
    virtual Status setFontName(const QString& name) = 0;
    virtual Status setFontItalic(bool on) = 0;
    virtual Status setFontBold(bool on) = 0;
    virtual Status setFontUnderline(bool on) = 0;
    virtual Status setFontSize(double points) = 0;
    virtual Status setTextColour(const QColor& colour) = 0;

    // Measuring in the current font, without printing: a text of several lines (CR LF,
    // or lone LF) is as wide as its widest line and as high as all its lines.
    virtual Result<Mm> textWidth(const QString& text) = 0;
    virtual Result<Mm> textHeight(const QString& text) = 0;

    // Settings that a printer may refuse. Paper sizes travel as the service's own codes;
    // the program only stores and writes them back, except A4 which it sets by name.
    virtual Result<int> copies() = 0;
    virtual Status setCopies(int copies) = 0;
    virtual Result<int> paperSize() = 0;
    virtual Status setPaperSize(int code) = 0;
    virtual Status setPaperA4() = 0;
    virtual Result<PageOrientation> orientation() = 0;
    virtual Status setOrientation(PageOrientation orientation) = 0;
    // Height of the printable area of the current page, in the current orientation.
    virtual Result<Mm> printableHeight() = 0;
    // The page becomes the medium, the size of an envelope, sent by the printer's name for
    // it (a medium without a name: a page of that size, the printer's own choice), and as
    // the envelope media type where the printer has one.
    virtual Status setPaperMedium(const PaperMedium& medium) = 0;
    // Where the printer takes its paper from: an IPP media-source keyword or a driver's
    // input slot; empty lets the printer choose.
    virtual Status setPaperSource(const QString& source) = 0;
    // A page laid sideways reaches a printer queue already turned as the sheet enters,
    // never turned again by the queue's filters or by the printer, and never scaled.
    virtual Status setFeedEdge(FeedEdge edge) = 0;
    virtual PrinterCapabilities capabilities() { return {}; }

    // The printer as the user knows it: the key its alignment is kept under.
    virtual QString printerName() const = 0;
    // The state of the queue output goes to, as its server tells it now. A PDF file, a
    // preview, or a queue whose server does not answer, is always ready.
    virtual QueueState queueState() = 0;
    // The job the last document became, once handed to a queue; none for a file or a
    // preview.
    virtual std::optional<PrintJob> lastJob() const { return std::nullopt; }
    // What the server says of the job now.
    virtual JobOutcome jobOutcome(const PrintJob& job)
    {
        (void)job;
        return {JobOutcome::State::Completed, {}};
    }
    // Names the next print jobs after what they print ("Amis - enveloppes"), as the print
    // queue lists them; a print to a file is offered as that name, with ".pdf", in
    // `folder`. A printer without job names ignores it.
    virtual void setJobName(const QString& name, const QString& folder)
    {
        (void)name;
        (void)folder;
    }
    // Moves every item printed from now on by this much, right and down, to make up for a
    // printer that prints off its place. Zero unless set.
    virtual Status setShift(PointMm shift) = 0;

    // Output. The document opens with the first output and is handed to the printer by
    // endDocument(); an empty last page never comes out. endDocument() fails when the
    // document did not reach its end whole: a file not written in full (a file of that
    // name before stays as it was), a job the printer's server refused or dropped.
    virtual PointMm position() const = 0;
    virtual Status setPosition(PointMm where) = 0;
    // The text's top left corner sits at the current position. With a line end the
    // position then moves to x = 0, one line of the current font down; without one it
    // stays after the text.
    virtual Status printText(const QString& text, LineEnd lineEnd) = 0;
    virtual Status drawLine(PointMm from, PointMm to) = 0;
    virtual Status lineTo(PointMm to) = 0; // from the end of the last line drawn
    virtual Status drawImage(const QImage& image, RectMm where) = 0;
    virtual Status endPage() = 0;
    virtual Status endDocument() = 0;
};
