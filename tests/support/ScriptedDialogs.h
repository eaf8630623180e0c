#pragma once
// Dialogs that answer from a script instead of a person. Each kind of dialog takes its
// answers from its own queue, in order; a dialog shown with nothing scripted is counted
// as unexpected and answered as if cancelled, so a test can assert that none was shown.

#include "platform/Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString kind; // "question", "message", "open", "save", "font", "print", "setup", "preview", "shift"
        QString title;
        QString text; // a message's text
        MessageIcon icon = MessageIcon::Information;
        FileDialogRequest file;
    };

    QList<Answer> questionAnswers;
    QList<std::optional<QString>> openAnswers;
    QList<std::optional<QString>> saveAnswers;
    QList<std::optional<FontChoice>> fontAnswers;
    QList<bool> printAnswers;
    QList<bool> setupAnswers;

    // "Réglage de l'imprimante": the shift entered, or nothing for "Annuler". While the
    // dialog is open, onShiftDialog plays the user (a calibration print, say).
    QList<std::optional<PointMm>> shiftAnswers;
    QList<PrinterSetup> envelopeSetups; // with a shift answered; none: the set-up as kept
    std::function<void(const PrinterShiftRequest&)> onShiftDialog;
    QString lastShiftPrinter;

    // Progress dialogs: the texts they showed, in order. With progressCancelAt = k the
    // user presses "Annuler" while step k is under way (the k-th text shows); the job
    // hears it when it asks before step k + 1. onProgress runs at every step.
    int progressCancelAt = 0;
    QStringList progressTexts;
    std::function<void(int done)> onProgress;

    // The check before a print. Unscripted, the user prints anyway: most tests print
    // addresses made up for them, and are not about the check.
    QList<EnvelopeCheckAnswer> checkAnswers;
    EnvelopeCheckRequest lastCheck;
    // The mapping step of an import: the choices made, or nothing for "Annuler"; the
    // preview the dialog showed for them is kept.
    QList<std::optional<QList<int>>> mappingAnswers;
    QStringList lastMappingPreview;
    // Where an import's addresses come from. Unscripted, a file, as before address books
    // were offered; the books listed, and what shows in place of a book's contacts, are kept.
    QList<std::optional<AddressBookAnswer>> bookAnswers;
    QStringList lastBooks;
    QString lastBookError; // what the dialog shows in place of a book's contacts

    QList<Shown> shown; // in order
    int unexpected = 0;

    QList<Shown> shownOfKind(const QString& kind) const;
    QStringList messageTexts() const;

    Answer question(const QString& title, const QString& text) override
    {
        shown.append({QStringLiteral("question"), title, text, MessageIcon::Question, {}});
        return take(questionAnswers).value_or(Answer::Cancel);
    }
    void message(MessageIcon icon, const QString& title, const QString& text) override
    {
        shown.append({QStringLiteral("message"), title, text, icon, {}});
    }
    // Unscripted, "Annuler".
    QList<int> choiceAnswers;
    QStringList lastChoiceButtons;
    int choice(MessageIcon icon, const QString& title, const QString& text,
               const QStringList& buttons) override
    {
        shown.append({QStringLiteral("choice"), title, text, icon, {}});
        lastChoiceButtons = buttons;
        return take(choiceAnswers).value_or(-1);
    }
    std::optional<QString> openFile(const FileDialogRequest& request) override
    {
        shown.append({QStringLiteral("open"), request.title, {}, MessageIcon::Information, request});
        return take(openAnswers).value_or(std::nullopt);
    }
    std::optional<QString> saveFile(const FileDialogRequest& request) override
    {
        shown.append({QStringLiteral("save"), request.title, {}, MessageIcon::Information, request});
        return take(saveAnswers).value_or(std::nullopt);
    }
    std::optional<FontChoice> chooseFont(const FontChoice&) override
    {
        shown.append({QStringLiteral("font"), {}, {}, MessageIcon::Information, {}});
        return take(fontAnswers).value_or(std::nullopt);
    }
    bool printDialog(PrinterService&) override { return accepted(QStringLiteral("print"), printAnswers); }
    bool printerSetupDialog(PrinterService&) override
    {
        return accepted(QStringLiteral("setup"), setupAnswers);
    }
    bool printPreview(PrinterService& printer, const PreviewRequest& request) override;
    std::optional<PrinterShiftAnswer> printerShiftDialog(const PrinterShiftRequest& request) override;
    std::unique_ptr<Progress> progress(const QString& title, int total) override;
    EnvelopeCheckAnswer envelopeCheck(const EnvelopeCheckRequest& request) override;
    std::optional<QList<int>> columnMapping(const ColumnMappingRequest& request) override;
    std::optional<AddressBookAnswer> addressBookImport(const AddressBookRequest& request) override;

private:
    template <typename T> std::optional<T> take(QList<T>& queue)
    {
        if (queue.isEmpty()) {
            ++unexpected;
            return std::nullopt;
        }
        return queue.takeFirst();
    }
    bool accepted(const QString& kind, QList<bool>& answers)
    {
        shown.append({kind, {}, {}, MessageIcon::Information, {}});
        return take(answers).value_or(false);
    }
};
