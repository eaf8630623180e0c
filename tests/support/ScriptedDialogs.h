#pragma once
// Dialogs that answer from a script instead of a person. Each kind of dialog takes its
// answers from its own queue, in order; a dialog shown with nothing scripted is recorded
// as unexpected and answered as if cancelled, so a test can assert that none was shown.

#include "platform/Dialogs.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString kind;   // "question", "message", "open", "save", "font", "print", "setup"
        QString title;
        QString text;   // message text, or the filter of a file dialog
        MessageIcon icon = MessageIcon::Information;
        FileDialogRequest file;
    };

    // Scripting.
    QList<Answer> questionAnswers;
    QList<std::optional<QString>> openAnswers;
    QList<std::optional<QString>> saveAnswers;
    QList<std::optional<FontChoice>> fontAnswers;
    QList<bool> printAnswers;
    QList<bool> setupAnswers;
    // Runs while the print or set-up dialog is "open", to play the user's changes.
    std::function<void(PrinterService&)> onPrintDialog;
    std::function<void(PrinterService&)> onSetupDialog;

    // The print preview paints its pages on previewPrinter (on the printer it is handed
    // when null), then the user prints from it (true: the pages are painted there once
    // more, as Qt's preview does after its print dialog) or closes it.
    QList<bool> previewAnswers;
    PrinterService* previewPrinter = nullptr;
    std::function<void(PrinterService&)> onPreview;  // runs while the preview shows its pages
    QImage lastPreviewPicture;
    QString lastPreviewCaption;

    // "Réglage de l'imprimante": the shift entered, or nothing for "Annuler". While the
    // dialog is open, onShiftDialog plays the user (a calibration print, say); what the
    // dialog showed when it closed is kept.
    QList<std::optional<PointMm>> shiftAnswers;
    std::function<void(const PrinterShiftRequest&)> onShiftDialog;
    QString lastShiftPrinter;
    PointMm lastShiftShown;

    // Progress dialogs: the texts they showed, in order. With progressCancelAt = k the
    // user presses "Annuler" while step k is under way (the k-th text shows); the job
    // hears it when it asks before step k + 1. onProgress runs at every step.
    int progressCancelAt = 0;
    int progressDialogs = 0;
    QStringList progressTexts;
    std::function<void(int done)> onProgress;

    // The mapping step of an import: the choices made, or nothing for "Annuler"; the
    // preview the dialog showed for them is kept.
    QList<std::optional<QList<int>>> mappingAnswers;
    QStringList lastMappingPreview;

    // What was shown, in order.
    QList<Shown> shown;
    int unexpected = 0;
    std::optional<FontChoice> lastFontInitial;

    QList<Shown> shownOfKind(const QString& kind) const;
    QStringList messageTexts() const;

    Answer question(const QString& title, const QString& text) override;
    void message(MessageIcon icon, const QString& title, const QString& text) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    bool printDialog(PrinterService& printer) override;
    bool printerSetupDialog(PrinterService& printer) override;
    bool printPreview(PrinterService& printer, const PreviewRequest& request) override;
    std::optional<PointMm> printerShiftDialog(const PrinterShiftRequest& request) override;
    std::unique_ptr<Progress> progress(const QString& title, int total) override;
    std::optional<QList<int>> columnMapping(const ColumnMappingRequest& request) override;
};
