// Address files on disk: a save never damages what was there, the logo travels beside
// the file under the companion name, and opening finds it wherever the files were copied.
#include "addresses/FichierAdresses.h"
#include "addresses/PlvCodec.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QImage logoRouge()
{
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

PlvDocument avecLogo(const QString& nomLogo)
{
    PlvDocument d;
    d.Adresses = {"Anne" + QString(QChar(0xA0)) + "Lyon", "Bruno"};
    d.LogoChoisi = true;
    d.NomLogo = nomLogo;
    return d;
}

} // namespace

class TestAddressesPlvFichier : public QObject {
    Q_OBJECT
private slots:
    // Save, open, save again gives the same files. The first save with a logo writes the
    // companion bitmap but records the logo's previous name; once that logo is gone the
    // picture comes from the companion, and the next save records the companion's name.
    void saveOpenSaveGivesTheSameFiles()
    {
        QTemporaryDir dir;
        const QString lettre = dir.filePath("Lettre.PLV");
        const QString ancien = dir.filePath("ancien.bmp");
        const QString compagnon = dir.filePath("Lettre.BMP");
        QVERIFY(logoRouge().save(ancien, "BMP"));
        // Sizes and distances that no decimal writes exactly must come back the same.
        PlvDocument d = avecLogo(ancien);
        d.MargeGaucheExp = 0.1f;
        d.MargeHauteExp = 1.0f / 3.0f;
        d.MargeGaucheDest = 8.888889f;
        d.PoliceDest.pointSize = 10.33;
        d.Exped = u"Société \"Le Moulin\"\r\nBP 1, Cedex"_qs;
        d.Adresses.append(QString());
        QCOMPARE(FichierAdresses::EcritFichier(lettre, d, logoRouge()).valueOr({}), compagnon);
        const QByteArray plv = contenu(lettre);
        const QByteArray bmp = contenu(compagnon);
        QCOMPARE(QImage(compagnon).size(), QSize(30, 20));

        Result<PlvOuverture> ouvert = FichierAdresses::LitFichier(lettre);
        QVERIFY2(ouvert.isOk(), qPrintable(ouvert.error()));
        QCOMPARE(ouvert.value().document, d);
        QCOMPARE(ouvert.value().cheminLogo, ancien);
        QVERIFY(FichierAdresses::EcritFichier(lettre, ouvert.value().document, ouvert.value().logo).isOk());
        QCOMPARE(contenu(lettre), plv);
        QCOMPARE(contenu(compagnon), bmp);

        QVERIFY(QFile::remove(ancien));
        ouvert = FichierAdresses::LitFichier(lettre);
        QCOMPARE(ouvert.value().cheminLogo, compagnon);
        QCOMPARE(ouvert.value().logo.size(), QSize(30, 20));
        d.NomLogo = compagnon;
        QVERIFY(FichierAdresses::EcritFichier(lettre, d, ouvert.value().logo).isOk());
        QCOMPARE(PlvCodec::read(contenu(lettre)).value().NomLogo, compagnon);

        // Without a logo nothing is written beside the file, and the name stays.
        d.LogoChoisi = false;
        QCOMPARE(FichierAdresses::EcritFichier(dir.filePath("Sans.PLV"), d, QImage()).valueOr({}), compagnon);
        QVERIFY(!QFile::exists(dir.filePath("Sans.BMP")));
    }

    // "C:\Dossier\LOGO.BMP" is found as Logo.bmp beside the file, whatever the case; a
    // logo that is nowhere does not stop the file from opening.
    void windowsFileFindsItsLogoBesideIt()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(PLIVANE_TEST_DATA "/plv/Amis.PLV", dir.filePath("Amis.PLV")));
        QVERIFY(QFile::copy(PLIVANE_TEST_DATA "/plv/Logo.bmp", dir.filePath("Logo.bmp")));
        Result<PlvOuverture> ouvert = FichierAdresses::LitFichier(dir.filePath("Amis.PLV"));
        QVERIFY2(ouvert.isOk(), qPrintable(ouvert.error()));
        QCOMPARE(ouvert.value().cheminLogo, dir.filePath("Logo.bmp"));
        QCOMPARE(ouvert.value().logo.pixelColor(0, 0), QColor(Qt::red));

        QVERIFY(QFile::remove(dir.filePath("Logo.bmp")));
        ouvert = FichierAdresses::LitFichier(dir.filePath("Amis.PLV"));
        QVERIFY(ouvert.value().logoIllisible);
        QCOMPARE(ouvert.value().document.Adresses.size(), 3);
    }

    // Logos in the formats the dialog offers: what is see-through comes out white, and
    // the companion saved beside the file is still a Windows bitmap.
    void logosInOtherFormats_data()
    {
        QTest::addColumn<QByteArray>("format");
        for (const char* f : {"PNG", "JPEG", "SVG"})
            QTest::newRow(f) << QByteArray(f);
    }
    void logosInOtherFormats()
    {
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        const QString chemin = dir.filePath("logo." + QString::fromLatin1(format).toLower());
        if (format == "SVG") {
            QFile svg(chemin);
            QVERIFY(svg.open(QIODevice::WriteOnly));
            svg.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="40" height="20">)"
                      R"(<rect width="20" height="20" fill="red"/></svg>)");
        } else {
            QImage demiTransparent(40, 20, QImage::Format_ARGB32);
            demiTransparent.fill(format == "JPEG" ? Qt::white : Qt::transparent);
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 20; ++x)
                    demiTransparent.setPixelColor(x, y, Qt::red);
            QVERIFY(demiTransparent.save(chemin, format));
        }
        QVERIFY(FichierAdresses::FiltreLogos().contains("*." + format));
        const QImage logo = FichierAdresses::LitLogo(chemin);
        QCOMPARE(logo.size(), QSize(40, 20));
        QVERIFY(!logo.hasAlphaChannel());
        QCOMPARE(logo.pixelColor(35, 10), QColor(Qt::white));
        QVERIFY(qRed(logo.pixel(5, 10)) > 240 && qGreen(logo.pixel(5, 10)) < 16);

        const QString lettre = dir.filePath("Lettre.PLV");
        QVERIFY(FichierAdresses::EcritFichier(lettre, avecLogo(chemin), logo).isOk());
        QVERIFY(contenu(dir.filePath("Lettre.BMP")).startsWith("BM"));
    }

    void failedSaveLeavesThePreviousFiles()
    {
        QTemporaryDir dir;
        const QString lettre = dir.filePath("Lettre.PLV");
        QVERIFY(FichierAdresses::EcritFichier(lettre, avecLogo("Logo.BMP"), logoRouge()).isOk());
        const QByteArray avant = contenu(lettre);

        // The bitmap cannot replace what stands under its name: the address file stays as
        // it was, and no temporary file is left behind.
        QVERIFY(QFile::remove(dir.filePath("Lettre.BMP")));
        QVERIFY(QDir(dir.path()).mkdir("Lettre.BMP"));
        PlvDocument autre = avecLogo("Autre.BMP");
        autre.Adresses.append("Claire");
        Result<QString> r = FichierAdresses::EcritFichier(lettre, autre, logoRouge());
        QVERIFY(!r.isOk());
        QCOMPARE(r.error(), "Problème d'écriture du Fichier:\r\n" + lettre + "Corrigez et réessayez.");
        QCOMPARE(contenu(lettre), avant);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"Lettre.PLV"}));

        // A logo choice without a picture; an address file named like its own companion;
        // a folder that does not exist.
        QVERIFY(!FichierAdresses::EcritFichier(dir.filePath("X.PLV"), autre, QImage()).isOk());
        QVERIFY(!QFile::exists(dir.filePath("X.PLV")));
        QVERIFY(!FichierAdresses::EcritFichier(dir.filePath("Y.BMP"), autre, logoRouge()).isOk());
        QVERIFY(!FichierAdresses::EcritFichier(dir.filePath("nulle/part.PLV"), autre, logoRouge()).isOk());
    }

    void unreadableFilesAreRefusedWithTheirName()
    {
        QTemporaryDir dir;
        QFile casse(dir.filePath("Casse.PLV")), vide(dir.filePath("Vide.PLV"));
        QVERIFY(casse.open(QIODevice::WriteOnly) && casse.write("#FALSE#,10,10\r\n") > 0);
        QVERIFY(vide.open(QIODevice::WriteOnly));
        casse.close(), vide.close();
        for (const QString& nom : {casse.fileName(), vide.fileName(), dir.filePath("Absent.PLV"), dir.path()}) {
            const Result<PlvOuverture> r = FichierAdresses::LitFichier(nom);
            QVERIFY(!r.isOk());
            QVERIFY2(r.error().startsWith("Problème de lecture du Fichier:\r\n" + nom + "\r\n"),
                     qPrintable(r.error()));
        }
    }
};

QTEST_MAIN(TestAddressesPlvFichier)
#include "test_addresses_plvfichier.moc"
