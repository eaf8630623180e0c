// Importing addresses from CSV and TSV files as spreadsheets and address books write them:
// each dialect read with its accents, quotes and line breaks intact, the title row told
// from an address, bad files refused whole, and the list filled in one sorted step.
#include "addresses/AddressEncoding.h"
#include "addresses/AddressList.h"
#include "addresses/ImportAdresses.h"
#include "addresses/ImportCsv.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
const QChar kSep = kSeparateurLignes;

QString entree(const QStringList& lignes)
{
    return lignes.join(kSep);
}

ImportCsv::Lecture lit(const QByteArray& octets)
{
    const Result<ImportCsv::Lecture> l = ImportCsv::lit(octets);
    if (!l)
        qWarning() << l.error();
    return l.valueOr({});
}

QStringList adresses(const QByteArray& octets, bool enTete)
{
    return ImportCsv::adresses(lit(octets), enTete).adresses;
}

QString ecrit(const QTemporaryDir& dir, const QString& nom, const QByteArray& octets)
{
    const QString chemin = dir.filePath(nom);
    QFile f(chemin);
    if (f.open(QIODevice::WriteOnly))
        f.write(octets);
    return chemin;
}

// A spreadsheet's "CSV (point-virgule)" export on Windows: Windows-1252, CR LF, a title row.
const QByteArray kTableur = "Nom;Adresse;CP Ville\r\n"
                            "M. Andr\xE9 L\xE9ger;12, rue de l'\xC9glise;75008 PARIS\r\n"
                            "Mme H\xE9l\xE8ne \x8C"
                            "uvre;3 all\xE9"
                            "e des Ch\xEAnes;69003 LYON\r\n";
} // namespace

class TestImportCsv : public QObject {
    Q_OBJECT
private slots:
    void tableurPointVirguleWindows1252()
    {
        const ImportCsv::Lecture l = lit(kTableur);
        QCOMPARE(l.codage, ImportCsv::Codage::Windows1252);
        QCOMPARE(l.separateur, QChar(u';'));
        QCOMPARE(l.enTete, ImportCsv::EnTete::Presente);
        const ImportCsv::Bilan b = ImportCsv::adresses(l, true);
        QVERIFY(b.enTeteIgnoree);
        QCOMPARE(b.ignorees(), 0);
        // The comma of "12, rue" does not split the field; 0x8C is Windows' "Œ".
        QCOMPARE(b.adresses, QStringList({entree({"M. André Léger", "12, rue de l'Église", "75008 PARIS"}),
                                          entree({"Mme Hélène Œuvre", "3 allée des Chênes", "69003 LYON"})}));
    }

    void utf8AvecBomEtVirgules()
    {
        const QByteArray csv =
            "\xEF\xBB\xBFNom,Adresse,Ville\n"
            "\"Dupont, Chlo\xC3\xA9\",\"5 r\xC3\xA9sidence \"\"Les Lilas\"\"\",13001 MARSEILLE\n"
            "Fran\xC3\xA7ois Na\xC3\xAF"
            "f,1 place du Ch\xC3\xA2teau,21000 DIJON\n";
        const ImportCsv::Lecture l = lit(csv);
        QCOMPARE(l.codage, ImportCsv::Codage::Utf8Bom);
        QCOMPARE(l.separateur, QChar(u','));
        QCOMPARE(l.enTete, ImportCsv::EnTete::Presente);
        QCOMPARE(ImportCsv::adresses(l, true).adresses,
                 QStringList({entree({"Dupont, Chloé", "5 résidence \"Les Lilas\"", "13001 MARSEILLE"}),
                              entree({"François Naïf", "1 place du Château", "21000 DIJON"})}));

        // The same without the mark: valid UTF-8 is read as UTF-8, not as Windows-1252.
        const ImportCsv::Lecture sansBom = lit(csv.mid(3));
        QCOMPARE(sansBom.codage, ImportCsv::Codage::Utf8);
        QCOMPARE(ImportCsv::adresses(sansBom, true).adresses, ImportCsv::adresses(l, true).adresses);
    }

    void tabulationsEtUtf16()
    {
        // Commas and semicolons inside the fields do not beat the tabs.
        const QByteArray tsv = "Durand, fils\t4; rue Haute\t33000 BORDEAUX\n"
                               "Petit\t7 quai Ouest\t44000 NANTES\n";
        const ImportCsv::Lecture l = lit(tsv);
        QCOMPARE(l.separateur, QChar(u'\t'));
        QCOMPARE(l.enTete, ImportCsv::EnTete::Absente);
        QCOMPARE(ImportCsv::adresses(l, false).adresses,
                 QStringList({entree({"Durand, fils", "4; rue Haute", "33000 BORDEAUX"}),
                              entree({"Petit", "7 quai Ouest", "44000 NANTES"})}));

        // A spreadsheet's "Unicode text": UTF-16 little-endian behind its mark, tabs.
        const QString texte = QStringLiteral("Zoé\t2 rue Ève\t59000 LILLE\r\n");
        QByteArray utf16("\xFF\xFE", 2);
        utf16.append(reinterpret_cast<const char*>(texte.utf16()), texte.size() * 2);
        const ImportCsv::Lecture u = lit(utf16);
        QCOMPARE(u.codage, ImportCsv::Codage::Utf16);
        QCOMPARE(ImportCsv::adresses(u, false).adresses,
                 QStringList({entree({"Zoé", "2 rue Ève", "59000 LILLE"})}));
    }

    void guillemetsSautsDeLigneEtFinsDeLigne()
    {
        // A quoted field with line breaks gives one address line per line; a doubled quote
        // is one quote; text after a closing quote stays with its field.
        const QByteArray csv =
            "\"Soci\xC3\xA9t\xC3\xA9 Martin\r\nService \"\"Courrier\"\"\";\"1 rue Neuve\n\nB\xC3\xA2t. B\";"
            "\"75001\" PARIS\r\n"
            "Lebrun;2 rue Vieille;75002 PARIS\r\n";
        QCOMPARE(adresses(csv, false), QStringList({entree({"Société Martin", "Service \"Courrier\"",
                                                            "1 rue Neuve", "Bât. B", "75001 PARIS"}),
                                                    entree({"Lebrun", "2 rue Vieille", "75002 PARIS"})}));

        // Old Mac exports end their lines with a CR alone.
        QCOMPARE(adresses("A;1 rue X;75001 PARIS\rB;2 rue Y;75002 PARIS\r", false).size(), 2);

        // Tabs, other control codes and no-break spaces inside a field become spaces: the
        // no-break space is the list's own line separator.
        QCOMPARE(adresses("\"Jean\tDupont\";\"3\xC2\xA0rue Z\";75003 PARIS\n", false),
                 QStringList({entree({"Jean Dupont", "3 rue Z", "75003 PARIS"})}));
    }

    void lignesInegalesVidesEtTropLongues()
    {
        QByteArray csv = "Albert;;1 rue A;;75001 PARIS\n" // empty fields leave no blank line
                         "Bernard;2 rue B\n"              // a short row
                         ";;;\n"                          // an empty spreadsheet row
                         "\n"
                         "Claude;3 rue C;Escalier 4;Porte 5;75003 PARIS;FRANCE\n";
        csv += QByteArray("Trop") + QByteArray(";x").repeated(ImportCsv::kLignesMax) + '\n';
        csv += "\n\n"; // blank lines at the end of the file are no rows
        const ImportCsv::Bilan b = ImportCsv::adresses(lit(csv), false);
        QCOMPARE(
            b.adresses,
            QStringList({entree({"Albert", "1 rue A", "75001 PARIS"}), entree({"Bernard", "2 rue B"}),
                         entree({"Claude", "3 rue C", "Escalier 4", "Porte 5", "75003 PARIS", "FRANCE"})}));
        QCOMPARE(b.vides, 2);
        QCOMPARE(b.tropLongues, 1);
        QVERIFY(!b.enTeteIgnoree);
    }

    void fichiersMalformesRefuses()
    {
        // The line where the quote opened, counted through the line breaks of earlier fields.
        const Result<ImportCsv::Lecture> ouvert = ImportCsv::lit("\"a\nb\";1\nc;2\n\"d;3\ne;4\n");
        QVERIFY(!ouvert);
        QCOMPARE(ouvert.error(), QStringLiteral("le guillemet ouvert à la ligne 4 n'est jamais refermé"));

        QVERIFY(!ImportCsv::lit(QByteArray("PK\x03\x04\x00\x00binaire", 14)));
        QVERIFY(!ImportCsv::lit("\xEF\xBB\xBFNom;\xE9t\xE9\n")); // says UTF-8, is not

        // Nothing at all, or only blanks: no row, no failure.
        QVERIFY(ImportCsv::lit("").isOk());
        QCOMPARE(ImportCsv::adresses(lit(" \r\n\r\n"), false).adresses.size(), 0);
    }

    void ligneDeTitresReconnue()
    {
        using E = ImportCsv::EnTete;
        QCOMPARE(lit("Nom;Adresse;CP Ville\nA;1 rue;75001 PARIS\n").enTete, E::Presente);
        QCOMPARE(lit("Pr\xC3\xA9nom,Nom,Adresse 1,Adresse 2,Code postal,Ville\n").enTete, E::Presente);
        QCOMPARE(lit("Name\tStreet\tZip\tCity\n").enTete, E::Presente);
        // A street number or a postcode: an address.
        QCOMPARE(lit("Dupont;12 rue des Lilas;75008 PARIS\n").enTete, E::Absente);
        // Words alone: the user is asked.
        QCOMPARE(lit("Dupont;Jean;Paris\n").enTete, E::Incertaine);
    }

    void ajoutEnBlocCommeAjoutsSuccessifs()
    {
        QStringList presentes;
        for (int i = 0; i < 300; i += 3)
            presentes << QStringLiteral("Client %1").arg(i, 3, 10, QLatin1Char('0'));
        // Few places (one block) and many (the reset), with equal and accented entries.
        const QList<QStringList> lots = {
            {QStringLiteral("Zoé"), QStringLiteral("zoe"), QStringLiteral("Émile"), QStringLiteral("Zoé")},
            [] {
                QStringList l;
                for (int i = 299; i >= 0; i -= 2)
                    l << QStringLiteral("Client %1").arg(i, 3, 10, QLatin1Char('0'));
                return l;
            }()};
        for (const QStringList& lot : lots) {
            AddressList unParUn;
            AddressList enBloc;
            for (const QString& e : presentes) {
                unParUn.add(e);
                enBloc.add(e);
            }
            unParUn.setAdresseCourante(40);
            enBloc.setAdresseCourante(40);
            const QString courante = enBloc.entry(40);
            for (const QString& e : lot)
                unParUn.add(e);
            QSignalSpy inserees(&enBloc, &QAbstractItemModel::rowsInserted);
            QSignalSpy remise(&enBloc, &QAbstractItemModel::modelReset);
            enBloc.addAll(lot);
            QCOMPARE(enBloc.entries(), unParUn.entries());
            QCOMPARE(enBloc.entry(enBloc.adresseCourante()), courante);
            QCOMPARE(enBloc.adresseCourante(), unParUn.adresseCourante());
            QCOMPARE(inserees.size() + remise.size() > 0, true);
            QVERIFY(lot.size() > 100 ? remise.size() == 1 : inserees.size() <= lot.size());
        }
    }

    void importeUnFichierEnUneFoisEtLeDit()
    {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        AddressList liste;
        liste.add(QStringLiteral("Nom") + kSep + QStringLiteral("et") + kSep + QStringLiteral("Adresse"));
        const QString chemin = ecrit(dir, QStringLiteral("clients.csv"),
                                     kTableur + ";;\r\n" + "Long" + QByteArray(";x").repeated(12) + "\r\n");
        dialogs.openAnswers = {chemin};
        QCOMPARE(ImportAdresses(dialogs, liste).Importer(), 2);
        QCOMPARE(liste.count(), 3);
        QCOMPARE(liste.entry(0), entree({"M. André Léger", "12, rue de l'Église", "75008 PARIS"}));
        const auto ouvert = dialogs.shownOfKind(QStringLiteral("open"));
        QCOMPARE(ouvert.size(), 1);
        QCOMPARE(ouvert[0].title, QStringLiteral("Importer des adresses"));
        const auto messages = dialogs.shownOfKind(QStringLiteral("message"));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].icon, MessageIcon::Information);
        QCOMPARE(messages[0].text,
                 QStringLiteral("2 adresses ajoutées à la liste.\r\n"
                                "2 lignes ignorées : 1 vide, 1 de plus de 11 lignes d'adresse.\r\n"
                                "La ligne des titres des colonnes n'a pas été importée.\r\n"
                                "Fichier lu en Windows-1252, colonnes séparées par des points-virgules."));
        QCOMPARE(dialogs.unexpected, 0);
    }

    void premiereLigneDouteuseDemandee()
    {
        QTemporaryDir dir;
        const QString chemin = ecrit(dir, QStringLiteral("amis.csv"), "Dupont;Jean;Paris\nMartin;Luc;Lyon\n");

        ScriptedDialogs dialogs;
        AddressList liste;
        dialogs.questionAnswers = {Answer::No};
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 2);
        const auto questions = dialogs.shownOfKind(QStringLiteral("question"));
        QCOMPARE(questions.size(), 1);
        QVERIFY(questions[0].text.contains(QStringLiteral("« Dupont ; Jean ; Paris »")));
        QVERIFY(dialogs.messageTexts().constFirst().startsWith(QStringLiteral("2 adresses ajoutées")));

        dialogs.questionAnswers = {Answer::Yes};
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 1);
        QCOMPARE(liste.count(), 3);

        // Cancelling adds nothing and says nothing more.
        const qsizetype vus = dialogs.shown.size();
        dialogs.questionAnswers = {Answer::Cancel};
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 0);
        QCOMPARE(liste.count(), 3);
        QCOMPARE(dialogs.shown.size(), vus + 1);
    }

    void fichierRefuseNAjouteRien()
    {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        AddressList liste;
        liste.add(QStringLiteral("Existante"));
        // Good rows before the fault: still nothing comes in.
        const QString chemin =
            ecrit(dir, QStringLiteral("casse.csv"), "A;1 rue;75001 PARIS\nB;\"2 rue;75002 PARIS\n");
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 0);
        QCOMPARE(liste.entries(), QStringList({"Existante"}));
        auto messages = dialogs.shownOfKind(QStringLiteral("message"));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(messages[0].text,
                 QStringLiteral("Le fichier « casse.csv » n'a pas été importé : le guillemet ouvert "
                                "à la ligne 2 n'est jamais refermé.\r\nAucune adresse n'a été ajoutée."));

        QCOMPARE(ImportAdresses(dialogs, liste).importe(dir.filePath(QStringLiteral("absent.csv"))), 0);
        QVERIFY(dialogs.messageTexts().constLast().contains(QStringLiteral("ne peut pas être lu")));

        const QString gros =
            ecrit(dir, QStringLiteral("gros.csv"), QByteArray(ImportAdresses::kTailleMax + 1, 'a'));
        QCOMPARE(ImportAdresses(dialogs, liste).importe(gros), 0);
        QVERIFY(dialogs.messageTexts().constLast().contains(QStringLiteral("dépasse 8 Mo")));

        // A file without any address says so.
        const QString vide = ecrit(dir, QStringLiteral("vide.csv"), "Nom;Adresse\n;;\n");
        QCOMPARE(ImportAdresses(dialogs, liste).importe(vide), 0);
        QVERIFY(
            dialogs.messageTexts().constLast().startsWith(QStringLiteral("Aucune adresse n'a été ajoutée")));
        QCOMPARE(liste.count(), 1);

        // Cancelling the file dialog does nothing.
        dialogs.openAnswers = {std::nullopt};
        const qsizetype vus = dialogs.shown.size();
        QCOMPARE(ImportAdresses(dialogs, liste).Importer(), 0);
        QCOMPARE(dialogs.shown.size(), vus + 1);
    }
};

QTEST_MAIN(TestImportCsv)
#include "test_addresses_import_csv.moc"
