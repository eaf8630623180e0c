// The print and printer set-up dialogs on the Qt printing service: the copies the
// dialog opens with and hands back, a print to file kept from one print to the next, and
// the full-page painting the service's geometry rests on.
#include "platform/QtDialogs.h"
#include "platform/QtPrinterService.h"

#include <QComboBox>
#include <QDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {
// Plays the user in the next modal dialog, then closes it with OK or Cancel.
void pendantLeDialogue(bool accepte, std::function<void(QDialog&)> geste = {})
{
    QTimer::singleShot(0, [accepte, geste] {
        auto* dialogue = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialogue);
        if (geste)
            geste(*dialogue);
        accepte ? dialogue->accept() : dialogue->reject();
    });
}
}  // namespace

class TestPlatformPrinterDialogs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void printDialogOpensOnTheCopiesAndHandsThemBack()
    {
        QtPrinterService service;
        const QString chemin = m_dir.filePath(u"dialogue.pdf"_qs);
        QVERIFY(service.setOutputFileName(chemin));
        QVERIFY(service.setCopies(3));
        QtDialogs dialogs;
        int copiesMontrees = 0;
        QString sortieMontree;
        pendantLeDialogue(true, [&](QDialog& d) {
            auto* copies = d.findChild<QSpinBox*>(u"copies"_qs);
            QVERIFY(copies);
            copiesMontrees = copies->value();
            copies->setValue(5);
            sortieMontree = d.findChild<QComboBox*>(u"printers"_qs)->currentText();
        });
        QVERIFY(dialogs.printDialog(service));
        QCOMPARE(copiesMontrees, 3);
        QVERIFY(sortieMontree.startsWith(u"Print to File"_qs) || sortieMontree.startsWith(u"Imprimer dans un fichier"_qs));
        QCOMPARE(service.copies().value(), 5);
        QCOMPARE(service.printer().outputFormat(), QPrinter::PdfFormat);
        QCOMPARE(service.printer().outputFileName(), chemin);
        QVERIFY(service.printer().fullPage());

        // Cancelled, the dialog leaves the printer as it was: still the same file.
        pendantLeDialogue(false, [](QDialog& d) { d.findChild<QComboBox*>(u"printers"_qs)->setCurrentIndex(0); });
        QVERIFY(!dialogs.printDialog(service));
        QVERIFY(service.printer().fullPage());
        QCOMPARE(service.printer().outputFormat(), QPrinter::PdfFormat);
        QCOMPARE(service.printer().outputFileName(), chemin);
        QCOMPARE(service.copies().value(), 5);
    }

    void setupDialogAnswersOkAndCancel()
    {
        QtPrinterService service;
        QVERIFY(service.setOutputFileName(m_dir.filePath(u"reglage.pdf"_qs)));
        QtDialogs dialogs;
        pendantLeDialogue(true);
        QVERIFY(dialogs.printerSetupDialog(service));
        QVERIFY(service.printer().fullPage());
        pendantLeDialogue(false);
        QVERIFY(!dialogs.printerSetupDialog(service));
    }
};

QTEST_MAIN(TestPlatformPrinterDialogs)
#include "test_platform_printer_dialogs.moc"
