// The address list window driven as a user would: select entries, click its buttons, and
// check what the main window is told to do and what is left in the list.
#include "addresses/AddressList.h"
#include "addresses/Form2.h"

#include <QLineEdit>
#include <QListView>
#include <QPushButton>
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
    QModelIndex ligne(int row) const { return form.List1()->model()->index(row, 0); }
    void clique(const char* nom) { form.findChild<QPushButton*>(QString::fromLatin1(nom))->click(); }
};

} // namespace

class TestAddressesListWindow : public QObject {
    Q_OBJECT
private slots:
    // The controls in keyboard order (the chain also runs through the list's own inner
    // widgets: keep the window's); the window opens at least at its designed size and the
    // user may make it larger or smaller.
    void designedLayout()
    {
        AddressList liste;
        Form2 form(liste);
        QCOMPARE(form.windowTitle(), u"Visualisation et Modification des Adresses"_qs);
        QVERIFY(form.width() >= 632 && form.height() >= 339);
        QVERIFY(form.minimumSize().width() < 632 && form.maximumSize().height() > 2000);
        QCOMPARE(form.List1()->selectionMode(), QAbstractItemView::ExtendedSelection);
        QStringList controles;
        QWidget* w = form.recherche();
        do {
            if (w->focusPolicy() & Qt::TabFocus && w->parentWidget() == &form) {
                const auto* bouton = qobject_cast<QPushButton*>(w);
                controles << w->objectName() + (bouton ? ' ' + bouton->text() : QString());
            }
            w = w->nextInFocusChain();
        } while (w != form.recherche());
        QCOMPARE(controles, QStringList({u"Recherche"_qs, u"List1"_qs, u"SupprimAdresses Supprimer la Sélection"_qs,
                                         u"OK Fermer"_qs, u"ModifAdr Afficher ou Modifier la Sélection"_qs,
                                         u"Verifier Vérifier..."_qs, u"Importer Importer..."_qs}));
    }

    // A button clicked on a selection: what the main window is told, then whether the
    // window is still open, the entries left, the current address, the list's focus row
    // and its selected rows. Deleting shows and selects the last entry left, whether the
    // rows went run by run or, scattered, in one reset of the list.
    void buttons_data()
    {
        QTest::addColumn<int>("taille");
        QTest::addColumn<QList<int>>("lignes");
        QTest::addColumn<int>("focus"); // -1: no focus row in the list
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<QString>("dit");
        const QString supprime = u"SupprimAdresses"_qs, affiche = u"ModifAdr"_qs;
        QList<int> impaires;
        for (int i = 1; i < 300; i += 2)
            impaires << i;
        QTest::newRow("delete several") << 5 << QList<int>{1, 4, 3} << 3 << supprime
                                        << u"modifié, Modifier oui, affiche 102 | ouverte, 2, 1, 1, [1]"_qs;
        QTest::newRow("delete scattered")
            << 300 << impaires << 1 << supprime
            << u"modifié, Modifier oui, affiche 398 | ouverte, 150, 149, 149, [149]"_qs;
        QTest::newRow("delete everything")
            << 2 << QList<int>{0, 1} << 1 << supprime << u"modifié, Modifier non | ouverte, 0, -1, -1, []"_qs;
        QTest::newRow("show the first selected in list order")
            << 4 << QList<int>{3, 1} << 3 << affiche
            << u"Modifier oui, affiche 101 | fermée, 4, 1, 3, [1 3]"_qs;
    }
    void buttons()
    {
        QFETCH(int, taille);
        QFETCH(QList<int>, lignes);
        QFETCH(int, focus);
        QFETCH(QString, bouton);
        Fenetre f(taille);
        f.liste.setAdresseCourante(0);
        for (int ligne : lignes)
            f.selection()->select(f.ligne(ligne), QItemSelectionModel::Select);
        if (focus >= 0)
            f.selection()->setCurrentIndex(f.ligne(focus), QItemSelectionModel::NoUpdate);
        f.clique(qPrintable(bouton));
        QStringList selection;
        for (const QModelIndex& i : f.selection()->selectedRows())
            selection << QString::number(i.row());
        selection.sort();
        const QString etat = u"%1 | %2, %3, %4, %5, [%6]"_qs
                                 .arg(f.dit.join(u", "_qs), f.form.isVisible() ? u"ouverte"_qs : u"fermée"_qs)
                                 .arg(f.liste.count())
                                 .arg(f.liste.adresseCourante())
                                 .arg(f.form.List1()->currentIndex().row())
                                 .arg(selection.join(u' '));
        QTEST(etat, "dit");
    }
};

QTEST_MAIN(TestAddressesListWindow)
#include "test_addresses_list_window.moc"
