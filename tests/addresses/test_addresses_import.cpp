// Addresses imported from CSV, TSV and vCard files as spreadsheets, address books and
// phones write them: each dialect read with its accents, quotes and line breaks intact, the
// title row told from an address, columns and vCard fields composed into envelope lines
// (name, company, street, "POSTCODE CITY"), bad files refused whole, and a second import of
// the same file adding nothing.
#include "addresses/codespostaux/TableCodesPostaux.h"
#include "addresses/codespostaux/VerificationAcheminement.h"
#include "addresses/fichier/CodageTexte.h"
#include "addresses/import/CompositionAdresse.h"
#include "addresses/import/ImportAdresses.h"
#include "addresses/import/ImportCsv.h"
#include "addresses/import/ImportVcard.h"
#include "addresses/liste/EncodageAdresse.h"
#include "addresses/liste/ListeAdresses.h"
#include "tests/support/Fichiers.h"
#include "tests/support/ScriptedDialogs.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A spreadsheet's "CSV (point-virgule)" export on Windows: Windows-1252, CR LF, a title
// row; 0x8C is Windows' "Œ".
const QByteArray kTableur = "Nom;Adresse;CP Ville\r\n"
                            "M. Andr\xE9 L\xE9ger;12, rue de l'\xC9glise;75008 PARIS\r\n"
                            "Mme H\xE9l\xE8ne \x8C"
                            "uvre;3 all\xE9"
                            "e des Ch\xEAnes;69003 LYON\r\n";
const QStringList kTableurAdresses = {entree("M. André Léger|12, rue de l'Église|75008 PARIS"),
                                      entree("Mme Hélène Œuvre|3 allée des Chênes|69003 LYON")};
} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    // How each file is read (encoding, separator, first row) and the addresses it gives,
    // a title row left out.
    void lecture_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("lecture");
        QTest::addColumn<QStringList>("adresses");
        QTest::addColumn<int>("ignorees");
        QTest::newRow("spreadsheet") << kTableur << u"Windows-1252, points-virgules, titres"_qs
                                     << kTableurAdresses << 0;
        const QByteArray utf8 =
            "Nom,Adresse,Ville\n"
            "\"Dupont, Chlo\xC3\xA9\",\"5 r\xC3\xA9sidence \"\"Les Lilas\"\"\",13001 MARSEILLE\n"
            "Fran\xC3\xA7ois Na\xC3\xAF"
            "f,1 place du Ch\xC3\xA2teau,21000 DIJON\n";
        const QStringList utf8Adresses =
            QStringList{entree("Dupont, Chloé|5 résidence \"Les Lilas\"|13001 MARSEILLE"),
                        entree("François Naïf|1 place du Château|21000 DIJON")};
        QTest::newRow("UTF-8 with BOM")
            << "\xEF\xBB\xBF" + utf8 << u"UTF-8 avec BOM, virgules, titres"_qs << utf8Adresses << 0;
        // A spreadsheet's "Unicode text": UTF-16 little-endian behind its mark.
        const QString texte = u"Zoé\t2 rue Ève\t59000 LILLE\r\n"_qs;
        QTest::newRow("UTF-16") << QByteArray("\xFF\xFE", 2) +
                                       QByteArray(reinterpret_cast<const char*>(texte.utf16()),
                                                  texte.size() * 2)
                                << u"UTF-16, tabulations"_qs
                                << QStringList{entree("Zoé|2 rue Ève|59000 LILLE")} << 0;
        // Line breaks in quotes give address lines; a doubled quote is one quote; text after
        // a closing quote stays with its field.
        QTest::newRow("quoted fields")
            << QByteArray(
                   "\"Soci\xC3\xA9t\xC3\xA9 Martin\r\nService \"\"Courrier\"\"\";\"1 rue\n\nB\xC3\xA2t. B\";"
                   "\"75001\" PARIS\r\nLebrun;2 rue Vieille\r\n")
            << u"UTF-8, points-virgules"_qs
            << QStringList{entree("Société Martin|Service \"Courrier\"|1 rue|Bât. B|75001 PARIS"),
                           entree("Lebrun|2 rue Vieille")}
            << 0;
        // Empty fields leave no blank line; empty rows and rows too long for an envelope
        // are counted out; blank lines at the end of the file are no rows.
        const QByteArray inegales = "Albert;;1 rue A;;75001 PARIS\n"
                                    "Bernard;2 rue B\n"
                                    ";;;\n"
                                    "\n"
                                    "Claude;3 rue C;Esc. 4;Porte 5;75003 PARIS;FRANCE\n";
        QTest::newRow("uneven, empty and overlong rows")
            << inegales + "Trop" + QByteArray(";x").repeated(ImportCsv::kLignesMax) + "\n\n\n"
            << u"UTF-8, points-virgules"_qs
            << QStringList{entree("Albert|1 rue A|75001 PARIS"), entree("Bernard|2 rue B"),
                           entree("Claude|3 rue C|Esc. 4|Porte 5|75003 PARIS|FRANCE")}
            << 3;
        // Exports of address books, whatever they call their columns.
        QTest::newRow("French spreadsheet, abroad")
            << QByteArray("Civilit\xC3\xA9;Pr\xC3\xA9nom;Nom;Soci\xC3\xA9t\xC3\xA9;Compl\xC3\xA9ment;Rue;BP;"
                          "Code postal;Ville;Pays;T\xC3\xA9l\xC3\xA9phone\n"
                          "Mme;Zo\xC3\xA9;Roux;Atelier Roux;B\xC3\xA2t. C;2 rue Haute;12;1000;"
                          "Bruxelles;Belgique;0102\n")
            << u"UTF-8, points-virgules, titres"_qs
            << QStringList{entree(
                   "Mme Zoé Roux|Atelier Roux|Bât. C|2 rue Haute|BP 12|1000 BRUXELLES|BELGIQUE")}
            << 0;
        // Address 1 is empty: the contact's second address is taken whole, none of the first.
        QTest::newRow("Google, second address")
            << QByteArray("First Name,Middle Name,Last Name,Name Prefix,Organization Name,Organization Title,"
                          "E-mail 1 - Value,Address 1 - Street,Address 1 - City,Address 1 - Country,"
                          "Address 2 - Street,Address 2 - Extended Address,Address 2 - City,"
                          "Address 2 - Postal Code,Address 2 - Country\n"
                          "Jean,,Dupont,M.,Dupont SA,G\xC3\xA9rant,j@d.fr,,,Suisse,"
                          "\"5 rue du Port\nEntr\xC3\xA9"
                          "e B\",Appt 4,Brest,29200,France\n")
            << u"UTF-8, virgules, titres"_qs
            << QStringList{entree("M. Jean Dupont|Dupont SA|Appt 4|5 rue du Port|Entrée B|29200 BREST")} << 0;
        QTest::newRow("Thunderbird")
            << QByteArray(
                   "First Name,Last Name,Display Name,Home Address,Home Address 2,Home City,Home ZipCode,"
                   "Work Address,Work City,Work ZipCode,Organization\n"
                   ",,L\xC3\xA9on Blum,,,,,1 place X,Saint-\xC3\x89tienne,42000,Mairie\n")
            << u"UTF-8, virgules, titres"_qs
            << QStringList{entree("Léon Blum|Mairie|1 place X|42000 SAINT-ÉTIENNE")} << 0;
        QTest::newRow("Outlook")
            << QByteArray("Title,First Name,Last Name,Company,Job Title,Business Street,Business Street 2,"
                          "Business City,Business Postal Code,Business Country/Region,Home Street\n"
                          "Dr,Anne,Lenoir,,Chef,3 quai Sud,,Lyon,69002,FRANCE,9 rue Est\n")
            << u"UTF-8, virgules, titres"_qs << QStringList{entree("Dr Anne Lenoir|3 quai Sud|69002 LYON")}
            << 0;
        QTest::newRow("Outlook, PO Box and a building")
            << QByteArray("First Name,Last Name,Company,Business Street,Business Street 2,Business City,"
                          "Business Postal Code,Business Country/Region,Business Address PO Box\n"
                          "Anne,Lenoir,Sud SA,3 quai Sud,B\xC3\xA2timent B,Lyon,69002,France,CS 70001\n")
            << u"UTF-8, virgules, titres"_qs
            << QStringList{entree("Anne Lenoir|Sud SA|Bâtiment B|3 quai Sud|CS 70001|69002 LYON")} << 0;
        // Some exports leave out UTF-16's mark.
        const QString sansMarque = u"Nom;Ville\r\nZoé;59000 LILLE\r\n"_qs;
        QTest::newRow("UTF-16 without its mark")
            << QByteArray(reinterpret_cast<const char*>(sansMarque.utf16()), sansMarque.size() * 2)
            << u"UTF-16, points-virgules, titres"_qs << QStringList{entree("Zoé|59000 LILLE")} << 0;
        // Typed in an editor: one address a block.
        QTest::newRow("blocks of lines")
            << QByteArray("Anne Lenoir\n3 quai Sud\n69002 LYON\n\n\nBruno Petit\n75001 PARIS\n")
            << u"UTF-8, points-virgules"_qs
            << QStringList{entree("Anne Lenoir|3 quai Sud|69002 LYON"), entree("Bruno Petit|75001 PARIS")}
            << 0;
        // Words alone: the user is asked, and the row is an address until then.
        QTest::newRow("doubtful first row")
            << QByteArray("Dupont;Jean;Paris\n") << u"UTF-8, points-virgules, ?"_qs
            << QStringList{entree("Dupont|Jean|Paris")} << 0;
    }
    void lecture()
    {
        QFETCH(QByteArray, octets);
        const Result<ImportCsv::Lecture> r = ImportCsv::lit(octets);
        QVERIFY2(r.isOk(), qPrintable(r.error()));
        const ImportCsv::Lecture& l = r.value();
        QString lu = CodageTexte::nom(l.codage) + u", "_qs + ImportCsv::nomSeparateur(l.separateur);
        if (l.enTete != ImportCsv::EnTete::Absente)
            lu += l.enTete == ImportCsv::EnTete::Presente ? u", titres"_qs : u", ?"_qs;
        QTEST(lu, "lecture");
        const ImportCsv::Bilan b = ImportCsv::adresses(l, l.enTete == ImportCsv::EnTete::Presente);
        QTEST(b.adresses, "adresses");
        QTEST(b.ignorees(), "ignorees");
    }

    void importeUnFichierEnUneFoisEtLeDit()
    {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        ListeAdresses liste;
        liste.ajoute(u"Existante"_qs);
        dialogs.openAnswers = {ecritFichier(dir.filePath(u"clients.csv"_qs),
                                            kTableur + ";;\r\nLong" + QByteArray(";x").repeated(12) + "\r\n"),
                               std::nullopt};
        QCOMPARE(ImportAdresses(dialogs, liste).choisitEtImporte(), 2);
        QCOMPARE(liste.entrees(), QStringList{u"Existante"_qs} + kTableurAdresses);
        QCOMPARE(dialogs.shownOfKind(u"open"_qs).at(0).title, u"Importer des adresses"_qs);
        const auto messages = dialogs.shownOfKind(u"message"_qs);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].icon, MessageIcon::Information);
        QCOMPARE(messages[0].text,
                 u"2 adresses ajoutées à la liste.\r\n"
                 "2 lignes ignorées : 1 vide, 1 de plus de champs que la ligne des titres.\r\n"
                 "La ligne des titres des colonnes n'a pas été importée.\r\n"
                 "Fichier lu en Windows-1252, colonnes séparées par des points-virgules."_qs);
        // Cancelling the file dialog does nothing more.
        QCOMPARE(ImportAdresses(dialogs, liste).choisitEtImporte(), 0);
        QCOMPARE(dialogs.shown.size(), 5); // where from, then the file, twice; one report
        QCOMPARE(dialogs.unexpected, 0);
    }

    // Good rows before the fault or not, nothing comes in, and the user is told why.
    void fichierRefuseNAjouteRien_data()
    {
        QTest::addColumn<QByteArray>("octets"); // empty: no such file
        QTest::addColumn<QString>("message");
        // The line where the quote opened, counted through the line breaks of earlier fields.
        QTest::newRow("quote never closed") << QByteArray("A;1 rue\n\"a\nb\";1\nc;2\n\"d;3\ne;4\n")
                                            << u"Le fichier « f.csv » n'a pas été importé : le guillemet "
                                               u"ouvert à la ligne 5 n'est jamais refermé."
                                               "\r\nAucune adresse n'a été ajoutée."_qs;
        QTest::newRow("says UTF-8, is not")
            << QByteArray("\xEF\xBB\xBFNom;\xE9t\xE9\n") << u"n'en sont pas"_qs;
        QTest::newRow("missing") << QByteArray() << u"il n'existe pas"_qs;
        QTest::newRow("vCard never closed")
            << QByteArray("BEGIN:VCARD\nVERSION:3.0\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\n")
            << u"la fiche commencée à la ligne 5 n'est jamais refermée (END:VCARD)"_qs;
        QTest::newRow("spreadsheet") << QByteArray("PK\x03\x04\x14\0\x06\0xl/workbook.xml", 24)
                                     << u"enregistrez-le au format CSV"_qs;
        QTest::newRow("one row too wide") << "Nom;Ville\n" + QByteArray("x;").repeated(1000) + "x\n"
                                          << u"la ligne 2 a plus de 1000 colonnes"_qs;
        QTest::newRow("no address") << QByteArray("Nom;Adresse\n;;\n")
                                    << u"Aucune adresse n'a été ajoutée : le fichier n'en contient pas."_qs;
    }
    void fichierRefuseNAjouteRien()
    {
        QFETCH(QByteArray, octets);
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        ListeAdresses liste;
        liste.ajoute(u"Existante"_qs);
        const QString chemin =
            octets.isEmpty() ? dir.filePath(u"f.csv"_qs) : ecritFichier(dir.filePath(u"f.csv"_qs), octets);
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 0);
        QCOMPARE(liste.entrees(), QStringList{u"Existante"_qs});
        const auto messages = dialogs.shownOfKind(u"message"_qs);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].icon, MessageIcon::Exclamation);
        QFETCH(QString, message);
        QVERIFY2(messages[0].text.contains(message), qPrintable(messages[0].text));
    }

    void vcard_data()
    {
        QTest::addColumn<QByteArray>("vcf");
        QTest::addColumn<QString>("adresse");
        // A phone's 2.1: quoted-printable in Latin-1 with a soft line break, a fold that
        // keeps its blank, the preferred of two addresses.
        QTest::newRow("2.1") << QByteArray(
                                    "BEGIN:VCARD\r\nVERSION:2.1\r\n"
                                    "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:L=E9ger;Andr=E9;;M.\r\n"
                                    "ADR;HOME:;;1 rue A;Paris;;75001;\r\n"
                                    "ADR;WORK;PREF;QUOTED-PRINTABLE;CHARSET=UTF-8:;;12 all=C3=A9e des=\r\n"
                                    " Ch=C3=AAnes;=C3=89vry;;91000;France\r\n"
                                    "ORG:Soci\xC3\xA9t\xC3\xA9\r\n nouvelle\r\nEND:VCARD\r\n")
                             << entree("M. André Léger|Société nouvelle|12 allée des Chênes|91000 ÉVRY");
        // 3.0: folds take their blank away, escapes, a two-line street, TYPE=pref.
        QTest::newRow("3.0") << QByteArray(
                                    "BEGIN:VCARD\nVERSION:3.0\nFN:Paul Petit\nN:Petit;Paul;;;\n"
                                    "item1.ADR;TYPE=HOME:;;7 quai;Nantes;;44000;\n"
                                    "item2.ADR;TYPE=WORK,pref:BP 5;;Zone\\, lot 3\\nHall\\;B;Ren\n\tnes;;"
                                    "35000;\nEND:VCARD\n")
                             << entree("Paul Petit|Zone, lot 3|Hall;B|BP 5|35000 RENNES");
        QTest::newRow("4.0") << QByteArray("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ada Byron\r\nORG:Analytical\r\n"
                                           "ADR;PREF=2:;;1 Main St;London;;N1;United Kingdom\r\n"
                                           "ADR;TYPE=work;PREF=1;LABEL=\"x;y:z\":;;2 High St;Bath;;BA1;UK\r\n"
                                           "END:VCARD\r\n")
                             << entree("Ada Byron|Analytical|2 High St|BATH|BA1|ROYAUME-UNI");
        // Apple's: the country's code beside an address without a country; a company's
        // name with its commas.
        QTest::newRow("Apple") << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Muller;Hans;;;\r\n"
                                             "ORG:Muller\\, Schmidt & Co;Vertrieb\r\n"
                                             "item1.ADR;type=WORK;type=pref:;;Hauptstr. 5;Berlin;;10115;\r\n"
                                             "item1.X-ABADR:de\r\nEND:VCARD\r\n")
                               << entree(
                                      "Hans Muller|Muller, Schmidt & Co|Hauptstr. 5|10115 BERLIN|ALLEMAGNE");
        // The charset a card names, ISO-8859-15 (whose 0xBD is "œ", Latin-1's "½"), quoted
        // or as raw bytes that the file's own decoding took for Windows-1252.
        for (const char* corps :
             {"N;CHARSET=ISO-8859-15;ENCODING=QUOTED-PRINTABLE:C=BDur;Anne\r\n"
              "ADR;CHARSET=ISO-8859-15;ENCODING=QUOTED-PRINTABLE:;;1 rue de l'=A4;Lyon;;69001;\r\n",
              "N;CHARSET=ISO-8859-15:C\xBDur;Anne\r\nADR;CHARSET=ISO-8859-15:;;1 rue de l'\xA4;"
              "Lyon;;69001;\r\n"})
            QTest::addRow("ISO-8859-15 %s", strstr(corps, "QUOTED") ? "quoted" : "8 bits")
                << QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\n") + corps + "END:VCARD\r\n"
                << entree("Anne Cœur|1 rue de l'€|69001 LYON");
        // An exporter's line first; an agent's card inside, counted but not imported.
        QTest::newRow("text first, a card inside")
            << QByteArray("Exported by Contacts\r\nBEGIN:VCARD\r\nVERSION:2.1\r\nN:Petit;Luc\r\n"
                          "AGENT:\r\nBEGIN:VCARD\r\nN:Secret;Agent\r\nADR:;;9 rue X;Nice;;06000;\r\n"
                          "END:VCARD\r\nADR:;;1 rue A;Paris;;75001;\r\nEND:VCARD\r\n")
            << entree("Luc Petit|1 rue A|75001 PARIS");
    }
    void vcard()
    {
        QFETCH(QByteArray, vcf);
        QFETCH(QString, adresse);
        QVERIFY(ImportVcard::estVcard(vcf));
        const Result<ImportVcard::Lecture> lu = ImportVcard::lit(vcf);
        QVERIFY(lu);
        QCOMPARE(ImportVcard::adresses(lu.value()).adresses, QStringList{adresse});
        QCOMPARE(lu.value().imbriquees, vcf.contains("AGENT") ? 1 : 0);
    }

    // Columns the program cannot name: the user says what they hold, sees the result,
    // and finds the choice again with the next file of the same titles.
    void etapeDesColonnes()
    {
        QSettings().clear();
        QTemporaryDir dir;
        const QString chemin = ecritFichier(dir.filePath(u"l.csv"_qs),
                                            "Nom;Ligne 2;Ligne 3\nDupont;5 rue du Port;29200 Brest\n");
        const QStringList titres{u"Nom"_qs, u"Ligne 2"_qs, u"Ligne 3"_qs};
        QCOMPARE(ImportAdresses::choixInitiaux(titres), (QList<int>{5, 1, 1})); // Nom, then lines as they are
        ScriptedDialogs dialogs;
        ListeAdresses liste;
        dialogs.mappingAnswers = {QList<int>{5, 9, 13}, std::nullopt};
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 1);
        QCOMPARE(liste.entrees(), QStringList{entree("Dupont|5 rue du Port|29200 BREST")});
        QCOMPARE(dialogs.lastMappingPreview,
                 QStringList{u"Dupont \u23CE 5 rue du Port \u23CE 29200 BREST"_qs});
        QCOMPARE(ImportAdresses::choixInitiaux(titres), (QList<int>{5, 9, 13}));
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 0); // "Annuler"
        QCOMPARE(liste.nombre(), 1);
        QCOMPARE(dialogs.unexpected, 0);
    }

    // An address already listed, or repeated in the file with other case and blanks,
    // comes in once; "Oui" adds them all the same.
    void doublons()
    {
        QTemporaryDir dir;
        const QString chemin = ecritFichier(dir.filePath(u"amis.csv"_qs),
                                            "Nom;Rue;Ville\nDupont;1 rue A;Brest\nMartin;2 rue B;Lyon\n"
                                            "MARTIN ;2  rue b;lyon\nNeuf;3 rue C;Nice\n");
        ScriptedDialogs dialogs;
        ListeAdresses liste;
        liste.ajoute(entree("dupont|1 RUE A|BREST"));
        dialogs.questionAnswers = {Answer::No, Answer::Yes};
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 2);
        QCOMPARE(dialogs.shownOfKind(u"question"_qs).at(0).text.section(u'\r', 0, 0),
                 u"1 adresse du fichier est déjà dans la liste et 1 adresse y figure plusieurs fois."_qs);
        QCOMPARE(dialogs.messageTexts().at(0).section(u'\r', 1, 2),
                 u"\n1 adresse déjà dans la liste n'a pas été ajoutée.\r\n"
                 "1 adresse en double dans le fichier n'a pas été ajoutée."_qs);
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 4);
        QCOMPARE(liste.nombre(), 7);
    }

    // A realistic book of 2,000 contacts (CEDEX, BP, lieux-dits, an old commune, Corsica,
    // overseas, abroad) exported as address books do: each comes in at one go, composed
    // in La Poste's order, and nothing is said of a right last line; importing again adds
    // none.
    void deuxMilleContacts_data()
    {
        QTest::addColumn<QString>("format");
        for (const char* f : {"Outlook FR 1252", "Outlook FR UTF-16", "Outlook", "Thunderbird", "Google",
                              "vCard 2.1", "vCard 3.0", "vCard 4.0"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }
    void deuxMilleContacts()
    {
        QFETCH(QString, format);
        struct Lieu {
            const char *complement, *rue, *suite, *cp, *ville, *region, *pays, *fin;
        };
        const Lieu lieux[] = {
            {"", "60 rue Pasteur", "", "69007", "Lyon", "", "", "69007 LYON"},
            {"Bâtiment B", "3 quai Sud", "CS 70001", "69002", "Lyon Cedex 02", "", "", "69002 LYON CEDEX 02"},
            {"", "Route de Brest", "Lieu-dit Kerhuel", "29200", "Brest", "", "France", "29200 BREST"},
            {"", "12 rue de l'Église", "BP 12", "01370", "Treffort", "", "", "01370 TREFFORT"},
            {"Appartement 12", "10 rue de Rivoli", "", "75004", "Paris", "", "", "75004 PARIS"},
            {"", "2 cours Napoléon", "", "20000", "Ajaccio", "", "", "20000 AJACCIO"},
            {"", "1 rue de la Mer", "", "98800", "Nouméa", "", "France", "98800 NOUMÉA"},
            {"", "Rue Haute 2", "", "1000", "Bruxelles", "", "Belgium", "1000 BRUXELLES|BELGIQUE"},
            {"", "Bahnhofstrasse 1", "", "8001", "Zürich", "", "Schweiz", "8001 ZÜRICH|SUISSE"},
            {"", "1234 rue Saint-Denis", "", "H2X 1Y4", "Montréal", "Québec", "Canada",
             "MONTRÉAL QC  H2X 1Y4|CANADA"},
            {"", "Unter den Linden 1", "", "10117", "Berlin", "", "DEUTSCHLAND", "10117 BERLIN|ALLEMAGNE"},
            {"", "2 rue du Fort", "", "L-1111", "Luxembourg", "", "LU", "L-1111 LUXEMBOURG|LUXEMBOURG"},
            {"", "Via del Corso 1", "", "00186", "Roma", "RM", "ITA", "00186 ROMA RM|ITALIE"},
            {"", "Calle Mayor 1", "", "28013", "Madrid", "", "España", "28013 MADRID|ESPAGNE"},
            {"", "10 Downing Street", "", "SW1A 2AA", "London", "", "United Kingdom",
             "LONDON|SW1A 2AA|ROYAUME-UNI"},
            {"", "350 Fifth Avenue", "", "10118", "New York", "New York", "USA",
             "NEW YORK, NY 10118|ETATS-UNIS"},
            {"", "1 rue de la Plage", "", "97133", "Saint-Barthélemy", "", "", "97133 SAINT-BARTHÉLEMY"},
            {"", "1 rue des Flots", "", "1234", "Ys", "", "Atlantide", "1234 YS|ATLANTIDE"},
        };
        const bool outlookFr = format.startsWith(u"Outlook FR"), outlook = format.startsWith(u"Outlook"),
                   vcard = format.startsWith(u"vCard");
        QString fichier =
            outlookFr ? u"Titre;Prénom;Nom;Société;Rue (bureau);Rue (bureau) 2;Rue (bureau) 3;"
                        "Ville (bureau);Dép/Région (bureau);Code postal (bureau);"
                        "Pays/Région (bureau)\r\n"_qs
            : outlook ? u"Title,First Name,Last Name,Company,Business Street,Business Street 2,"
                        "Business Street 3,Business City,Business State,Business Postal Code,"
                        "Business Country/Region\r\n"_qs
            : format == u"Thunderbird"
                ? u"First Name,Last Name,Display Name,Organization,Work Address,Work Address 2,"
                  "Work City,Work State,Work ZipCode,Work Country\r\n"_qs
            : format == u"Google"
                ? u"Given Name,Family Name,Name Prefix,Organization 1 - Name,Address 1 - Street,"
                  "Address 1 - Extended Address,Address 1 - PO Box,Address 1 - City,"
                  "Address 1 - Region,Address 1 - Postal Code,Address 1 - Country\r\n"_qs
                : QString();
        const QString sep = outlookFr ? u";"_qs : u","_qs;
        QStringList attendues;
        for (int i = 0; i < 2000; ++i) {
            const Lieu& l = lieux[i % std::size(lieux)];
            const QString civ = QStringList{u"M."_qs, u"Mme"_qs, u"Dr"_qs}[i % 3],
                          prenom = u"Zoé%1"_qs.arg(i % 7), nom = u"Dupont-%1"_qs.arg(i),
                          societe = u"Société %1"_qs.arg(i % 50);
            const auto u = [](const char* t) { return QString::fromUtf8(t); };
            const QString complement = u(l.complement), suite = u(l.suite);
            const QString deux =
                complement.isEmpty() ? suite : complement + (suite.isEmpty() ? u""_qs : u"\n"_qs + suite);
            const QStringList champs =
                outlook ? QStringList{civ,   prenom,     nom,         societe, u(l.rue), complement,
                                      suite, u(l.ville), u(l.region), u(l.cp), u(l.pays)}
                : format == u"Thunderbird"
                    ? QStringList{prenom, nom,        prenom + u' ' + nom, societe, u(l.rue),
                                  deux,   u(l.ville), u(l.region),         u(l.cp), u(l.pays)}
                    : QStringList{prenom, nom,        civ,         societe, u(l.rue), complement,
                                  suite,  u(l.ville), u(l.region), u(l.cp), u(l.pays)};
            if (vcard) {
                fichier += u"BEGIN:VCARD\r\nVERSION:%1\r\nN:%2;%3;;%4;\r\nFN:%3 %2\r\nORG:%5\r\n"
                           "ADR;TYPE=work:%6;%7;%8;%9;%10;%11;%12\r\nEND:VCARD\r\n"_qs.arg(
                               format.sliced(6), nom, prenom, civ, societe, suite, complement, u(l.rue),
                               u(l.ville), u(l.region), u(l.cp), u(l.pays));
            } else {
                QStringList cites;
                for (const QString& c : champs)
                    cites << (c.contains(u'\n') ? u'"' + c + u'"' : c);
                fichier += cites.join(sep) + u"\r\n"_qs;
            }
            const QString personne =
                format == u"Thunderbird" ? prenom + u' ' + nom : civ + u' ' + prenom + u' ' + nom;
            QStringList lignes{personne, societe};
            for (const QString& ligne : {complement, u(l.rue), suite, u(l.fin)})
                if (!ligne.isEmpty())
                    lignes << ligne;
            attendues << EnLigne(lignes.join(u"\r\n"_qs).replace(u'|', u"\r\n"_qs));
        }
        const QByteArray octets =
            format == u"Outlook FR 1252" ? CodageTexte::encode(fichier)
            : format.endsWith(u"UTF-16")
                ? QByteArray("\xFF\xFE", 2) +
                      QByteArray(reinterpret_cast<const char*>(fichier.utf16()), fichier.size() * 2)
                : fichier.toUtf8();
        QTemporaryDir dir;
        const QString chemin =
            ecritFichier(dir.filePath(vcard ? u"contacts.vcf"_qs : u"contacts.csv"_qs), octets);
        ScriptedDialogs dialogs;
        ListeAdresses liste;
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 2000);
        QStringList lues = liste.entrees();
        std::sort(lues.begin(), lues.end());
        std::sort(attendues.begin(), attendues.end());
        for (qsizetype i = 0; i < lues.size(); ++i)
            QCOMPARE(EnForme(lues[i]), EnForme(attendues[i]));
        QVERIFY2(adressesAReprendre(lues, TableCodesPostaux::officielle()).isEmpty(),
                 qPrintable(adressesAReprendre(lues, TableCodesPostaux::officielle()).value(0).message));
        QVERIFY(!dialogs.messageTexts().at(0).contains(u"à revoir"_qs));
        QCOMPARE(dialogs.unexpected, 0);

        dialogs.questionAnswers = {Answer::No};
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 0);
        QCOMPARE(liste.nombre(), 2000);
    }
};

QTEST_MAIN(TestImport)
#include "test_addresses_import.moc"
