// How a typed address becomes a list entry and comes back to the recipient box.
#include "addresses/AddressEncoding.h"

#include <QPlainTextEdit>
#include <QtTest>

namespace {
// A list entry written with "|" between its lines.
QString entree(const char* lignes)
{
    return QString::fromUtf8(lignes).replace(u'|', kSeparateurLignes);
}
} // namespace

class TestAddressesEncoding : public QObject {
    Q_OBJECT
private slots:
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

QTEST_MAIN(TestAddressesEncoding)
#include "test_addresses_encoding.moc"
