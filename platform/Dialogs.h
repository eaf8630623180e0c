#pragma once
// Every modal dialog the program shows goes through this interface: QtDialogs shows the
// real ones, and tests script the answers, so that refusals and cancellations run in CI.

#include <QColor>
#include <QString>
#include <optional>

class PrinterService;

enum class Answer { Yes, No, Cancel };
enum class MessageIcon { Information, Exclamation, Question, Critical };

struct FileDialogRequest {
    QString title;
    // In the designed form "Description (*.EXT)|*.EXT"; the extension matches in any case.
    QString filter;
    QString defaultSuffix;  // without the dot, "PLV"
    QString initialPath;    // the file name (or full path) offered
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

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Question box with the question icon and Yes, No and Cancel.
    virtual Answer question(const QString& title, const QString& text) = 0;
    // Message box with one OK button. Lines in text are joined with CR LF.
    virtual void message(MessageIcon icon, const QString& title, const QString& text) = 0;

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
};
