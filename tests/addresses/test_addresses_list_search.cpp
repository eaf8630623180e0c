// The address list window under a search: what it shows and counts, and that its buttons
// and keys act on the entries shown, not on those at the same place in the list.
#include "addresses/AddressList.h"
#include "addresses/FiltreAdresses.h"
#include "addresses/Form2.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest>

namespace {
const QStringList kEntrees = {u"Anne Martin"_qs, u"Bruno DUPONT\u00A05 rue du Port\u00A029200 BREST"_qs,
                              u"Cœur de Lion"_qs, u"Denis Dupont\u00A0Émile Zola\u00A075011 PARIS"_qs,
                              u"Eve Emile"_qs};
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
            << QString() << u"Anne Martin | %1 | Cœur de Lion | %2 | Eve Emile"_qs.arg(bruno, denis);
        QTest::newRow("case") << u"dupont"_qs << bruno + u" | "_qs + denis;
        QTest::newRow("accents both ways") << u"ÉMILE"_qs << denis + u" | Eve Emile"_qs;
        QTest::newRow("any line, any part") << u"rest"_qs << bruno;
        QTest::newRow("across a line break") << u"port 29200"_qs << bruno;
        QTest::newRow("words in any order") << u"  paris   denis "_qs << denis;
        QTest::newRow("ligature") << u"coeur"_qs << u"Cœur de Lion"_qs;
        QTest::newRow("none") << u"lyon"_qs << QString();
    }
    void search()
    {
        QFETCH(QString, recherche);
        AddressList liste;
        FiltreAdresses filtre;
        filtre.setSourceModel(&liste);
        filtre.setRecherche(u"x"_qs); // the keys follow the list's changes from now on
        liste.addAll(kEntrees.mid(0, 2));
        for (const QString& e : kEntrees.mid(2))
            liste.add(e);
        filtre.setRecherche(recherche);
        QStringList textes;
        for (int i = 0; i < filtre.rowCount(); ++i)
            textes << filtre.index(i, 0).data().toString();
        QTEST(textes.join(u" | "_qs), "montrees");
        QCOMPARE(liste.entries(), kEntrees);
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
        AddressList liste;
        liste.setEntries(kEntrees);
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
        QCOMPARE(u"%1, %2, %3"_qs.arg(montre).arg(liste.adresseCourante()).arg(liste.count()), resultat);

        // At the next opening the current entry is shown and selected, the search given up.
        form.hide();
        form.recherche()->setText(u"anne"_qs);
        liste.setAdresseCourante(2);
        form.show();
        QCOMPARE(form.recherche()->text(), QString());
        QCOMPARE(vue->selectionModel()->selectedRows(), QModelIndexList{vue->model()->index(2, 0)});
    }
};

QTEST_MAIN(TestAddressesListSearch)
#include "test_addresses_list_search.moc"
