// The address file's format, byte by byte: what a save writes, and what any file, ours
// or one written on Windows, reads back as. Every input the reader was ever fuzzed from, and
// every input that ever broke it, is read again in the ordinary build: none may crash, and
// what is accepted survives a save.
#include "addresses/fichier/CodageTexte.h"
#include "addresses/fichier/PlvCodec.h"
#include "addresses/liste/EntreesAdresses.h"

#include <QDir>
#include <QtTest>

namespace {

const QString S = QString(QChar(0x00A0));

PlvDocument demarrage()
{
    PlvDocument d;
    d.Adresses = {"Nom" + S + "et" + S + "Adresse"};
    return d;
}

PlvDocument lu(const QByteArray& bytes)
{
    Result<PlvDocument> d = PlvCodec::lit(bytes);
    if (!d)
        qWarning() << d.error();
    return d.valueOr(PlvDocument{});
}

const QByteArray kDemarrage = "#FALSE#,10,10,100,20,1,220,110,#TRUE#\r\n"
                              "\"\"\r\n"
                              "\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,8.25\r\n"
                              "\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,18\r\n"
                              "0\r\n"
                              "\"Nom\xA0"
                              "et\xA0"
                              "Adresse\"\r\n"
                              "\"Logo.BMP\"\r\n"
                              "#FALSE#\r\n";

// The start-up file with one piece replaced.
QByteArray avec(const char* de, const QByteArray& vers)
{
    return QByteArray(kDemarrage).replace(de, vers);
}

} // namespace

class TestAddressesPlv : public QObject {
    Q_OBJECT
private slots:
    void startUpStateIsEightRecords()
    {
        QCOMPARE(PlvCodec::ecrit(demarrage()), kDemarrage);
        QCOMPARE(lu(kDemarrage), demarrage());
    }

    // Italic before bold, colours as red + 256 green + 65536 blue, sizes with a period,
    // a multi-line sender text as one quoted record over several physical lines, and
    // three addresses after the last one's index: ten records. Double quotes are doubled,
    // and nothing else changes in a quoted field.
    void fieldsAreWrittenAsWindowsWritesThem()
    {
        PlvDocument d = demarrage();
        d.reglages.LogoChoisi = true;
        d.reglages.MargeGaucheExp = 12.5f;
        d.reglages.Quantite = 25;
        d.reglages.LongueurEnv = 229;
        d.reglages.Orientation = 1;
        d.reglages.TexteExp = "Anne \"Dubois\"\n3, rue Haute"; // as a text box on Linux gives it
        d.reglages.PoliceExp.pointSize = 10.33333;
        d.reglages.PoliceDest = {.name = "Times New Roman",
                                 .pointSize = 10.5,
                                 .bold = true,
                                 .colour = TextColour::fromRgb(QColor(0, 128, 255))};
        d.Adresses = {"Albert" + S + "Paris", "\"", u"Zoé"_qs + S + "Lyon"};
        d.reglages.NomLogo = "/home/anne/Mes \"logos\"/a.bmp";
        d.reglages.RepereCoupe = true;
        const QByteArray bytes = PlvCodec::ecrit(d);
        QCOMPARE(bytes, "#TRUE#,12.5,10,100,20,25,229,110,#FALSE#\r\n"
                        "\"Anne \"\"Dubois\"\"\r\n3, rue Haute\"\r\n"
                        "\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,10.3333\r\n"
                        "\"Times New Roman\",#FALSE#,#TRUE#,#FALSE#,16744448,10.5\r\n"
                        "2\r\n\"Albert\xA0Paris\"\r\n\"\"\"\"\r\n\"Zo\xE9\xA0Lyon\"\r\n"
                        "\"/home/anne/Mes \"\"logos\"\"/a.bmp\"\r\n#TRUE#\r\n");
        d.reglages.TexteExp = u"Anne \"Dubois\"\r\n3, rue Haute"_qs;
        d.reglages.PoliceExp.pointSize = 10.3333;
        QCOMPARE(lu(bytes), d);
    }

    void characterOutsideWindows1252SwitchesToUtf8()
    {
        PlvDocument d = demarrage();
        d.Adresses.append(u"Łódź"_qs + S + u"Polska → 中国"_qs);
        const QByteArray bytes = PlvCodec::ecrit(d);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF#FALSE#,"));
        QVERIFY(bytes.contains("\"Nom\xC2\xA0"));
        PlvDocument relu = lu(bytes);
        QCOMPARE(std::exchange(relu.Codage, d.Codage), CodageTexte::Codage::Utf8Bom);
        QCOMPARE(relu, d);
        // The euro sign and the oe ligature do have Windows-1252 bytes.
        d.Adresses.last() = u"Cœur 20 €"_qs;
        QVERIFY(PlvCodec::ecrit(d).contains("\"C\x9Cur 20 \x80\"\r\n"));
    }

    // The table the files are read and written with is Windows' own, byte for byte and
    // character for character: a slip in it would change the addresses of every file.
    void windows1252IsWindowsOwn()
    {
        QByteArray chaqueOctet(256, Qt::Uninitialized);
        for (int o = 0; o < 256; ++o)
            chaqueOctet[o] = char(o);
        QStringDecoder windows("windows-1252", QStringConverter::Flag::Stateless);
        QVERIFY(windows.isValid());
        QCOMPARE(CodageTexte::decode(chaqueOctet).valueOr(QString()), QString(windows(chaqueOctet)));
        for (char16_t c = 0; c < 0xD800; ++c) {
            const QString texte(QChar{c});
            QStringEncoder versWindows("windows-1252", QStringConverter::Flag::Stateless);
            const QByteArray attendu = versWindows(texte);
            QCOMPARE(CodageTexte::tientEnWindows1252(texte), !versWindows.hasError());
            if (!versWindows.hasError())
                QCOMPARE(CodageTexte::encode(texte), attendu);
        }
    }

    // UTF-8 is decoded a piece at a time: wherever a piece ends inside a character, or
    // begins with a zero-width no-break space, the text comes back whole.
    void longUtf8TextSurvivesEveryCut()
    {
        const QString motif = u"\uFEFF中é"_qs;
        for (int decalage = 1; decalage < 7; ++decalage) {
            const QString texte = QString(decalage, u'a') + motif.repeated(20000);
            QCOMPARE(CodageTexte::decode(texte.toUtf8()).valueOr(QString()), texte);
        }
    }

    // Files read, then written back as this program writes them: spaces around unquoted
    // fields, ".5" and "0.5", LF-only line ends, a comma and a line break inside quotes,
    // booleans in any case, numbers for booleans; out-of-range values brought inside; a
    // file that ends after its addresses gets the defaults after them.
    void readBackAsThisProgramWritesIt_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("loose fields")
            << QByteArray(" #true# , .5 ,0.5,  100 ,-.5e1, 1.0E0 ,+229 , 110.,-1\n"
                          "\"a, b\nc\"  \n"
                          "\"Arial\" ,0,#FALSE#,#False#, -2147483640 , 8.25\n"
                          "Courier New,#FALSE#,#TRUE#,#FALSE#,0,12\n"
                          " 1 \n\"x\"\n\"y\"  \n\"Logo.BMP\"\n#TRUE#\n\n\n")
            << QByteArray("#TRUE#,0.5,0.5,100,0,1,229,110,#TRUE#\r\n\"a, b\r\nc\"\r\n"
                          "\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,8.25\r\n"
                          "\"Courier New\",#FALSE#,#TRUE#,#FALSE#,0,12\r\n"
                          "1\r\n\"x\"\r\n\"y\"\r\n\"Logo.BMP\"\r\n#TRUE#\r\n");
        QTest::newRow("out of range") << QByteArray("#FALSE#,-3,1e30,400,300,1000,20,9999,#TRUE#\r\n\"\"\r\n"
                                                    "\"A\",#FALSE#,#FALSE#,#FALSE#,0,0\r\n"
                                                    "\"A\",#FALSE#,#FALSE#,#FALSE#,0,1e9\r\n-1\r\n")
                                      << QByteArray("#FALSE#,0,235,350,235,100,50,235,#TRUE#\r\n\"\"\r\n"
                                                    "\"A\",#FALSE#,#FALSE#,#FALSE#,0,1\r\n"
                                                    "\"A\",#FALSE#,#FALSE#,#FALSE#,0,1638\r\n-1\r\n"
                                                    "\"Logo.BMP\"\r\n#FALSE#\r\n");
        QTest::newRow("ends after the addresses")
            << kDemarrage.left(kDemarrage.indexOf("\"Logo")) << kDemarrage;
    }
    void readBackAsThisProgramWritesIt()
    {
        QFETCH(QByteArray, text);
        const Result<PlvDocument> r = PlvCodec::lit(text);
        QVERIFY2(r.isOk(), qPrintable(r.error()));
        QTEST(PlvCodec::ecrit(r.value()), "written");
    }

    void windowsFileOpensWithEveryValue()
    {
        QFile file(PLIVANE_TEST_DATA "/plv/Amis.PLV");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const PlvDocument attendu{
            .reglages = {.LongueurEnv = 229,
                         .HauteurEnv = 114,
                         .Quantite = 3,
                         .MargeGaucheDest = 105,
                         .MargeBasseDest = 22,
                         .MargeGaucheExp = 12,
                         .MargeHauteExp = 15,
                         .Orientation = 1,
                         .RepereCoupe = true,
                         .LogoChoisi = true,
                         .TexteExp = u"Société Dupré & Fils, 20 €\r\n12, rue de l'Église"_qs,
                         .PoliceDest = {"Arial", 10.5, true, false, true, TextColour::fromRgb(Qt::red)},
                         .PoliceExp = {"Times New Roman", 8.25, false, true, false, TextColour::windowText()},
                         .NomLogo = "C:\\Dossier\\LOGO.BMP"},
            .Adresses = {u"M. Zoé Martin"_qs + S + u"5, place du Marché"_qs + S + "75001 Paris",
                         "Mme Anne Dubois" + S + S + "69000 Lyon", u"Cœur SA"_qs + S + "BP 12"}};
        QCOMPARE(lu(bytes), attendu);
        QCOMPARE(PlvCodec::ecrit(attendu), bytes);
    }

    void brokenFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << "incomplet";
        QTest::newRow("not an address file") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11) << "ligne 1";
        QTest::newRow("short font record")
            << avec("\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,18", "\"Arial\",#FALSE#")
            << "police du destinataire";
        QTest::newRow("word for a number") << avec(",220,", ",deux cent vingt,") << "n'est pas un nombre";
        QTest::newRow("unknown boolean") << avec("#TRUE#", "#VRAI#") << "#TRUE#";
        QTest::newRow("quote never doubled") << avec("\"Nom", "\"Le \"Moulin\" Nom") << "Ligne 6";
        QTest::newRow("quote never closed")
            << kDemarrage.left(kDemarrage.indexOf("Adresse")) << "jamais fermé";
        QTest::newRow("fewer addresses than announced")
            << avec("\r\n0\r\n", "\r\n2\r\n").chopped(9) << "2 adresse";
        QTest::newRow("negative count") << avec("\r\n0\r\n", "\r\n-7\r\n") << "impossible";
        QTest::newRow("colour beyond 32 bits") << avec("-2147483640", "99999999999") << "couleur";
        QTest::newRow("a million fields")
            << avec(",#TRUE#\r\n", ",#TRUE#" + QByteArray(1000000, ',') + "\r\n") << "davantage";
        QTest::newRow("UTF-8 mark then bad bytes") << QByteArray("\xEF\xBB\xBF#FALSE#\xC3\x28") << "UTF-8";
    }
    void brokenFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        const Result<PlvDocument> r = PlvCodec::lit(bytes);
        QVERIFY(!r.isOk());
        QFETCH(QString, reason);
        QVERIFY2(r.error().contains(reason, Qt::CaseInsensitive), qPrintable(r.error()));
    }

    void everyInputReadsSafely_data()
    {
        QTest::addColumn<QString>("path");
        for (const char* folder : {"corpus", "crashes"}) {
            const QDir dir(QStringLiteral(PLIVANE_SOURCE_DIR "/tests/fuzz/") + QLatin1String(folder));
            for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
                if (!name.startsWith(u'.'))
                    QTest::newRow(qPrintable(QLatin1String(folder) + u'/' + name)) << dir.filePath(name);
            }
        }
    }

    void everyInputReadsSafely()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const Result<PlvDocument> document = PlvCodec::lit(bytes);
        // The seed corpus is made of good files; the crashes are anything at all.
        if (path.contains(u"/corpus/"))
            QVERIFY2(document.isOk(), qPrintable(document.error()));
        if (!document)
            return;
        const Result<PlvDocument> again = PlvCodec::lit(PlvCodec::ecrit(document.value()));
        QVERIFY(again.isOk());
        QCOMPARE(again.value(), document.value());
        // A batch packs what the window lists.
        EntreesAdresses compactes;
        QVERIFY(PlvCodec::lit(bytes, &compactes).isOk());
        QCOMPARE(compactes.liste(), document.value().Adresses);
    }
};

QTEST_MAIN(TestAddressesPlv)
#include "test_addresses_plv.moc"
