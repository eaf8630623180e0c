// The main window's commands on the document: saving and opening address files, printing
// and printer alignment, driven with scripted dialogs and recording printers.
#include "tests/app/BancForm1.h"

#include <QStandardPaths>

#include <QComboBox>
#include <QSignalSpy>

class TestDocuments : public QObject {
    Q_OBJECT
private slots:
    // The document says when it changes, once a change; what the program does while it
    // fills the window is not the user's edit, however deep the guards nest.
    void modifieNeSuitQueLUtilisateur()
    {
        DocumentEnveloppe d;
        QSignalSpy changements(&d, &DocumentEnveloppe::modifieChange);
        {
            const DocumentEnveloppe::Chargement ouverture(d);
            {
                const DocumentEnveloppe::Chargement adresse(d);
            }
            d.marqueModifie();
        }
        QVERIFY(!d.Modifie());
        d.marqueModifie();
        d.marqueModifie();
        d.setModifie(false);
        QCOMPARE(changements.size(), 2);
    }

    void sauverPuisOuvrirRendTout()
    {
        QTemporaryDir dir;
        const QString chemin = dir.filePath(QStringLiteral("Lettre.PLV"));
        const QString titre = QStringLiteral("Plivane - Version 2.1      Fichier en cours : Lettre.PLV");
        {
            Banc b;
            b.c().BHL->setValue(229);
            b.c().BHH->setValue(162);
            b.c().BHQte->setValue(3);
            b.c().SpinLV->flecheBas()->click();
            b.c().Orient[1]->click();
            b.c().ReperesCoupe[0]->click();
            b.c().Exped->setPlainText(QStringLiteral("Jean Expéditeur\n12 rue des Lilas"));
            b.ajoute(QStringLiteral("Émile Zola\n75011 PARIS"));
            b.ajoute(QStringLiteral("andré Gide"));
            b.dialogs.saveAnswers = {chemin};
            b.c().Sauver->click();
            QVERIFY(!b.f->document().Modifie());
            QCOMPARE(b.f->windowTitle(), titre);
            QCOMPARE(b.dialogs.shownOfKind(QStringLiteral("save"))[0].file.defaultSuffix,
                     QStringLiteral("PLV"));
        }
        Banc b;
        b.dialogs.openAnswers = {chemin};
        b.c().Ouvrir->click();
        QVERIFY(b.dialogs.messageTexts().isEmpty());
        const ControlesForm1& c = b.c();
        QCOMPARE((QStringList{c.NAdr->text(), c.Lg->text(), c.Ht->text(), c.FormatEnveloppe->currentText(),
                              c.QuantitePanneau->text(), c.EspAdrH->text(), c.EspAdrG->text()}),
                 (QStringList{"3", "229", "162", "C5 (229 x 162)", "3", " 19", " 109"}));
        QVERIFY(c.PlivaneOrient[3]->isVisible());
        QCOMPARE(b.f->document().reglages().TexteExp, QStringLiteral("Jean Expéditeur\r\n12 rue des Lilas"));
        // The last address in list order is shown: French order puts "Nom" last here.
        QCOMPARE(b.f->document().reglages().TexteDest, QStringLiteral("Nom\r\net\r\nAdresse"));
        QCOMPARE(b.f->document().adresses().entree(0), QStringLiteral("andré Gide"));
        QVERIFY(!b.f->document().Modifie());
        QCOMPARE(b.f->windowTitle(), titre);
        QCOMPARE(b.f->document().reglages().CheminFichier, chemin);
    }

    void ouiNeContinueQueSiLaSauvegardeAEuLieu()
    {
        QTemporaryDir dir;
        Banc b;
        b.c().Ajouter->click();
        const QString titre = b.f->windowTitle();
        // "Oui", then the save dialog cancelled, or a file that cannot be written: neither
        // closing nor opening goes on, and the failure is said.
        b.dialogs.questionAnswers = {Answer::Yes, Answer::Yes, Answer::Yes};
        b.dialogs.saveAnswers = {std::nullopt, dir.filePath(QStringLiteral("absent/Fin.PLV")),
                                 dir.filePath(QStringLiteral("Fin.PLV"))};
        QVERIFY(!b.f->close());
        b.c().Ouvrir->click();
        QVERIFY(b.dialogs.shownOfKind(QStringLiteral("open")).isEmpty());
        QCOMPARE(b.dialogs.messageTexts().size(), 1);
        QCOMPARE(b.dialogs.shown.last().title, QStringLiteral("Contrôle de lecture Disque"));
        QVERIFY(b.f->document().Modifie());
        QCOMPARE(b.f->windowTitle(), titre);
        QVERIFY(b.f->close());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Fin.PLV"))));
        // A new envelope is proposed where "Ouvrir..." looks, not where the program started.
        const auto sauvegardes = b.dialogs.shownOfKind(QStringLiteral("save"));
        QCOMPARE(sauvegardes.first().file.initialPath,
                 QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Nouveau");
    }

    void imprimerSansFermerLaFenetreLaisseLaDerniereAdresseImprimee()
    {
        Banc b;
        // The alignment button keeps a shift for the window's printer, which the print takes.
        b.dialogs.shiftAnswers = {PointMm{Mm(2.5), Mm(-1.0)}};
        b.c().ReglageImprimante->click();
        QCOMPARE(b.dialogs.lastShiftPrinter, b.imprimante.name);
        b.choisitTout();
        for (int i = 1; i <= 5; ++i)
            b.ajoute(QStringLiteral("Zoé %1").arg(i));
        b.c().Adresse->setPlainText(QStringLiteral("Texte en cours"));
        QList<bool> fermee;
        b.dialogs.onProgress = [&](int) { fermee.append(b.f->close()); };
        b.dialogs.printAnswers = {true};
        b.c().Imprimer->click();
        QCOMPARE(fermee, QList<bool>(6, false));
        QCOMPARE(b.imprimante.pagesOut, 6);
        QCOMPARE(b.f->document().reglages().TexteDest, QStringLiteral("Zoé 5"));
        QCOMPARE(b.f->document().adresses().adresseCourante(), 5);
        QVERIFY(!b.f->ImpressionEnCours());
        QCOMPARE(b.imprimante.log.filter(QStringLiteral("setShift")).first(),
                 QStringLiteral("setShift(2.5, -1)"));
        b.dialogs.questionAnswers = {Answer::No};
        QVERIFY(b.f->close()); // once the run is over, as usual
    }
};

QTEST_MAIN(TestDocuments)
#include "test_app_documents.moc"
