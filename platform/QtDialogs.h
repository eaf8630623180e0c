#pragma once
// The real dialogs: Qt's message boxes, file, font, print and printer set-up dialogs.

#include "platform/Dialogs.h"

class QWidget;

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer question(const QString& title, const QString& text) override;
    void message(MessageIcon icon, const QString& title, const QString& text) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    bool printDialog(PrinterService& printer) override;         // QtPrintDialogs.cpp
    bool printerSetupDialog(PrinterService& printer) override;  // QtPrintDialogs.cpp
    bool printPreview(PrinterService& printer, const PreviewRequest& request) override;  // QtPreviewDialogs.cpp
    std::optional<PointMm> printerShiftDialog(const PrinterShiftRequest& request) override;  // QtPreviewDialogs.cpp
    std::unique_ptr<Progress> progress(const QString& title, int total) override;  // QtPreviewDialogs.cpp
    EnvelopeCheckAnswer envelopeCheck(const EnvelopeCheckRequest& request) override; // EnvelopeCheckDialog.cpp
    std::optional<QList<int>> columnMapping(const ColumnMappingRequest& request) override;  // QtColumnMapping.cpp

    // "Description (*.EXT)|*.EXT" as a Qt name filter, "Description (*.EXT)"; the file
    // dialogs match it in any case.
    static QString qtNameFilter(const QString& designedFilter);

private:
    QWidget* m_parent;
};
