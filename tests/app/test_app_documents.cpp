// The main window's commands on the document: the address list, saving and opening address
// files, printing, the print preview and printer alignment, driven with scripted dialogs and
// recording printers.
#include "addresses/AddressEncoding.h"
#include "addresses/Form2.h"
#include "tests/app/BancForm1.h"

#include <QComboBox>
#include <QListView>
#include <QRegularExpression>

class TestDocuments : public QObject {
    Q_OBJECT
private slots:
    void ajouterEtModifierTravaillentSurLAdresseMontree()
    {
        Banc b;
        b.c().Ajouter->click();
        QCOMPARE(b.c().NAdr->text(), QStringLiteral("2"));
        QVERIFY(b.f->etat().Modifie);
        b.ajoute(QString());
        b.ajoute(QStringLiteral("Albert Durand\n2 rue Basse"));

        // Modifier replaces the shown address, the one just added, and no other, wherever
        // the new text sorts; a second Modifier replaces the same, re-added entry.
        b.c().Adresse->setPlainText(QStringLiteral("Yves Nouveau"));
        b.c().Modifier->click();
        b.c().Adresse->setPlainText(QStringLiteral("Yves Encore"));
        b.c().Modifier->click();
        const QString nom = EnLigne(QStringLiteral("Nom\r\net\r\nAdresse"));
        QCOMPARE(b.f->adresses().entries(), (QStringList{QString(), nom, nom, QStringLiteral("Yves Encore")}));
    }

    void toutSupprimerRendModifierIndisponible()
    {
        Banc b;
        b.c().Ajouter->click();
        QListView* liste = b.f->form2().List1();
        for (int ligne : {0, 1})
            liste->selectionModel()->setCurrentIndex(liste->model()->index(ligne, 0),
                                                     QItemSelectionModel::Select);
        b.f->form2().findChild<QPushButton*>(QStringLiteral("SupprimAdresses"))->click();
        QCOMPARE(b.f->adresses().count(), 0);
        QVERIFY(!b.c().Modifier->isEnabled());
        b.f->Form_Activate();
        QCOMPARE(b.c().NAdr->text(), QStringLiteral("0"));
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
            QVERIFY(!b.f->etat().Modifie);
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
        QCOMPARE(b.f->texteExped(), QStringLiteral("Jean Expéditeur\r\n12 rue des Lilas"));
        // The last address in list order is shown: French order puts "Nom" last here.
        QCOMPARE(b.f->texteAdresse(), QStringLiteral("Nom\r\net\r\nAdresse"));
        QCOMPARE(b.f->adresses().entry(0), QStringLiteral("andré Gide"));
        QVERIFY(!b.f->etat().Modifie);
        QCOMPARE(b.f->windowTitle(), titre);
        QCOMPARE(b.f->reglages().CheminFichier, chemin);
    }

    void unFichierIlisibleNeToucheARien()
    {
        QTemporaryDir dir;
        Banc b;
        b.c().Adresse->setPlainText(QStringLiteral("Mon travail"));
        b.dialogs.questionAnswers = {Answer::No};
        b.dialogs.openAnswers = {
            ecritFichier(dir.filePath(QStringLiteral("Casse.PLV")), "#TRUE#,\"pas un nombre\r\n")};
        b.c().Ouvrir->click();
        const auto messages = b.dialogs.shownOfKind(QStringLiteral("message"));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title, QStringLiteral("Contrôle de lecture Disque"));
        QCOMPARE(b.f->texteAdresse(), QStringLiteral("Mon travail"));
        QCOMPARE(b.f->reglages().NomFichier, QStringLiteral("Nouveau"));
        QVERIFY(b.f->etat().Modifie);
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
        const auto messages = b.dialogs.shownOfKind(QStringLiteral("message"));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title, QStringLiteral("Contrôle de lecture Disque"));
        QVERIFY(b.f->etat().Modifie);
        QCOMPARE(b.f->windowTitle(), titre);
        QVERIFY(b.f->close());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Fin.PLV"))));
    }

    void lesBoutonsPartagentLaRangeeSansSeChevaucher()
    {
        Banc b;
        QCOMPARE(b.c().Apercu->text(), QStringLiteral("Aperçu..."));
        const ControlesForm1& c = b.c();
        const QList<QPushButton*> rangee = {
            c.Ajouter, c.Modifier,          c.Serie,  c.Sauver, c.Ouvrir, c.Imprimer, c.Apercu,
            c.Polices, c.ReglageImprimante, c.Quitter};
        for (qsizetype i = 0; i < rangee.size(); ++i) {
            QVERIFY(b.f->centralWidget()->rect().contains(rangee[i]->geometry()));
            QVERIFY(rangee[i]->fontMetrics().horizontalAdvance(rangee[i]->text()) < rangee[i]->width());
            QCOMPARE(rangee[i]->y(), rangee[0]->y());
            if (i > 0)
                QVERIFY2(rangee[i - 1]->geometry().right() < rangee[i]->x(), qPrintable(rangee[i]->text()));
        }
    }

    void apercuMontreLesPagesAcoteDuSensDAlimentation()
    {
        Banc b;
        RecordingPrinterService apercu;
        b.dialogs.previewPrinter = &apercu;
        b.choisitTout();
        b.ajoute(QStringLiteral("Zoé Martin\r\n1 rue Haute"));
        b.c().Adresse->setPlainText(QStringLiteral("Texte en cours"));
        b.c().Orient[1]->click();
        b.c().ReperesCoupe[0]->click();
        b.dialogs.previewAnswers = {false};
        b.imprimante.log.clear();
        b.c().Apercu->click();

        QCOMPARE(b.dialogs.shownOfKind(QStringLiteral("preview")).size(), 1);
        QCOMPARE(b.dialogs.lastPreviewPicture, QImage(QStringLiteral(":/orient3.png")));
        QCOMPARE(apercu.pagesOut, 2);
        QVERIFY(apercu.log.contains(QStringLiteral("setOrientation(landscape)")));
        // The window's printer only measured: nothing set, nothing printed; the recipient
        // box kept what was being typed.
        static const QRegularExpression kReglageOuSortie(
            QStringLiteral("^(setCopies|setPaper|setOrientation|setShift|printText|drawLine|lineTo|drawImage|"
                           "endPage|endDocument)"));
        QVERIFY(b.imprimante.log.filter(kReglageOuSortie).isEmpty());
        QCOMPARE(b.f->texteAdresse(), QStringLiteral("Texte en cours"));
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
        QCOMPARE(b.f->texteAdresse(), QStringLiteral("Zoé 5"));
        QCOMPARE(b.f->adresses().adresseCourante(), 5);
        QVERIFY(!b.f->ImpressionEnCours());
        QCOMPARE(b.imprimante.log.filter(QStringLiteral("setShift")).first(),
                 QStringLiteral("setShift(2.5, -1)"));
        b.dialogs.questionAnswers = {Answer::No};
        QVERIFY(b.f->close()); // once the run is over, as usual
    }
};

QTEST_MAIN(TestDocuments)
#include "test_app_documents.moc"
