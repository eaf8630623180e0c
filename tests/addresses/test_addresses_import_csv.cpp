// Importing addresses from CSV and TSV files as spreadsheets and address books write them:
// each dialect read with its accents, quotes and line breaks intact, the title row told
// from an address, bad files refused whole, and the list filled in one step.
#include "addresses/AddressEncoding.h"
#include "addresses/AddressList.h"
#include "addresses/ImportAdresses.h"
#include "addresses/ImportCsv.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
// List entries written with "|" between their lines.
QStringList entrees(std::initializer_list<const char*> adresses)
{
    QStringList l;
    for (const char* a : adresses)
        l << QString::fromUtf8(a).replace(u'|', kSeparateurLignes);
    return l;
}

QString ecrit(const QTemporaryDir& dir, const QString& nom, const QByteArray& octets)
{
    QFile f(dir.filePath(nom));
    if (f.open(QIODevice::WriteOnly))
        f.write(octets);
    return f.fileName();
}

// A spreadsheet's "CSV (point-virgule)" export on Windows: Windows-1252, CR LF, a title
// row; 0x8C is Windows' "Œ".
const QByteArray kTableur = "Nom;Adresse;CP Ville\r\n"
                            "M. Andr\xE9 L\xE9ger;12, rue de l'\xC9glise;75008 PARIS\r\n"
                            "Mme H\xE9l\xE8ne \x8C"
                            "uvre;3 all\xE9"
                            "e des Ch\xEAnes;69003 LYON\r\n";
const QStringList kTableurAdresses = entrees(
    {"M. André Léger|12, rue de l'Église|75008 PARIS", "Mme Hélène Œuvre|3 allée des Chênes|69003 LYON"});
} // namespace

class TestImportCsv : public QObject {
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
        const QStringList utf8Adresses = entrees({"Dupont, Chloé|5 résidence \"Les Lilas\"|13001 MARSEILLE",
                                                  "François Naïf|1 place du Château|21000 DIJON"});
        QTest::newRow("UTF-8 with BOM")
            << "\xEF\xBB\xBF" + utf8 << u"UTF-8 avec BOM, virgules, titres"_qs << utf8Adresses << 0;
        // A spreadsheet's "Unicode text": UTF-16 little-endian behind its mark.
        const QString texte = u"Zoé\t2 rue Ève\t59000 LILLE\r\n"_qs;
        QTest::newRow("UTF-16") << QByteArray("\xFF\xFE", 2) +
                                       QByteArray(reinterpret_cast<const char*>(texte.utf16()),
                                                  texte.size() * 2)
                                << u"UTF-16, tabulations"_qs << entrees({"Zoé|2 rue Ève|59000 LILLE"}) << 0;
        // Line breaks in quotes give address lines; a doubled quote is one quote; text after
        // a closing quote stays with its field.
        QTest::newRow("quoted fields")
            << QByteArray(
                   "\"Soci\xC3\xA9t\xC3\xA9 Martin\r\nService \"\"Courrier\"\"\";\"1 rue\n\nB\xC3\xA2t. B\";"
                   "\"75001\" PARIS\r\nLebrun;2 rue Vieille\r\n")
            << u"UTF-8, points-virgules"_qs
            << entrees(
                   {"Société Martin|Service \"Courrier\"|1 rue|Bât. B|75001 PARIS", "Lebrun|2 rue Vieille"})
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
            << entrees({"Albert|1 rue A|75001 PARIS", "Bernard|2 rue B",
                        "Claude|3 rue C|Esc. 4|Porte 5|75003 PARIS|FRANCE"})
            << 3;
        // Words alone: the user is asked, and the row is an address until then.
        QTest::newRow("doubtful first row")
            << QByteArray("Dupont;Jean;Paris\n") << u"UTF-8, points-virgules, ?"_qs
            << entrees({"Dupont|Jean|Paris"}) << 0;
    }
    void lecture()
    {
        QFETCH(QByteArray, octets);
        const Result<ImportCsv::Lecture> r = ImportCsv::lit(octets);
        QVERIFY2(r.isOk(), qPrintable(r.error()));
        const ImportCsv::Lecture& l = r.value();
        QString lu = ImportCsv::nomCodage(l.codage) + u", "_qs + ImportCsv::nomSeparateur(l.separateur);
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
        AddressList liste;
        liste.add(u"Existante"_qs);
        dialogs.openAnswers = {
            ecrit(dir, u"clients.csv"_qs, kTableur + ";;\r\nLong" + QByteArray(";x").repeated(12) + "\r\n"),
            std::nullopt};
        QCOMPARE(ImportAdresses(dialogs, liste).Importer(), 2);
        QCOMPARE(liste.entries(), QStringList{u"Existante"_qs} + kTableurAdresses);
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
        QCOMPARE(ImportAdresses(dialogs, liste).Importer(), 0);
        QCOMPARE(dialogs.shown.size(), 3);
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
        QTest::newRow("no address") << QByteArray("Nom;Adresse\n;;\n")
                                    << u"Aucune adresse n'a été ajoutée : le fichier n'en contient pas."_qs;
    }
    void fichierRefuseNAjouteRien()
    {
        QFETCH(QByteArray, octets);
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        AddressList liste;
        liste.add(u"Existante"_qs);
        const QString chemin = octets.isEmpty() ? dir.filePath(u"f.csv"_qs) : ecrit(dir, u"f.csv"_qs, octets);
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 0);
        QCOMPARE(liste.entries(), QStringList{u"Existante"_qs});
        const auto messages = dialogs.shownOfKind(u"message"_qs);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].icon, MessageIcon::Exclamation);
        QFETCH(QString, message);
        QVERIFY2(messages[0].text.contains(message), qPrintable(messages[0].text));
    }
};

QTEST_MAIN(TestImportCsv)
#include "test_addresses_import_csv.moc"
