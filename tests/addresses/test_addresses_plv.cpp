// The address file's format, byte by byte: what a save writes, and what any file, ours
// or one written on Windows, reads back as.
#include "addresses/PlvCodec.h"

#include <QGuiApplication>
#include <QPalette>
#include <QtTest>

namespace {

const QChar S = QChar(0x00A0);

QByteArray cp1252(const char* utf8)
{
    QByteArray out;
    for (QChar c : QString::fromUtf8(utf8)) {
        if (c == QChar(0x0153))
            out += char(0x9C);
        else if (c == QChar(0x20AC))
            out += char(0x80);
        else
            out += char(c.unicode());  // Latin-1 range
    }
    return out;
}

PlvDocument demarrage()
{
    PlvDocument d;
    d.Adresses = {QStringLiteral("Nom") + S + "et" + S + "Adresse"};
    return d;
}

PlvDocument lu(const QByteArray& bytes)
{
    Result<PlvDocument> d = PlvCodec::read(bytes);
    if (!d)
        qWarning() << d.error();
    return d.valueOr(PlvDocument{});
}

}  // namespace

class TestAddressesPlv : public QObject {
    Q_OBJECT
private slots:
    void startUpStateIsEightRecords()
    {
        const QByteArray expected =
            "#FALSE#,10,10,100,20,1,220,110,#TRUE#\r\n"
            "\"\"\r\n"
            "\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,8.25\r\n"
            "\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,18\r\n"
            "0\r\n"
            "\"Nom\xA0" "et\xA0" "Adresse\"\r\n"
            "\"Logo.BMP\"\r\n"
            "#FALSE#\r\n";
        QCOMPARE(PlvCodec::write(demarrage()), expected);
        QCOMPARE(lu(expected), demarrage());
    }

    void threeAddressesAreTenRecords()
    {
        PlvDocument d = demarrage();
        d.Adresses = {"Albert" + QString(S) + "Paris", "Bernard", "Zoé" + QString(S) + "Lyon"};
        const QByteArray bytes = PlvCodec::write(d);
        QCOMPARE(bytes.count("\r\n"), 10);
        QVERIFY(bytes.contains("\r\n2\r\n\"Albert\xA0Paris\"\r\n\"Bernard\"\r\n\"Zo\xE9\xA0Lyon\"\r\n"));
        const PlvDocument back = lu(bytes);
        QCOMPARE(back.Adresses, d.Adresses);
        QCOMPARE(back.DerniereAdresse(), 2);
    }

    void fieldsAreWrittenAsWindowsWritesThem()
    {
        PlvDocument d = demarrage();
        d.PoliceDest = BlockFont{"Times New Roman", 10.5, /*bold*/ true, /*italic*/ false, false,
                                 TextColour::fromRgb(QColor(0, 128, 255))};
        d.PoliceExp.pointSize = 10.33333;
        d.MargeGaucheExp = 12.5f;
        d.LongueurEnv = 229;
        d.Quantite = 25;
        d.Portrait = false;
        d.LogoChoisi = true;
        d.RepereCoupe = true;
        const QByteArray bytes = PlvCodec::write(d);
        QVERIFY(bytes.startsWith("#TRUE#,12.5,10,100,20,25,229,110,#FALSE#\r\n"));
        // Italic comes before bold; the colour is red + 256 green + 65536 blue.
        QVERIFY(bytes.contains("\r\n\"Times New Roman\",#FALSE#,#TRUE#,#FALSE#,16744448,10.5\r\n"));
        QVERIFY(bytes.contains(",10.3333\r\n"));
        QVERIFY(bytes.endsWith("\"Logo.BMP\"\r\n#TRUE#\r\n"));
    }

    void valuesSurviveSaveOpenSave()
    {
        PlvDocument d = demarrage();
        d.MargeGaucheExp = 0.1f;
        d.MargeHauteExp = 1.0f / 3.0f;
        d.MargeGaucheDest = 8.888889f;
        d.MargeBasseDest = 12.7f;
        d.PoliceExp.pointSize = 8.25;
        d.Exped = "Société \"Le Moulin\"\r\nBP 1, Cedex";
        d.PoliceDest.name = "Police \"Fantaisie\"";
        d.Adresses = {"Au \"Vieux\"" + QString(S) + "Quai", QString(), "\"", "\"\""};
        d.NomLogo = "/home/anne/Mes \"logos\"/a.bmp";
        const QByteArray first = PlvCodec::write(d);
        const PlvDocument back = lu(first);
        QCOMPARE(back, d);
        QCOMPARE(PlvCodec::write(back), first);
        // Quotes are doubled; nothing else changes in a quoted field.
        QVERIFY(first.contains("\r\n\"Au \"\"Vieux\"\"\xA0Quai\"\r\n\"\"\r\n\"\"\"\"\r\n\"\"\"\"\"\"\r\n"));
    }

    void senderTextSpansPhysicalLines()
    {
        PlvDocument d = demarrage();
        d.Exped = "Anne Dubois\n3, rue Haute";  // as a text box on Linux gives it
        const QByteArray bytes = PlvCodec::write(d);
        QVERIFY(bytes.contains("\r\n\"Anne Dubois\r\n3, rue Haute\"\r\n\"Arial\""));
        QCOMPARE(bytes.count("\r\n"), 9);
        QCOMPARE(lu(bytes).Exped, QString("Anne Dubois\r\n3, rue Haute"));
    }

    void characterOutsideWindows1252SwitchesToUtf8()
    {
        PlvDocument d = demarrage();
        QVERIFY(!PlvCodec::write(d).startsWith("\xEF\xBB\xBF"));
        d.Adresses.append("Łódź" + QString(S) + "Polska → 中国");
        const QByteArray bytes = PlvCodec::write(d);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF#FALSE#,"));
        QVERIFY(bytes.contains("\"Nom\xC2\xA0" "et"));
        QCOMPARE(lu(bytes), d);
        // The euro sign and the oe ligature do have Windows-1252 bytes.
        d.Adresses.last() = "Cœur 20 €";
        QVERIFY(PlvCodec::write(d).contains("\"C\x9Cur 20 \x80\"\r\n"));
    }

    void emptyListIsAValidFile()
    {
        PlvDocument d = demarrage();
        d.Adresses.clear();
        const QByteArray bytes = PlvCodec::write(d);
        QVERIFY(bytes.contains("\r\n-1\r\n\"Logo.BMP\"\r\n"));
        QCOMPARE(bytes.count("\r\n"), 7);
        const PlvDocument back = lu(bytes);
        QVERIFY(back.Adresses.isEmpty());
        QCOMPARE(back.DerniereAdresse(), -1);
    }

    void readerFollowsTheSplittingRules()
    {
        // Spaces around unquoted fields, ".5" and "0.5", LF-only line ends, a comma and a
        // line break inside quotes, booleans in any case, numbers for Booleans.
        const QByteArray text =
            " #true# , .5 ,0.5,  100 ,-.5e1, 1.0E0 ,+229 , 110.,-1\n"
            "\"a, b\nc\"  \n"
            "\"Arial\" ,0,#FALSE#,#False#, -2147483640 , 8.25\n"
            "Courier New,#FALSE#,#TRUE#,#FALSE#,0,12\n"
            " 1 \n"
            "\"x\"\n"
            "y  \n"
            "Logo.BMP\n"
            "#TRUE#\n\n\n";
        Result<PlvDocument> r = PlvCodec::read(text);
        QVERIFY2(r.isOk(), qPrintable(r.error()));
        const PlvDocument& d = r.value();
        QCOMPARE(d.LogoChoisi, true);
        QCOMPARE(d.MargeGaucheExp, 0.5f);
        QCOMPARE(d.MargeHauteExp, 0.5f);
        QCOMPARE(d.MargeGaucheDest, 100.0f);
        QCOMPARE(d.MargeBasseDest, 0.0f);  // -5 brought back to the envelope's edge
        QCOMPARE(d.Quantite, 1);
        QCOMPARE(d.LongueurEnv, 229.0f);
        QCOMPARE(d.HauteurEnv, 110.0f);
        QCOMPARE(d.Portrait, true);
        QCOMPARE(d.Exped, QString("a, b\r\nc"));
        QCOMPARE(d.PoliceExp.name, QString("Arial"));
        QCOMPARE(d.PoliceExp.italic, false);
        QCOMPARE(d.PoliceDest.name, QString("Courier New"));
        QCOMPARE(d.PoliceDest.bold, true);
        QCOMPARE(d.PoliceDest.colour, TextColour::fromRgb(Qt::black));
        QCOMPARE(d.Adresses, QStringList({"x", "y"}));
        QCOMPARE(d.NomLogo, QString("Logo.BMP"));
        QCOMPARE(d.RepereCoupe, true);
    }

    void windowsFileOpensWithEveryValue()
    {
        QFile file(PLIVANE_TEST_DATA "/plv/Amis.PLV");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        Result<PlvDocument> r = PlvCodec::read(bytes);
        QVERIFY2(r.isOk(), qPrintable(r.error()));
        const PlvDocument& d = r.value();
        QCOMPARE(d.LogoChoisi, true);
        QCOMPARE(d.MargeGaucheExp, 12.0f);
        QCOMPARE(d.MargeHauteExp, 15.0f);
        QCOMPARE(d.MargeGaucheDest, 105.0f);
        QCOMPARE(d.MargeBasseDest, 22.0f);
        QCOMPARE(d.Quantite, 3);
        QCOMPARE(d.LongueurEnv, 229.0f);
        QCOMPARE(d.HauteurEnv, 114.0f);
        QCOMPARE(d.Portrait, false);
        QCOMPARE(d.Exped, QString::fromUtf8("Société Dupré & Fils, 20 €\r\n12, rue de l'Église"));
        QCOMPARE(d.PoliceExp, (BlockFont{"Times New Roman", 8.25, false, true, false, TextColour::windowText()}));
        QCOMPARE(d.PoliceDest, (BlockFont{"Arial", 10.5, true, false, true, TextColour::fromRgb(Qt::red)}));
        QCOMPARE(d.Adresses,
                 QStringList({QString::fromUtf8("M. Zoé Martin") + S + "5, place du Marché" + S + "75001 Paris",
                              QString("Mme Anne Dubois") + S + S + "69000 Lyon",
                              QString::fromUtf8("Cœur SA") + S + "BP 12"}));
        QCOMPARE(d.NomLogo, QString("C:\\Dossier\\LOGO.BMP"));
        QCOMPARE(d.RepereCoupe, true);
        // Written back, it is the same file byte for byte.
        QCOMPARE(PlvCodec::write(d), bytes);
    }

    void systemColoursFollowTheDesktop()
    {
        QByteArray bytes = PlvCodec::write(demarrage());
        bytes.replace("-2147483640,8.25", "-2147483643,8.25");  // COLOR_WINDOW
        bytes.replace("-2147483640,18", "-2147483520,18");       // an index no palette has
        const PlvDocument d = lu(bytes);
        QVERIFY(d.PoliceExp.colour.isSystemColour());
        QCOMPARE(d.PoliceExp.colour.toQColor(), QGuiApplication::palette().color(QPalette::Base));
        QCOMPARE(d.PoliceDest.colour.toQColor(), QGuiApplication::palette().color(QPalette::WindowText));
        QCOMPARE(d.PoliceExp.colour.windowsNumber(), -2147483643);
    }

    void endAfterTheAddressesKeepsDefaults()
    {
        QByteArray bytes = PlvCodec::write(demarrage());
        bytes.replace("\"Logo.BMP\"\r\n", "\"C:\\Autre.BMP\"\r\n");
        bytes.replace("\r\n#FALSE#\r\n", "\r\n#TRUE#\r\n");
        bytes.chop(QByteArray("#TRUE#\r\n").size());
        PlvDocument d = lu(bytes);
        QCOMPARE(d.NomLogo, QString("C:\\Autre.BMP"));
        QCOMPARE(d.RepereCoupe, false);

        bytes.chop(QByteArray("\"C:\\Autre.BMP\"\r\n").size());
        d = lu(bytes);
        QCOMPARE(d.NomLogo, QString("Logo.BMP"));
        QCOMPARE(d.RepereCoupe, false);
        QCOMPARE(d.Adresses, demarrage().Adresses);
    }

    void outOfRangeValuesAreBroughtInside()
    {
        const QByteArray bytes = "#FALSE#,-3,1e30,400,300,1000,20,9999,#TRUE#\r\n\"\"\r\n"
                                 "\"A\",#FALSE#,#FALSE#,#FALSE#,0,0\r\n"
                                 "\"A\",#FALSE#,#FALSE#,#FALSE#,0,1e9\r\n-1\r\n";
        const PlvDocument d = lu(bytes);
        QCOMPARE(d.MargeGaucheExp, 0.0f);
        QCOMPARE(d.MargeHauteExp, 235.0f);
        QCOMPARE(d.MargeGaucheDest, 350.0f);
        QCOMPARE(d.MargeBasseDest, 235.0f);
        QCOMPARE(d.Quantite, 100);
        QCOMPARE(d.LongueurEnv, 50.0f);
        QCOMPARE(d.HauteurEnv, 235.0f);
        QCOMPARE(d.PoliceExp.pointSize, 1.0);
        QCOMPARE(d.PoliceDest.pointSize, 1638.0);
    }

    void brokenFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray good = PlvCodec::write(demarrage());
        QByteArray b;
        QTest::newRow("empty") << QByteArray() << "incomplet";
        QTest::newRow("not an address file") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11) << "ligne 1";
        QTest::newRow("cut inside the first record") << good.left(20) << "valeur";
        b = good; b.replace("\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,18\r\n", "\"Arial\",#FALSE#\r\n");
        QTest::newRow("short font record") << b << "police du destinataire";
        b = good; b.replace(",220,", ",deux cent vingt,");
        QTest::newRow("word for a number") << b << "n'est pas un nombre";
        b = good; b.replace(",220,", ",\"220\",");
        QTest::newRow("quoted number") << b << "n'est pas un nombre";
        b = good; b.replace("#TRUE#", "#VRAI#");
        QTest::newRow("unknown boolean") << b << "#TRUE#";
        b = good; b.replace("\"Nom", "\"Le \"Moulin\" Nom");
        QTest::newRow("quote never doubled") << b << "Ligne 6";
        QTest::newRow("quote never closed") << good.left(good.indexOf("Adresse")) << "jamais fermé";
        b = good; b.replace("\r\n0\r\n", "\r\n2\r\n");
        b.chop(QByteArray("#FALSE#\r\n").size());
        QTest::newRow("fewer addresses than announced") << b << "2 adresse";
        b = good; b.replace("\r\n0\r\n", "\r\n-7\r\n");
        QTest::newRow("negative count") << b << "impossible";
        b = good; b.replace("\r\n0\r\n", "\r\n99999999999999999999\r\n");
        QTest::newRow("huge count") << b << "adresse";
        b = good; b.replace("-2147483640", "99999999999");
        QTest::newRow("colour beyond 32 bits") << b << "couleur";
        b = good; b.replace(",220,", ",1e999,");
        QTest::newRow("infinite number") << b << "n'est pas un nombre";
        b = good; b.replace(",#TRUE#\r\n", ",#TRUE#" + QByteArray(1000000, ',') + "\r\n");
        QTest::newRow("a million fields") << b << "davantage";
        QTest::newRow("UTF-8 mark then bad bytes") << QByteArray("\xEF\xBB\xBF#FALSE#\xC3\x28") << "UTF-8";
    }

    void brokenFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const Result<PlvDocument> r = PlvCodec::read(bytes);
        QVERIFY(!r.isOk());
        QVERIFY2(r.error().contains(reason, Qt::CaseInsensitive), qPrintable(r.error()));
    }
};

QTEST_MAIN(TestAddressesPlv)
#include "test_addresses_plv.moc"
