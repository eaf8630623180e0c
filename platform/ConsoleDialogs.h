#pragma once
// The dialogs of a print run without a window, for scripts: nobody is there to answer.
// Messages go to standard error as French lines, each starting "plivane : "; the print
// dialog is confirmed as it stands and every other dialog is cancelled, so that the run
// prints with the printer as the command line chose it. Progress shows on standard
// error, when that is a terminal a person watches.

#include "platform/Dialogs.h"

#include <cstdio>

class ConsoleDialogs : public Dialogs {
public:
    // Progress shows on `progres` when it is a terminal; messages go to `erreurs`.
    explicit ConsoleDialogs(std::FILE* erreurs = stderr, std::FILE* progres = stderr);

    // A message's lines as they are written, each starting "plivane : ".
    static QString Lignes(const QString& text);

    bool hasWindows() const override { return false; }
    Answer question(const QString& title, const QString& text) override;
    int choice(MessageIcon icon, const QString& title, const QString& text,
               const QStringList& buttons) override;
    void message(MessageIcon icon, const QString& title, const QString& text) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    bool printDialog(PrinterService& printer) override;
    bool printerSetupDialog(PrinterService& printer) override;
    bool printPreview(PrinterService& printer, const PreviewRequest& request) override;
    std::optional<PrinterShiftAnswer> printerShiftDialog(const PrinterShiftRequest& request) override;
    std::unique_ptr<Progress> progress(const QString& title, int total) override;
    // Said on standard error, and the print goes on: a script asked for these envelopes.
    EnvelopeCheckAnswer envelopeCheck(const EnvelopeCheckRequest& request) override;
    std::optional<QList<int>> columnMapping(const ColumnMappingRequest& request) override;
    std::optional<AddressBookAnswer> addressBookImport(const AddressBookRequest& request) override;

private:
    std::FILE* m_erreurs;
    std::FILE* m_progres;
};
