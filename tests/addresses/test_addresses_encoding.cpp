// The list entry is the one form an address takes in the list, the file and the print
// run; these cases pin down how a typed address becomes an entry and comes back.
#include "addresses/AddressEncoding.h"

#include <QPlainTextEdit>
#include <QtTest>

namespace {
const QString S = QString(kSeparateurLignes);
QString crlf(const char* text)
{
    return QString::fromUtf8(text).replace(u"\n"_qs, u"\r\n"_qs);
}
} // namespace

class TestAddressesEncoding : public QObject {
    Q_OBJECT
private slots:
    void enLigne_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("entree");
        QTest::newRow("start-up address") << crlf("Nom\net\nAdresse\n") << "Nom" + S + "et" + S + "Adresse";
        QTest::newRow("blank line inside") << crlf("A\n\nB") << "A" + S + S + "B";
        QTest::newRow("final blank line dropped, first kept") << crlf("A\n\n") << "A" + S;
        QTest::newRow("empty box") << QString() << QString();
        QTest::newRow("only a line break") << crlf("\n") << QString();
        QTest::newRow("tab breaks") << "A\tB"
                                    << "A" + S + "B";
        QTest::newRow("lone LF breaks") << "A\nB"
                                        << "A" + S + "B";
        QTest::newRow("two lone LFs start one line") << "A\n\nB"
                                                     << "A" + S + "B";
        QTest::newRow("codes 20 to 31 are ordinary")
            << QString("A") + QChar(20) + QChar(31) + "B" << QString("A") + QChar(20) + QChar(31) + "B";
        QTest::newRow("code 0 breaks") << QString("A") + QChar(0) + "B"
                                       << "A" + S + "B";
        QTest::newRow("accents and euro kept")
            << crlf("Zoé Müller\n12 € rue") << u"Zoé Müller"_qs + S + u"12 € rue"_qs;
        QTest::newRow("typed no-break space stays on its line") << "12" + S + "rue"
                                                                << "12 rue";
    }
    void enLigne()
    {
        QFETCH(QString, texte);
        QFETCH(QString, entree);
        QCOMPARE(EnLigne(texte), entree);
    }

    void enFormeGivesBackTheBoxText()
    {
        QCOMPARE(EnForme("Nom" + S + "et" + S + "Adresse"), crlf("Nom\net\nAdresse"));
        QCOMPARE(EnForme("A" + S + S + "B"), crlf("A\n\nB"));
        QCOMPARE(EnForme(QString()), QString());
        // Round trip: only the final line break is lost.
        const QString texte = crlf("Mme Zoé\n\n3 place\nF-75001 PARIS\n");
        QCOMPARE(EnForme(EnLigne(texte)), texte.chopped(2));
    }

    void overlongAddressKeepsEveryLine()
    {
        QStringList lignes;
        for (int i = 1; i <= 15; ++i)
            lignes << QString("ligne %1").arg(i);
        const QString entree = EnLigne(lignes.join(u"\r\n"_qs));
        QCOMPARE(entree, lignes.join(S));
        const LignesSeparees l = Separe(entree);
        QCOMPARE(l.NbLignes, 14);
        QCOMPARE(l.LignesAdresse, lignes);
        QCOMPARE(EnForme(entree), lignes.join(u"\r\n"_qs));
    }

    void separe()
    {
        LignesSeparees l = Separe("A" + S + "B" + S);
        QCOMPARE(l.NbLignes, 2);
        QCOMPARE(l.LignesAdresse, QStringList({"A", "B", ""}));

        l = Separe(QString());
        QCOMPARE(l.NbLignes, 0);
        QCOMPARE(l.LignesAdresse, QStringList({""}));

        l = Separe("Nom" + S + "et" + S + "Adresse");
        QCOMPARE(l.NbLignes, 2);
        QCOMPARE(l.LignesAdresse.at(2), "Adresse");
    }

    // A Qt text box joins its lines with a bare LF; the box's text must keep its blank
    // lines through the list.
    void textBoxRoundTripKeepsBlankLines()
    {
        QPlainTextEdit boite;
        boite.setPlainText(EnForme("A" + S + S + "B"));
        QCOMPARE(boite.document()->blockCount(), 3);
        const QString entree = EnLigne(AvecFinLigne(boite.toPlainText()));
        QCOMPARE(entree, "A" + S + S + "B");
        QCOMPARE(AvecFinLigne(crlf("A\nB")), crlf("A\nB"));
        QCOMPARE(AvecFinLigne("\nA\n"), crlf("\nA\n"));
    }
};

QTEST_MAIN(TestAddressesEncoding)
#include "test_addresses_encoding.moc"
