// What the main window shows is what it works on: Modifier is there whenever an address is
// shown, showing one changes nothing, and a block moved on the preview leaves the picture a
// full redraw would draw.
#include "addresses/Form2.h"
#include "layout/Modele.h"
#include "tests/app/BancForm1.h"

#include <QListView>

namespace {
// A button of the list window, its first row current and selected or not; then back.
void cliqueDansLaListe(Banc<>& b, const char* bouton, bool selectionnee = true)
{
    QAbstractItemView* liste = b.f->form2().List1();
    liste->selectionModel()->setCurrentIndex(liste->model()->index(0, 0),
                                                            selectionnee ? QItemSelectionModel::ClearAndSelect
                                                                         : QItemSelectionModel::Clear);
    b.f->form2().findChild<QPushButton*>(QString::fromLatin1(bouton))->click();
    b.f->Form_Activate();
}
} // namespace

class TestAdresseMontree : public QObject {
    Q_OBJECT
private slots:
    void modifierSuitLAdresseMontree()
    {
        Banc b;
        cliqueDansLaListe(b, "ModifAdr");
        QVERIFY(!b.f->etat().Modifie); // shown, not changed
        cliqueDansLaListe(b, "SupprimAdresses");
        QVERIFY(!b.c().Modifier->isEnabled());
        b.dialogs.questionAnswers = {Answer::No};
        b.dialogs.openAnswers = {QStringLiteral(PLIVANE_TEST_DATA "/plv/Amis.PLV")};
        b.c().Ouvrir->click();
        QVERIFY(b.c().Modifier->isEnabled());
        cliqueDansLaListe(b, "ModifAdr", false);
        QVERIFY(!b.c().Modifier->isEnabled());
        b.ajoute(QStringLiteral("Zoé"));
        QVERIFY(b.c().Modifier->isEnabled());
    }

    // "Vérifier..." in the list window: the selected envelopes, or all those shown; the
    // one chosen to edit opens in the box, ready for Modifier, and the window closes.
    void verifierDepuisLaListe()
    {
        Banc b;
        const QString longue = QString(60, u'Z');
        b.ajoute(longue + QStringLiteral("\n1 rue du Port\n29200 BREST"));
        Form2& liste = b.f->form2();
        liste.show();
        liste.List1()->selectionModel()->clearSelection();
        b.dialogs.checkAnswers = {{EnvelopeCheckAnswer::Action::Edit, 0}};
        liste.findChild<QPushButton*>(QStringLiteral("Verifier"))->click();
        QVERIFY(!b.dialogs.lastCheck.beforePrint);
        QCOMPARE(b.dialogs.lastCheck.rows.size(), 1);
        QCOMPARE(b.dialogs.lastCheck.rows[0].address, longue);
        QVERIFY(b.c().Adresse->toPlainText().startsWith(longue));
        QVERIFY(!liste.isVisible() && b.c().Modifier->isEnabled());

        liste.show();
        cliqueDansLaListe(b, "Verifier");
        QCOMPARE(b.dialogs.messageTexts().constLast(),
                 QStringLiteral("L'enveloppe vérifiée respecte la norme postale et tient sur la feuille."));
    }

    void unBlocDeplaceLaisseLeResteEntier()
    {
        Banc b;
        const ControlesForm1& c = b.c();
        c.ReperesCoupe[0]->click();
        c.Exped->setPlainText(QStringLiteral("Jean\nRue"));
        // The recipient over the crop marks' corner, along the bottom mark, over the sender.
        const std::pair<SpinButton*, int> trajet[] = {
            {c.SpinLH, 110}, {c.SpinLV, -20}, {c.SpinLH, -200}, {c.SpinLV, 80}, {c.SpinLH, 90}};
        for (auto [spin, fois] : trajet)
            for (int i = 0; i < std::abs(fois); ++i)
                (fois > 0 ? spin->flecheHaut() : spin->flecheBas())->click();
        const QImage vu = c.ModeleApercu->image();
        b.f->Form_Activate();
        QCOMPARE(vu, c.ModeleApercu->image());
    }
};

QTEST_MAIN(TestAdresseMontree)
#include "test_app_adresse_montree.moc"
