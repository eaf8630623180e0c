// Faster entry on the main window: the envelope formats list, the address-form advice under
// the recipient box, and the import of a CSV file from the address list window.
#include "addresses/AddressEncoding.h"
#include "addresses/Form2.h"
#include "app/window/Form1.h"
#include "layout/EtiquetteConseil.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

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
    QComboBox* formats() const { return c().FormatEnveloppe; }
    // What the user sees and what the settings hold after a change of size.
    QStringList etat() const
    {
        const ReglagesModele& r = f->reglages();
        const RectTwips& d = f->apercu().cadreDest();
        return {c().Lg->text(),
                c().Ht->text(),
                c().EspAdrG->text(),
                QString::number(r.LongueurEnv),
                QString::number(r.HauteurEnv),
                QString::number(r.MargeGaucheDest),
                QString::number(r.MargeBasseDest),
                QString::number(f->apercu().Echelle()),
                QString::number(d.left.value),
                QString::number(d.top.value),
                QString::number(f->apercu().verdictDest().respectee()),
                QString::number(f->etat().Modifie),
                formats()->currentText()};
    }
};
} // namespace

class TestSaisie : public QObject {
    Q_OBJECT
private slots:
    void choisirC5CommeDeplacerLesBarres()
    {
        Banc liste;
        QCOMPARE(liste.formats()->currentText(), QStringLiteral("DL (220 x 110)"));
        QVERIFY(!liste.f->etat().Modifie);
        // Down three times from DL, as a keyboard user picks C5.
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(liste.formats(), Qt::Key_Down);
        QCOMPARE(liste.formats()->currentText(), QStringLiteral("C5 (229 x 162)"));
        QCOMPARE(liste.c().Lg->text(), QStringLiteral("229"));
        QCOMPARE(liste.c().Ht->text(), QStringLiteral("162"));
        QCOMPARE(liste.f->reglages().MargeGaucheDest, 109.0f);
        QCOMPARE(liste.c().EspAdrG->text(), QStringLiteral("109"));

        Banc barres;
        barres.c().BHL->setValue(229);
        barres.c().BHH->setValue(162);
        QCOMPARE(liste.etat(), barres.etat());
        QVERIFY(liste.f->etat().Modifie);
    }

    void ouvrirUnFichierMontreSonFormat()
    {
        QTemporaryDir dir;
        const QString c4 = dir.filePath(QStringLiteral("C4.PLV"));
        const QString autre = dir.filePath(QStringLiteral("Autre.PLV"));
        {
            Banc b;
            b.c().BHL->setValue(324);
            b.c().BHH->setValue(229);
            b.dialogs.saveAnswers = {c4};
            QVERIFY(b.f->Sauver());
            b.c().BHH->setValue(228);
            b.dialogs.saveAnswers = {autre};
            QVERIFY(b.f->Sauver());
        }
        Banc b;
        QVERIFY(b.f->Ouvre(c4));
        QCOMPARE(b.formats()->currentText(), QStringLiteral("C4 (324 x 229)"));
        QVERIFY(!b.f->etat().Modifie);
        QVERIFY(b.f->Ouvre(autre));
        QCOMPARE(b.formats()->currentText(), QStringLiteral("Personnalisé"));
    }

    void conseilSousLeDestinataire()
    {
        Banc b;
        EtiquetteConseil* conseil = b.c().ConseilAdresse;
        QCOMPARE(conseil->objectName(), QStringLiteral("ConseilAdresse"));
        // The start-up address "Nom / et / Adresse" is fine.
        QVERIFY(conseil->isHidden());

        b.c().Adresse->setPlainText(QStringLiteral("Mme Claire Fontaine\n12 rue des Lilas\n75008 PARIS"));
        QVERIFY(conseil->isHidden());
        b.c().Adresse->setPlainText(QStringLiteral("Mme Claire Fontaine\n12 rue des Lilas\n75008 Paris"));
        QVERIFY(conseil->isVisible());
        QVERIFY(conseil->text().contains(QStringLiteral("75008")));
        b.c().Adresse->setPlainText(
            QStringLiteral("Mme Claire Fontaine, née Duchemin-Lavallée\n75008 PARIS"));
        QCOMPARE(conseil->text(), QStringLiteral("Conseil : 38 caractères au plus par ligne."));

        // Seven short lines on a C4 envelope: advice, while the norm rectangle stays black.
        b.c().BHL->setValue(324);
        b.c().BHH->setValue(229);
        b.c().Adresse->setPlainText(QStringLiteral("a\nb\nc\nd\ne\nf\ng"));
        QCOMPARE(conseil->text(), QStringLiteral("Conseil : 6 lignes au plus."));
        QVERIFY(b.f->apercu().verdictDest().respectee());
        // It advises only: the address can still be added to the list.
        b.c().Ajouter->click();
        QCOMPARE(b.f->adresses().count(), 2);
        // Frames stay inside the window and do not overlap.
        const QRect sous = b.c().Adresse->geometry();
        QVERIFY(conseil->geometry().top() >= sous.bottom());
        QVERIFY(b.c().Panel3D6->geometry().top() >= conseil->geometry().bottom());
        QVERIFY(b.c().SSFrame3->geometry().bottom() < b.c().Ajouter->geometry().top());
        QVERIFY(b.c().Frame3D2->geometry().bottom() < b.c().SSFrame3->geometry().top());
    }

    void importerDepuisLaFenetreDesAdresses()
    {
        QTemporaryDir dir;
        const QString chemin = dir.filePath(QStringLiteral("carnet.csv"));
        QFile fichier(chemin);
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write("\xEF\xBB\xBFNom,Adresse,Ville\r\nZo\xC3\xA9 Martin,1 rue Haute,75001 PARIS\r\n"
                      "Albert Durand,2 rue Basse,69002 LYON\r\n");
        fichier.close();

        Banc b;
        auto* importer = b.f->form2().findChild<QPushButton*>(QStringLiteral("Importer"));
        QVERIFY(importer);
        QCOMPARE(importer->text(), QStringLiteral("Importer..."));
        b.dialogs.openAnswers = {chemin};
        importer->click();
        QCOMPARE(b.f->adresses().count(), 3);
        QCOMPARE(b.f->adresses().entry(0),
                 EnLigne(QStringLiteral("Albert Durand\r\n2 rue Basse\r\n69002 LYON")));
        QVERIFY(b.f->etat().Modifie);
        // Back on the main window, the count follows and the change is not forgotten.
        b.f->Form_Activate();
        QCOMPARE(b.c().NAdr->text(), QStringLiteral("3"));
        QVERIFY(b.f->etat().Modifie);
        // The recipient box still shows the address it showed.
        QCOMPARE(b.f->texteAdresse(), QStringLiteral("Nom\r\net\r\nAdresse"));
        QCOMPARE(b.f->adresses().entry(b.f->adresses().adresseCourante()), EnLigne(b.f->texteAdresse()));

        // A refused file changes nothing, the document flag included.
        Banc b2;
        QFile casse(dir.filePath(QStringLiteral("casse.csv")));
        QVERIFY(casse.open(QIODevice::WriteOnly));
        casse.write("A;\"1 rue;75001 PARIS\n");
        casse.close();
        b2.dialogs.openAnswers = {casse.fileName()};
        b2.f->form2().findChild<QPushButton*>(QStringLiteral("Importer"))->click();
        QCOMPARE(b2.f->adresses().count(), 1);
        QVERIFY(!b2.f->etat().Modifie);
    }
};

QTEST_MAIN(TestSaisie)
#include "test_app_saisie.moc"
