// Printing on a recording printer that refuses and fails on command. The run: how refusals,
// blocks too long and failures end it, with the printer put back as it was. The print
// command: the A4 warning, the copies count preset and always put back, and the printers'
// shifts kept to the tenth. The print selection window as the user meets it: its list
// copied afresh at each showing, and the ways out.
#include "addresses/liste/EncodageAdresse.h"
#include "print/CommandeImpression.h"
#include "print/Imprime.h"
#include "print/ReglagesImprimante.h"
#include "print/TestsImprimante.h"
#include "print/widgets/Form3.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {
const QString S = QString(kSeparateurLignes);
using Imprimante = RecordingPrinterService;

// The printer measures 2 mm a character and 5 mm a line, and holds Letter paper; the run
// goes alone (lance) or under the print command.
struct Banc {
    QTemporaryDir dossier;
    Imprimante imprimante;
    ScriptedDialogs dialogues;
    ReglagesImprimante reglages;
    Imprime run{imprimante, dialogues, reglages};
    CommandeImpression commande{imprimante, dialogues, nullptr};
    DemandeImpression demande;
    QList<int> montrees;

    explicit Banc(int adresses = 1)
    {
        imprimante.paperCode = Imprimante::kLetter;
        commande.decalages().utiliseFichier(dossier.filePath(u"reglages.ini"_qs));
        commande.remplaceChoixAdresses([](const EntreesAdresses&) { return std::optional(QList<int>{0}); });
        demande.reglages.TexteExp = u"Expéditeur"_qs;
        for (int i = 1; i <= adresses; ++i)
            demande.adresses.ajoute(u"Destinataire %1"_qs.arg(i) + S + u"%1 rue"_qs.arg(i) + S + u"Ville"_qs);
        demande.montreAdresse = [this](int i) {
            QVERIFY(run.ImpressionEnCours() || commande.ImpressionEnCours());
            montrees.append(i);
        };
    }
    void lance(const QList<int>& selection = {0}) { run.lance(demande, selection); }
    QStringList copies() const { return imprimante.log.filter(u"setCopies"_qs); }
};

const QStringList kTrois = {u"Alice"_qs, u"Bernard"_qs, u"Chloé"_qs};

// A button found by the text the user reads on it.
QPushButton* bouton(Form3& f, const QString& texte)
{
    for (QPushButton* b : f.findChildren<QPushButton*>())
        if (b->text() == texte)
            return b;
    return nullptr;
}

// Runs `pendant` once the modal window is up, then gives the window's answer.
std::optional<QList<int>> choisitEn(Form3& f, const QStringList& adresses,
                                    std::function<void(Form3&)> pendant)
{
    QTimer::singleShot(0, &f, [&f, pendant] {
        pendant(f);
        if (f.isVisible()) // a click that did nothing: leave the way the user would
            QTest::mouseClick(bouton(f, u"Annuler"_qs), Qt::LeftButton);
    });
    return f.choisit(adresses);
}
} // namespace

class TestPrintRun : public QObject {
    Q_OBJECT
private slots:
    void refusalsAskTheUserAndStillPrint_data()
    {
        QTest::addColumn<bool>("formatRefuse");
        QTest::addColumn<QList<bool>>("reglages"); // the set-up dialogs' answers
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("orientation, Paysage chosen")
            << false << QList<bool>{true} << QStringList{MessageOrientationRefusee()};
        QTest::newRow("both") << true << QList<bool>{true, true}
                              << QStringList{MessageFormatRefuse(), MessageOrientationRefusee()};
        QTest::newRow("both, first set-up cancelled")
            << true << QList<bool>{false, true} << QStringList{MessageFormatRefuse()};
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
        QCOMPARE(b.imprimante.texts.at(1).at.y.value, 7.0); // the sender's, after its empty text
        QCOMPARE(b.imprimante.lines[0].from,
                 (PointMm{Mm(217), Mm(0)})); // the upright mark, 220 mm from the left
        QCOMPARE(b.imprimante.log.count(u"setPaperA4()"_qs),
                 formatRefuse ? 1 : 2);                                      // the probe's try, the run's
        QCOMPARE(b.imprimante.log.count(u"setOrientation(portrait)"_qs), 1); // the probe's write-back only
    }

    void tooManyLinesStopBeforeAnything_data()
    {
        QTest::addColumn<QString>("expediteur");
        QTest::addColumn<int>("lignesAdresse");
        QTest::addColumn<QString>("message"); // a part of it; empty: the run prints
        const auto lignes = [](int n, const QString& fin) {
            return QStringList(n, u"x"_qs).join(u"\r\n"_qs) + fin;
        };
        QTest::newRow("12-line address") << lignes(1, {}) << 12 << u"n° 2"_qs;
        QTest::newRow("11 lines and a final break") << lignes(11, u"\r\n"_qs) << 11 << QString();
    }
    void tooManyLinesStopBeforeAnything()
    {
        QFETCH(QString, expediteur);
        QFETCH(int, lignesAdresse);
        QFETCH(QString, message);
        Banc b;
        b.lance(); // an earlier run read the printer's Letter paper
        b.imprimante.paperCode = Imprimante::kEnvelopeDL;
        b.imprimante.log.clear();
        b.demande.reglages.TexteExp = expediteur;
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
        b.lance({0, 1, 2, 3, 4, 5});
        QCOMPARE(b.dialogues.messageTexts(), QStringList{u"L'imprimante a refusé endPage."_qs});
        // The first page came out, the page under way with the document; no third.
        QCOMPARE(b.imprimante.pagesOut, 2);
        QCOMPARE(b.montrees, (QList<int>{0, 1}));
        QVERIFY(!b.run.Annulee() && !b.run.ImpressionEnCours());
        QCOMPARE(b.imprimante.paperCode, Imprimante::kLetter); // its own paper and feed back
        QCOMPARE(b.imprimante.pageOrientation, PageOrientation::Portrait);

        // Ending steps that fail: each said once, in one message.
        Banc fin;
        fin.imprimante.fail(u"endDocument"_qs);
        fin.imprimante.fail(u"setPaperSize"_qs, 2); // the probe's write-back passes, the restoring fails
        fin.lance();
        QCOMPARE(
            fin.dialogues.messageTexts(),
            QStringList{u"L'imprimante a refusé endDocument.\r\nL'imprimante a refusé setPaperSize."_qs});
        QCOMPARE(fin.imprimante.log.count(u"endDocument()"_qs), 1);
        QVERIFY(!fin.run.ImpressionEnCours());
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
        QTEST(montres, "montres"); // the warning comes before the dialog
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
        QCOMPARE(b.dialogues.shown.size(), 1); // the print dialog alone: a cancel says nothing
        QVERIFY(!b.commande.ImpressionEnCours());
    }

    void refusedCopiesAreSaidAndNeitherPresetNorPutBack()
    {
        Banc b;
        b.imprimante.fail(u"setCopies"_qs, 1); // the probe's write-back, this time only
        b.demande.reglages.Quantite = 3;
        b.dialogues.printAnswers = {true, true};
        b.commande.Imprimer(b.demande);
        QCOMPARE(b.commande.reglagesImprimante().ReglagesRefuses, u"01"_qs);
        QCOMPARE(b.copies().size(), 1);
        QCOMPARE(b.dialogues.shown[0].title, u"Contrôle d'impression"_qs);
        QCOMPARE(b.dialogues.shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(
            b.dialogues.messageTexts(),
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
        DecalagesImprimantes relu(chemin); // as the next start of the program reads them
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

    void waysOut_data()
    {
        QTest::addColumn<QStringList>("adresses");
        QTest::addColumn<QList<int>>("selectionnees");
        QTest::addColumn<QString>("sortie"); // a button's text
        QTest::addColumn<bool>("annulee");
        QTest::addColumn<QList<int>>("choix");
        QTest::newRow("Imprimer Tout")
            << kTrois << QList<int>{1} << u"Imprimer Tout..."_qs << false << QList<int>{0, 1, 2};
        QTest::newRow("Imprimer la Sélection")
            << kTrois << QList<int>{0, 2} << u"Imprimer la Sélection..."_qs << false << QList<int>{0, 2};
        QTest::newRow("Annuler") << kTrois << QList<int>{0} << u"Annuler"_qs << true << QList<int>{};
        // An empty list has no current entry: neither print button closes the window.
        QTest::newRow("empty list, Imprimer la Sélection")
            << QStringList() << QList<int>{} << u"Imprimer la Sélection..."_qs << true << QList<int>{};
    }
    void waysOut()
    {
        QFETCH(QStringList, adresses);
        QFETCH(QList<int>, selectionnees);
        QFETCH(QString, sortie);
        QFETCH(bool, annulee);
        QFETCH(QList<int>, choix);
        Form3 f;
        QStringList vues;
        bool dejaChoisie = true;
        // Shown twice: the second showing has the list afresh, with nothing selected.
        for (int fois = 0; fois < 2; ++fois) {
            const auto reponse = choisitEn(f, adresses, [&](Form3& w) {
                vues.clear();
                QItemSelectionModel* choix = w.findChild<QListView*>(u"List2"_qs)->selectionModel();
                for (int i = 0; i < choix->model()->rowCount(); ++i)
                    vues.append(choix->model()->index(i, 0).data().toString());
                dejaChoisie = choix->hasSelection();
                for (int i : selectionnees)
                    choix->select(choix->model()->index(i, 0), QItemSelectionModel::Select);
                QTest::mouseClick(bouton(w, sortie), Qt::LeftButton);
            });
            QCOMPARE(vues, adresses);
            QVERIFY(!dejaChoisie);
            QCOMPARE(f.ImpressionAnnulee(), annulee);
            QCOMPARE(reponse, annulee ? std::nullopt : std::optional(choix));
            QVERIFY(!f.isVisible());
        }
    }
};

QTEST_MAIN(TestPrintRun)
#include "test_print_run.moc"
