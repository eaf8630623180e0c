#pragma once
// Every modal dialog the program shows goes through this interface: QtDialogs shows the
// real ones, and tests script the answers, so that refusals and cancellations run in CI.

#include "platform/Outcome.h"
#include "platform/PrinterService.h"
#include "platform/Progress.h"
#include "platform/Units.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class PrinterService;

enum class Answer { Yes, No, Cancel };
enum class MessageIcon { Information, Exclamation, Question, Critical };

struct FileDialogRequest {
    QString title;
    // In the designed form "Description (*.EXT)|*.EXT"; the extension matches in any case.
    QString filter;
    QString defaultSuffix; // without the dot, "PLV"
    QString initialPath;   // the file name (or full path) offered
    bool folder = false;   // a folder is chosen, not a file; the filter is unused
};

// The six values a block's font is made of, and the strike-out the dialog also offers
// (which the program never applies).
struct FontChoice {
    QString name;
    double pointSize = 0.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QColor colour;
    bool operator==(const FontChoice&) const = default;
};

// A print preview: `paint` draws every page on the printer it is handed, as often as the
// preview needs it (and once more when the user prints from the preview); `prepare` runs
// once before, on the same printer, and may decide that there is nothing to show.
struct PreviewRequest {
    QString title;
    QImage picture; // shown beside the pages, with its caption
    QString pictureCaption;
    std::function<bool(PrinterService&)> prepare;
    std::function<void(PrinterService&)> paint;
};

// The printer alignment dialog. The printer's name and kept shift are asked again after
// each calibration print, whose print dialog may choose another printer.
// How a printer takes envelopes, as the set-up dialog shows it.
struct PrinterSetup {
    int paper = 0;  // index in PrinterShiftRequest::papers
    QString source; // a key of PrinterShiftRequest::sources; empty: the printer's choice
    FeedEdge feedEdge = FeedEdge::Right;
    bool operator==(const PrinterSetup&) const = default;
};

struct PrinterShiftRequest {
    std::function<QString()> printerName;
    std::function<PointMm()> storedShift;
    std::function<PrinterSetup()> storedSetup;
    // The sources of the printer named now: each keyword with its name for the user, the
    // printer's own choice (an empty keyword) first.
    std::function<QList<QPair<QString, QString>>()> sources;
    QStringList papers;    // the names of the papers
    QStringList feedEdges; // the names of the feed edges, by FeedEdge
    // Prints the calibration page for the set-up shown in the dialog.
    std::function<void(const PrinterSetup&)> printCalibration;
    Mm limit = Mm(20); // the largest shift either way
};

struct PrinterShiftAnswer {
    PointMm shift;
    PrinterSetup setup;
};

// The check before a print: the envelopes that would break the postal norm or be cut, one
// row each (what names the address, what is wrong with it). The user prints anyway, gives
// up, or opens one of them for editing.
struct EnvelopeCheckRequest {
    QString title;
    QString text; // above the rows
    struct Row {
        QString address;
        QString problems;
    };
    QList<Row> rows;
    // Before a print the window offers to print anyway; asked for from the list, it only
    // offers to edit or to close.
    bool beforePrint = true;
    // "Réduire à 14 pt": the largest recipient font size at which every envelope fits, when
    // the size is what keeps them from it; empty otherwise.
    QString reduce;
};
struct EnvelopeCheckAnswer {
    enum class Action { PrintAnyway, Cancel, Edit, Reduce };
    Action action = Action::Cancel;
    int row = -1; // with Edit, the row chosen
};

// The columns of an imported file the program cannot name: for each title the user
// picks one of `choices` (indices into it, one per title), seeing the first addresses as
// they will be listed.
struct ColumnMappingRequest {
    QString title;
    QStringList headers;
    QStringList choices;
    QList<int> initial;
    std::function<QStringList(const QList<int>&)> preview; // the first entries, as shown in the list
};

// "Importer...": a file, a folder of vCard files, or one of the address books found on
// this desktop, listed with their number of contacts; a book picked shows its contacts
// (name and town), all ticked, with a search field.
struct AddressBookRequest {
    struct Contact {
        QString name, town;
    };
    QString title;
    QStringList books; // as listed, each with its count
    int initial = -1;  // the book shown first, or none
    // A book's contacts, asked for when it is shown; an error is shown in their place.
    std::function<Result<QList<Contact>>(int book)> contacts;
};

struct AddressBookAnswer {
    enum class Source { File, Folder, Book };
    Source source = Source::File;
    int book = -1;
    QList<int> ticked; // with Book: indices into its contacts, in their order
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Whether a person answers in windows; a run without one must never point to a window.
    virtual bool hasWindows() const { return true; }

    // Question box with the question icon and Yes, No and Cancel.
    virtual Answer question(const QString& title, const QString& text) = 0;
    // Message box with one OK button. Lines in text are joined with CR LF.
    virtual void message(MessageIcon icon, const QString& title, const QString& text) = 0;
    // Message box whose answers are the buttons named, the first the default, then
    // "Annuler": the index of the button pressed, or -1 for "Annuler".
    virtual int choice(MessageIcon icon, const QString& title, const QString& text,
                       const QStringList& buttons) = 0;

    // File dialogs give the chosen full path, or nothing when cancelled. The save dialog
    // asks before replacing an existing file.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;

    // Scalable faces only, with a text colour; nothing when cancelled.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;

    // The print dialog (copies preset from the printer) and the printer set-up dialog
    // (printer, paper size, orientation); what the user chooses goes to the printer.
    // False when cancelled.
    virtual bool printDialog(PrinterService& printer) = 0;
    virtual bool printerSetupDialog(PrinterService& printer) = 0;

    // The print preview, on a copy of `printer`'s settings: whatever the preview and the
    // print from it change stays off the printer itself. True when the user printed.
    virtual bool printPreview(PrinterService& printer, const PreviewRequest& request) = 0;
    // "Réglage de l'imprimante": the shift right and down entered for the printer that
    // request.printerName() names when the user confirms; nothing when cancelled.
    virtual std::optional<PrinterShiftAnswer> printerShiftDialog(const PrinterShiftRequest& request) = 0;
    // The envelopes to look at before printing: "Imprimer quand même", "Annuler", or one
    // of them opened for editing.
    virtual EnvelopeCheckAnswer envelopeCheck(const EnvelopeCheckRequest& request) = 0;
    // The mapping step of an import: one choice per header, or nothing when cancelled.
    virtual std::optional<QList<int>> columnMapping(const ColumnMappingRequest& request) = 0;
    // Where an import's addresses come from; nothing when cancelled.
    virtual std::optional<AddressBookAnswer> addressBookImport(const AddressBookRequest& request) = 0;
    // A progress dialog over `total` steps, with "Annuler".
    virtual std::unique_ptr<Progress> progress(const QString& title, int total) = 0;
};
