#pragma once
// The real dialogs that are the platform's own: Qt's message boxes, file, font, print,
// printer set-up and preview dialogs, and the progress window. The dialogs of the
// program's features (the envelope check, the printer alignment, the import's columns)
// live beside their features, and the program's QtDialogs puts them all together.

#include "platform/Dialogs.h"

class QWidget;

class QtStandardDialogs : public Dialogs {
public:
    explicit QtStandardDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer question(const QString& title, const QString& text) override;
    void message(MessageIcon icon, const QString& title, const QString& text) override;
    int choice(MessageIcon icon, const QString& title, const QString& text,
               const QStringList& buttons) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    bool printDialog(PrinterService& printer) override;        // QtPrintDialogs.cpp
    bool printerSetupDialog(PrinterService& printer) override; // QtPrintDialogs.cpp
    bool printPreview(PrinterService& printer,
                      const PreviewRequest& request) override;                    // QtPreviewDialogs.cpp
    std::unique_ptr<Progress> progress(const QString& title, int total) override; // QtPreviewDialogs.cpp

    // "Description (*.EXT)|*.EXT" as a Qt name filter, "Description (*.EXT)"; the file
    // dialogs match it in any case.
    static QString qtNameFilter(const QString& designedFilter);

protected:
    QWidget* parentWidget() const { return m_parent; }

private:
    QWidget* m_parent;
};
