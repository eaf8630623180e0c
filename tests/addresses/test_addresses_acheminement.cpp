// The check of an address's last line against France's list of postcodes, on real
// addresses of every kind of place.
#include "addresses/codespostaux/TableCodesPostaux.h"
#include "addresses/codespostaux/VerificationAcheminement.h"
#include "addresses/liste/EncodageAdresse.h"

#include <QCryptographicHash>
#include <QFile>
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
        auto ok = [](const char* nom, const char* adresse) {
            QTest::newRow(nom) << QString::fromUtf8(adresse) << Etat::Correcte << QString() << QString();
        };
        // The right locality in another spelling: no fault, La Poste's form only offered.
        auto forme = [&](const char* nom, const char* adresse, const char* ligne) {
            QTest::newRow(nom) << QString::fromUtf8(adresse) << Etat::FormeAcheminement << QString()
                               << QString::fromUtf8(ligne);
        };
        auto faute = [](const char* nom, const char* adresse, Etat etat, const char* message,
                        const char* suggestion = "") {
            QTest::newRow(nom) << QString::fromUtf8(adresse) << etat << QString::fromUtf8(message)
                               << QString::fromUtf8(suggestion);
        };
        ok("Paris", "M. Jean Martin\r\n1 rue de Rivoli\r\n75001 PARIS");
        ok("then FRANCE", "M. Kerouac\r\n29200 BREST\r\nFRANCE\r\n");
        ok("CEDEX numbered", "Service client\r\n13001 MARSEILLE CEDEX 01");
        ok("La Poste's form, apostrophe as a space", "01400 L ABERGEMENT CLEMENCIAT");
        ok("La Défense", "92060 PARIS LA DEFENSE CEDEX");
        ok("Monaco, with its country line", "98000 MONACO\r\nMONACO");
        ok("New Caledonia", "98800 NOUMEA");
        ok("Saint-Barthélemy", "97133 ST BARTHELEMY");
        ok("a commune nouvelle of 2025", "85610 CUGAND LA BERNARDIERE");
        forme("Aix-en-Provence", "13100 Aix-en-Provence", "13100 AIX EN PROVENCE");
        forme("Clermont, accents and spaces", "63000  Clérmont-Ferrand", "63000 CLERMONT FERRAND");
        forme("the article in front or behind", "13520 BAUX-DE-PROVENCE (LES)", "13520 LES BAUX DE PROVENCE");
        forme("official name with an apostrophe", "01400 L'Abergement-Clémenciat",
              "01400 L ABERGEMENT CLEMENCIAT");
        forme("CEDEX in small letters", "75700 Paris Cedex 07", "75700 PARIS CEDEX 07");
        QTest::newRow("old commune, never its namesake elsewhere")
            << u"01370 Treffort"_qs << Etat::AncienneCommune << QString() << u"01370 VAL REVERMONT"_qs;
        faute("wrong pair", "29200 QUIMPER", Etat::LocaliteAbsente,
              "29200 ne dessert pas QUIMPER (29200 : BREST ; QUIMPER : 29000)", "29000 QUIMPER");
        faute("typo in the locality", "29200 BRST", Etat::LocaliteAbsente,
              "29200 ne dessert pas BRST (29200 : BREST)", "29200 BREST");
        faute("unknown code", "29299 BRST", Etat::CodeInconnu, "Code postal 29299 inconnu");
        faute("unknown code, known town", "00000 PARIS", Etat::CodeInconnu,
              "Code postal 00000 inconnu ; PARIS : 75001, 75002, 75003, 75004, …");
        faute("CEDEX of another département", "75008 LYON CEDEX 08", Etat::LocaliteAbsente,
              "le code 75008 n'est pas du département de LYON (69)");
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
        QCOMPARE(v.aSignaler(), etat == Etat::CodeInconnu || etat == Etat::LocaliteAbsente);
        QCOMPARE(v.ligneAuDessus, etat == Etat::AncienneCommune ? u"TREFFORT"_qs : QString());
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
        QCOMPARE(aReprendre.size(), 1);
        QCOMPARE(aReprendre[0].index, 3);
        QCOMPARE(aReprendre[0].premiereLigne, u"M. Gall"_qs);
        QCOMPARE(resumeAReprendre(aReprendre, u"\n"_qs), u"1 adresse a une dernière ligne à revoir :\n"
                                                         "\u2022 M. Gall : Code postal 29299 inconnu"_qs);
    }

    // Every commune of an independent list (a committed sample; scripts/verifie-communes.sh
    // runs the whole list through this test), written as people write it, is taken as
    // right; with a code that does not serve it, it is flagged; an old commune of a commune
    // nouvelle is taken, and La Poste's line for it proposed.
    void communesEcritesDeSixFacons()
    {
        const QString chemin = qEnvironmentVariableIsSet("PLIVANE_COMMUNES")
                                   ? qEnvironmentVariable("PLIVANE_COMMUNES")
                                   : QStringLiteral(PLIVANE_TEST_DATA "/communes-echantillon.tsv");
        QFile fichier(chemin);
        QVERIFY2(fichier.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(chemin));
        const TableCodesPostaux& table = TableCodesPostaux::officielle();
        static const QRegularExpression saint(u"\\bSaint(e?)\\b"_qs);
        QStringList fautes;
        int cas = 0;
        while (!fichier.atEnd()) {
            const QStringList c = QString::fromUtf8(fichier.readLine()).chopped(1).split(u'\t');
            if (c.size() != 5 || c[0].startsWith(u'#'))
                continue;
            ++cas;
            const QString& nom = c[1];
            if (TableCodesPostaux::formeAcheminement(nom) != c[2])
                fautes << nom + u" : forme "_qs + TableCodesPostaux::formeAcheminement(nom);
            const QString ecritures[] = {c[2],
                                         nom.toUpper(),
                                         nom,
                                         nom.toLower(),
                                         QString(nom).replace(saint, u"St\\1"_qs),
                                         QString(nom).replace(u'-', u' ')};
            for (const QString& ecrite : ecritures) {
                const VerdictAcheminement v = verifieAcheminement(c[0] + u' ' + ecrite, table);
                const bool juste = c[4].isEmpty()
                                       ? (v.etat == Etat::Correcte || v.etat == Etat::FormeAcheminement)
                                       : (v.etat == Etat::AncienneCommune &&
                                          v.suggestion == c[0] + u' ' + c[4] && v.ligneAuDessus == c[2]);
                if (!juste || v.aSignaler())
                    fautes << c[0] + u' ' + ecrite + u" : "_qs + v.message + u" / "_qs + v.suggestion;
            }
            if (!verifieAcheminement(c[3] + u' ' + nom, table).aSignaler())
                fautes << c[3] + u' ' + nom + u" : accepté"_qs;
        }
        QVERIFY(cas > 400);
        QVERIFY2(fautes.isEmpty(),
                 qPrintable(fautes.first(std::min<qsizetype>(20, fautes.size())).join(u'\n')));
    }

    // The table in the resources is the one its header describes: no line edited or lost.
    void laTableEstCelleQueDitSonEnTete()
    {
        QFile fichier(u":/codes-postaux.tsv"_qs);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        QByteArray corps;
        QByteArray entete;
        while (!fichier.atEnd()) {
            const QByteArray ligne = fichier.readLine();
            (ligne.startsWith('#') ? entete : corps) += ligne;
        }
        const QRegularExpressionMatch m =
            QRegularExpression(u"# paires \\d+ lignes (\\d+) sha256 ([0-9a-f]{64})"_qs)
                .match(QString::fromUtf8(entete));
        QVERIFY2(m.hasMatch(), entete.constData());
        QCOMPARE(corps.count('\n'), m.captured(1).toLongLong());
        QCOMPARE(QCryptographicHash::hash(corps, QCryptographicHash::Sha256).toHex(),
                 m.captured(2).toLatin1());
        QCOMPARE(TableCodesPostaux::officielle().taille(), m.captured(1).toLongLong());
    }
};

QTEST_GUILESS_MAIN(TestAddressesAcheminement)
#include "test_addresses_acheminement.moc"
