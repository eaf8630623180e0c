// The paper-size and orientation probes find what the run will ask of the printer: A4,
// and the orientation chosen. On a printer that refuses either, the user gets the
// setting's message and the set-up dialog, and the run prints all the same; on a real
// CUPS queue that offers no A4 ("Plivane-Sans-A4", set up by .ci/prepare-print-server.sh),
// the probe says so before the run fails on it.
#include "platform/QtPrinterService.h"
#include "print/Imprime.h"
#include "print/ReglagesImprimante.h"
#include "print/TestsImprimante.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QPageSize>
#include <QPrinterInfo>
#include <QtTest>

class TestPrintSondes : public QObject {
    Q_OBJECT

private slots:
    void aSettingTheRunNeedsIsProbed_data()
    {
        QTest::addColumn<QString>("refus");
        QTest::addColumn<QString>("message");
        QTest::newRow("no A4") << u"setPaperA4"_qs << MessageFormatRefuse();
        QTest::newRow("no landscape") << u"setOrientation(landscape)"_qs << MessageOrientationRefusee();
    }
    void aSettingTheRunNeedsIsProbed()
    {
        QFETCH(QString, refus);
        QFETCH(QString, message);
        RecordingPrinterService imprimante;
        imprimante.paperCode = RecordingPrinterService::kLetter;
        imprimante.fail(refus);
        ScriptedDialogs dialogues;
        dialogues.setupAnswers = {true};
        ReglagesImprimante reglages;
        Imprime run(imprimante, dialogues, reglages);
        DemandeImpression demande;
        demande.reglages.Orientation = 1;
        demande.adresses = {u"Destinataire"_qs};
        run.lance(demande, {0});
        QCOMPARE(dialogues.messageTexts(), QStringList{message});
        QCOMPARE(dialogues.shownOfKind(u"setup"_qs).size(), 1);
        QCOMPARE(imprimante.pagesOut, 1);
        // The probe put back what it found.
        QCOMPARE(imprimante.paperCode, RecordingPrinterService::kLetter);
        QCOMPARE(imprimante.pageOrientation, PageOrientation::Portrait);
    }

    void aQueueWithoutA4RefusesThePaperSize_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("refuses");
        QTest::newRow("Letter only") << u"Plivane-Sans-A4"_qs << u"02"_qs;
        QTest::newRow("A4 offered") << u"Plivane-PDF"_qs << u"0"_qs;
    }
    void aQueueWithoutA4RefusesThePaperSize()
    {
        QFETCH(QString, file);
        QFETCH(QString, refuses);
        if (QPrinterInfo::printerInfo(file).isNull())
            QSKIP(qPrintable(u"No CUPS queue named %1 on this machine (CI creates it with "
                             ".ci/prepare-print-server.sh); no printer was touched."_qs.arg(file)));
        QtPrinterService imprimante;
        QVERIFY(imprimante.selectPrinter(file));
        // On the queue's own paper, as the set-up dialog leaves it.
        const int format = int(QPrinterInfo::printerInfo(file).defaultPageSize().id());
        QVERIFY(imprimante.setPaperSize(format));
        ScriptedDialogs dialogues;
        dialogues.setupAnswers = {true};
        ReglagesImprimante reglages;
        TestImpr2(imprimante, dialogues, reglages);
        QCOMPARE(reglages.ReglagesRefuses, refuses);
        QCOMPARE(dialogues.messageTexts(), refuses.contains(u'2') ? QStringList{MessageFormatRefuse()} : QStringList());
        QCOMPARE(imprimante.paperSize().value(), format);
        QCOMPARE(imprimante.orientation().value(), PageOrientation::Portrait);
    }
};

QTEST_MAIN(TestPrintSondes)
#include "test_print_sondes.moc"
