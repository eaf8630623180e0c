// The address list: how a typed address becomes a list entry and comes back to the
// recipient box; its order, which is what the user reads, and its current address, which is
// what Modifier replaces: both must hold whatever is added or removed around them.
#include "addresses/liste/ListeAdresses.h"
#include "tests/support/Fichiers.h"

#include <QPlainTextEdit>
#include <QtTest>

namespace {
// Entries that sort as they count: "0000", "0001"...
QStringList numeros(int fin, int pas = 1, int debut = 0)
{
    QStringList l;
    for (int i = debut; i < fin; i += pas)
        l << u"%1"_qs.arg(i, 4, 10, QChar(u'0'));
    return l;
}
void remplis(ListeAdresses& liste, const QStringList& entrees)
{
    for (const QString& e : entrees)
        liste.ajoute(e);
}
} // namespace

class TestAddressesList : public QObject {
    Q_OBJECT
private slots:
    // French order, accents and case aside; equal entries, duplicates included, stay in
    // the order they were added; a multi-line entry sorts by its first line.
    void frenchOrder()
    {
        const QString S(kSeparateurLignes);
        ListeAdresses liste;
        remplis(liste, {u"Zoé"_qs, u"andré"_qs, u"Dupont"_qs, u"Émile"_qs, "Martin" + S + "1", u"dupont"_qs,
                        u"DUPONT"_qs, u"Emile"_qs, "Marti" + S + "Z", u"Zoé"_qs, u"zèbre"_qs});
        QCOMPARE(liste.ajoute(QString()), 0);
        QCOMPARE(liste.ajoute(u"dupont"_qs), 5);
        QCOMPARE(liste.entrees(), QStringList({"", u"andré"_qs, u"Dupont"_qs, u"dupont"_qs, u"DUPONT"_qs,
                                               u"dupont"_qs, u"Emile"_qs, u"Émile"_qs, "Marti" + S + "Z",
                                               "Martin" + S + "1", u"zèbre"_qs, u"Zoé"_qs, u"Zoé"_qs}));
    }

    // The current address is the entry Modifier replaces: it follows that entry whatever is
    // added or removed around it, and the replacement becomes current in its turn.
    void currentAddressFollowsItsEntry()
    {
        ListeAdresses liste;
        remplis(liste, {u"Bruno"_qs, u"Marc"_qs});
        liste.setAdresseCourante(1);
        remplis(liste, {u"Claire"_qs, u"Zoé"_qs, u"Marc"_qs}); // just before, after, equal
        QCOMPARE(liste.adresseCourante(), 2);
        liste.retire({0});
        QCOMPARE(liste.remplaceCourante(u"Yves"_qs), 2);
        QCOMPARE(liste.remplaceCourante(u"Aaron"_qs), 0);
        QCOMPARE(liste.entrees(), QStringList({"Aaron", "Claire", "Marc", u"Zoé"_qs}));
        liste.retire({0});
        QCOMPARE(liste.adresseCourante(), -1);
        QCOMPARE(liste.remplaceCourante(u"Xavier"_qs), -1);
        QCOMPARE(liste.nombre(), 3);
        liste.setAdresseCourante(7);
        QCOMPARE(liste.adresseCourante(), -1);
    }

    // A few runs are removed run by run, many in one reset: the result must not differ.
    void removeSelection_data()
    {
        QTest::addColumn<int>("taille");
        QTest::addColumn<QList<int>>("indices");
        QTest::newRow("three runs, unordered, repeated, unknown")
            << 10 << QList<int>{9, 0, 2, 3, 4, 3, 42, -1, 8};
        QList<int> paires, toutes(1000);
        for (int i = 0; i < 1000; i += 2)
            paires << i;
        std::iota(toutes.begin(), toutes.end(), 0);
        QTest::newRow("every other of 1000") << 1000 << paires;
        QTest::newRow("everything") << 1000 << toutes;
    }
    void removeSelection()
    {
        QFETCH(int, taille);
        QFETCH(QList<int>, indices);
        ListeAdresses liste;
        remplis(liste, numeros(taille));
        const int courante = taille / 2 + 1; // never in the even indices
        liste.setAdresseCourante(courante);
        QStringList attendu;
        for (int i = 0; i < taille; ++i)
            if (!indices.contains(i))
                attendu << liste.entree(i);
        liste.retire(indices);
        QCOMPARE(liste.entrees(), attendu);
        const int restante = liste.adresseCourante();
        QCOMPARE(liste.entree(restante),
                 attendu.isEmpty() ? QString() : numeros(courante + 1, 1, courante).first());
        // The collation keys moved with their entries: an equal entry goes right after.
        QCOMPARE(liste.ajoute(liste.entree(restante)), restante + 1);
    }

    // Opening fills the list in one go, in the order that adding the file's entries one by
    // one gives: equal entries (differing only in case) in the file's order.
    void openingSortsAsAddingOneByOne()
    {
        // 64 spellings of one name among others: enough for an unstable sort to swap some.
        QStringList fichier;
        for (int casse = 0; casse < 64; ++casse) {
            QString nom = u"dupont"_qs;
            for (int i = 0; i < nom.size(); ++i)
                nom[i] = casse & (1 << i) ? nom[i].toUpper() : nom[i];
            fichier << nom << QStringLiteral("Émile %1").arg(63 - casse);
        }
        ListeAdresses unParUn, ouverte;
        for (const QString& e : fichier)
            unParUn.ajoute(e);
        ouverte.remplit(fichier);
        QCOMPARE(ouverte.entrees(), unParUn.entrees());
        QCOMPARE(ouverte.adresseCourante(), int(fichier.size()) - 1);
    }

    // Keys are sorted a few bytes at a time and packed again after removals: long shared
    // beginnings, keys shorter than their inline head and most of a big list removed must
    // leave the order that comparing the texts gives. The list is out of order and as big
    // as the files whose shared beginnings are read key by key in storage order.
    void orderSurvivesRemovals()
    {
        constexpr int n = 20000;
        QStringList textes{QString(), u"é"_qs, u"E"_qs};
        for (int i = 0; i < n; ++i)
            textes << u"M. et Mme Martin-%1 %2 rue du Marché"_qs.arg((i * 7919) % n, 5, 10, QChar(u'0'))
                          .arg(i % 3);
        ListeAdresses liste;
        liste.remplit(textes);
        QCOMPARE(liste.entrees(), ListeAdresses::enOrdre(textes));
        QList<int> retires;
        for (int i = 0; i < liste.nombre(); ++i)
            if (i % 10)
                retires << i;
        liste.retire(retires);
        liste.retire({0, 1});
        for (int i = 0; i < n; i += 37)
            liste.ajoute(u"M. et Mme Martin-%1 1 rue du Marché"_qs.arg(i, 5, 10, QChar(u'0')));
        liste.ajoute(u"e"_qs);
        QCOMPARE(liste.entrees(), ListeAdresses::enOrdre(liste.entrees()));
    }

    void enLigne_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("entree");
        QTest::newRow("start-up address") << u"Nom\r\net\r\nAdresse\r\n"_qs << entree("Nom|et|Adresse");
        QTest::newRow("blank line inside") << u"A\r\n\r\nB"_qs << entree("A||B");
        QTest::newRow("final blank line dropped, first kept") << u"A\r\n\r\n"_qs << entree("A|");
        QTest::newRow("empty box") << QString() << QString();
        QTest::newRow("only a line break") << u"\r\n"_qs << QString();
        QTest::newRow("tab breaks") << u"A\tB"_qs << entree("A|B");
        QTest::newRow("lone LF breaks") << u"A\nB"_qs << entree("A|B");
        QTest::newRow("two lone LFs start one line") << u"A\n\nB"_qs << entree("A|B");
        QTest::newRow("code 0 breaks") << u"A\0B"_qs << entree("A|B");
        QTest::newRow("code 19 breaks, 20 does not")
            << u"A"_qs + QChar(19) + u"B"_qs + QChar(20) << entree("A|B") + QChar(20);
        QTest::newRow("typed no-break space stays on its line") << entree("12|rue") << u"12 rue"_qs;
    }
    void enLigne()
    {
        QFETCH(QString, texte);
        QTEST(EnLigne(texte), "entree");
    }

    void backToTheBoxAndToLines()
    {
        QCOMPARE(EnForme(entree("Nom|et|Adresse")), u"Nom\r\net\r\nAdresse"_qs);
        const QString texte = u"Mme Zoé\r\n\r\n3 place\r\nF-75001 PARIS\r\n"_qs;
        QCOMPARE(EnForme(EnLigne(texte)), texte.chopped(2)); // only the final break is lost
        QCOMPARE(Separe(entree("A|B|")).NbLignes, 2);
        QCOMPARE(Separe(entree("A|B|")).LignesAdresse, QStringList({"A", "B", ""}));
        QCOMPARE(Separe(QString()).NbLignes, 0);
        QCOMPARE(Separe(QString()).LignesAdresse, QStringList({""}));
    }

    // A Qt text box joins its lines with a bare LF, which alone would lose a blank line.
    void textBoxRoundTripKeepsBlankLines()
    {
        QPlainTextEdit boite;
        boite.setPlainText(EnForme(entree("A||B")));
        QCOMPARE(EnLigne(AvecFinLigne(boite.toPlainText())), entree("A||B"));
        QCOMPARE(AvecFinLigne(u"A\r\nB"_qs), u"A\r\nB"_qs);
        QCOMPARE(AvecFinLigne(u"\nA\n"_qs), u"\r\nA\r\n"_qs);
    }
};

QTEST_MAIN(TestAddressesList)
#include "test_addresses_list.moc"
