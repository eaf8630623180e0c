// The address list window driven as a user would: select entries, click its buttons, and
// check what the main window is told to do and what is left in the list.
#include "addresses/AddressList.h"
#include "addresses/Form2.h"

#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {

struct Fenetre {
    AddressList liste;
    Form2 form{liste};
    QSignalSpy affiche{&form, &Form2::afficheAdresse};
    QSignalSpy modifier{&form, &Form2::modifierDisponible};
    QSignalSpy modifie{&form, &Form2::documentModifie};

    explicit Fenetre(const QStringList& entrees)
    {
        for (const QString& e : entrees)
            liste.add(e);
        form.show();
    }
    QItemSelectionModel* selection() { return form.List1()->selectionModel(); }
    void selectionne(std::initializer_list<int> lignes)
    {
        for (int ligne : lignes)
            selection()->setCurrentIndex(liste.index(ligne), QItemSelectionModel::Select);
    }
    void clique(const char* nom) { form.findChild<QPushButton*>(QString::fromLatin1(nom))->click(); }
    QList<int> lignesSelectionnees()
    {
        QList<int> lignes;
        for (const QModelIndex& i : selection()->selectedIndexes())
            lignes.append(i.row());
        return lignes;
    }
};

} // namespace

class TestAddressesListWindow : public QObject {
    Q_OBJECT
private slots:
    void designedLayout()
    {
        AddressList liste;
        Form2 form(liste);
        QCOMPARE(form.windowTitle(), u"Visualisation et Modification des Adresses"_qs);
        QCOMPARE(form.size(), QSize(632, 339));
        QCOMPARE(form.List1()->objectName(), u"List1"_qs);
        QCOMPARE(form.List1()->geometry(), QRect(6, 2, 619, 292));
        QCOMPARE(form.List1()->selectionMode(), QAbstractItemView::ExtendedSelection);

        const struct {
            const char* nom;
            QString legende;
            QRect place;
        } boutons[] = {{"SupprimAdresses", u"Supprimer la Sélection"_qs, {88, 302, 165, 31}},
                       {"ModifAdr", u"Afficher ou Modifier la Sélection"_qs, {272, 302, 237, 31}},
                       {"OK", u"Fermer"_qs, {544, 302, 81, 31}}};
        for (const auto& b : boutons) {
            auto* bouton = form.findChild<QPushButton*>(QString::fromLatin1(b.nom));
            QVERIFY2(bouton, b.nom);
            QCOMPARE(bouton->text(), b.legende);
            QCOMPARE(bouton->geometry(), b.place);
            QCOMPARE(bouton->font().family(), u"Arial"_qs);
        }

        // The focus chain also runs through the list's own inner widgets: keep the controls.
        QStringList ordre;
        QWidget* w = form.List1();
        do {
            if (w->focusPolicy() & Qt::TabFocus && w->parentWidget() == &form)
                ordre << w->objectName();
            w = w->nextInFocusChain();
        } while (w != form.List1());
        QCOMPARE(ordre, QStringList({"List1", "SupprimAdresses", "OK", "ModifAdr", "Importer"}));
    }

    void placedOnceOverTheMainWindow()
    {
        QWidget principale;
        principale.setGeometry(100, 100, 800, 600);
        AddressList liste;
        Form2 form(liste, &principale);
        form.placeOver(principale);
        QCOMPARE(form.pos(), QPoint(100 + (800 - 632) / 2, 100 + 22));
        principale.move(300, 300);
        form.placeOver(principale);
        QCOMPARE(form.pos(), QPoint(184, 122));
    }

    void closingOnlyHides()
    {
        Fenetre f({"A", "B"});
        QPointer<Form2> garde(&f.form);
        f.selectionne({1});
        f.clique("OK");
        QVERIFY(!f.form.isVisible());
        f.form.show();
        f.form.close(); // the close box
        QVERIFY(garde);
        QVERIFY(!f.form.isVisible());
        QCOMPARE(f.liste.entries(), QStringList({"A", "B"}));
        QCOMPARE(f.lignesSelectionnees(), QList<int>{1});
        QCOMPARE(f.affiche.count() + f.modifier.count() + f.modifie.count(), 0);
    }

    void modalShowEndsWhenAnAddressIsChosen()
    {
        Fenetre f({"A", "B", "C"});
        f.form.hide();
        QTimer::singleShot(0, &f.form, [&f] {
            f.selectionne({2});
            f.clique("ModifAdr");
        });
        f.form.exec();
        QCOMPARE(f.affiche.count(), 1);
        QCOMPARE(f.affiche.at(0).at(0).toString(), u"C"_qs);
    }

    void deletingSeveralShowsTheLastRemaining()
    {
        Fenetre f({"A", "B", "C", "D", "E"});
        f.selectionne({1, 4, 3});
        f.clique("SupprimAdresses");
        QCOMPARE(f.liste.entries(), QStringList({"A", "C"}));
        QCOMPARE(f.liste.adresseCourante(), 1);
        QCOMPARE(f.lignesSelectionnees(), QList<int>{1});
        QCOMPARE(f.form.List1()->currentIndex().row(), 1);
        QCOMPARE(f.affiche.count(), 1);
        QCOMPARE(f.affiche.at(0).at(0).toString(), u"C"_qs);
        QCOMPARE(f.modifier.count(), 1);
        QCOMPARE(f.modifier.at(0).at(0).toBool(), true);
        QCOMPARE(f.modifie.count(), 1);
        QVERIFY(f.form.isVisible());
    }

    void deletingAScatteredSelection()
    {
        QStringList entrees;
        for (int i = 0; i < 300; ++i)
            entrees << u"%1"_qs.arg(i, 3, 10, QChar(u'0'));
        Fenetre f(entrees);
        for (int i = 1; i < 300; i += 2)
            f.selection()->select(f.liste.index(i), QItemSelectionModel::Select);
        f.selection()->setCurrentIndex(f.liste.index(1), QItemSelectionModel::NoUpdate);
        f.clique("SupprimAdresses");
        QCOMPARE(f.liste.count(), 150);
        QCOMPARE(f.liste.entry(149), u"298"_qs);
        QCOMPARE(f.lignesSelectionnees(), QList<int>{149});
        QCOMPARE(f.form.List1()->currentIndex().row(), 149);
        QCOMPARE(f.affiche.at(0).at(0).toString(), u"298"_qs);
    }

    void deletingEverythingLeavesModifierUnavailable()
    {
        Fenetre f({"A", "B"});
        f.selectionne({0, 1});
        f.clique("SupprimAdresses");
        QCOMPARE(f.liste.count(), 0);
        QCOMPARE(f.liste.adresseCourante(), -1);
        QCOMPARE(f.affiche.count(), 0);
        QCOMPARE(f.modifier.count(), 1);
        QCOMPARE(f.modifier.at(0).at(0).toBool(), false);
        QCOMPARE(f.modifie.count(), 1);
        QVERIFY(f.form.isVisible());
    }

    void deletingWithoutCurrentPositionDoesNothing()
    {
        Fenetre f({"A", "B"});
        f.selection()->select(f.liste.index(0), QItemSelectionModel::Select);
        f.clique("SupprimAdresses");
        QCOMPARE(f.liste.count(), 2);
        QCOMPARE(f.affiche.count() + f.modifier.count() + f.modifie.count(), 0);
    }

    void modifAdrShowsTheFirstSelectedInListOrder()
    {
        Fenetre f({"A", "B", "C", "D"});
        f.selectionne({3, 1});
        f.selection()->setCurrentIndex(f.liste.index(3), QItemSelectionModel::NoUpdate);
        f.clique("ModifAdr");
        QCOMPARE(f.liste.adresseCourante(), 1);
        QCOMPARE(f.affiche.count(), 1);
        QCOMPARE(f.affiche.at(0).at(0).toString(), u"B"_qs);
        QCOMPARE(f.modifier.count(), 1);
        QCOMPARE(f.modifier.at(0).at(0).toBool(), true);
        QCOMPARE(f.modifie.count(), 0);
        QVERIFY(!f.form.isVisible());
        QCOMPARE(f.liste.count(), 4);
    }

    void modifAdrWithNothingSelected()
    {
        Fenetre f({"A", "B"});
        f.liste.setAdresseCourante(0);
        f.selection()->setCurrentIndex(f.liste.index(1), QItemSelectionModel::NoUpdate);
        f.clique("ModifAdr");
        QCOMPARE(f.liste.adresseCourante(), -1);
        QCOMPARE(f.affiche.count(), 0);
        QCOMPARE(f.modifier.count(), 1);
        QCOMPARE(f.modifier.at(0).at(0).toBool(), false);
        QVERIFY(!f.form.isVisible());
    }

    // Nothing has the focus in the list: the window stays open, and since there is no
    // current address any more, Modifier goes unavailable rather than doing nothing.
    void modifAdrWithoutCurrentPosition()
    {
        Fenetre f({"A", "B"});
        f.liste.setAdresseCourante(0);
        f.clique("ModifAdr");
        QCOMPARE(f.liste.adresseCourante(), -1);
        QCOMPARE(f.affiche.count(), 0);
        QCOMPARE(f.modifier.count(), 1);
        QCOMPARE(f.modifier.at(0).at(0).toBool(), false);
        QVERIFY(f.form.isVisible());
    }
};

QTEST_MAIN(TestAddressesListWindow)
#include "test_addresses_list_window.moc"
