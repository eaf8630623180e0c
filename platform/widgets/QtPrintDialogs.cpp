#include "platform/widgets/GardeSortieFichier.h"
#include "platform/widgets/PreparationDialogueImpression.h"
#include "platform/widgets/QtPrinterService.h"
#include "platform/widgets/QtStandardDialogs.h"

#include <QComboBox>
#include <QEvent>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

// Both dialogs work on the QPrinter of the Qt printing service: what the user chooses
// there (printer, file, copies, paper, orientation) is what the next print uses. Both
// leave the printer painting on the full page, which the service's geometry rests on.

namespace {
// Qt's dialogs change the printer as the user moves through them, and a cancelled
// dialog does not undo it: the printer is put back as it was before the dialog opened.
class PrinterSnapshot {
public:
    explicit PrinterSnapshot(const QPrinter& printer)
        : m_format(printer.outputFormat()), m_name(printer.printerName()), m_file(printer.outputFileName()),
          m_copies(printer.copyCount()), m_collate(printer.collateCopies()), m_page(printer.pageLayout())
    {
    }

    void restore(QPrinter& printer) const
    {
        if (m_format == QPrinter::NativeFormat) {
            printer.setOutputFileName(QString());
            printer.setPrinterName(m_name);
        } else {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_file);
        }
        printer.setPageLayout(m_page);
        printer.setCopyCount(m_copies);
        printer.setCollateCopies(m_collate);
    }

private:
    QPrinter::OutputFormat m_format;
    QString m_name;
    QString m_file;
    int m_copies;
    bool m_collate;
    QPageLayout m_page;
};
} // namespace

bool QtStandardDialogs::printDialog(PrinterService& printer)
{
    auto* service = dynamic_cast<QtPrinterService*>(&printer);
    if (!service)
        return false;
    QPrinter& qprinter = service->printer();
    const bool toFile =
        qprinter.outputFormat() == QPrinter::PdfFormat && !qprinter.outputFileName().isEmpty();
    const PrinterSnapshot before(qprinter);
    QPrintDialog dialog(&qprinter, m_parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer"));
    // One page per envelope, all of them: no page range and no selection to choose.
    // Printing to a PDF file stays offered: it is how envelopes reach a print shop, or
    // paper without a printer installed.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    GardeSortieFichier::sur(dialog, toFile);
    PreparationDialogueImpression::sur(dialog, service->proposedOutputFile());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (!accepted)
        before.restore(qprinter);
    qprinter.setFullPage(true);
    return accepted;
}

bool QtStandardDialogs::printerSetupDialog(PrinterService& printer)
{
    auto* service = dynamic_cast<QtPrinterService*>(&printer);
    if (!service)
        return false;
    const PrinterSnapshot before(service->printer());
    QPageSetupDialog dialog(&service->printer(), m_parent);
    dialog.setWindowTitle(QStringLiteral("Configuration de l'impression"));
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (!accepted)
        before.restore(service->printer());
    service->printer().setFullPage(true);
    return accepted;
}
