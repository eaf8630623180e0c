#include "platform/QtDialogs.h"
#include "platform/QtPrinterService.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

// Both dialogs work on the QPrinter of the Qt printing service: what the user chooses
// there (printer, file, copies, paper, orientation) is what the next print uses.

bool QtDialogs::printDialog(PrinterService& printer)
{
    auto* service = dynamic_cast<QtPrinterService*>(&printer);
    if (!service)
        return false;
    QPrintDialog dialog(&service->printer(), m_parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer"));
    // One page per envelope, all of them: no page range and no selection to choose.
    // Printing to a PDF file stays offered: it is how envelopes reach a print shop, or
    // paper without a printer installed.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    service->printer().setFullPage(true);
    return accepted;
}

bool QtDialogs::printerSetupDialog(PrinterService& printer)
{
    auto* service = dynamic_cast<QtPrinterService*>(&printer);
    if (!service)
        return false;
    QPageSetupDialog dialog(&service->printer(), m_parent);
    dialog.setWindowTitle(QStringLiteral("Configuration de l'impression"));
    const bool accepted = dialog.exec() == QDialog::Accepted;
    service->printer().setFullPage(true);
    return accepted;
}
