// The Qt printing service printing to PDF, read back with Poppler: an image at its place
// from the sheet's corner, failures said in French. And its dialogs, played through: the
// print dialog opens on the copies and keeps a print to file; the preview shows the feed
// picture beside its pages; the alignment dialog shows the printer's kept shift and follows
// a calibration print to another printer; the progress dialog hears "Annuler"; the mapping
// step of an import previews the user's choices, "Importer" hands them back, "Annuler" none.
#include "platform/QtDialogs.h"
#include "platform/QtPrinterService.h"
#include "platform/QtProgress.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/DialogueModal.h"

#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

constexpr double kDpi = 300;

class TestPlatformPrinter : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString fichier(const QString& nom) const { return m_dir.filePath(nom); }

private slots:
    void imagesAreScaledToTheirPlace()
    {
        QtPrinterService service;
        QVERIFY(service.setOutputFileName(fichier(u"image.pdf"_qs)));
        QImage noir(4, 2, QImage::Format_RGB32);
        noir.fill(Qt::black);
        QVERIFY(service.drawImage(noir, RectMm{Mm(100), Mm(100), Mm(20), Mm(10)}));
        QVERIFY(service.endDocument());
        // From the sheet's corner, 3 mm in from the printable area's; 20 x 10 mm.
        const QImage page = pdf::rendu(*pdf::ouvre(fichier(u"image.pdf"_qs)), 0, kDpi);
        QVERIFY(pdf::encre(page, kDpi, 122, 112));
        QVERIFY(!pdf::encre(page, kDpi, 124, 104));
        QVERIFY(!pdf::encre(page, kDpi, 104, 114));
    }

    void failuresSayWhyInFrench()
    {
        QtPrinterService sansFichier;
        sansFichier.printer().setOutputFileName(QString());  // (a printer queue, if there is one)
        sansFichier.printer().setOutputFormat(QPrinter::PdfFormat);  // then the PDF printer, with no file
        const Status rien = sansFichier.printText(u"x"_qs, LineEnd::No);
        QVERIFY(!rien);
        QVERIFY(rien.error().startsWith(u"Aucune imprimante n'est installée"_qs));

        QtPrinterService dossierAbsent;
        QVERIFY(dossierAbsent.setOutputFileName(fichier(u"absent/x.pdf"_qs)));
        const Status ecrit = dossierAbsent.drawLine({}, {Mm(1), Mm(1)});
        QVERIFY(!ecrit);
        QVERIFY(ecrit.error().startsWith(u"Impossible d'écrire le fichier"_qs));
        QVERIFY(dossierAbsent.endDocument());  // nothing was opened, nothing to end

        QtPrinterService service;
        QCOMPARE(service.setPaperSize(-4).error(), u"Format de papier inconnu (code -4)."_qs);
        QVERIFY(!service.selectPrinter(u"Plivane-aucune-imprimante-de-ce-nom"_qs));
    }

    // In the dialogs, the checks run while the user would see them.

    void printDialogOpensOnTheCopiesAndKeepsTheFile()
    {
        QtPrinterService service;
        const QString chemin = m_dir.filePath(u"dialogue.pdf"_qs);
        QVERIFY(service.setOutputFileName(chemin));
        QVERIFY(service.setCopies(3));
        QtDialogs dialogs;
        pendantLeDialogue(
            [](QDialog& d) {
                auto* copies = d.findChild<QSpinBox*>(u"copies"_qs);
                QCOMPARE(copies->value(), 3);
                copies->setValue(5);
                const QString sortie = d.findChild<QComboBox*>(u"printers"_qs)->currentText();
                QVERIFY2(sortie.startsWith(u"Print to File"_qs) ||
                             sortie.startsWith(u"Imprimer dans un fichier"_qs),
                         qPrintable(sortie));
            },
            true);
        QVERIFY(dialogs.printDialog(service));
        QCOMPARE(service.copies().value(), 5);

        // Cancelled, the dialog leaves the printer as it was: still the same file, full page.
        pendantLeDialogue([](QDialog& d) { d.findChild<QComboBox*>(u"printers"_qs)->setCurrentIndex(0); });
        QVERIFY(!dialogs.printDialog(service));
        QVERIFY(service.printer().fullPage());
        QCOMPARE(service.printer().outputFileName(), chemin);
        QCOMPARE(service.copies().value(), 5);
    }

    void previewShowsTheFeedPictureBesideThePages()
    {
        QtPrinterService service;
        QVERIFY(service.setOutputFileName(m_dir.filePath(u"rien.pdf"_qs)));
        QtDialogs dialogs;
        PreviewRequest requete;
        requete.title = u"Aperçu avant impression"_qs;
        requete.picture = QImage(40, 20, QImage::Format_RGB32);
        requete.pictureCaption = u"Introduction de l'enveloppe"_qs;
        requete.prepare = [](PrinterService& p) { return bool(p.setOrientation(PageOrientation::Landscape)); };
        requete.paint = [](PrinterService& p) { (void)(p.drawLine({}, {Mm(50), Mm(0)}) && p.endDocument()); };
        pendantLeDialogue([](QDialog& d) {
            QCOMPARE(d.windowTitle(), u"Aperçu avant impression"_qs);
            QCOMPARE(d.findChild<QPrintPreviewWidget*>()->pageCount(), 1);
            QVERIFY(!d.findChild<QLabel*>(u"ImageAlimentation"_qs)->pixmap().isNull());
            QCOMPARE(d.findChild<QDockWidget*>(u"Alimentation"_qs)->windowTitle(), u"Introduction de l'enveloppe"_qs);
        });
        QVERIFY(!dialogs.printPreview(service, requete));
        QCOMPARE(service.orientation().value(), PageOrientation::Portrait);  // the preview worked on a copy
    }

    void shiftDialogShowsTheKeptShiftAndFollowsTheCalibration()
    {
        QtDialogs dialogs;
        QString imprimante = u"Bureau"_qs;
        PrinterShiftRequest requete;
        requete.printerName = [&] { return imprimante; };
        requete.storedShift = [&] { return imprimante == u"Bureau"_qs ? PointMm{Mm(1.5), Mm(-0.5)} : PointMm{Mm(3), Mm(0)}; };
        requete.printCalibration = [&] { imprimante = u"Atelier"_qs; };  // chosen in the calibration's print dialog
        pendantLeDialogue(
            [](QDialog& d) {
                QCOMPARE(d.windowTitle(), u"Réglage de l'imprimante"_qs);
                auto* nom = d.findChild<QLabel*>(u"NomImprimante"_qs);
                auto* droite = d.findChild<QDoubleSpinBox*>(u"DecalageDroite"_qs);
                auto* bas = d.findChild<QDoubleSpinBox*>(u"DecalageBas"_qs);
                QCOMPARE(nom->text(), u"Imprimante : Bureau"_qs);
                QCOMPARE(droite->value(), 1.5);
                QCOMPARE(bas->value(), -0.5);
                d.findChild<QPushButton*>(u"Calibrage"_qs)->click();
                QCOMPARE(nom->text(), u"Imprimante : Atelier"_qs);
                QCOMPARE(droite->value(), 3.0);
                droite->setValue(2.54);
                bas->setValue(-25); // beyond the limit
            },
            true);
        QCOMPARE(dialogs.printerShiftDialog(requete), std::optional(PointMm{Mm(2.5), Mm(-20)}));
        QCOMPARE(imprimante, u"Atelier"_qs);
        pendantLeDialogue({});
        QVERIFY(!dialogs.printerShiftDialog(requete));
    }

    void progressHearsAnnuler()
    {
        QtProgress suivi(nullptr, u"Impression"_qs, 10);
        QProgressDialog& d = suivi.dialog();
        QCOMPARE(d.windowModality(), Qt::ApplicationModal);
        QVERIFY(suivi.advance(0, u"Impression de l'enveloppe 1 sur 10"_qs));
        QCOMPARE(d.labelText(), u"Impression de l'enveloppe 1 sur 10"_qs);
        d.cancel();
        QVERIFY(!suivi.advance(1, u"Impression de l'enveloppe 2 sur 10"_qs));
    }

    void columnMappingPreviewsTheChoices_data()
    {
        QTest::addColumn<bool>("accepte");
        QTest::newRow("Importer") << true;
        QTest::newRow("Annuler") << false;
    }
    void columnMappingPreviewsTheChoices()
    {
        QFETCH(bool, accepte);
        ColumnMappingRequest demande;
        demande.title = u"Importer des adresses"_qs;
        demande.headers = {u"A"_qs, u"B"_qs};
        demande.choices = {u"Laisser de côté"_qs, u"Rue"_qs};
        demande.initial = {1, 1};
        demande.preview = [](const QList<int>& choix) {
            return QStringList{QString::number(choix.value(0)) + QString::number(choix.value(1))};
        };
        QString apercu;
        pendantLeDialogue(
            [&](QDialog& d) {
                const auto listes = d.findChildren<QComboBox*>();
                QCOMPARE(listes.size(), 2);
                listes[1]->setCurrentIndex(0);
                apercu = d.findChild<QPlainTextEdit*>()->toPlainText();
            },
            accepte);
        const std::optional<QList<int>> choix = QtDialogs().columnMapping(demande);
        QCOMPARE(apercu, u"10"_qs);
        QCOMPARE(choix, accepte ? std::optional(QList<int>{1, 0}) : std::nullopt);
    }
};

QTEST_MAIN(TestPlatformPrinter)
#include "test_platform_printer.moc"
