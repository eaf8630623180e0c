// The main window's commands on the document: the address list, saving and opening
// address files, and printing, driven with scripted dialogs and a recording printer.
#include "addresses/AddressEncoding.h"
#include "app/window/Form1.h"
#include "print/CommandeImpression.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "layout/SpinButton.h"

namespace {
struct Banc {
    ScriptedDialogs dialogs;
    RecordingPrinterService imprimante;
    std::unique_ptr<Form1> f;

    Banc()
    {
        f = std::make_unique<Form1>(dialogs, imprimante);
        f->show();
    }
    const ControlesForm1& c() const { return f->controles(); }
    void tape(QPlainTextEdit* boite, const QString& texte) { boite->setPlainText(texte); }
    QString adresse() const { return f->texteAdresse(); }
};
}  // namespace

class TestDocuments : public QObject {
    Q_OBJECT
private slots:
    void ajouterEtModifierTravaillentSurLAdresseMontree()
    {
        Banc b;
        QCOMPARE(b.c().NAdr->text(), QStringLiteral("1"));
        QCOMPARE(b.adresse(), QStringLiteral("Nom\r\net\r\nAdresse"));
        b.c().Ajouter->click();
        QCOMPARE(b.c().NAdr->text(), QStringLiteral("2"));
        QCOMPARE(b.f->adresses().entry(0), b.f->adresses().entry(1));
        QVERIFY(b.f->etat().Modifie);

        b.tape(b.c().Adresse, QStringLiteral("Zoé Martin\n1 rue Haute"));
        b.c().Ajouter->click();
        b.tape(b.c().Adresse, QStringLiteral("Albert Durand\n2 rue Basse"));
        b.c().Ajouter->click();
        QCOMPARE(b.f->adresses().entry(0), EnLigne(QStringLiteral("Albert Durand\r\n2 rue Basse")));

        // The shown address is still the first designed one: Modifier replaces it, and
        // no other, wherever the new text sorts.
        b.tape(b.c().Adresse, QStringLiteral("Yves Nouveau"));
        b.c().Modifier->click();
        const QStringList entrees = b.f->adresses().entries();
        QCOMPARE(entrees.size(), 4);
        QCOMPARE(entrees.count(EnLigne(QStringLiteral("Nom\r\net\r\nAdresse"))), 1);
        QVERIFY(entrees.contains(QStringLiteral("Yves Nouveau")));
        QVERIFY(entrees.contains(EnLigne(QStringLiteral("Zoé Martin\r\n1 rue Haute"))));
        // A second Modifier replaces the same, re-added entry.
        b.tape(b.c().Adresse, QStringLiteral("Yves Encore"));
        b.c().Modifier->click();
        QCOMPARE(b.f->adresses().count(), 4);
        QVERIFY(!b.f->adresses().entries().contains(QStringLiteral("Yves Nouveau")));
    }

    void sauverPuisOuvrirRendTout()
    {
        QTemporaryDir dir;
        const QString chemin = dir.filePath(QStringLiteral("Lettre.PLV"));
        {
            Banc b;
            b.c().BHL->setValue(229);
            b.c().BHH->setValue(162);
            b.c().BHQte->setValue(3);
            b.c().SpinLV->flecheBas()->click();
            b.c().Orient[1]->click();
            b.c().ReperesCoupe[0]->click();
            b.tape(b.c().Exped, QStringLiteral("Jean Expéditeur\n12 rue des Lilas"));
            b.tape(b.c().Adresse, QStringLiteral("Émile Zola\n75011 PARIS"));
            b.c().Ajouter->click();
            b.tape(b.c().Adresse, QStringLiteral("andré Gide"));
            b.c().Ajouter->click();
            b.dialogs.saveAnswers = {chemin};
            b.c().Sauver->click();
            QVERIFY(!b.f->etat().Modifie);
            QCOMPARE(b.f->windowTitle(), QStringLiteral("Plivane - Version 2.1      Fichier en cours : Lettre.PLV"));
            const auto sauve = b.dialogs.shownOfKind(QStringLiteral("save"));
            QCOMPARE(sauve[0].title, QStringLiteral("Sauver un Fichier d'Adresses"));
            QCOMPARE(sauve[0].file.filter, QStringLiteral("Fichiers autorisés (*.PLV)|*.PLV"));
            QCOMPARE(sauve[0].file.defaultSuffix, QStringLiteral("PLV"));
        }
        Banc b;
        b.dialogs.openAnswers = {chemin};
        b.c().Ouvrir->click();
        QVERIFY(b.dialogs.messageTexts().isEmpty());
        QCOMPARE(b.c().NAdr->text(), QStringLiteral("3"));
        QCOMPARE(b.c().Lg->text(), QStringLiteral("229"));
        QCOMPARE(b.c().Ht->text(), QStringLiteral("162"));
        QCOMPARE(b.c().QuantitePanneau->text(), QStringLiteral("3"));
        QCOMPARE(b.c().EspAdrH->text(), QStringLiteral(" 19"));
        QCOMPARE(b.c().EspAdrG->text(), QStringLiteral(" 109"));
        QCOMPARE(b.f->reglages().MargeBasseDest, 19.0f);
        QVERIFY(b.c().Orient[1]->isChecked());
        QVERIFY(b.c().ReperesCoupe[0]->isChecked());
        QVERIFY(b.c().PlivaneOrient[3]->isVisible());
        QCOMPARE(b.f->texteExped(), QStringLiteral("Jean Expéditeur\r\n12 rue des Lilas"));
        // The last address in list order is shown: French order puts "Nom" last here.
        QCOMPARE(b.adresse(), QStringLiteral("Nom\r\net\r\nAdresse"));
        QCOMPARE(b.f->adresses().entry(0), QStringLiteral("andré Gide"));
        QVERIFY(!b.f->etat().Modifie);
        QCOMPARE(b.f->windowTitle(), QStringLiteral("Plivane - Version 2.1      Fichier en cours : Lettre.PLV"));
        QCOMPARE(b.f->reglages().CheminFichier, chemin);
    }

    void unFichierIlisibleNeToucheARien()
    {
        QTemporaryDir dir;
        const QString chemin = dir.filePath(QStringLiteral("Casse.PLV"));
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#TRUE#,\"pas un nombre\r\n");
        f.close();
        Banc b;
        b.tape(b.c().Adresse, QStringLiteral("Mon travail"));
        b.dialogs.questionAnswers = {Answer::No};
        b.dialogs.openAnswers = {chemin};
        b.c().Ouvrir->click();
        const auto messages = b.dialogs.shownOfKind(QStringLiteral("message"));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title, QStringLiteral("Contrôle de lecture Disque"));
        QVERIFY(messages[0].text.contains(chemin));
        QCOMPARE(b.adresse(), QStringLiteral("Mon travail"));
        QCOMPARE(b.f->reglages().NomFichier, QStringLiteral("Nouveau"));
        QVERIFY(b.f->etat().Modifie);
    }

    void ouiSuiviDUneSauvegardeAnnuleeGardeLaFenetreEtLeDocument()
    {
        Banc b;
        b.c().Ajouter->click();
        b.dialogs.questionAnswers = {Answer::Yes};
        b.dialogs.saveAnswers = {std::nullopt};
        QVERIFY(!b.f->close());
        QVERIFY(b.f->etat().Modifie);

        b.dialogs.questionAnswers = {Answer::Yes};
        b.dialogs.saveAnswers = {std::nullopt};
        b.c().Ouvrir->click();
        QVERIFY(b.dialogs.shownOfKind(QStringLiteral("open")).isEmpty());
        QCOMPARE(b.f->adresses().count(), 2);
    }

    void ouiSuiviDUneSauvegardeReussieFerme()
    {
        QTemporaryDir dir;
        Banc b;
        b.c().Ajouter->click();
        b.dialogs.questionAnswers = {Answer::Yes};
        b.dialogs.saveAnswers = {dir.filePath(QStringLiteral("Fin.PLV"))};
        QVERIFY(b.f->close());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Fin.PLV"))));
    }

    void imprimerLaisseLaDerniereAdresseImprimeeDansLaBoite()
    {
        Banc b;
        b.tape(b.c().Adresse, QStringLiteral("Albert Durand"));
        b.c().Ajouter->click();
        b.tape(b.c().Adresse, QStringLiteral("Zoé Martin"));
        b.c().Ajouter->click();
        b.tape(b.c().Adresse, QStringLiteral("Texte en cours"));
        const bool modifie = b.f->etat().Modifie;
        b.f->impression().remplaceChoixAdresses([](const QStringList& adresses) {
            QList<int> tout;
            for (int i = 0; i < adresses.size(); ++i)
                tout << i;
            return std::optional<QList<int>>(tout);
        });
        b.dialogs.printAnswers = {true};
        b.c().Imprimer->click();
        QCOMPARE(b.imprimante.pagesOut, 3);
        QCOMPARE(b.adresse(), QStringLiteral("Zoé Martin"));
        QCOMPARE(b.f->adresses().adresseCourante(), 2);
        QCOMPARE(b.f->etat().Modifie, modifie);
        QVERIFY(!b.f->ImpressionEnCours());
    }
};

QTEST_MAIN(TestDocuments)
#include "test_app_documents.moc"
