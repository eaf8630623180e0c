// The address list window driven as a user would: its keyboard order; what its buttons
// tell the main window and leave in the list; under a search, what it shows and counts, and
// that its buttons and keys act on the entries shown, not on those at the same place in
// the list.
#include "addresses/liste/FiltreAdresses.h"
#include "addresses/liste/ListeAdresses.h"
#include "addresses/widgets/Form2.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest>

namespace {
const QStringList kEntrees = {u"Anne Martin"_qs, u"Bruno DUPONT\u00A05 rue du Port\u00A029200 BREST"_qs,
                              u"Cœur d’Alène"_qs, u"Denis Dupont\u00A0Émile Zola\u00A075011 PARIS"_qs,
                              u"Eve Emile"_qs};
// The window over a list of numbers that sort as they count, and what it told the main
// window, in order.
struct Fenetre {
    ListeAdresses liste;
    Form2 form{liste};
    QStringList dit;

    explicit Fenetre(int taille)
    {
        for (int i = 0; i < taille; ++i)
            liste.ajoute(QString::number(100 + i));
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

class TestAddressesListSearch : public QObject {
    Q_OBJECT
private slots:
    void search_data()
    {
        QTest::addColumn<QString>("recherche");
        QTest::addColumn<QString>("montrees");
        const QString bruno = u"Bruno DUPONT ⏎ 5 rue du Port ⏎ 29200 BREST"_qs;
        const QString denis = u"Denis Dupont ⏎ Émile Zola ⏎ 75011 PARIS"_qs;
        QTest::newRow("nothing: all, line breaks shown")
            << QString() << u"Anne Martin | %1 | Cœur d’Alène | %2 | Eve Emile"_qs.arg(bruno, denis);
        QTest::newRow("case") << u"dupont"_qs << bruno + u" | "_qs + denis;
        QTest::newRow("accents both ways") << u"ÉMILE"_qs << denis + u" | Eve Emile"_qs;
        QTest::newRow("any line, any part") << u"rest"_qs << bruno;
        QTest::newRow("across a line break") << u"port 29200"_qs << bruno;
        QTest::newRow("words in any order") << u"  paris   denis "_qs << denis;
        QTest::newRow("ligature") << u"coeur"_qs << u"Cœur d’Alène"_qs;
        QTest::newRow("apostrophe as typed") << u"d'alene"_qs << u"Cœur d’Alène"_qs;
        QTest::newRow("none") << u"lyon"_qs << QString();
    }
    void search()
    {
        QFETCH(QString, recherche);
        ListeAdresses liste;
        FiltreAdresses filtre;
        filtre.setSourceModel(&liste);
        filtre.setRecherche(u"x"_qs); // the keys follow the list's changes from now on
        liste.ajouteToutes(kEntrees.mid(0, 2));
        for (const QString& e : kEntrees.mid(2))
            liste.ajoute(e);
        filtre.setRecherche(recherche);
        QStringList textes;
        for (int i = 0; i < filtre.rowCount(); ++i)
            textes << filtre.index(i, 0).data().toString();
        QTEST(textes.join(u" | "_qs), "montrees");
        QCOMPARE(liste.entrees(), kEntrees);
    }

    void count()
    {
        QCOMPARE(TexteCompte(2000, 2000, 1), u"2\u202F000 adresses, 1 sélectionnée"_qs);
        QCOMPARE(TexteCompte(1, 2000, 3), u"1 adresse affichée sur 2\u202F000, 3 sélectionnées"_qs);
    }

    // On the second entry shown under "dupont", the fourth of the list: the entry shown to
    // the main window, the current address, the entries left.
    void actsOnShownEntries_data()
    {
        QTest::addColumn<QString>("geste");
        QTest::addColumn<QString>("resultat");
        const QString montre = u"Denis Dupont\u00A0Émile Zola\u00A075011 PARIS, 3, 5"_qs;
        QTest::newRow("show button") << u"ModifAdr"_qs << montre;
        QTest::newRow("Enter") << u"Entrée"_qs << montre;
        QTest::newRow("double-click") << u"double-clic"_qs << montre;
        QTest::newRow("delete button") << u"SupprimAdresses"_qs << u"Eve Emile, 3, 4"_qs;
        QTest::newRow("Delete key") << u"Suppr"_qs << u"Eve Emile, 3, 4"_qs;
    }
    void actsOnShownEntries()
    {
        QFETCH(QString, geste);
        QFETCH(QString, resultat);
        ListeAdresses liste;
        liste.remplit(kEntrees);
        Form2 form(liste);
        QString montre;
        connect(&form, &Form2::afficheAdresse, [&](const QString& e) { montre = e; });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.recherche()->setText(u"dupont"_qs);
        QListView* vue = form.List1();
        const QModelIndex seconde = vue->model()->index(1, 0);
        vue->selectionModel()->setCurrentIndex(seconde, QItemSelectionModel::ClearAndSelect);
        QTRY_COMPARE(form.compte()->text(), u"2 adresses affichées sur 5, 1 sélectionnée"_qs);
        const QPoint centre = vue->visualRect(seconde).center();
        if (geste == u"Entrée" || geste == u"Suppr")
            QTest::keyClick(vue, geste == u"Suppr" ? Qt::Key_Delete : Qt::Key_Return);
        else if (geste == u"double-clic") {
            QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(vue->viewport(), Qt::LeftButton, {}, centre);
        } else
            form.findChild<QPushButton*>(geste)->click();
        QCOMPARE(u"%1, %2, %3"_qs.arg(montre).arg(liste.adresseCourante()).arg(liste.nombre()), resultat);

        // At the next opening the current entry is shown and selected, the search given up.
        form.hide();
        form.recherche()->setText(u"anne"_qs);
        liste.setAdresseCourante(2);
        form.show();
        QCOMPARE(form.recherche()->text(), QString());
        QCOMPARE(vue->selectionModel()->selectedRows(), QModelIndexList{vue->model()->index(2, 0)});
    }

    // The controls in keyboard order (the chain also runs through the list's own inner
    // widgets: keep the window's).
    void designedLayout()
    {
        ListeAdresses liste;
        Form2 form(liste);
        QCOMPARE(form.windowTitle(), u"Visualisation et Modification des Adresses"_qs);
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
        QCOMPARE(controles,
                 QStringList({u"Recherche"_qs, u"List1"_qs, u"SupprimAdresses Supprimer la Sélection"_qs,
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
                                 .arg(f.liste.nombre())
                                 .arg(f.liste.adresseCourante())
                                 .arg(f.form.List1()->currentIndex().row())
                                 .arg(selection.join(u' '));
        QTEST(etat, "dit");
    }
};

QTEST_MAIN(TestAddressesListSearch)
#include "test_addresses_list_search.moc"
