// The print run on a printer that refuses and fails on command: how refusals, blocks too
// long and failures end it, with the printer put back as it was.
#include "addresses/AddressEncoding.h"
#include "print/Imprime.h"
#include "print/ReglagesImprimante.h"
#include "print/TestsImprimante.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QtTest>
#include <numeric>

namespace {
const QString S = QString(kSeparateurLignes);
using Imprimante = RecordingPrinterService;

QList<int> toutes(int nombre)
{
    QList<int> indices(nombre);
    std::iota(indices.begin(), indices.end(), 0);
    return indices;
}

// The printer measures 2 mm a character and 5 mm a line, and holds Letter paper.
struct Banc {
    Imprimante imprimante;
    ScriptedDialogs dialogues;
    ReglagesImprimante reglages;
    Imprime run{imprimante, dialogues, reglages};
    DemandeImpression demande;
    QList<int> montrees;

    explicit Banc(int adresses = 1)
    {
        imprimante.paperCode = Imprimante::kLetter;
        demande.texteExpediteur = u"Expéditeur"_qs;
        for (int i = 1; i <= adresses; ++i)
            demande.adresses.append(u"Destinataire %1"_qs.arg(i) + S + u"%1 rue"_qs.arg(i) + S + u"Ville"_qs);
        demande.montreAdresse = [this](int i) {
            QVERIFY(run.ImpressionEnCours());
            montrees.append(i);
        };
    }
    void lance(const QList<int>& selection = {0}) { run.lance(demande, selection); }
    // The texts of one envelope, in the order printed, without the empty ones.
    QList<Imprimante::Printed> visibles(int page) const
    {
        QList<Imprimante::Printed> result;
        for (const auto& t : imprimante.texts)
            if (t.page == page && !t.text.isEmpty())
                result.append(t);
        return result;
    }
    // The run is over and the printer has its own paper and feed back.
    void remisEnEtat(PageOrientation orientation = PageOrientation::Portrait) const
    {
        QCOMPARE(imprimante.paperCode, Imprimante::kLetter);
        QCOMPARE(imprimante.pageOrientation, orientation);
        QVERIFY(!run.ImpressionEnCours());
    }
};
}  // namespace

class TestPrintRun : public QObject {
    Q_OBJECT
private slots:
    void refusalsAskTheUserAndStillPrint_data()
    {
        QTest::addColumn<bool>("formatRefuse");
        QTest::addColumn<QList<bool>>("reglages");  // the set-up dialogs' answers
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("orientation, Paysage chosen") << false << QList<bool>{true} << QStringList{MessageOrientationRefusee()};
        QTest::newRow("both") << true << QList<bool>{true, true}
                              << QStringList{MessageFormatRefuse(), MessageOrientationRefusee()};
        QTest::newRow("both, first set-up cancelled") << true << QList<bool>{false, true} << QStringList{MessageFormatRefuse()};
    }
    void refusalsAskTheUserAndStillPrint()
    {
        QFETCH(bool, formatRefuse);
        QFETCH(QList<bool>, reglages);
        QFETCH(QStringList, messages);
        Banc b;
        if (formatRefuse)
            b.imprimante.fail(u"setPaperSize"_qs);
        b.imprimante.fail(u"setOrientation"_qs);
        b.demande.reglages.Orientation = formatRefuse ? 0 : 1;
        b.demande.reglages.RepereCoupe = true;
        b.dialogues.setupAnswers = reglages;
        b.lance();
        QCOMPARE(b.dialogues.messageTexts(), messages);
        QCOMPARE(b.dialogues.shownOfKind(u"setup"_qs).size(), messages.size());
        // Printed all the same, upright, touching neither refused setting.
        QCOMPARE(b.imprimante.pagesOut, 1);
        QCOMPARE(b.visibles(0)[0].at.y.value, 7.0);
        QCOMPARE(b.imprimante.lines[0].from, (PointMm{Mm(217), Mm(0)}));  // the upright mark, 220 mm from the left
        QCOMPARE(b.imprimante.log.count(u"setPaperA4()"_qs), formatRefuse ? 1 : 2);  // the probe's try, the run's
        QCOMPARE(b.imprimante.log.count(u"setOrientation(portrait)"_qs), 1);  // the probe's write-back only
    }

    void tooManyLinesStopBeforeAnything_data()
    {
        QTest::addColumn<QString>("expediteur");
        QTest::addColumn<int>("lignesAdresse");
        QTest::addColumn<QString>("message");  // a part of it; empty: the run prints
        const auto lignes = [](int n, const QString& fin) { return QStringList(n, u"x"_qs).join(u"\r\n"_qs) + fin; };
        QTest::newRow("12-line sender") << lignes(12, {}) << 1 << u"12 lignes"_qs;
        QTest::newRow("12-line address") << lignes(1, {}) << 12 << u"n° 2"_qs;
        QTest::newRow("11 lines and a final break") << lignes(11, u"\r\n"_qs) << 11 << QString();
    }
    void tooManyLinesStopBeforeAnything()
    {
        QFETCH(QString, expediteur);
        QFETCH(int, lignesAdresse);
        QFETCH(QString, message);
        Banc b;
        b.lance();  // an earlier run read the printer's Letter paper
        b.imprimante.paperCode = Imprimante::kEnvelopeDL;
        b.imprimante.log.clear();
        b.demande.texteExpediteur = expediteur;
        b.demande.adresses = {u"A"_qs, QStringList(lignesAdresse, u"y"_qs).join(S)};
        b.lance({0, 1});
        QCOMPARE(b.imprimante.pagesOut, message.isEmpty() ? 1 + 2 : 1);
        QCOMPARE(b.dialogues.messageTexts().size(), message.isEmpty() ? 0 : 1);
        if (message.isEmpty())
            return;
        QVERIFY2(b.dialogues.messageTexts()[0].contains(message), qPrintable(b.dialogues.messageTexts()[0]));
        // Nothing was read, so nothing is written back: not even the earlier run's values.
        QVERIFY(b.imprimante.log.filter(QRegularExpression(u"setPaper|setOrientation"_qs)).isEmpty());
        QCOMPARE(b.imprimante.paperCode, Imprimante::kEnvelopeDL);
    }

    void failuresAreReportedOnceAndEndTheRun()
    {
        Banc b(6);
        b.demande.reglages.Orientation = 1;
        b.imprimante.fail(u"endPage"_qs, 2);
        b.lance(toutes(6));
        QCOMPARE(b.dialogues.messageTexts(), QStringList{u"L'imprimante a refusé endPage."_qs});
        // The first page came out, the page under way with the document; no third.
        QCOMPARE(b.imprimante.pagesOut, 2);
        QCOMPARE(b.montrees, (QList<int>{0, 1}));
        QVERIFY(!b.run.Annulee());
        b.remisEnEtat();

        // Ending steps that fail: each said once, in one message.
        Banc fin;
        fin.imprimante.fail(u"endDocument"_qs);
        fin.imprimante.fail(u"setPaperSize"_qs, 2);  // the probe's write-back passes, the restoring fails
        fin.lance();
        QCOMPARE(fin.dialogues.messageTexts(),
                 QStringList{u"L'imprimante a refusé endDocument.\r\nL'imprimante a refusé setPaperSize."_qs});
        QCOMPARE(fin.imprimante.log.count(u"endDocument()"_qs), 1);
        QVERIFY(!fin.run.ImpressionEnCours());
    }

};

QTEST_MAIN(TestPrintRun)
#include "test_print_run.moc"
