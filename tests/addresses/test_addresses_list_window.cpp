// The address list window driven as a user would: select entries, click its buttons, and
// check what the main window is told to do and what is left in the list.
#include "addresses/AddressList.h"
#include "addresses/Form2.h"

#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

// The window over a list of numbers that sort as they count, and what it told the main
// window, in order.
struct Fenetre {
    AddressList liste;
    Form2 form{liste};
    QStringList dit;

    explicit Fenetre(int taille)
    {
        for (int i = 0; i < taille; ++i)
            liste.add(QString::number(100 + i));
        QObject::connect(&form, &Form2::afficheAdresse, [this](const QString& e) { dit << "affiche " + e; });
        QObject::connect(&form, &Form2::modifierDisponible,
                         [this](bool oui) { dit << (oui ? u"Modifier oui"_qs : u"Modifier non"_qs); });
        QObject::connect(&form, &Form2::documentModifie, [this] { dit << u"modifié"_qs; });
        form.show();
    }
    QItemSelectionModel* selection() { return form.List1()->selectionModel(); }
    void selectionne(const QList<int>& lignes)
    {
        for (int ligne : lignes)
            selection()->setCurrentIndex(liste.index(ligne), QItemSelectionModel::Select);
    }
    void clique(const char* nom) { form.findChild<QPushButton*>(QString::fromLatin1(nom))->click(); }
};

} // namespace

class TestAddressesListWindow : public QObject {
    Q_OBJECT
private slots:
    // The controls in keyboard order (the chain also runs through the list's own inner
    // widgets: keep the window's), where the design puts them.
    void designedLayout()
    {
        AddressList liste;
        Form2 form(liste);
        QCOMPARE(form.windowTitle(), u"Visualisation et Modification des Adresses"_qs);
        QCOMPARE(form.size(), QSize(632, 339));
        QCOMPARE(form.List1()->selectionMode(), QAbstractItemView::ExtendedSelection);
        QStringList controles;
        QWidget* w = form.List1();
        do {
            if (w->focusPolicy() & Qt::TabFocus && w->parentWidget() == &form) {
                const QRect r = w->geometry();
                const auto* bouton = qobject_cast<QPushButton*>(w);
                controles << w->objectName() + ' ' + (bouton ? bouton->text() : QString()) +
                                 QString::asprintf(" %d,%d %dx%d", r.x(), r.y(), r.width(), r.height());
            }
            w = w->nextInFocusChain();
        } while (w != form.List1());
        QCOMPARE(controles, QStringList({u"List1  6,2 619x292"_qs,
                                         u"SupprimAdresses Supprimer la Sélection 88,302 165x31"_qs,
                                         u"OK Fermer 544,302 81x31"_qs,
                                         u"ModifAdr Afficher ou Modifier la Sélection 272,302 237x31"_qs,
                                         u"Importer Importer... 6,302 76x31"_qs}));
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
        Fenetre f(2);
        QPointer<Form2> garde(&f.form);
        f.selectionne({1});
        f.clique("OK");
        QVERIFY(!f.form.isVisible());
        f.form.show();
        f.form.close(); // the close box
        QVERIFY(garde);
        QVERIFY(!f.form.isVisible());
        QCOMPARE(f.liste.count(), 2);
        QCOMPARE(f.selection()->selectedIndexes(), QModelIndexList{f.liste.index(1)});
        QCOMPARE(f.dit, QStringList());
    }

    // The last remaining entry is shown and selected, whether the rows went run by run
    // or, scattered, in one reset of the list.
    void deletingTheSelection_data()
    {
        QTest::addColumn<int>("taille");
        QTest::addColumn<QList<int>>("lignes");
        QTest::addColumn<QStringList>("restantes");
        QTest::addColumn<QString>("dit");
        QTest::newRow("several") << 5 << QList<int>{1, 4, 3} << QStringList{"100", "102"}
                                 << u"modifié, Modifier oui, affiche 102"_qs;
        QList<int> impaires;
        QStringList paires;
        for (int i = 0; i < 300; ++i)
            (i % 2 ? impaires.append(i) : paires.append(QString::number(100 + i)));
        QTest::newRow("scattered") << 300 << impaires << paires << u"modifié, Modifier oui, affiche 398"_qs;
        QTest::newRow("everything") << 2 << QList<int>{0, 1} << QStringList() << u"modifié, Modifier non"_qs;
    }
    void deletingTheSelection()
    {
        QFETCH(int, taille);
        QFETCH(QList<int>, lignes);
        QFETCH(QStringList, restantes);
        QFETCH(QString, dit);
        Fenetre f(taille);
        f.selectionne(lignes);
        f.clique("SupprimAdresses");
        QCOMPARE(f.liste.entries(), restantes);
        const int derniere = int(restantes.size()) - 1;
        QCOMPARE(f.liste.adresseCourante(), derniere);
        QCOMPARE(f.form.List1()->currentIndex().row(), derniere);
        QCOMPARE(f.selection()->selectedIndexes(),
                 derniere < 0 ? QModelIndexList() : QModelIndexList{f.liste.index(derniere)});
        QCOMPARE(f.dit.join(u", "_qs), dit);
        QVERIFY(f.form.isVisible());
    }

    void deletingWithoutCurrentPositionDoesNothing()
    {
        Fenetre f(2);
        f.selection()->select(f.liste.index(0), QItemSelectionModel::Select);
        f.clique("SupprimAdresses");
        QCOMPARE(f.liste.count(), 2);
        QCOMPARE(f.dit, QStringList());
    }

    // Shown modally, as the main window does: choosing an address ends the window.
    void modifAdrShowsTheFirstSelectedInListOrder()
    {
        Fenetre f(4);
        f.form.hide();
        QTimer::singleShot(0, &f.form, [&f] {
            f.selectionne({3, 1});
            f.clique("ModifAdr");
        });
        f.form.exec();
        QCOMPARE(f.liste.adresseCourante(), 1);
        QCOMPARE(f.dit, QStringList({"Modifier oui", "affiche 101"}));
        QCOMPARE(f.liste.count(), 4);
    }

    // With a current position but nothing selected the window closes; with no current
    // position it stays open. Either way there is no current address left to modify.
    void modifAdrWithoutSelection()
    {
        for (const bool positionCourante : {true, false}) {
            Fenetre f(2);
            f.liste.setAdresseCourante(0);
            if (positionCourante)
                f.selection()->setCurrentIndex(f.liste.index(1), QItemSelectionModel::NoUpdate);
            f.clique("ModifAdr");
            QCOMPARE(f.liste.adresseCourante(), -1);
            QCOMPARE(f.dit, QStringList{"Modifier non"});
            QCOMPARE(f.form.isVisible(), !positionCourante);
        }
    }
};

QTEST_MAIN(TestAddressesListWindow)
#include "test_addresses_list_window.moc"
