// The check of an address's last line against France's list of postcodes, on real
// addresses of every kind of place.
#include "addresses/codespostaux/TableCodesPostaux.h"
#include "addresses/codespostaux/VerificationAcheminement.h"
#include "addresses/liste/EncodageAdresse.h"

#include <QRegularExpression>
#include <QtTest>

using Etat = VerdictAcheminement::Etat;
Q_DECLARE_METATYPE(VerdictAcheminement::Etat)

class TestAddressesAcheminement : public QObject {
    Q_OBJECT
private slots:
    void verdicts_data()
    {
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<Etat>("etat");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("suggestion");
        const QString nbsp(QChar(0x00A0));
        auto ecrire = [&](const char* ligne) {
            return QStringLiteral("écrire «") + nbsp + QString::fromUtf8(ligne) + nbsp + u'»';
        };
        auto ok = [](const char* nom, const char* adresse) {
            QTest::newRow(nom) << QString::fromUtf8(adresse) << Etat::Correcte << QString() << QString();
        };
        auto forme = [&](const char* nom, const char* adresse, const char* ligne) {
            QTest::newRow(nom) << QString::fromUtf8(adresse) << Etat::FormeAcheminement << ecrire(ligne)
                               << QString::fromUtf8(ligne);
        };
        ok("Paris", "M. Jean Martin\r\n1 rue de Rivoli\r\n75001 PARIS");
        ok("then FRANCE", "M. Kerouac\r\n29200 BREST\r\nFRANCE\r\n");
        ok("CEDEX numbered", "Service client\r\n13001 MARSEILLE CEDEX 01");
        forme("Aix-en-Provence", "13100 Aix-en-Provence", "13100 AIX EN PROVENCE");
        forme("Clermont, accents and spaces", "63000  Clérmont-Ferrand", "63000 CLERMONT FERRAND");
        forme("commune routed by another name", "13080 Aix-en-Provence", "13080 LUYNES");
        forme("CEDEX in small letters", "75700 Paris Cedex 07", "75700 PARIS CEDEX 07");
        QTest::newRow("wrong pair") << QStringLiteral("29200 QUIMPER") << Etat::LocaliteAbsente
                                    << QStringLiteral(
                                           "29200 ne dessert pas QUIMPER (29200 : BREST ; QUIMPER : 29000)")
                                    << QStringLiteral("29000 QUIMPER");
        QTest::newRow("typo in the locality")
            << QStringLiteral("29200 BRST") << Etat::LocaliteAbsente
            << QStringLiteral("29200 ne dessert pas BRST (29200 : BREST)") << QStringLiteral("29200 BREST");
        QTest::newRow("unknown code") << QStringLiteral("29299 BRST") << Etat::CodeInconnu
                                      << QStringLiteral("Code postal 29299 inconnu") << QString();
        QTest::newRow("unknown code, known town")
            << QStringLiteral("00000 PARIS") << Etat::CodeInconnu
            << QStringLiteral("Code postal 00000 inconnu ; PARIS : 75001, 75002, 75003, 75004, …")
            << QString();
        const char* nonVerifiees[][2] = {{"abroad", "10115 BERLIN\r\nALLEMAGNE"},
                                         {"foreign code", "B-1000 BRUXELLES"},
                                         {"no postcode", "Jean\r\n5 rue du Port"},
                                         {"empty", ""}};
        for (const auto& [nom, adresse] : nonVerifiees)
            QTest::newRow(nom) << QString::fromUtf8(adresse) << Etat::NonVerifiee << QString() << QString();
    }

    void verdicts()
    {
        QFETCH(QString, adresse);
        QFETCH(Etat, etat);
        QFETCH(QString, message);
        QFETCH(QString, suggestion);
        const VerdictAcheminement v = verifieAcheminement(adresse, TableCodesPostaux::officielle());
        QCOMPARE(v.etat, etat);
        QCOMPARE(v.message, message);
        QCOMPARE(v.suggestion, suggestion);
        // The line to replace is the locality's, counted as the box counts lines.
        if (etat != Etat::NonVerifiee)
            QVERIFY(QRegularExpression(QStringLiteral("^\\d{5}\\s"))
                        .match(adresse.split(u'\n').value(v.ligne).trimmed())
                        .hasMatch());
    }

    // A list's report names the addresses to look at again, and only those.
    void listeAReprendre()
    {
        QStringList entrees = {u"M. Martin|29200 BREST"_qs, u"Mme Roux|13100 Aix-en-Provence"_qs,
                               u"Herr Braun|10115 BERLIN|ALLEMAGNE"_qs, u"M. Gall|29299 BRST"_qs};
        for (QString& e : entrees)
            e = EnLigne(e.replace(u'|', QStringLiteral("\r\n")));
        const QList<AdresseAReprendre> aReprendre =
            adressesAReprendre(entrees, TableCodesPostaux::officielle());
        QCOMPARE(aReprendre.size(), 2);
        QCOMPARE(aReprendre[0].index, 1);
        QCOMPARE(aReprendre[1].premiereLigne, u"M. Gall"_qs);
        QCOMPARE(resumeAReprendre(aReprendre, u"\n"_qs),
                 u"2 adresses ont une dernière ligne à revoir :\n"
                 "\u2022 Mme Roux : écrire «\u00A013100 AIX EN PROVENCE\u00A0»\n"
                 "\u2022 M. Gall : Code postal 29299 inconnu"_qs);
    }
};

QTEST_GUILESS_MAIN(TestAddressesAcheminement)
#include "test_addresses_acheminement.moc"
