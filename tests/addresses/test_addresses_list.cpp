// The address list's order is what the user reads, and its current address is what
// Modifier replaces: both must hold whatever is added or removed around them.
#include "addresses/AddressEncoding.h"
#include "addresses/AddressList.h"

#include <QSignalSpy>
#include <QtTest>

class TestAddressesList : public QObject {
    Q_OBJECT
private slots:
    void frenchOrder()
    {
        AddressList liste;
        for (const char* nom :
             {"Zoé", "andré", "Dupont", "Émile", "Bernard", "dupont", "Emile", "Éric", "zèbre"})
            liste.add(QString::fromUtf8(nom));
        const QStringList attendu = {u"andré"_qs, u"Bernard"_qs, u"Dupont"_qs, u"dupont"_qs, u"Emile"_qs,
                                     u"Émile"_qs, u"Éric"_qs,    u"zèbre"_qs,  u"Zoé"_qs};
        QCOMPARE(liste.entries(), attendu);
        QCOMPARE(liste.count(), 9);
        QCOMPARE(liste.rowCount(), 9);
        QCOMPARE(liste.data(liste.index(0)).toString(), u"andré"_qs);
    }

    void equalEntriesKeepTheirOrderAndDuplicatesStay()
    {
        AddressList liste;
        liste.add(u"b"_qs);
        QCOMPARE(liste.add(u"DUPONT"_qs), 1);
        QCOMPARE(liste.add(u"dupont"_qs), 2);
        QCOMPARE(liste.add(u"Dupont"_qs), 3);
        QCOMPARE(liste.add(u"Dupont"_qs), 4);
        QCOMPARE(liste.add(QString()), 0); // an empty address sorts first
        QCOMPARE(liste.entries(), QStringList({"", "b", "DUPONT", "dupont", "Dupont", "Dupont"}));
    }

    void multiLineEntriesSortByTheirFirstLine()
    {
        AddressList liste;
        liste.add(EnLigne(u"Martin\r\n1 rue B\r\n"_qs));
        liste.add(EnLigne(u"Martin\r\n1 rue A"_qs));
        liste.add(EnLigne(u"Marti\r\nZ"_qs));
        QCOMPARE(Separe(liste.entry(0)).LignesAdresse.first(), u"Marti"_qs);
        QCOMPARE(liste.entry(1), EnLigne(u"Martin\r\n1 rue A"_qs));
    }

    void currentAddressFollowsItsEntry()
    {
        AddressList liste;
        liste.add(u"Marc"_qs);
        liste.setAdresseCourante(0);
        liste.add(u"Anne"_qs); // before it
        QCOMPARE(liste.adresseCourante(), 1);
        liste.add(u"Zoé"_qs); // after it
        QCOMPARE(liste.adresseCourante(), 1);
        liste.add(u"Marc"_qs); // equal: goes after it
        QCOMPARE(liste.adresseCourante(), 1);
        liste.remove({0});
        QCOMPARE(liste.adresseCourante(), 0);
        QCOMPARE(liste.entry(liste.adresseCourante()), u"Marc"_qs);
        liste.remove({0});
        QCOMPARE(liste.adresseCourante(), -1);

        liste.setAdresseCourante(7);
        QCOMPARE(liste.adresseCourante(), -1);
        QCOMPARE(liste.entry(7), QString());
        QCOMPARE(liste.entry(-1), QString());
    }

    // Modifier must replace the entry shown in the recipient box and no other, and the
    // new text must be the one a second Modifier replaces.
    void replaceCurrent()
    {
        AddressList liste;
        for (const char* nom : {"Anne", "Bruno", "Claire", "Denis"})
            liste.add(QString::fromLatin1(nom));
        liste.setAdresseCourante(1);
        QCOMPARE(liste.replaceCurrent(u"Yves"_qs), 3);
        QCOMPARE(liste.entries(), QStringList({"Anne", "Claire", "Denis", "Yves"}));
        QCOMPARE(liste.adresseCourante(), 3);
        QCOMPARE(liste.replaceCurrent(u"Aaron"_qs), 0);
        QCOMPARE(liste.entries(), QStringList({"Aaron", "Anne", "Claire", "Denis"}));

        liste.setAdresseCourante(-1);
        QCOMPARE(liste.replaceCurrent(u"Xavier"_qs), -1);
        QCOMPARE(liste.entries(), QStringList({"Aaron", "Anne", "Claire", "Denis"}));
    }

    void removeScatteredSelection()
    {
        AddressList liste;
        for (int i = 0; i < 10; ++i)
            liste.add(QString::number(i));
        liste.setAdresseCourante(5);
        QSignalSpy retraits(&liste, &QAbstractItemModel::rowsRemoved);
        liste.remove({9, 0, 2, 3, 4, 3, 42, -1, 8});
        QCOMPARE(liste.entries(), QStringList({"1", "5", "6", "7"}));
        QCOMPARE(retraits.count(), 3); // one signal per run: 8-9, 2-4 and 0
        QCOMPARE(liste.entry(liste.adresseCourante()), u"5"_qs);
    }

    // Many scattered runs go in one pass; the result must be the same as run by run.
    void removeWidelyScatteredSelection()
    {
        AddressList liste;
        for (int i = 0; i < 1000; ++i)
            liste.add(u"%1"_qs.arg(i, 4, 10, QChar(u'0')));
        liste.setAdresseCourante(501);
        QList<int> paires;
        for (int i = 0; i < 1000; i += 2)
            paires.append(i);
        liste.remove(paires);
        QCOMPARE(liste.count(), 500);
        QCOMPARE(liste.entry(0), u"0001"_qs);
        QCOMPARE(liste.entry(499), u"0999"_qs);
        QCOMPARE(liste.adresseCourante(), 250);
        QCOMPARE(liste.entry(250), u"0501"_qs);
        QCOMPARE(liste.add(u"0502"_qs), 251); // the keys moved along with their entries
        QCOMPARE(liste.adresseCourante(), 250);

        QList<int> toutes(liste.count());
        std::iota(toutes.begin(), toutes.end(), 0);
        liste.remove(toutes);
        QCOMPARE(liste.count(), 0);
        QCOMPARE(liste.adresseCourante(), -1);
    }

    void setEntriesSortsAndMakesTheLastCurrent()
    {
        AddressList liste;
        liste.add(u"ancienne"_qs);
        QSignalSpy reset(&liste, &QAbstractItemModel::modelReset);
        liste.setEntries({u"Zoé"_qs, u"andré"_qs, u"Émile"_qs});
        QCOMPARE(reset.count(), 1);
        QCOMPARE(liste.entries(), QStringList({u"andré"_qs, u"Émile"_qs, u"Zoé"_qs}));
        QCOMPARE(liste.adresseCourante(), 2);
        liste.setEntries({});
        QCOMPARE(liste.adresseCourante(), -1);
        liste.add(u"x"_qs);
        liste.setAdresseCourante(0);
        liste.clear();
        QCOMPARE(liste.count(), 0);
        QCOMPARE(liste.adresseCourante(), -1);
    }
};

QTEST_MAIN(TestAddressesList)
#include "test_addresses_list.moc"
