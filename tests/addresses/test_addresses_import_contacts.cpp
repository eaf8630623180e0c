// Contacts exported by spreadsheets, address books and phones come in as envelope lines:
// name, company, street, "POSTCODE CITY", whatever the columns or vCard fields were called,
// and a second import of the same file adds nothing.
#include "addresses/AddressEncoding.h"
#include "addresses/AddressList.h"
#include "addresses/ImportAdresses.h"
#include "addresses/ImportCsv.h"
#include "addresses/ImportVcard.h"
#include "tests/support/ScriptedDialogs.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString entree(const char* lignes)
{
    return QString::fromUtf8(lignes).replace(u'|', kSeparateurLignes);
}

QString ecrit(const QTemporaryDir& dir, const QString& nom, const QByteArray& octets)
{
    QFile f(dir.filePath(nom));
    if (f.open(QIODevice::WriteOnly))
        f.write(octets);
    return f.fileName();
}

QStringList trie(QStringList l)
{
    std::sort(l.begin(), l.end());
    return l;
}
} // namespace

class TestImportContacts : public QObject {
    Q_OBJECT
private slots:
    void colonnesNommees_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("adresse");
        QTest::newRow("French spreadsheet, abroad")
            << QByteArray("Civilit\xC3\xA9;Pr\xC3\xA9nom;Nom;Soci\xC3\xA9t\xC3\xA9;Compl\xC3\xA9ment;Rue;BP;"
                          "Code postal;Ville;Pays;T\xC3\xA9l\xC3\xA9phone\n"
                          "Mme;Zo\xC3\xA9;Roux;Atelier Roux;B\xC3\xA2t. C;2 rue Haute;12;1000;"
                          "Bruxelles;Belgique;0102\n")
            << entree("Mme Zoé Roux|Atelier Roux|Bât. C|2 rue Haute|BP 12|1000 BRUXELLES|BELGIQUE");
        // Address 1 is empty: the contact's second address is taken whole, none of the first.
        QTest::newRow("Google, second address")
            << QByteArray("First Name,Middle Name,Last Name,Name Prefix,Organization Name,Organization Title,"
                          "E-mail 1 - Value,Address 1 - Street,Address 1 - City,Address 1 - Country,"
                          "Address 2 - Street,Address 2 - Extended Address,Address 2 - City,"
                          "Address 2 - Postal Code,Address 2 - Country\n"
                          "Jean,,Dupont,M.,Dupont SA,G\xC3\xA9rant,j@d.fr,,,Suisse,"
                          "\"5 rue du Port\nEntr\xC3\xA9"
                          "e B\",Appt 4,Brest,29200,France\n")
            << entree("M. Jean Dupont|Dupont SA|Appt 4|5 rue du Port|Entrée B|29200 BREST");
        QTest::newRow("Thunderbird")
            << QByteArray("First Name,Last Name,Display Name,Home Address,Home Address 2,Home City,Home ZipCode,"
                          "Work Address,Work City,Work ZipCode,Organization\n"
                          ",,L\xC3\xA9on Blum,,,,,1 place X,Saint-\xC3\x89tienne,42000,Mairie\n")
            << entree("Léon Blum|Mairie|1 place X|42000 SAINT-ÉTIENNE");
        QTest::newRow("Outlook")
            << QByteArray("Title,First Name,Last Name,Company,Job Title,Business Street,Business Street 2,"
                          "Business City,Business Postal Code,Business Country/Region,Home Street\n"
                          "Dr,Anne,Lenoir,,Chef,3 quai Sud,,Lyon,69002,FRANCE,9 rue Est\n")
            << entree("Dr Anne Lenoir|3 quai Sud|69002 LYON");
        QTest::newRow("titles we do not know: one line per column")
            << QByteArray("Qui;O\xC3\xB9;Ville\nJean Dupont;5 rue du Port;29200 Brest\n")
            << entree("Jean Dupont|5 rue du Port|29200 Brest");
    }
    void colonnesNommees()
    {
        QFETCH(QByteArray, csv);
        const Result<ImportCsv::Lecture> lu = ImportCsv::lit(csv);
        QVERIFY(lu);
        const ImportCsv::Bilan b = ImportCsv::adresses(lu.value(), true);
        QTEST(b.adresses.value(0), "adresse");
        QCOMPARE(b.adresses.size(), 1);
    }

    void vcard_data()
    {
        QTest::addColumn<QByteArray>("vcf");
        QTest::addColumn<QString>("adresse"); // empty: the file is refused
        // A phone's 2.1: quoted-printable in Latin-1 with a soft line break, a fold that
        // keeps its blank, the preferred of two addresses.
        QTest::newRow("2.1") << QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\n"
                                           "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:L=E9ger;Andr=E9;;M.\r\n"
                                           "ADR;HOME:;;1 rue A;Paris;;75001;\r\n"
                                           "ADR;WORK;PREF;QUOTED-PRINTABLE;CHARSET=UTF-8:;;12 all=C3=A9e des=\r\n"
                                           " Ch=C3=AAnes;=C3=89vry;;91000;France\r\n"
                                           "ORG:Soci\xC3\xA9t\xC3\xA9\r\n nouvelle\r\nEND:VCARD\r\n")
                             << entree("M. André Léger|Société nouvelle|12 allée des Chênes|91000 ÉVRY");
        // 3.0: folds take their blank away, escapes, a two-line street, TYPE=pref.
        QTest::newRow("3.0") << QByteArray("BEGIN:VCARD\nVERSION:3.0\nFN:Paul Petit\nN:Petit;Paul;;;\n"
                                           "item1.ADR;TYPE=HOME:;;7 quai;Nantes;;44000;\n"
                                           "item2.ADR;TYPE=WORK,pref:BP 5;;Zone\\, lot 3\\nHall\\;B;Ren\n\tnes;;"
                                           "35000;\nEND:VCARD\n")
                             << entree("Paul Petit|Zone, lot 3|Hall;B|BP 5|35000 RENNES");
        QTest::newRow("4.0") << QByteArray("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ada Byron\r\nORG:Analytical\r\n"
                                           "ADR;PREF=2:;;1 Main St;London;;N1;United Kingdom\r\n"
                                           "ADR;TYPE=work;PREF=1;LABEL=\"x;y:z\":;;2 High St;Bath;;BA1;UK\r\n"
                                           "END:VCARD\r\n")
                             << entree("Ada Byron|Analytical|2 High St|BA1 BATH|UK");
        QTest::newRow("card never closed") << QByteArray("BEGIN:VCARD\nVERSION:3.0\nFN:A\nEND:VCARD\n"
                                                         "BEGIN:VCARD\nFN:B\n")
                                           << QString();
    }
    void vcard()
    {
        QFETCH(QByteArray, vcf);
        QFETCH(QString, adresse);
        QVERIFY(ImportVcard::estVcard(vcf));
        const Result<ImportVcard::Lecture> lu = ImportVcard::lit(vcf);
        if (adresse.isEmpty()) {
            QVERIFY(!lu);
            QCOMPARE(lu.error(), u"la fiche commencée à la ligne 5 n'est jamais refermée (END:VCARD)"_qs);
            return;
        }
        QVERIFY(lu);
        QCOMPARE(ImportVcard::adresses(lu.value()).adresses, QStringList{adresse});
    }

    // Columns the program cannot name: the user says what they hold, sees the result,
    // and finds the choice again with the next file of the same titles.
    void etapeDesColonnes()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
        QTemporaryDir dir;
        const QString chemin = ecrit(dir, u"l.csv"_qs, "Nom;Ligne 2;Ligne 3\nDupont;5 rue du Port;29200 Brest\n");
        const QStringList titres{u"Nom"_qs, u"Ligne 2"_qs, u"Ligne 3"_qs};
        QCOMPARE(ImportAdresses::choixInitiaux(titres), (QList<int>{5, 1, 1})); // Nom, then lines as they are
        ScriptedDialogs dialogs;
        AddressList liste;
        dialogs.mappingAnswers = {QList<int>{5, 9, 13}, std::nullopt};
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 1);
        QCOMPARE(liste.entries(), QStringList{entree("Dupont|5 rue du Port|29200 BREST")});
        QCOMPARE(dialogs.lastMappingPreview, QStringList{u"Dupont \u23CE 5 rue du Port \u23CE 29200 BREST"_qs});
        QCOMPARE(ImportAdresses::choixInitiaux(titres), (QList<int>{5, 9, 13}));
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 0); // "Annuler"
        QCOMPARE(liste.count(), 1);
        QCOMPARE(dialogs.unexpected, 0);
    }

    // An address already listed, or repeated in the file with other case and blanks,
    // comes in once; "Oui" adds them all the same.
    void doublons()
    {
        QTemporaryDir dir;
        const QString chemin = ecrit(dir, u"amis.csv"_qs,
                                     "Nom;Rue;Ville\nDupont;1 rue A;Brest\nMartin;2 rue B;Lyon\n"
                                     "MARTIN ;2  rue b;lyon\nNeuf;3 rue C;Nice\n");
        ScriptedDialogs dialogs;
        AddressList liste;
        liste.add(entree("dupont|1 RUE A|BREST"));
        dialogs.questionAnswers = {Answer::No, Answer::Yes};
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 2);
        QCOMPARE(dialogs.shownOfKind(u"question"_qs).at(0).text.section(u'\r', 0, 0),
                 u"1 adresse du fichier est déjà dans la liste et 1 adresse y figure plusieurs fois."_qs);
        QCOMPARE(dialogs.messageTexts().at(0).section(u'\r', 1, 2),
                 u"\n1 adresse déjà dans la liste n'a pas été ajoutée.\r\n"
                 "1 adresse en double dans le fichier n'a pas été ajoutée."_qs);
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 4);
        QCOMPARE(liste.count(), 7);
    }

    // 2,000 contacts of a Google CSV export and of a vCard file each come in at one go,
    // each as its source row says; importing again adds none.
    void deuxMilleContacts_data()
    {
        QTest::addColumn<bool>("vcard");
        QTest::newRow("Google CSV") << false;
        QTest::newRow("vCard") << true;
    }
    void deuxMilleContacts()
    {
        QFETCH(bool, vcard);
        QByteArray fichier = vcard ? QByteArray()
                                   : QByteArray("Name,Given Name,Additional Name,Family Name,Name Prefix,"
                                                "Organization 1 - Name,Phone 1 - Value,Address 1 - Formatted,"
                                                "Address 1 - Street,Address 1 - City,Address 1 - Postal Code,"
                                                "Address 1 - Country\r\n");
        QStringList attendues;
        const char* const civilites[] = {"M.", "Mme", "Dr"};
        const char* const villes[] = {"Brest", "Saint-Étienne", "Orléans", "Aix-en-Provence"};
        for (int i = 0; i < 2000; ++i) {
            const QByteArray civ = civilites[i % 3], prenom = "Zoé" + QByteArray::number(i % 7),
                             nom = "Dupont-" + QByteArray::number(i), societe = "Société " + QByteArray::number(i % 50),
                             rue = QByteArray::number(i % 300 + 1) + ", rue de l'Église",
                             cp = QByteArray::number(10000 + i * 37), ville = villes[i % 4];
            if (vcard)
                fichier += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + prenom + ' ' + nom + "\r\nN:" + nom + ';' +
                           prenom + ";;" + civ + ";\r\nORG:" + societe + "\r\nTEL:0102\r\nADR;TYPE=home:;;" +
                           rue + ';' + ville + ";;" + cp + ";France\r\nEND:VCARD\r\n";
            else
                fichier += prenom + ' ' + nom + ',' + prenom + ",," + nom + ',' + civ + ',' + societe +
                           ",0102,\"" + rue + "\n" + cp + ' ' + ville + "\",\"" + rue + "\"," + ville + ',' + cp +
                           ",France\r\n";
            attendues << QString::fromUtf8(civ + ' ' + prenom + ' ' + nom + '|' + societe + '|' + rue + '|' + cp +
                                           ' ' + QString::fromUtf8(ville).toUpper().toUtf8())
                             .replace(u'|', kSeparateurLignes);
        }
        QTemporaryDir dir;
        const QString chemin = ecrit(dir, vcard ? u"contacts.vcf"_qs : u"contacts.csv"_qs, fichier);
        ScriptedDialogs dialogs;
        AddressList liste;
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 2000);
        QCOMPARE(trie(liste.entries()), trie(attendues));
        QCOMPARE(dialogs.unexpected, 0);

        dialogs.questionAnswers = {Answer::No};
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 0);
        QCOMPARE(liste.count(), 2000);
        QVERIFY(dialogs.shownOfKind(u"question"_qs).at(0).text.startsWith(
            u"2000 adresses du fichier sont déjà dans la liste."_qs));
        QVERIFY(dialogs.shownOfKind(u"message"_qs).at(1).text.startsWith(
            u"Aucune adresse n'a été ajoutée.\r\n2000 adresses déjà dans la liste n'ont pas été ajoutées."_qs));
    }
};

QTEST_MAIN(TestImportContacts)
#include "test_addresses_import_contacts.moc"
