// A long run shows its progress, and "Annuler" there ends the document after the
// envelope under way: the pages done come out (that one included), the printer's paper
// size and orientation come back, and nothing is reported.
#include "addresses/AddressEncoding.h"
#include "platform/QtPrinterService.h"
#include "print/CommandeImpression.h"
#include "print/Imprime.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QtTest>
#include <numeric>

namespace {
QStringList adresses(int nombre)
{
    QStringList liste;
    for (int i = 1; i <= nombre; ++i)
        liste.append(u"Destinataire %1"_qs.arg(i) + QString(kSeparateurLignes) + u"%1 rue Longue"_qs.arg(i));
    return liste;
}

QList<int> toutes(int nombre)
{
    QList<int> indices(nombre);
    std::iota(indices.begin(), indices.end(), 0);
    return indices;
}

struct Banc {
    RecordingPrinterService imprimante;
    ScriptedDialogs dialogues;
    ReglagesImprimante reglages;
    Imprime run{imprimante, dialogues, reglages};
    DemandeImpression demande;
    QList<int> montrees;

    explicit Banc(int nombre)
    {
        demande.texteExpediteur = u"Expéditeur"_qs;
        demande.adresses = adresses(nombre);
        demande.reglages.Orientation = 1;  // the run turns the printer; it must come back
        demande.montreAdresse = [this](int i) { montrees.append(i); };
        imprimante.paperCode = RecordingPrinterService::kLetter;
    }
};
}  // namespace

class TestPrintProgression : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void cancellingAtThreeOfTenKeepsThreePages()
    {
        Banc b(10);
        b.dialogues.progressCancelAt = 3;
        b.run.lance(b.demande, toutes(10));
        QCOMPARE(b.dialogues.progressDialogs, 1);
        QCOMPARE(b.dialogues.progressTexts, (QStringList{u"Impression de l'enveloppe 1 sur 10"_qs,
                                                         u"Impression de l'enveloppe 2 sur 10"_qs,
                                                         u"Impression de l'enveloppe 3 sur 10"_qs}));
        // The third envelope, under way when "Annuler" was pressed, is printed.
        QCOMPARE(b.imprimante.documentsEnded, 1);
        QCOMPARE(b.imprimante.pagesOut, 3);
        QCOMPARE(b.imprimante.textsOnPage(2).last().text, u"3 rue Longue"_qs);
        QCOMPARE(b.montrees, (QList<int>{0, 1, 2}));
        // Ended as any run ends: the printer back as it was, nothing to report.
        QCOMPARE(b.imprimante.paperCode, RecordingPrinterService::kLetter);
        QCOMPARE(b.imprimante.pageOrientation, PageOrientation::Portrait);
        QVERIFY(b.dialogues.shown.isEmpty());
        QVERIFY(b.run.Annulee());
        QVERIFY(!b.run.ImpressionEnCours());

        // The next run starts afresh.
        b.dialogues.progressCancelAt = 0;
        b.run.lance(b.demande, toutes(10));
        QVERIFY(!b.run.Annulee());
        QCOMPARE(b.imprimante.pagesOut, 3 + 10);
    }

    void onlyRunsOfMoreThanThreeEnvelopesShowProgress()
    {
        Banc b(10);
        b.run.lance(b.demande, {0, 4, 9});
        QCOMPARE(b.dialogues.progressDialogs, 0);
        b.run.lance(b.demande, {0, 4, 7, 9});  // the count is of the chosen envelopes
        QCOMPARE(b.dialogues.progressDialogs, 1);
        QCOMPARE(b.dialogues.progressTexts.last(), u"Impression de l'enveloppe 4 sur 4"_qs);
        QCOMPARE(b.imprimante.pagesOut, 3 + 4);
    }

    void aFailureClosesTheProgressBeforeItIsReported()
    {
        Banc b(6);
        b.imprimante.fail(u"endPage"_qs, 2);
        b.run.lance(b.demande, toutes(6));
        QCOMPARE(b.dialogues.progressTexts.size(), 2);
        QCOMPARE(b.dialogues.messageTexts().size(), 1);
        QVERIFY(!b.run.Annulee());
        QCOMPARE(b.imprimante.pageOrientation, PageOrientation::Portrait);
    }

    void aCancelledPdfIsAWholeDocument()
    {
        const QString chemin = m_dir.filePath(u"annule.pdf"_qs);
        QtPrinterService imprimante;
        QVERIFY(imprimante.setOutputFileName(chemin));
        QVERIFY(imprimante.setPaperSize(int(QPageSize::A5)));
        ScriptedDialogs dialogues;
        CommandeImpression commande{imprimante, dialogues, nullptr};
        commande.decalages().utiliseFichier(m_dir.filePath(u"reglages.ini"_qs));
        commande.remplaceChoixAdresses([](const QStringList&) { return std::optional(toutes(10)); });
        DemandeImpression demande;
        demande.adresses = adresses(10);
        demande.reglages.Orientation = 1;
        dialogues.printAnswers = {true};
        dialogues.progressCancelAt = 3;
        commande.Imprimer(demande);

        QVERIFY(dialogues.shownOfKind(u"message"_qs).isEmpty());
        auto doc = pdf::ouvre(chemin);
        QVERIFY(doc);
        QCOMPARE(doc->numPages(), 3);
        QVERIFY(pdf::mot(*doc, 2, u"3"_qs));  // "Destinataire 3"
        QVERIFY(!pdf::mot(*doc, 2, u"4"_qs));
        QCOMPARE(imprimante.paperSize().value(), int(QPageSize::A5));
        QCOMPARE(imprimante.orientation().value(), PageOrientation::Portrait);
        QCOMPARE(imprimante.copies().value(), 1);
        QVERIFY(!imprimante.documentOpen());
    }
};

QTEST_MAIN(TestPrintProgression)
#include "test_print_progression.moc"
