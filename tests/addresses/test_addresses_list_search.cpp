// The address list window under a search: what it shows, what its count says, and that
// its buttons and keys act on the entries shown, not on those at the same place in the list.
#include "addresses/AddressList.h"
#include "addresses/FiltreAdresses.h"
#include "addresses/Form2.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest>

namespace {
QString montrees(const FiltreAdresses& filtre)
{
    QStringList textes;
    for (int i = 0; i < filtre.rowCount(); ++i)
        textes << filtre.index(i, 0).data().toString();
    return textes.join(u" | "_qs);
}
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
        liste.setEntries(kEntrees);
        FiltreAdresses filtre;
        filtre.setSourceModel(&liste);
        filtre.setRecherche(u"x"_qs); // keys made, then kept up to date as the list changes
        liste.clear();
        liste.addAll(kEntrees.mid(0, 2));
        for (const QString& e : kEntrees.mid(2))
            liste.add(e);
        filtre.setRecherche(recherche);
        QTEST(montrees(filtre), "montrees");
        QCOMPARE(liste.entries(), kEntrees); // the entries themselves unchanged
    }

    void count_data()
    {
        QTest::addColumn<QList<int>>("nombres");
        QTest::addColumn<QString>("texte");
        QTest::newRow("all") << QList<int>{2000, 2000, 0} << u"2\u202F000 adresses, 0 sélectionnée"_qs;
        QTest::newRow("one") << QList<int>{1, 1, 1} << u"1 adresse, 1 sélectionnée"_qs;
        QTest::newRow("searched") << QList<int>{12, 2000, 3}
                                  << u"12 adresses affichées sur 2\u202F000, 3 sélectionnées"_qs;
        QTest::newRow("searched one") << QList<int>{1, 5, 0} << u"1 adresse affichée sur 5, 0 sélectionnée"_qs;
    }
    void count()
    {
        QFETCH(QList<int>, nombres);
        QTEST(TexteCompte(nombres[0], nombres[1], nombres[2]), "texte");
    }

    // What a button, key or double-click does on the second entry shown under "dupont"
    // (the fourth of the list): the entry shown to the main window and the entries left.
    void actsOnShownEntries_data()
    {
        QTest::addColumn<QString>("geste");
        QTest::addColumn<QString>("resultat");
        const QString montre = u"Denis Dupont\u00A0Émile Zola\u00A075011 PARIS, courante 3, 5 entrées"_qs;
        const QString supprime = u"Eve Emile, courante 3, 4 entrées"_qs;
        QTest::newRow("show button") << u"ModifAdr"_qs << montre;
        QTest::newRow("Enter") << u"Entrée"_qs << montre;
        QTest::newRow("double-click") << u"double-clic"_qs << montre;
        QTest::newRow("delete button") << u"SupprimAdresses"_qs << supprime;
        QTest::newRow("Delete key") << u"Suppr"_qs << supprime;
    }
    void actsOnShownEntries()
    {
        QFETCH(QString, geste);
        AddressList liste;
        liste.setEntries(kEntrees);
        liste.setAdresseCourante(-1);
        Form2 form(liste);
        QString montre;
        connect(&form, &Form2::afficheAdresse, [&](const QString& e) { montre = e; });
        form.show();
        form.recherche()->setText(u"dupont"_qs);
        QListView* vue = form.List1();
        const QModelIndex seconde = vue->model()->index(1, 0);
        vue->selectionModel()->setCurrentIndex(seconde, QItemSelectionModel::ClearAndSelect);
        QTRY_COMPARE(form.compte()->text(), u"2 adresses affichées sur 5, 1 sélectionnée"_qs);
        if (geste == u"Entrée")
            QTest::keyClick(vue, Qt::Key_Return);
        else if (geste == u"Suppr")
            QTest::keyClick(vue, Qt::Key_Delete);
        else if (geste == u"double-clic") {
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            const QPoint centre = vue->visualRect(seconde).center();
            QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(vue->viewport(), Qt::LeftButton, {}, centre);
        }
        else
            form.findChild<QPushButton*>(geste)->click();
        QFETCH(QString, resultat);
        QCOMPARE(u"%1, courante %2, %3 entrées"_qs.arg(montre).arg(liste.adresseCourante()).arg(liste.count()),
                 resultat);
    }

    // The entry last brought back or changed is shown and selected at the next opening,
    // the search given up when it hides that entry.
    void reopensOnCurrentEntry()
    {
        AddressList liste;
        liste.setEntries(kEntrees);
        Form2 form(liste);
        form.show();
        form.recherche()->setText(u"anne"_qs);
        form.hide();
        liste.setAdresseCourante(3);
        form.show();
        QCOMPARE(form.recherche()->text(), QString());
        QCOMPARE(form.List1()->selectionModel()->selectedRows(), QModelIndexList{form.filtre().index(3, 0)});
        QCOMPARE(form.List1()->currentIndex().row(), 3);
    }
};

QTEST_MAIN(TestAddressesListSearch)
#include "test_addresses_list_search.moc"
