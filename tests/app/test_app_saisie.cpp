// Faster entry on the main window: the envelope formats list, the address-form advice under
// the recipient box, and the import of a CSV file from the address list window.
#include "addresses/AddressEncoding.h"
#include "addresses/Form2.h"
#include "layout/EtiquetteConseil.h"
#include "tests/app/BancForm1.h"

#include <QComboBox>
#include <QRegularExpression>

namespace {
// What the user sees and what the settings hold after a change of size.
QStringList etatTaille(const Banc<>& b)
{
    const ReglagesModele& r = b.f->reglages();
    const EnveloppeApercu& a = b.f->apercu();
    QStringList etat = {b.c().Lg->text(), b.c().Ht->text(), b.c().EspAdrG->text(),
                        b.c().FormatEnveloppe->currentText()};
    for (double v : {double(r.LongueurEnv), double(r.HauteurEnv), double(r.MargeGaucheDest),
                     double(r.MargeBasseDest), a.Echelle(), a.cadreDest().left.value, a.cadreDest().top.value,
                     double(a.verdictDest().respectee()), double(b.f->etat().Modifie)})
        etat << QString::number(v);
    return etat;
}
} // namespace

class TestSaisie : public QObject {
    Q_OBJECT
private slots:
    void chaqueFormatCommeDeplacerLesBarres()
    {
        Banc liste, barres;
        QComboBox* formats = liste.c().FormatEnveloppe;
        const QStringList proposes = {"DL (220 x 110)", "C6 (162 x 114)", "C6/C5 (229 x 114)",
                                      "C5 (229 x 162)", "C4 (324 x 229)", "US n° 10 (241 x 105)",
                                      "Personnalisé"};
        QCOMPARE(formats->count(), proposes.size());
        QCOMPARE(formats->currentText(), proposes[0]);
        static const QRegularExpression kTaille(QStringLiteral("(\\d+) x (\\d+)"));
        for (int i = 1; i < proposes.size(); ++i) {
            QTest::keyClick(formats, Qt::Key_Down); // down the list, as a keyboard user does
            const QRegularExpressionMatch taille = kTaille.match(proposes[i]);
            if (!taille.hasMatch()) { // "Personnalisé" moves nothing and shows what the bars say
                QCOMPARE(formats->currentText(), proposes[i - 1]);
                break;
            }
            QCOMPARE(formats->currentText(), proposes[i]);
            barres.c().BHL->setValue(taille.captured(1).toInt());
            barres.c().BHH->setValue(taille.captured(2).toInt());
            QCOMPARE(etatTaille(liste), etatTaille(barres));
        }
        QVERIFY(liste.f->etat().Modifie);
        barres.c().BHH->setValue(106); // a millimetre away is no format
        QCOMPARE(barres.c().FormatEnveloppe->currentText(), QStringLiteral("Personnalisé"));
    }

    void ouvrirUnFichierDeTailleLibreMontrePersonnalise()
    {
        QTemporaryDir dir;
        const QString chemin = dir.filePath(QStringLiteral("Autre.PLV"));
        {
            Banc b;
            b.c().BHL->setValue(324);
            b.c().BHH->setValue(228);
            b.dialogs.saveAnswers = {chemin};
            QVERIFY(b.f->Sauver());
        }
        Banc b;
        QVERIFY(b.f->Ouvre(chemin));
        QCOMPARE(b.c().FormatEnveloppe->currentText(), QStringLiteral("Personnalisé"));
        QVERIFY(!b.f->etat().Modifie);
    }

    void conseilSousLeDestinataire()
    {
        Banc b;
        EtiquetteConseil* conseil = b.c().ConseilAdresse;
        QVERIFY(conseil->isHidden()); // the start-up address is fine
        b.c().Adresse->setPlainText(QStringLiteral("Mme Claire Fontaine\n12 rue des Lilas\n75008 Paris"));
        QVERIFY(conseil->isVisible());
        b.c().Adresse->setPlainText(
            QStringLiteral("Mme Claire Fontaine, née Duchemin-Lavallée\n75008 PARIS"));
        QCOMPARE(conseil->text(), QStringLiteral("Conseil : 38 caractères au plus par ligne."));

        // Seven short lines on a C4 envelope: advice, while the norm rectangle stays black
        // and the address can still be added.
        b.c().BHL->setValue(324);
        b.c().BHH->setValue(229);
        b.c().Adresse->setPlainText(QStringLiteral("a\nb\nc\nd\ne\nf\ng"));
        QCOMPARE(conseil->text(), QStringLiteral("Conseil : 6 lignes au plus."));
        QVERIFY(b.f->apercu().verdictDest().respectee());
        b.c().Ajouter->click();
        QCOMPARE(b.f->adresses().count(), 2);
        // The advice line fits between the box and what follows it.
        QVERIFY(conseil->geometry().top() >= b.c().Adresse->geometry().bottom());
        QVERIFY(b.c().Panel3D6->geometry().top() >= conseil->geometry().bottom());
    }

    void importerDepuisLaFenetreDesAdresses()
    {
        QTemporaryDir dir;
        Banc b;
        auto* importer = b.f->form2().findChild<QPushButton*>(QStringLiteral("Importer"));
        QCOMPARE(importer->text(), QStringLiteral("Importer..."));
        // A refused file changes nothing, the document flag included.
        b.dialogs.openAnswers = {
            ecritFichier(dir.filePath(QStringLiteral("casse.csv")), "A;\"1 rue;75001 PARIS\n")};
        importer->click();
        QCOMPARE(b.f->adresses().count(), 1);
        QVERIFY(!b.f->etat().Modifie);

        b.dialogs.openAnswers = {
            ecritFichier(dir.filePath(QStringLiteral("carnet.csv")),
                         "\xEF\xBB\xBFNom,Adresse,Ville\r\nZo\xC3\xA9 Martin,1 rue Haute,"
                         "75001 PARIS\r\nAlbert Durand,2 rue Basse,69002 LYON\r\n")};
        importer->click();
        QCOMPARE(b.f->adresses().count(), 3);
        QCOMPARE(b.f->adresses().entry(0),
                 EnLigne(QStringLiteral("Albert Durand\r\n2 rue Basse\r\n69002 LYON")));
        // Back on the main window the count follows, the change is not forgotten, and the
        // recipient box still shows the current address.
        b.f->Form_Activate();
        QCOMPARE(b.c().NAdr->text(), QStringLiteral("3"));
        QVERIFY(b.f->etat().Modifie);
        QCOMPARE(b.f->texteAdresse(), QStringLiteral("Nom\r\net\r\nAdresse"));
        QCOMPARE(b.f->adresses().entry(b.f->adresses().adresseCourante()), EnLigne(b.f->texteAdresse()));
    }
};

QTEST_MAIN(TestSaisie)
#include "test_app_saisie.moc"
