// The address shown in the recipient box is the one Modifier replaces, Modifier is there
// whenever an address is shown, and showing an address is no change to the document.
#include "addresses/AddressEncoding.h"
#include "addresses/Form2.h"
#include "tests/app/BancForm1.h"

#include <QListView>

namespace {
// A click on a button of the list window, its first row current and selected or not; then
// back to the main window.
void cliqueDansLaListe(Banc<>& b, const char* bouton, bool selectionnee = true)
{
    QListView* liste = b.f->form2().List1();
    liste->selectionModel()->setCurrentIndex(
        liste->model()->index(0, 0), selectionnee ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Clear);
    b.f->form2().findChild<QPushButton*>(QString::fromLatin1(bouton))->click();
    b.f->Form_Activate();
}
} // namespace

class TestAdresseMontree : public QObject {
    Q_OBJECT
private slots:
    void modifierApresAjouterRemplaceLAdresseAjoutee()
    {
        Banc b;
        b.ajoute(QStringLiteral("Mme Martin"));
        cliqueDansLaListe(b, "ModifAdr");
        b.ajoute(QStringLiteral("M. Dupnot"));
        b.c().Adresse->setPlainText(QStringLiteral("M. Dupont"));
        b.c().Modifier->click();
        QStringList adresses = b.f->adresses().entries();
        adresses.sort();
        QCOMPARE(adresses.mid(0, 2), (QStringList{"M. Dupont", "Mme Martin"}));
        QCOMPARE(adresses.size(), 3);
    }

    void afficherUneAdresseNeModifiePasLeDocument()
    {
        Banc b;
        cliqueDansLaListe(b, "ModifAdr");
        QCOMPARE(b.f->texteAdresse(), QStringLiteral("Nom\r\net\r\nAdresse"));
        QVERIFY(!b.f->etat().Modifie);
        b.c().Adresse->appendPlainText(QStringLiteral("France"));
        QVERIFY(b.f->etat().Modifie);
    }

    void modifierRevientQuandUneAdresseEstMontree_data()
    {
        QTest::addColumn<bool>("toutSupprimer");
        QTest::addColumn<bool>("ouvrir");
        QTest::newRow("tout supprimé, fichier ouvert") << true << true;
        QTest::newRow("tout supprimé, adresse ajoutée") << true << false;
        QTest::newRow("rien d'affiché, fichier ouvert") << false << true;
    }
    void modifierRevientQuandUneAdresseEstMontree()
    {
        QFETCH(bool, toutSupprimer);
        QFETCH(bool, ouvrir);
        Banc b;
        // The list holds the one designed address.
        if (toutSupprimer)
            cliqueDansLaListe(b, "SupprimAdresses");
        else
            cliqueDansLaListe(b, "ModifAdr", false);
        QVERIFY(!b.c().Modifier->isEnabled());

        if (ouvrir) {
            b.dialogs.questionAnswers = {Answer::No};
            b.dialogs.openAnswers = {QStringLiteral(PLIVANE_TEST_DATA "/plv/Amis.PLV")};
            b.c().Ouvrir->click();
        } else {
            b.ajoute(QStringLiteral("Zoé"));
        }
        QVERIFY(b.c().Modifier->isEnabled());
        const AddressList& liste = b.f->adresses();
        const QString montree = liste.entry(liste.adresseCourante());
        QCOMPARE(EnLigne(b.f->texteAdresse()), montree);
        const int nombre = liste.count();
        b.c().Adresse->setPlainText(QStringLiteral("Remplaçante"));
        b.c().Modifier->click();
        QCOMPARE(liste.count(), nombre);
        QVERIFY(liste.entries().contains(QStringLiteral("Remplaçante")));
        QVERIFY(!liste.entries().contains(montree));
    }
};

QTEST_MAIN(TestAdresseMontree)
#include "test_app_adresse_montree.moc"
