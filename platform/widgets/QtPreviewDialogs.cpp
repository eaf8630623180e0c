#include "platform/widgets/GardeSortieFichier.h"
#include "platform/widgets/PreparationDialogueImpression.h"
#include "platform/widgets/QtPrinterService.h"
#include "platform/widgets/QtProgress.h"
#include "platform/widgets/QtStandardDialogs.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace {
// The pages' orientation is the envelope's feed, chosen in the main window: the preview's
// own portrait and landscape buttons would only show pages the run never prints. They are
// the only actions wired to the preview widget itself.
void sansChoixDOrientation(QPrintPreviewDialog& dialog)
{
    auto* pages = dialog.findChild<QPrintPreviewWidget*>();
    if (!pages)
        return;
    for (QAction* action : dialog.findChildren<QAction*>())
        if (QObject::disconnect(action, nullptr, pages, nullptr))
            action->setVisible(false);
}

// The feed picture beside the pages: how the envelope goes into the printer for them.
// It is drawn for the main window's small frame; here it shows twice as large, its lines
// kept sharp.
void ajouteImage(QPrintPreviewDialog& dialog, const QImage& image, const QString& legende)
{
    if (image.isNull())
        return;
    auto* vue = new QLabel;
    vue->setObjectName(QStringLiteral("ImageAlimentation"));
    vue->setPixmap(
        QPixmap::fromImage(image.scaled(image.size() * 2, Qt::KeepAspectRatio, Qt::FastTransformation)));
    vue->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    vue->setAccessibleName(legende);
    vue->setToolTip(legende);
    vue->setMargin(8);
    vue->setMinimumWidth(vue->fontMetrics().horizontalAdvance(legende) + 24);

    if (auto* fenetre = dialog.findChild<QMainWindow*>()) {
        auto* panneau = new QDockWidget(legende, fenetre);
        panneau->setObjectName(QStringLiteral("Alimentation"));
        panneau->setFeatures(QDockWidget::NoDockWidgetFeatures);
        panneau->setWidget(vue);
        fenetre->addDockWidget(Qt::RightDockWidgetArea, panneau);
    } else if (dialog.layout()) {
        vue->setParent(&dialog);
        dialog.layout()->addWidget(vue);
    } else {
        delete vue;
    }
}
} // namespace

bool QtStandardDialogs::printPreview(PrinterService& printer, const PreviewRequest& request)
{
    auto* service = dynamic_cast<QtPrinterService*>(&printer);
    if (!service || !request.paint)
        return false;
    // The preview works on a copy of the printer: the run's paper and orientation, and
    // whatever the user chooses in the preview's own print dialog, stay there.
    QtPrinterService copie;
    copie.takeSettingsOf(*service);
    if (request.prepare && !request.prepare(copie))
        return false;

    QPrintPreviewDialog dialog(&copie.printer(), m_parent);
    dialog.setWindowTitle(request.title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter*) {
        request.paint(copie);
        copie.printer().setFullPage(true);
    });
    // The preview's own print dialog keeps a file chosen for the last print.
    GardeSortieFichier::surLesDialoguesDe(dialog, copie.printer().outputFormat() == QPrinter::PdfFormat &&
                                                      !copie.printer().outputFileName().isEmpty());
    PreparationDialogueImpression::surLesDialoguesDe(dialog, copie.proposedOutputFile());
    sansChoixDOrientation(dialog);
    ajouteImage(dialog, request.picture, request.pictureCaption);
    return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<Progress> QtStandardDialogs::progress(const QString& title, int total)
{
    return std::make_unique<QtProgress>(m_parent, title, total);
}
