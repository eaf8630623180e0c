// The print command and the printer probes on a recording printer: what the user is
// told, word for word, which dialogs open, and that the copies count always comes back.
#include "print/CommandeImpression.h"
#include "print/TestsImprimante.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QtTest>

namespace {
struct Banc {
    RecordingPrinterService imprimante;
    ScriptedDialogs dialogues;
    CommandeImpression commande{imprimante, dialogues, nullptr};
    DemandeImpression demande;
    std::optional<QList<int>> choix = QList<int>{0};
    int choixMontres = 0;

    Banc()
    {
        demande.adresses = {u"Nom"_qs};
        commande.remplaceChoixAdresses([this](const QStringList&) {
            ++choixMontres;
            return choix;
        });
    }
};
}  // namespace

class TestPrintCommand : public QObject {
    Q_OBJECT
private slots:
    void probesAcceptingEverythingSayNothing()
    {
        RecordingPrinterService imprimante;
        ScriptedDialogs dialogues;
        ReglagesImprimante reglages;
        reglages.ReglagesRefuses = u"0123"_qs;  // left over from an earlier command
        imprimante.copyCount = 4;
        imprimante.paperCode = RecordingPrinterService::kLetter;
        TestImpr1(imprimante, dialogues, reglages);
        TestImpr2(imprimante, dialogues, reglages);
        QCOMPARE(reglages.ReglagesRefuses, u"0"_qs);
        QCOMPARE(reglages.CopiesInitiales, 4);
        QVERIFY(dialogues.shown.isEmpty());
        QCOMPARE(imprimante.copyCount, 4);
        QCOMPARE(imprimante.paperCode, RecordingPrinterService::kLetter);
    }

    void probeMessagesAreWordForWord()
    {
        RecordingPrinterService imprimante;
        ScriptedDialogs dialogues;
        ReglagesImprimante reglages;
        imprimante.fail(u"copies"_qs, 2);  // the value read back after writing it
        TestImpr1(imprimante, dialogues, reglages);
        QCOMPARE(reglages.ReglagesRefuses, u"01"_qs);
        QCOMPARE(dialogues.shown.size(), 1);
        QCOMPARE(dialogues.shown[0].title, u"Contrôle d'impression"_qs);
        QCOMPARE(dialogues.shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(dialogues.shown[0].text,
                 u"Votre Imprimante n'acceptant pas le réglage automatique du nombre de copies,\r\n"
                 "Vous devrez le péciser vous-même dans la fenêtre qui suit."_qs);
        QCOMPARE(MessageFormatRefuse(), u"Votre Imprimante n'acceptant pas le réglage automatique\r\n"
                                        "du format du Papier,\r\n"
                                        "Vous devrez le vérifier vous-même dans la fenêtre qui suit.\r\n"
                                        "Assurez-vous que ce format soit A4\r\n"
                                        "et surtout pas un quelconque format d'enveloppe."_qs);
        QCOMPARE(MessageOrientationRefusee(),
                 u"Votre Imprimante n'acceptant pas le réglage automatique de\r\n"
                 "l'orientation de l'impression (Portrait ou Paysage),\r\n"
                 "Vous devrez la vérifier vous-même dans la fenêtre qui suit.\r\n"
                 "Ceci en fonction de la manière dont vous voulez introduire l'enveloppe."_qs);
        QCOMPARE(CommandeImpression::MessageDepasseA4(),
                 u"Attention, vous dépassez le format A4 (210 x 297)\r\n"
                 "Pensez à modifier en conséquence les réglages de l'imprimante\r\n"
                 "dans la fenêtre suivante, avant de lancer l'impression..."_qs);
    }

    void cancellingTheSelectionEndsEverything()
    {
        Banc b;
        b.choix = std::nullopt;
        b.demande.reglages.LongueurEnv = 350;
        b.commande.Imprimer(b.demande);
        QCOMPARE(b.choixMontres, 1);
        QVERIFY(b.dialogues.shown.isEmpty());
        QVERIFY(b.imprimante.log.isEmpty());
    }

    void a4WarningIsStrict_data()
    {
        QTest::addColumn<float>("longueur");
        QTest::addColumn<float>("hauteur");
        QTest::addColumn<bool>("avertit");
        QTest::newRow("297 x 210") << 297.f << 210.f << false;
        QTest::newRow("298 x 110") << 298.f << 110.f << true;
        QTest::newRow("220 x 211") << 220.f << 211.f << true;
    }
    void a4WarningIsStrict()
    {
        QFETCH(float, longueur);
        QFETCH(float, hauteur);
        QFETCH(bool, avertit);
        Banc b;
        b.demande.reglages.LongueurEnv = longueur;
        b.demande.reglages.HauteurEnv = hauteur;
        b.dialogues.printAnswers = {false};
        b.commande.Imprimer(b.demande);
        const auto messages = b.dialogues.shownOfKind(u"message"_qs);
        QCOMPARE(messages.size(), avertit ? 1 : 0);
        if (avertit) {
            QCOMPARE(messages[0].icon, MessageIcon::Information);
            QCOMPARE(messages[0].text, CommandeImpression::MessageDepasseA4());
            QCOMPARE(b.dialogues.shown.last().kind, u"print"_qs);  // the warning comes before the dialog
        }
    }

    void printDialogOpensOnTheQuantityAndTheCopiesComeBack_data()
    {
        QTest::addColumn<bool>("confirme");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }
    void printDialogOpensOnTheQuantityAndTheCopiesComeBack()
    {
        QFETCH(bool, confirme);
        Banc b;
        b.imprimante.copyCount = 2;
        b.demande.reglages.Quantite = 5;
        b.dialogues.printAnswers = {confirme};
        b.commande.Imprimer(b.demande);
        // The probe's write-back, the preset before the dialog, the count put back.
        QCOMPARE(b.imprimante.log.filter(u"setCopies"_qs),
                 (QStringList{u"setCopies(2)"_qs, u"setCopies(5)"_qs, u"setCopies(2)"_qs}));
        QCOMPARE(b.imprimante.copyCount, 2);
        QCOMPARE(b.imprimante.pagesOut, confirme ? 1 : 0);
        QCOMPARE(b.dialogues.shown.size(), 1);  // the print dialog alone: a cancel says nothing
        QVERIFY(!b.commande.ImpressionEnCours());
    }

    void refusedCopiesAreNeitherPresetNorPutBack()
    {
        Banc b;
        b.imprimante.fail(u"setCopies"_qs);
        b.demande.reglages.Quantite = 3;
        b.dialogues.printAnswers = {true};
        b.commande.Imprimer(b.demande);
        QCOMPARE(b.imprimante.log.filter(u"setCopies"_qs).size(), 1);  // the probe's write-back
        QCOMPARE(b.dialogues.messageTexts(), QStringList{MessageCopiesRefusees()});
        QCOMPARE(b.imprimante.pagesOut, 1);
    }

    void aFailedPresetIsReportedOnceAfterTheCopiesComeBack()
    {
        Banc b;
        b.imprimante.fail(u"setCopies"_qs, 2);  // the preset to the quantity
        b.commande.Imprimer(b.demande);
        QCOMPARE(b.dialogues.shownOfKind(u"print"_qs).size(), 0);
        QCOMPARE(b.dialogues.messageTexts(), QStringList{u"L'imprimante a refusé setCopies."_qs});
        QCOMPARE(b.imprimante.log.filter(u"setCopies"_qs).size(), 3);
    }

    void quitterRestoresOnlyDuringARun()
    {
        Banc b;
        b.imprimante.paperCode = RecordingPrinterService::kLetter;
        b.imprimante.pageOrientation = PageOrientation::Landscape;
        b.commande.Quitter();
        QVERIFY(b.imprimante.log.isEmpty());

        // Quitting while the run shows an address: the printer gets its values back.
        b.dialogues.printAnswers = {true};
        b.demande.montreAdresse = [&b](int) {
            QVERIFY(b.commande.ImpressionEnCours());
            b.commande.Quitter();
            QCOMPARE(b.imprimante.paperCode, RecordingPrinterService::kLetter);
            QCOMPARE(b.imprimante.pageOrientation, PageOrientation::Landscape);
        };
        b.commande.Imprimer(b.demande);
        QCOMPARE(b.imprimante.log.filter(u"setPaperSize(1)"_qs).size(), 3);  // probe, Quitter, ending step
    }
};

QTEST_MAIN(TestPrintCommand)
#include "test_print_command.moc"
