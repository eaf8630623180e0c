// The print run on a recording printer: where each block lands in printer coordinates,
// which pages come out, and how refusals and failures end the run.
#include "addresses/AddressEncoding.h"
#include "print/Imprime.h"
#include "print/ReglagesImprimante.h"
#include "print/TestsImprimante.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QThread>
#include <QTimer>
#include <QtTest>

namespace {
const QString S = QString(kSeparateurLignes);

// The printer measures 2 mm a character and 5 mm a line.
struct Banc {
    RecordingPrinterService imprimante;
    ScriptedDialogs dialogues;
    ReglagesImprimante reglages;
    Imprime run{imprimante, dialogues, reglages};
    DemandeImpression demande;
    QList<int> montrees;
    QList<bool> enCoursPendantMontre;

    Banc()
    {
        demande.texteExpediteur = QStringLiteral("Expéditeur");
        demande.adresses = {u"Nom"_qs + S + u"et"_qs + S + u"Adresse"_qs};
        demande.montreAdresse = [this](int i) {
            montrees.append(i);
            enCoursPendantMontre.append(run.ImpressionEnCours());
        };
    }
    void lance(QList<int> selection = {0}) { run.lance(demande, selection); }

    // The texts of one envelope, in the order printed, without the empty ones.
    QList<RecordingPrinterService::Printed> visibles(int page) const
    {
        QList<RecordingPrinterService::Printed> result;
        for (const auto& t : imprimante.textsOnPage(page))
            if (!t.text.isEmpty())
                result.append(t);
        return result;
    }
};

double mm(Mm v)
{
    return v.value;
}
}  // namespace

class TestPrintRun : public QObject {
    Q_OBJECT
private slots:
    void uprightDefaultsPlaceBothBlocks()
    {
        Banc b;
        b.lance();
        const auto t = b.visibles(0);
        QCOMPARE(t.size(), 4);
        QCOMPARE(t[0].text, u"Expéditeur"_qs);
        QCOMPARE(mm(t[0].at.x), 7.0);
        QCOMPARE(mm(t[0].at.y), 7.0);
        QCOMPARE(t[0].fontSize, 8.25);
        // Three recipient lines, left-aligned at 97, the last one ending at 87.
        QCOMPARE(t[1].text, u"Nom"_qs);
        for (int k = 1; k <= 3; ++k)
            QCOMPARE(mm(t[k].at.x), 97.0);
        QCOMPARE(mm(t[3].at.y) + b.imprimante.lineHeight, 87.0);
        QCOMPARE(t[1].fontSize, 18.0);
        QCOMPARE(b.imprimante.pagesOut, 1);
        QVERIFY(b.dialogues.shown.isEmpty());
        QCOMPARE(b.reglages.ReglagesRefuses, u"0"_qs);
    }

    void sidewaysOffsetFollowsPrintableHeight()
    {
        QCOMPARE(mm(Imprime::DecalageYPaysage(Mm(110), Mm(200))), 95.0);
        Banc b;
        b.imprimante.landscapePrintableHeight = 200;
        b.demande.reglages.Orientation = 1;
        b.lance();
        const auto t = b.visibles(0);
        QCOMPARE(mm(t[0].at.y), 10.0 + 95.0);
        QCOMPARE(mm(t[3].at.y) + b.imprimante.lineHeight, 110.0 - 20.0 + 95.0);
        QVERIFY(b.imprimante.log.contains(u"setOrientation(landscape)"_qs));
    }

    void senderLinesCentreOnTheWidest()
    {
        Banc b;
        b.demande.texteExpediteur = u"abcd\r\nabcdefgh"_qs;  // 8 and 16 mm wide
        b.lance();
        const auto t = b.visibles(0);
        QCOMPARE(t[0].text, u"abcd"_qs);
        QCOMPARE(mm(t[0].at.x), 7.0 + 4.0);
        QCOMPARE(mm(t[1].at.x), 7.0);
        QCOMPARE(mm(t[1].at.y), 7.0 + b.imprimante.lineHeight);
    }

    void emptySenderPrintsNothingVisible()
    {
        Banc b;
        b.demande.texteExpediteur.clear();
        b.lance();
        const auto t = b.visibles(0);
        QCOMPARE(t.size(), 3);
        QCOMPARE(t[0].text, u"Nom"_qs);
    }

    void logoAtItsNaturalSize()
    {
        Banc b;
        b.demande.reglages.LogoChoisi = true;
        b.demande.reglages.Logo = QImage(96, 48, QImage::Format_RGB32);
        b.demande.texteExpediteur = u"not printed"_qs;
        b.lance();
        QCOMPARE(b.imprimante.images.size(), 1);
        const RectMm ou = b.imprimante.images[0].where;
        QCOMPARE(mm(ou.left), 7.0);
        QCOMPARE(mm(ou.top), 7.0);
        QCOMPARE(mm(ou.width), 25.4);  // 96 pixels at 96 to the inch
        QCOMPARE(mm(ou.height), 12.7);
        QCOMPARE(b.visibles(0).size(), 3);
    }

    void pagesAndCropMarks()
    {
        {  // nothing chosen, no marks: no document at all
            Banc b;
            b.lance({});
            QCOMPARE(b.imprimante.pagesOut, 0);
            QCOMPARE(b.imprimante.documentsEnded, 0);
            QVERIFY(b.imprimante.log.contains(u"endDocument()"_qs));
        }
        {  // nothing chosen, with marks: one page with the marks alone
            Banc b;
            b.demande.reglages.RepereCoupe = true;
            b.lance({});
            QCOMPARE(b.imprimante.pagesOut, 1);
            QCOMPARE(b.imprimante.lines.size(), 4);
            QVERIFY(b.imprimante.texts.isEmpty());
        }
        {  // three envelopes: marks on the first page only, addresses in list order
            Banc b;
            b.demande.reglages.RepereCoupe = true;
            b.demande.adresses = {u"A"_qs, u"B"_qs, u"C"_qs};
            b.lance({0, 1, 2});
            QCOMPARE(b.imprimante.pagesOut, 3);
            for (const auto& l : b.imprimante.lines)
                QCOMPARE(l.page, 0);
            QCOMPARE(b.visibles(2).last().text, u"C"_qs);
            const auto& l = b.imprimante.lines;
            // Upright marks at the envelope's right and bottom edges (220 x 110).
            QCOMPARE(l[0].from, (PointMm{Mm(217), Mm(0)}));
            QCOMPARE(l[0].to, (PointMm{Mm(217), Mm(5)}));
            QCOMPARE(l[1].from, (PointMm{Mm(0), Mm(107)}));
            QCOMPARE(l[3].from, (PointMm{Mm(217), Mm(107)}));  // continues from the mark before
            QCOMPARE(l[3].to, (PointMm{Mm(217), Mm(102)}));
        }
    }

    void selectionPrintsTheChosenInOrder()
    {
        Banc b;
        b.demande.adresses = {u"A"_qs, u"B"_qs, u"C"_qs};
        b.lance({2, 0});
        QCOMPARE(b.imprimante.pagesOut, 2);
        QCOMPARE(b.visibles(0).last().text, u"A"_qs);
        QCOMPARE(b.visibles(1).last().text, u"C"_qs);
        // The recipient box ends on the last address printed, shown while the run was on.
        QCOMPARE(b.montrees, (QList<int>{0, 2}));
        QCOMPARE(b.enCoursPendantMontre, (QList<bool>{true, true}));
        QVERIFY(!b.run.ImpressionEnCours());
    }

    void printerSettingsComeBack()
    {
        Banc b;
        b.imprimante.paperCode = RecordingPrinterService::kLetter;
        b.imprimante.pageOrientation = PageOrientation::Landscape;
        b.lance();
        QVERIFY(b.imprimante.log.contains(u"setPaperA4()"_qs));
        QVERIFY(b.imprimante.log.contains(u"setOrientation(portrait)"_qs));
        QCOMPARE(b.imprimante.paperCode, RecordingPrinterService::kLetter);
        QCOMPARE(b.imprimante.pageOrientation, PageOrientation::Landscape);
    }

    void refusedOrientationKeepsTheUprightLayout()
    {
        Banc b;
        b.imprimante.fail(u"setOrientation"_qs);
        b.imprimante.landscapePrintableHeight = 200;
        b.demande.reglages.Orientation = 1;
        b.demande.reglages.RepereCoupe = true;
        b.dialogues.setupAnswers = {true};
        b.lance();
        QCOMPARE(b.dialogues.messageTexts(), QStringList{MessageOrientationRefusee()});
        QCOMPARE(b.dialogues.shownOfKind(u"setup"_qs).size(), 1);
        QCOMPARE(b.reglages.ReglagesRefuses, u"03"_qs);
        const auto t = b.visibles(0);
        QCOMPARE(mm(t[0].at.y), 7.0);
        QCOMPARE(b.imprimante.lines[0].from, (PointMm{Mm(217), Mm(0)}));
        QCOMPARE(b.imprimante.pagesOut, 1);
    }

    void refusedPaperAndOrientationAskTwice_data()
    {
        QTest::addColumn<bool>("premierAccepte");
        QTest::newRow("both set-ups") << true;
        QTest::newRow("first set-up cancelled") << false;
    }
    void refusedPaperAndOrientationAskTwice()
    {
        QFETCH(bool, premierAccepte);
        Banc b;
        b.imprimante.fail(u"setPaperSize"_qs);
        b.imprimante.fail(u"setOrientation"_qs);
        b.dialogues.setupAnswers = {premierAccepte, true};
        b.lance();
        const QStringList attendus = premierAccepte ? QStringList{MessageFormatRefuse(), MessageOrientationRefusee()}
                                                    : QStringList{MessageFormatRefuse()};
        QCOMPARE(b.dialogues.messageTexts(), attendus);
        QCOMPARE(b.dialogues.shownOfKind(u"setup"_qs).size(), premierAccepte ? 2 : 1);
        for (const auto& shown : b.dialogues.shownOfKind(u"message"_qs)) {
            QCOMPARE(shown.title, u"Contrôle d'impression"_qs);
            QCOMPARE(shown.icon, MessageIcon::Exclamation);
        }
        // The run still prints, and touches neither setting.
        QCOMPARE(b.imprimante.pagesOut, 1);
        QVERIFY(!b.imprimante.log.contains(u"setPaperA4()"_qs));
        QCOMPARE(b.imprimante.log.count(u"setOrientation(portrait)"_qs), 1);  // the probe's write-back only
    }

    void tooLongSenderStopsBeforeAnything()
    {
        Banc b;
        QStringList douze;
        for (int i = 1; i <= 12; ++i)
            douze.append(QString::number(i));
        b.demande.texteExpediteur = douze.join(u"\r\n"_qs);
        b.lance();
        QCOMPARE(b.dialogues.shown.size(), 1);
        QCOMPARE(b.dialogues.shown[0].title, u"Contrôle d'impression"_qs);
        QCOMPARE(b.dialogues.shown[0].icon, MessageIcon::Exclamation);
        QVERIFY(b.dialogues.shown[0].text.contains(u"12 lignes"_qs));
        QCOMPARE(b.imprimante.pagesOut, 0);
        // Nothing was read, so nothing is written back.
        QVERIFY(b.imprimante.log.filter(u"setPaperSize"_qs).isEmpty());
        QVERIFY(b.imprimante.log.filter(u"setOrientation"_qs).isEmpty());

        // Eleven lines and a final line break still fit.
        Banc onze;
        onze.demande.texteExpediteur = douze.mid(0, 11).join(u"\r\n"_qs) + u"\r\n"_qs;
        onze.lance();
        QVERIFY(onze.dialogues.shown.isEmpty());
        QCOMPARE(onze.imprimante.pagesOut, 1);
    }

    void tooLongAddressStopsBeforeAnything()
    {
        Banc b;
        QStringList douze(12, u"x"_qs);
        b.demande.adresses = {u"A"_qs, douze.join(S)};
        b.lance({0, 1});
        QCOMPARE(b.dialogues.shown.size(), 1);
        QVERIFY(b.dialogues.shown[0].text.contains(u"n° 2"_qs));
        QCOMPARE(b.imprimante.pagesOut, 0);
    }

    void failureMidRunEndsInOrder()
    {
        Banc b;
        b.imprimante.paperCode = RecordingPrinterService::kLetter;
        b.demande.adresses = {u"A"_qs, u"B"_qs, u"C"_qs};
        b.imprimante.fail(u"endPage"_qs, 2);
        b.lance({0, 1, 2});
        QCOMPARE(b.dialogues.messageTexts(), QStringList{u"L'imprimante a refusé endPage."_qs});
        // The first page came out, the page under way with the document; the third never.
        QCOMPARE(b.imprimante.pagesOut, 2);
        QCOMPARE(b.montrees, (QList<int>{0, 1}));
        QCOMPARE(b.imprimante.paperCode, RecordingPrinterService::kLetter);
        QVERIFY(!b.run.ImpressionEnCours());
    }

    void failingEndingStepsReportOnceAndStop()
    {
        Banc b;
        b.imprimante.paperCode = RecordingPrinterService::kLetter;
        b.imprimante.fail(u"endDocument"_qs);
        b.imprimante.fail(u"setPaperSize"_qs, 2);  // the probe's write-back passes, the restoring fails
        b.lance();
        QCOMPARE(b.dialogues.shown.size(), 1);
        QCOMPARE(b.dialogues.shown[0].text, u"L'imprimante a refusé endDocument.\r\nL'imprimante a refusé setPaperSize."_qs);
        QCOMPARE(b.imprimante.log.count(u"endDocument()"_qs), 1);
        QVERIFY(!b.run.ImpressionEnCours());
    }

    void aLongRunLetsTheWindowRepaintUnderTheBusyPointer()
    {
        // A printer that takes a millisecond a page: 500 envelopes last half a second.
        struct Lent : RecordingPrinterService {
            Status endPage() override
            {
                QThread::msleep(1);
                return RecordingPrinterService::endPage();
            }
        };
        Lent imprimante;
        ScriptedDialogs dialogues;
        ReglagesImprimante reglages;
        Imprime run(imprimante, dialogues, reglages);
        DemandeImpression demande;
        demande.adresses = QStringList(500, u"A"_qs);
        QList<int> toutes;
        for (int i = 0; i < 500; ++i)
            toutes.append(i);
        bool sablier = false;
        demande.montreAdresse = [&sablier](int) {
            sablier = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        };
        int tours = 0;
        QTimer battement;
        connect(&battement, &QTimer::timeout, [&tours] { ++tours; });
        battement.start(0);
        run.lance(demande, toutes);
        QCOMPARE(imprimante.pagesOut, 500);
        QVERIFY2(tours >= 2, "the event loop never ran during the run");
        QVERIFY(sablier);
        QVERIFY(!QApplication::overrideCursor());
    }

    void aNewRunRestoresOnlyWhatItRead()
    {
        Banc b;
        b.imprimante.paperCode = RecordingPrinterService::kLetter;
        b.lance();
        QCOMPARE(b.reglages.FormatInitial, std::optional<int>(RecordingPrinterService::kLetter));

        // The next run stops before reading anything: the earlier run's values stay unused.
        b.imprimante.paperCode = RecordingPrinterService::kEnvelopeDL;
        b.imprimante.log.clear();
        b.demande.texteExpediteur = QStringList(12, u"x"_qs).join(u"\r\n"_qs);
        b.lance();
        QVERIFY(b.imprimante.log.filter(u"setPaper"_qs).isEmpty());
        QCOMPARE(b.imprimante.paperCode, RecordingPrinterService::kEnvelopeDL);
    }
};

QTEST_MAIN(TestPrintRun)
#include "test_print_run.moc"
