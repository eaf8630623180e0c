// The print command on a recording printer: the A4 warning, the copies count preset and
// always put back, and the printers' shifts kept to the tenth.
#include "print/CommandeImpression.h"
#include "print/TestsImprimante.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

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
    }

    void shiftsAreKeptPerPrinterToTheTenth()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(u"reglages.ini"_qs);
        {
            DecalagesImprimantes d(chemin);
            QVERIFY(d.enregistre(u"HP_LaserJet"_qs, {Mm(2.54), Mm(-1.06)}));
            QVERIFY(d.enregistre(u"Bureau/étage 2"_qs, {Mm(-0.5), Mm(0.3)}));
            QVERIFY(!d.enregistre(QString(), {Mm(1), Mm(1)}));
        }
        DecalagesImprimantes relu(chemin);  // as the next start of the program reads them
        QCOMPARE(relu.decalage(u"HP_LaserJet"_qs), (PointMm{Mm(2.5), Mm(-1.1)}));
        QCOMPARE(relu.decalage(u"Bureau/étage 2"_qs), (PointMm{Mm(-0.5), Mm(0.3)}));
        QCOMPARE(relu.decalage(u"Bureau"_qs), PointMm{});

        // A value spoilt in the file reads as zero or the limit.
        QSettings brut(chemin, QSettings::IniFormat);
        brut.setValue(u"Imprimantes/Abimee/DecalageDroite"_qs, u"n'importe quoi"_qs);
        brut.setValue(u"Imprimantes/Abimee/DecalageBas"_qs, u"1e300"_qs);
        brut.sync();
        QCOMPARE(DecalagesImprimantes(chemin).decalage(u"Abimee"_qs), (PointMm{Mm(0), Mm(20)}));
    }

};

QTEST_MAIN(TestPrintCommand)
#include "test_print_command.moc"
