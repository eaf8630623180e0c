// The print, preview and printer alignment commands on a recording printer: what the user
// is told, which dialogs open, that the copies count and the printer's settings always
// come back, and which printer's shift is kept and applied.
#include "print/CommandeImpression.h"
#include "print/TestsImprimante.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
using Imprimante = RecordingPrinterService;

struct Banc {
    QTemporaryDir dossier;
    Imprimante imprimante;
    Imprimante apercu;  // where the preview paints
    ScriptedDialogs dialogues;
    CommandeImpression commande{imprimante, dialogues, nullptr};
    DemandeImpression demande;
    std::optional<QList<int>> choix = QList<int>{0};
    int choixMontres = 0;

    Banc()
    {
        commande.decalages().utiliseFichier(dossier.filePath(u"reglages.ini"_qs));
        commande.remplaceChoixAdresses([this](const QStringList&) {
            ++choixMontres;
            return choix;
        });
        dialogues.previewPrinter = &apercu;
        demande.texteExpediteur = u"Expéditeur"_qs;
        demande.adresses = {u"Nom"_qs};
    }
    QStringList copies() const { return imprimante.log.filter(u"setCopies"_qs); }
};
}  // namespace

class TestPrintCommand : public QObject {
    Q_OBJECT
private slots:
    void cancellingTheSelectionEndsEverything()
    {
        Banc b;
        b.choix = std::nullopt;
        b.demande.reglages.LongueurEnv = 350;
        b.commande.Imprimer(b.demande);
        b.commande.Apercu(b.demande);
        QCOMPARE(b.choixMontres, 2);
        QVERIFY(b.dialogues.shown.isEmpty());
        QVERIFY(b.imprimante.log.isEmpty() && b.apercu.log.isEmpty());
    }

    void a4WarningIsStrict_data()
    {
        QTest::addColumn<float>("longueur");
        QTest::addColumn<float>("hauteur");
        QTest::addColumn<QStringList>("montres");
        const QStringList avertit = {u"message"_qs, u"print"_qs};
        QTest::newRow("297 x 210") << 297.f << 210.f << QStringList{u"print"_qs};
        QTest::newRow("298 x 110") << 298.f << 110.f << avertit;
        QTest::newRow("220 x 211") << 220.f << 211.f << avertit;
    }
    void a4WarningIsStrict()
    {
        Banc b;
        QFETCH(float, longueur);
        QFETCH(float, hauteur);
        b.demande.reglages.LongueurEnv = longueur;
        b.demande.reglages.HauteurEnv = hauteur;
        b.dialogues.printAnswers = {false};
        b.commande.Imprimer(b.demande);
        QStringList montres;
        for (const auto& s : b.dialogues.shown)
            montres.append(s.kind);
        QTEST(montres, "montres");  // the warning comes before the dialog
        if (montres.size() > 1)
            QCOMPARE(b.dialogues.shown[0].text, CommandeImpression::MessageDepasseA4());
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
        QCOMPARE(b.copies(), (QStringList{u"setCopies(2)"_qs, u"setCopies(5)"_qs, u"setCopies(2)"_qs}));
        QCOMPARE(b.imprimante.copyCount, 2);
        QCOMPARE(b.imprimante.pagesOut, confirme ? 1 : 0);
        QCOMPARE(b.dialogues.shown.size(), 1);  // the print dialog alone: a cancel says nothing
        QVERIFY(!b.commande.ImpressionEnCours());
    }

    void refusedCopiesAreSaidAndNeitherPresetNorPutBack()
    {
        Banc b;
        b.imprimante.fail(u"setCopies"_qs, 1);  // the probe's write-back, this time only
        b.demande.reglages.Quantite = 3;
        b.dialogues.printAnswers = {true, true};
        b.commande.Imprimer(b.demande);
        QCOMPARE(b.commande.reglagesImprimante().ReglagesRefuses, u"01"_qs);
        QCOMPARE(b.copies().size(), 1);
        QCOMPARE(b.dialogues.shown[0].title, u"Contrôle d'impression"_qs);
        QCOMPARE(b.dialogues.shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(b.dialogues.messageTexts(),
                 QStringList{u"Votre Imprimante n'acceptant pas le réglage automatique du nombre de copies,\r\n"
                             "Vous devrez le péciser vous-même dans la fenêtre qui suit."_qs});
        QCOMPARE(b.imprimante.pagesOut, 1);

        // The next command probes afresh: accepted now, the copies are preset again.
        b.commande.Imprimer(b.demande);
        QCOMPARE(b.imprimante.log.count(u"setCopies(3)"_qs), 1);
        QCOMPARE(b.dialogues.messageTexts().size(), 1);
        QCOMPARE(b.imprimante.copyCount, 1);

        // A preset that fails: no dialog, the failure said once, the count put back.
        Banc p;
        p.imprimante.fail(u"setCopies"_qs, 2);
        p.commande.Imprimer(p.demande);
        QVERIFY(p.dialogues.shownOfKind(u"print"_qs).isEmpty());
        QCOMPARE(p.dialogues.messageTexts(), QStringList{u"L'imprimante a refusé setCopies."_qs});
        QCOMPARE(p.copies().size(), 3);
    }

    void quitterRestoresOnlyDuringARun()
    {
        Banc b;
        b.imprimante.paperCode = Imprimante::kLetter;
        b.imprimante.pageOrientation = PageOrientation::Landscape;
        b.commande.Quitter();
        QVERIFY(b.imprimante.log.isEmpty());

        // Quitting while the run shows an address: the printer gets its values back.
        b.dialogues.printAnswers = {true};
        b.demande.montreAdresse = [&b](int) {
            b.commande.Quitter();
            QCOMPARE(b.imprimante.paperCode, Imprimante::kLetter);
            QCOMPARE(b.imprimante.pageOrientation, PageOrientation::Landscape);
        };
        b.commande.Imprimer(b.demande);
        QCOMPARE(b.imprimante.log.count(u"setPaperSize(1)"_qs), 3);  // probe, Quitter, ending step
    }

    void thePreviewProbesItsOwnPrinterAndSpeaksOnce()
    {
        Banc b;
        b.dialogues.printAnswers = {true};
        b.commande.Imprimer(b.demande);  // a print command's findings, before
        b.dialogues.shown.clear();
        const QString avant = b.commande.reglagesImprimante().ReglagesRefuses;

        b.apercu.fail(u"setPaperSize"_qs);
        b.apercu.fail(u"setOrientation"_qs);
        b.dialogues.setupAnswers = {true, true};
        b.dialogues.previewAnswers = {true};  // printed from the preview: painted twice
        b.demande.reglages.Orientation = 1;
        b.imprimante.log.clear();
        b.commande.Apercu(b.demande);
        QCOMPARE(b.dialogues.messageTexts(), (QStringList{MessageFormatRefuse(), MessageOrientationRefusee()}));
        QCOMPARE(b.dialogues.shownOfKind(u"setup"_qs).size(), 2);
        QCOMPARE(b.dialogues.shownOfKind(u"preview"_qs)[0].title, u"Aperçu avant impression"_qs);
        QCOMPARE(b.dialogues.lastPreviewCaption, u"Introduction de l'enveloppe"_qs);
        QCOMPARE(b.apercu.documentsEnded, 2);
        // Refused orientation: the pages are laid out upright, in both paintings.
        QCOMPARE(b.apercu.log.count(u"setOrientation(landscape)"_qs), 1);  // the probe's try only
        QCOMPARE(b.commande.reglagesImprimante().ReglagesRefuses, avant);
        QVERIFY(b.imprimante.log.isEmpty());

        // Too long a block: a message, and nothing to preview.
        b.dialogues.shown.clear();
        b.demande.texteExpediteur = QStringList(12, u"ligne"_qs).join(u"\r\n"_qs);
        b.commande.Apercu(b.demande);
        QCOMPARE(b.dialogues.messageTexts().size(), 1);
        QCOMPARE(b.dialogues.unexpected, 0);  // the preview's answer was never asked
        QCOMPARE(b.apercu.documentsEnded, 2);
    }

    void shiftsAreKeptPerPrinterToTheTenth()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(u"reglages.ini"_qs);
        {
            DecalagesImprimantes d(chemin);
            QVERIFY(d.enregistre(u"HP_LaserJet"_qs, {Mm(2.54), Mm(-1.06)}));
            QVERIFY(d.enregistre(u"Bureau/étage 2"_qs, {Mm(-0.5), Mm(0.3)}));
            QVERIFY(d.enregistre(u"Hors limites"_qs, {Mm(35), Mm(-40)}));
            QVERIFY(!d.enregistre(QString(), {Mm(1), Mm(1)}));
        }
        DecalagesImprimantes relu(chemin);  // as the next start of the program reads them
        QCOMPARE(relu.decalage(u"HP_LaserJet"_qs), (PointMm{Mm(2.5), Mm(-1.1)}));
        QCOMPARE(relu.decalage(u"Bureau/étage 2"_qs), (PointMm{Mm(-0.5), Mm(0.3)}));
        QCOMPARE(relu.decalage(u"Bureau"_qs), PointMm{});
        QCOMPARE(relu.decalage(u"Hors limites"_qs), (PointMm{Mm(20), Mm(-20)}));

        // A value spoilt in the file reads as zero or the limit.
        QSettings brut(chemin, QSettings::IniFormat);
        brut.setValue(u"Imprimantes/Abimee/DecalageDroite"_qs, u"n'importe quoi"_qs);
        brut.setValue(u"Imprimantes/Abimee/DecalageBas"_qs, u"1e300"_qs);
        brut.sync();
        QCOMPARE(DecalagesImprimantes(chemin).decalage(u"Abimee"_qs), (PointMm{Mm(0), Mm(20)}));
    }

    void theRunTakesTheShiftOfThePrinterItPrintsOn()
    {
        Banc b;
        QVERIFY(b.commande.decalages().enregistre(b.imprimante.name, {Mm(1.5), Mm(0.5)}));
        QVERIFY(b.commande.decalages().enregistre(u"Autre"_qs, {Mm(-2), Mm(3)}));
        b.dialogues.printAnswers = {true, true};
        b.commande.Imprimer(b.demande);
        const QStringList& log = b.imprimante.log;
        QCOMPARE(log.filter(u"setShift"_qs), (QStringList{u"setShift(1.5, 0.5)"_qs, u"setShift(0, 0)"_qs}));
        // Set before anything is printed, taken off after the document.
        const QRegularExpression decalage(u"setShift.*"_qs);
        QVERIFY(log.indexOf(decalage) < log.indexOf(QRegularExpression(u"printText.*"_qs)));
        QVERIFY(log.lastIndexOf(decalage) > log.indexOf(u"endDocument()"_qs));

        // The printer chosen in the probes' set-up dialog is the one whose shift applies.
        b.imprimante.log.clear();
        b.imprimante.fail(u"setPaperSize"_qs);
        b.dialogues.setupAnswers = {true};
        b.dialogues.onSetupDialog = [&b](PrinterService&) { b.imprimante.name = u"Autre"_qs; };
        b.commande.Imprimer(b.demande);
        QCOMPARE(log.filter(u"setShift"_qs).first(), u"setShift(-2, 3)"_qs);
    }

    void theAlignmentDialogKeepsWhatTheUserConfirms()
    {
        Banc b;
        b.imprimante.copyCount = 3;
        b.imprimante.paperCode = Imprimante::kLetter;
        QVERIFY(b.commande.decalages().enregistre(b.imprimante.name, {Mm(0.7), Mm(0)}));
        QVERIFY(b.commande.decalages().enregistre(u"Autre"_qs, {Mm(4), Mm(-4)}));
        ReglagesModele reglages;
        reglages.LongueurEnv = 229;

        b.dialogues.shiftAnswers = {std::nullopt};  // "Annuler"
        b.commande.ReglageImprimante(reglages);
        QCOMPARE(b.dialogues.lastShiftShown, (PointMm{Mm(0.7), Mm(0)}));
        QCOMPARE(b.commande.decalages().decalage(b.imprimante.name), (PointMm{Mm(0.7), Mm(0)}));
        QVERIFY(b.imprimante.log.isEmpty());  // asking is not printing

        // The user prints the calibration page from the dialog, choosing another printer in
        // its print dialog (one copy): the dialog then shows that printer and its shift,
        // and keeps for it.
        int copiesDuDialogue = 0;
        b.dialogues.printAnswers = {true};
        b.dialogues.onPrintDialog = [&](PrinterService&) {
            copiesDuDialogue = b.imprimante.copyCount;
            b.imprimante.name = u"Autre"_qs;
        };
        b.dialogues.onShiftDialog = [](const PrinterShiftRequest& r) { r.printCalibration(); };
        b.dialogues.shiftAnswers = {PointMm{Mm(1), Mm(2.04)}};
        b.commande.ReglageImprimante(reglages);
        QCOMPARE(copiesDuDialogue, 1);
        QCOMPARE(b.imprimante.pagesOut, 1);
        // Upright: the vertical fold line 12 mm in from the envelope's left edge, from
        // 10 mm below its top edge, the sheet's.
        QCOMPARE(b.imprimante.lines[0].from, (PointMm{Mm(12 - 3), Mm(10 - 3)}));
        QCOMPARE(std::pair(b.imprimante.copyCount, b.imprimante.paperCode), std::pair(3, Imprimante::kLetter));
        QCOMPARE(b.dialogues.lastShiftPrinter, u"Autre"_qs);
        QCOMPARE(b.dialogues.lastShiftShown, (PointMm{Mm(4), Mm(-4)}));
        QCOMPARE(b.commande.decalages().decalage(u"Autre"_qs), (PointMm{Mm(1), Mm(2)}));
        QVERIFY(b.dialogues.messageTexts().isEmpty());

        // A settings file that cannot be written is said.
        b.commande.decalages().utiliseFichier(b.dossier.path());  // a folder, not a file
        b.dialogues.onShiftDialog = {};
        b.dialogues.shiftAnswers = {PointMm{Mm(1), Mm(1)}};
        b.commande.ReglageImprimante(reglages);
        QCOMPARE(b.dialogues.messageTexts().size(), 1);
        QVERIFY(b.dialogues.messageTexts()[0].contains(u"n'a pas pu être enregistré"_qs));
    }
};

QTEST_MAIN(TestPrintCommand)
#include "test_print_command.moc"
