// The preview, alignment and progress dialogs of Qt: the preview works on a copy of the
// printer and shows the feed picture beside its pages; the alignment dialog shows the
// printer's kept shift and follows a calibration print to another printer; the progress
// dialog hears "Annuler".
#include "platform/QtDialogs.h"
#include "platform/QtPrinterService.h"
#include "platform/QtProgress.h"

#include <QAction>
#include <QDialog>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProgressDialog>
#include <QPushButton>
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

class TestPlatformPreviewDialogs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void previewShowsTheFeedPictureAndLeavesThePrinterAlone()
    {
        QtPrinterService service;
        QVERIFY(service.setOutputFileName(m_dir.filePath(u"rien.pdf"_qs)));
        QVERIFY(service.setCopies(3));
        QVERIFY(service.setPaperSize(int(QPageSize::A5)));
        QtDialogs dialogs;

        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::red);
        int preparations = 0;
        QList<PrinterService*> peints;
        PreviewRequest requete;
        requete.title = u"Aperçu avant impression"_qs;
        requete.picture = image;
        requete.pictureCaption = u"Introduction de l'enveloppe"_qs;
        requete.prepare = [&](PrinterService& p) {
            ++preparations;
            return bool(p.setCopies(7)) && bool(p.setOrientation(PageOrientation::Landscape));
        };
        requete.paint = [&](PrinterService& p) {
            peints.append(&p);
            (void)p.drawLine({Mm(0), Mm(0)}, {Mm(50), Mm(0)});
            (void)p.endDocument();
        };

        int pages = 0;
        QString titre, legende;
        QSize taille;
        int cachees = 0;
        pendantLeDialogue(false, [&](QDialog& d) {
            titre = d.windowTitle();
            pages = d.findChild<QPrintPreviewWidget*>()->pageCount();
            if (auto* vue = d.findChild<QLabel*>(u"ImageAlimentation"_qs))
                taille = vue->pixmap().size();
            if (auto* panneau = d.findChild<QDockWidget*>(u"Alimentation"_qs))
                legende = panneau->windowTitle();
            for (QAction* a : d.findChildren<QAction*>())
                cachees += !a->isVisible();
        });
        QVERIFY(!dialogs.printPreview(service, requete));
        QCOMPARE(titre, u"Aperçu avant impression"_qs);
        QCOMPARE(pages, 1);
        QCOMPARE(taille, QSize(80, 40));  // twice as large as in the main window
        QCOMPARE(legende, u"Introduction de l'enveloppe"_qs);
        QCOMPARE(cachees, 2);  // portrait and landscape: the feed is the envelope's
        QCOMPARE(preparations, 1);
        QVERIFY(!peints.isEmpty());
        QVERIFY(!peints.contains(&service));
        // The copy took the changes; the printer kept its own.
        QCOMPARE(service.copies().value(), 3);
        QCOMPARE(service.paperSize().value(), int(QPageSize::A5));
        QCOMPARE(service.orientation().value(), PageOrientation::Portrait);
        QVERIFY(!QFile::exists(m_dir.filePath(u"rien.pdf"_qs)));

        // Nothing to show: no preview opens.
        requete.prepare = [](PrinterService&) { return false; };
        peints.clear();
        QVERIFY(!dialogs.printPreview(service, requete));
        QVERIFY(peints.isEmpty());
    }

    void shiftDialogShowsTheKeptShiftAndFollowsTheCalibration()
    {
        QtDialogs dialogs;
        QString imprimante = u"Bureau"_qs;
        int calibrages = 0;
        PrinterShiftRequest requete;
        requete.printerName = [&] { return imprimante; };
        requete.storedShift = [&] { return imprimante == u"Bureau"_qs ? PointMm{Mm(1.5), Mm(-0.5)} : PointMm{Mm(3), Mm(0)}; };
        requete.printCalibration = [&] {
            ++calibrages;
            imprimante = u"Atelier"_qs;  // chosen in the calibration's print dialog
        };

        QString titre, nom, nomApres;
        double droite = 0, bas = 0, droiteApres = 0;
        pendantLeDialogue(true, [&](QDialog& d) {
            titre = d.windowTitle();
            nom = d.findChild<QLabel*>(u"NomImprimante"_qs)->text();
            auto* champDroite = d.findChild<QDoubleSpinBox*>(u"DecalageDroite"_qs);
            auto* champBas = d.findChild<QDoubleSpinBox*>(u"DecalageBas"_qs);
            droite = champDroite->value();
            bas = champBas->value();
            d.findChild<QPushButton*>(u"Calibrage"_qs)->click();
            nomApres = d.findChild<QLabel*>(u"NomImprimante"_qs)->text();
            droiteApres = champDroite->value();
            champDroite->setValue(2.54);
            champBas->setValue(-25);  // beyond the limit
        });
        const std::optional<PointMm> choix = dialogs.printerShiftDialog(requete);
        QCOMPARE(titre, u"Réglage de l'imprimante"_qs);
        QCOMPARE(nom, u"Imprimante : Bureau"_qs);
        QCOMPARE(droite, 1.5);
        QCOMPARE(bas, -0.5);
        QCOMPARE(calibrages, 1);
        QCOMPARE(nomApres, u"Imprimante : Atelier"_qs);
        QCOMPARE(droiteApres, 3.0);
        QVERIFY(choix);
        QCOMPARE(*choix, (PointMm{Mm(2.5), Mm(-20)}));

        pendantLeDialogue(false);
        QVERIFY(!dialogs.printerShiftDialog(requete));
    }

    void progressHearsAnnuler()
    {
        QtProgress suivi(nullptr, u"Impression"_qs, 10);
        QProgressDialog& d = suivi.dialog();
        QCOMPARE(d.windowModality(), Qt::ApplicationModal);
        QVERIFY(suivi.advance(0, u"Impression de l'enveloppe 1 sur 10"_qs));
        QCOMPARE(d.labelText(), u"Impression de l'enveloppe 1 sur 10"_qs);
        QVERIFY(suivi.advance(1, u"Impression de l'enveloppe 2 sur 10"_qs));
        QCOMPARE(d.value(), 1);
        d.cancel();
        QVERIFY(!suivi.advance(2, u"Impression de l'enveloppe 3 sur 10"_qs));
        QVERIFY(!suivi.advance(3, u"Impression de l'enveloppe 4 sur 10"_qs));
    }
};

QTEST_MAIN(TestPlatformPreviewDialogs)
#include "test_platform_preview_dialogs.moc"
