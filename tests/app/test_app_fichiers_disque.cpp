// Address files on disk: a save never damages what was there, even on a full disk; the logo
// travels beside the file under the companion name and is found wherever the files were
// copied, or else replaced; miscounted lists, UTF-8 from a text editor, and names that are
// no regular file.
#include "addresses/fichier/PlvCodec.h"
#include "addresses/import/ImportAdresses.h"
#include "layout/GeometrieEnveloppe.h"
#include "platform/EcritureGroupee.h"
#include "tests/app/BancForm1.h"

#include <QLockFile>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace {
QImage logoRouge()
{
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

// The real program, with its window, on an address file.
struct Programme {
    QProcess p;
    explicit Programme(const QString& plv)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(PLIVANE_EXECUTABLE), {plv});
    }
    ~Programme()
    {
        p.kill();
        p.waitForFinished();
    }
};

PlvDocument avecLogo(const QString& nomLogo)
{
    PlvDocument d;
    d.Adresses = {"Anne" + QString(QChar(0xA0)) + "Lyon", "Bruno"};
    d.reglages.LogoChoisi = true;
    d.reglages.NomLogo = nomLogo;
    return d;
}
} // namespace

class TestFichiersDisque : public QObject {
    Q_OBJECT
    QTemporaryDir m_point;
    QString m_pasMonte;
    const QImage m_ancien{":/orient0.png"}; // the logo of the files already there

private slots:
    void initTestCase()
    {
        if (::geteuid() != 0)
            m_pasMonte = "mounting the small tmpfs these saves fill up needs root";
        else if (::mount("tmpfs", QFile::encodeName(m_point.path()), "tmpfs", 0, "size=8m") != 0)
            m_pasMonte = QString("mounting a tmpfs failed: %1").arg(strerror(errno));
    }
    void cleanupTestCase()
    {
        if (m_pasMonte.isEmpty())
            QCOMPARE(::umount2(QFile::encodeName(m_point.path()), MNT_DETACH), 0);
    }

    void disque_plein_ne_remplace_rien_data()
    {
        QTest::addColumn<int>("adresses");
        QTest::addColumn<bool>("logo");
        for (int n : {1, 150, 250, 2000, 50000})
            for (bool logo : {false, true})
                QTest::addRow("%d adresses%s", n, logo ? ", logo" : "") << n << logo;
    }
    void disque_plein_ne_remplace_rien()
    {
        if (!m_pasMonte.isEmpty())
            QSKIP(qPrintable(m_pasMonte));
        QFETCH(int, adresses);
        QFETCH(bool, logo);
        QTemporaryDir disque(m_point.filePath("XXXXXX")), ailleurs;
        const QString plv = disque.filePath("Lettre.PLV"), bmp = disque.filePath("Lettre.BMP");
        PlvDocument d;
        d.reglages.LogoChoisi = true;
        for (int i = 0; i < adresses; ++i)
            d.Adresses.append(QString("Zoé Martin %1\u00A05, place du Marché\u00A075001 Paris").arg(i));
        QVERIFY(FichierAdresses::ecrit(plv, d, m_ancien).isOk());
        const QByteArray avantPlv = contenu(plv), avantBmp = contenu(bmp);

        // Another logo, or the text instead: both mark the document modified.
        Banc b;
        QVERIFY(b.f->Ouvre(plv));
        b.dialogs.openAnswers = {ailleurs.filePath("autre.bmp")};
        QVERIFY(QImage(":/logo.bmp").save(ailleurs.filePath("autre.bmp")));
        if (logo)
            QTest::mouseClick(b.c().ImgLogo, Qt::LeftButton);
        else
            b.c().Logo[1]->click();
        QVERIFY(b.f->document().Modifie());

        // The disk keeps free half of what the new files need.
        struct statvfs libre {};
        QCOMPARE(::statvfs(QFile::encodeName(disque.path()), &libre), 0);
        const qint64 besoin = avantPlv.size() + (logo ? QFileInfo(ailleurs.filePath("autre.bmp")).size() : 0);
        const int plein = ::open(QFile::encodeName(disque.filePath("plein")), O_WRONLY | O_CREAT, 0600);
        QCOMPARE(::posix_fallocate(plein, 0, off_t(libre.f_bavail * libre.f_frsize - besoin / 2)), 0);
        ::close(plein);

        b.dialogs.saveAnswers = {plv};
        b.c().Sauver->click();
        QCOMPARE(b.dialogs.messageTexts(),
                 QStringList{"Problème d'écriture du Fichier:\r\n" + plv + "Corrigez et réessayez."});
        QVERIFY(contenu(plv) == avantPlv && contenu(bmp) == avantBmp);
        QCOMPARE(QDir(disque.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({".~lock.Lettre.PLV#", "Lettre.BMP", "Lettre.PLV", "plein"}));
    }

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
        d.reglages.MargeGaucheExp = 0.1f;
        d.reglages.MargeHauteExp = 1.0f / 3.0f;
        d.reglages.MargeGaucheDest = 8.888889f;
        d.reglages.PoliceDest.pointSize = 10.33;
        d.reglages.TexteExp = u"Société \"Le Moulin\"\r\nBP 1, Cedex"_qs;
        d.Adresses.append(QString());
        QCOMPARE(FichierAdresses::ecrit(lettre, d, logoRouge()).valueOr({}).nomLogo, compagnon);
        const QByteArray plv = contenu(lettre);
        const QByteArray bmp = contenu(compagnon);
        QCOMPARE(QImage(compagnon).size(), QSize(30, 20));

        Result<PlvOuverture> ouvert = FichierAdresses::lit(lettre);
        QVERIFY2(ouvert.isOk(), qPrintable(ouvert.error()));
        QCOMPARE(ouvert.value().document, d);
        QCOMPARE(ouvert.value().cheminLogo, ancien);
        QVERIFY(FichierAdresses::ecrit(lettre, ouvert.value().document, ouvert.value().logo).isOk());
        QCOMPARE(contenu(lettre), plv);
        QCOMPARE(contenu(compagnon), bmp);

        QVERIFY(QFile::remove(ancien));
        ouvert = FichierAdresses::lit(lettre);
        QCOMPARE(ouvert.value().cheminLogo, compagnon);
        QCOMPARE(ouvert.value().logo.size(), QSize(30, 20));
        d.reglages.NomLogo = compagnon;
        QVERIFY(FichierAdresses::ecrit(lettre, d, ouvert.value().logo).isOk());
        QCOMPARE(PlvCodec::lit(contenu(lettre)).value().reglages.NomLogo, compagnon);

        // Without a logo nothing is written beside the file, and the name stays.
        d.reglages.LogoChoisi = false;
        QCOMPARE(FichierAdresses::ecrit(dir.filePath("Sans.PLV"), d, QImage()).valueOr({}).nomLogo,
                 compagnon);
        QVERIFY(!QFile::exists(dir.filePath("Sans.BMP")));
    }

    // "C:\Dossier\LOGO.BMP" is found as Logo.bmp beside the file, whatever the case.
    void windowsFileFindsItsLogoBesideIt()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(PLIVANE_TEST_DATA "/plv/Amis.PLV", dir.filePath("Amis.PLV")));
        QVERIFY(QFile::copy(PLIVANE_TEST_DATA "/plv/Logo.bmp", dir.filePath("Logo.bmp")));
        Result<PlvOuverture> ouvert = FichierAdresses::lit(dir.filePath("Amis.PLV"));
        QVERIFY2(ouvert.isOk(), qPrintable(ouvert.error()));
        QCOMPARE(ouvert.value().cheminLogo, dir.filePath("Logo.bmp"));
        QCOMPARE(ouvert.value().logo.pixelColor(0, 0), QColor(Qt::red));
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
            QImage moitie(40, 20, QImage::Format_ARGB32);
            moitie.fill(format == "JPEG" ? Qt::white : Qt::transparent);
            QPainter(&moitie).fillRect(0, 0, 20, 20, Qt::red);
            QVERIFY(moitie.save(chemin, format));
        }
        QVERIFY(FichierAdresses::filtreLogos().contains("*." + format));
        const QImage logo = FichierAdresses::litLogo(chemin);
        QCOMPARE(logo.size(), QSize(40, 20));
        QVERIFY(!logo.hasAlphaChannel());
        QCOMPARE(logo.pixelColor(35, 10), QColor(Qt::white));
        QVERIFY(qRed(logo.pixel(5, 10)) > 240 && qGreen(logo.pixel(5, 10)) < 16);

        const QString lettre = dir.filePath("Lettre.PLV");
        QVERIFY(FichierAdresses::ecrit(lettre, avecLogo(chemin), logo).isOk());
        QVERIFY(contenu(dir.filePath("Lettre.BMP")).startsWith("BM"));
    }

    void failedSaveLeavesThePreviousFiles()
    {
        QTemporaryDir dir;
        const QString lettre = dir.filePath("Lettre.PLV");
        QVERIFY(FichierAdresses::ecrit(lettre, avecLogo("Logo.BMP"), logoRouge()).isOk());
        const QByteArray avant = contenu(lettre);

        // The bitmap cannot replace what stands under its name: the address file stays as
        // it was, and no temporary file is left behind.
        QVERIFY(QFile::remove(dir.filePath("Lettre.BMP")));
        QVERIFY(QDir(dir.path()).mkdir("Lettre.BMP"));
        PlvDocument autre = avecLogo("Autre.BMP");
        autre.Adresses.append("Claire");
        Result<PlvEcrit> r = FichierAdresses::ecrit(lettre, autre, logoRouge());
        QVERIFY(!r.isOk());
        QCOMPARE(r.error(), "Problème d'écriture du Fichier:\r\n" + lettre + "Corrigez et réessayez.");
        QCOMPARE(contenu(lettre), avant);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"Lettre.PLV"}));

        // A logo choice without a picture; an address file named like its own companion;
        // a folder that does not exist.
        QVERIFY(!FichierAdresses::ecrit(dir.filePath("X.PLV"), autre, QImage()).isOk());
        QVERIFY(!QFile::exists(dir.filePath("X.PLV")));
        QVERIFY(!FichierAdresses::ecrit(dir.filePath("Y.BMP"), autre, logoRouge()).isOk());
        QVERIFY(!FichierAdresses::ecrit(dir.filePath("nulle/part.PLV"), autre, logoRouge()).isOk());
    }

    // A file that cannot take its place puts back the one replaced before it.
    void un_echec_au_second_remet_le_premier()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("a") && QDir(dir.path()).mkpath("b"));
        ecritFichier(dir.filePath("a/x"), "ancien");
        EcritureGroupee ecriture;
        QVERIFY(ecriture.prepare(dir.filePath("a/x"), "nouveau") &&
                ecriture.prepare(dir.filePath("b/y"), "nouveau"));
        QVERIFY(QDir(dir.path()).rename("b", "c"));
        QVERIFY(!ecriture.remplace());
        QCOMPARE(contenu(dir.filePath("a/x")), "ancien");
        QCOMPARE(QDir(dir.filePath("a")).entryList(QDir::Files | QDir::Hidden), QStringList{"x"});
    }

    // Opened after one whose logo was found, a file whose logo is nowhere shows the
    // built-in picture, says so once, and its next save writes that picture beside it.
    void logo_introuvable_donne_le_logo_d_origine()
    {
        QTemporaryDir dir;
        PlvDocument d;
        d.reglages.LogoChoisi = true;
        QVERIFY(FichierAdresses::ecrit(dir.filePath("Trouve.PLV"), d, m_ancien).isOk());
        d.reglages.NomLogo = dir.filePath("Parti.BMP");
        const QString perdu = ecritFichier(dir.filePath("Perdu.PLV"), PlvCodec::ecrit(d));

        Banc b;
        QVERIFY(b.f->Ouvre(dir.filePath("Trouve.PLV")) && b.f->Ouvre(perdu));
        QCOMPARE(b.dialogs.messageTexts().size(), 1);
        QVERIFY(b.dialogs.messageTexts()[0].contains(d.reglages.NomLogo));
        b.dialogs.saveAnswers = {perdu};
        QVERIFY(b.f->Sauver());
        const auto rgb = [](const QImage& i) { return i.convertToFormat(QImage::Format_RGB32); };
        QCOMPARE(rgb(QImage(dir.filePath("Perdu.BMP"))), rgb(QImage(":/logo.bmp")));
    }

    // Two copies of the program on one file: the second is told who has it open, and
    // nothing either writes is lost without a question; a lock whose program was killed
    // is taken over without one.
    void deuxProgrammesSurUnFichier()
    {
        QTemporaryDir dir;
        const QString plv = dir.filePath("Lettre.PLV"), verrou = dir.filePath(".~lock.Lettre.PLV#");
        PlvDocument d;
        d.Adresses = {"Anne"};
        QVERIFY(FichierAdresses::ecrit(plv, d, {}).isOk());
        Programme autre(plv);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(verrou), 30000);

        // Read-only: a save over it is refused, the file untouched.
        Banc lecteur;
        lecteur.dialogs.choiceAnswers = {0};
        QVERIFY(lecteur.f->Ouvre(plv));
        QVERIFY(lecteur.dialogs.shown.value(0).text.contains("est déjà ouvert par "));
        QVERIFY(lecteur.f->windowTitle().endsWith("(lecture seule)"));
        lecteur.ajoute("Bruno");
        lecteur.dialogs.saveAnswers = {plv};
        QVERIFY(!lecteur.f->Sauver());
        QVERIFY(lecteur.dialogs.shown.last().text.contains("ouvert en lecture seule"));
        QCOMPARE(lecteur.dialogs.lastChoiceButtons, QStringList{"Enregistrer sous..."});

        // Opened anyway: the other copy's save is seen before this one would undo it.
        Banc b;
        b.dialogs.choiceAnswers = {1};
        QVERIFY(b.f->Ouvre(plv));
        b.ajoute("BETA");
        d.Adresses.append("ALPHA");
        QVERIFY(FichierAdresses::ecrit(plv, d, {}).isOk());
        const QByteArray alpha = contenu(plv);
        b.dialogs.saveAnswers = {plv, dir.filePath("Beta.PLV")};
        b.dialogs.choiceAnswers = {0};
        QVERIFY(b.f->Sauver());
        QVERIFY(b.dialogs.shownOfKind("choice").last().text.contains("a été modifié par un autre programme"));
        QCOMPARE(b.dialogs.lastChoiceButtons, QStringList({"Enregistrer sous...", "Recharger", "Écraser"}));
        QCOMPARE(contenu(plv), alpha);
        QVERIFY(contenu(dir.filePath("Beta.PLV")).contains("BETA"));

        // Killed, the other copy leaves a lock nobody holds.
        ::kill(pid_t(autre.p.processId()), SIGKILL);
        QVERIFY(autre.p.waitForFinished());
        QVERIFY(QFile::exists(verrou));
        Banc c;
        QVERIFY(c.f->Ouvre(plv));
        QCOMPARE(c.dialogs.shown.size(), 0);
        qint64 pid = 0;
        QVERIFY(QLockFile(verrou).getLockInfo(&pid, nullptr, nullptr));
        QCOMPARE(pid, QCoreApplication::applicationPid());
    }

    // A file or a companion the user protected is never replaced, whoever saves.
    void lecture_seule_jamais_remplace_data()
    {
        QTest::addColumn<QString>("protege");
        QTest::newRow("le fichier") << "Ref.PLV";
        QTest::newRow("son logo") << "Ref.BMP";
    }
    void lecture_seule_jamais_remplace()
    {
        QFETCH(QString, protege);
        QTemporaryDir dir;
        const QString plv = dir.filePath("Ref.PLV"), bmp = dir.filePath("Ref.BMP");
        QVERIFY(FichierAdresses::ecrit(plv, avecLogo({}), logoRouge()).isOk());
        QVERIFY(QFile::setPermissions(dir.filePath(protege), QFile::ReadOwner | QFile::ReadGroup));
        const QByteArray avantPlv = contenu(plv), avantBmp = contenu(bmp);
        Banc b;
        QVERIFY(b.f->Ouvre(plv));
        b.ajoute("Claire");
        b.dialogs.saveAnswers = {plv, dir.filePath("Copie.PLV")};
        b.dialogs.choiceAnswers = {0};
        QVERIFY(b.f->Sauver());
        QVERIFY(b.dialogs.shownOfKind("choice").value(0).text.contains(dir.filePath(protege) +
                                                                       " », est protégé en écriture") ||
                b.dialogs.shownOfKind("choice").value(0).text.contains(dir.filePath(protege) +
                                                                       " » est protégé en écriture"));
        QVERIFY(contenu(plv) == avantPlv && contenu(bmp) == avantBmp);
        QVERIFY(contenu(dir.filePath("Copie.PLV")).contains("Claire"));
    }

    // A camera's photo is made to fit the sender's room when chosen, and saves and reopens;
    // a drawing never brings in a picture it names elsewhere; a compressed drawing that
    // unfolds without end is no picture.
    void logos_d_ailleurs_data()
    {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<bool>("choisi");
        QTest::newRow("photo 6000 x 4000") << "photo.jpg" << true;
        QTest::newRow("SVG et image externe") << "dessin.svg" << true;
        QTest::newRow("SVGZ sans fin") << "bombe.svgz" << false;
    }
    void logos_d_ailleurs()
    {
        QFETCH(QString, fichier);
        QFETCH(bool, choisi);
        QTemporaryDir dir;
        const QString chemin = dir.filePath(fichier);
        QImage rouge(60, 60, QImage::Format_RGB32);
        rouge.fill(Qt::red);
        QVERIFY(rouge.save(dir.filePath("prive.png")));
        if (fichier.endsWith("jpg")) {
            QImage photo(6000, 4000, QImage::Format_RGB32);
            photo.fill(Qt::darkGreen);
            QVERIFY(photo.save(chemin, "JPEG", 50));
        } else if (fichier.endsWith("svg")) {
            ecritFichier(
                chemin,
                R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink")"
                R"( width="30mm" height="30mm" viewBox="0 0 60 60">)"
                R"(<rect width="60" height="60" fill="green"/><image width="60" height="60" )"
                R"(xlink:href=")" +
                    QFile::encodeName(dir.filePath("prive.png")) + R"("/></svg>)");
        } else {
            QProcess gzip;
            gzip.setStandardOutputFile(chemin);
            gzip.start("sh",
                       {"-c", "{ printf '<svg>'; head -c 300000000 /dev/zero | tr '\\0' ' '; } | gzip -1"});
            QVERIFY(gzip.waitForFinished(60000));
        }
        Banc b;
        b.c().Logo[0]->click();
        b.dialogs.openAnswers = {chemin};
        QTest::mouseClick(b.c().ImgLogo, Qt::LeftButton);
        QCOMPARE(b.f->document().reglages().Logo != DocumentEnveloppe::logoIntegre(), choisi);
        if (!choisi)
            return;
        const RectMm bloc = GeometrieEnveloppe::blocLogo(b.f->document().reglages());
        QVERIFY(bloc.left.value + bloc.width.value <= 110 && bloc.top.value + bloc.height.value <= 55);
        QCOMPARE(b.dialogs.messageTexts().size(), fichier.endsWith("jpg") ? 1 : 0);
        b.dialogs.saveAnswers = {dir.filePath("Lettre.PLV")};
        QVERIFY(b.f->Sauver());
        const QImage compagnon = FichierAdresses::litLogo(dir.filePath("Lettre.BMP"));
        QCOMPARE(compagnon.pixelColor(compagnon.width() / 2, compagnon.height() / 2).green() > 90, true);
        QCOMPARE(compagnon.pixelColor(compagnon.width() / 2, compagnon.height() / 2).red() < 40, true);
        b.f.reset(); // closed, it gives its lock back
        Banc relu;
        QVERIFY(relu.f->Ouvre(dir.filePath("Lettre.PLV")));
        QCOMPARE(relu.dialogs.shown.size(), 0);
        const RectMm relue = GeometrieEnveloppe::blocLogo(relu.f->document().reglages());
        QVERIFY(qAbs(relue.width.value - bloc.width.value) < 0.1 &&
                qAbs(relue.height.value - bloc.height.value) < 0.1);
    }

    // Saves of 50,000 addresses and batch prints killed at any moment leave nothing but the
    // user's own files once the file is next opened, and the file whole.
    void tues_en_pleine_ecriture()
    {
        const QString plv = qEnvironmentVariable("PLIVANE_ENREGISTRE_SANS_FIN");
        PlvDocument d = avecLogo({});
        for (int i = 0; i < 50000; ++i)
            d.Adresses.append(QString("Zoé Martin %1\u00A05, place du Marché\u00A075001 Paris").arg(i));
        if (!plv.isEmpty()) // the copy of this test that is killed
            for (;;)
                (void)FichierAdresses::ecrit(plv, d, logoRouge());

        QTemporaryDir dir;
        const QString lettre = dir.filePath("Lettre.PLV"), pdf = dir.filePath("Lettre.pdf");
        QVERIFY(FichierAdresses::ecrit(lettre, d, logoRouge()).isOk());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PLIVANE_ENREGISTRE_SANS_FIN", lettre);
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        for (int i = 0; i < 100; ++i) {
            QProcess p;
            p.setProcessEnvironment(env);
            if (i % 2 == 0)
                p.start(QCoreApplication::applicationFilePath(), {"tues_en_pleine_ecriture"});
            else
                p.start(PLIVANE_EXECUTABLE, {"--pdf", pdf, lettre});
            QVERIFY(p.waitForStarted());
            QTest::qWait(i % 2 == 0 ? int(QRandomGenerator::global()->bounded(300))
                                    : 100 + int(QRandomGenerator::global()->bounded(600)));
            ::kill(pid_t(p.processId()), SIGKILL);
            QVERIFY(p.waitForFinished());
        }
        QCOMPARE(FichierAdresses::lit(lettre).valueOr({}).document.Adresses, d.Adresses);
        QStringList restes = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        restes.removeAll("Lettre.pdf");
        QCOMPARE(restes, QStringList({"Lettre.BMP", "Lettre.PLV"}));
    }

    // A count too high takes the logo name for an address; UTF-8 is written back as it
    // came, without its mark or with it.
    void le_nombre_et_le_codage_sont_ceux_du_fichier_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QStringList>("adresses"); // none: refused
        const auto fichier = [](const char* n, const QByteArray& suite) {
            return "#FALSE#,10,10,100,20,1,220,110,#TRUE#\r\n\"\"\r\n\"Arial\",#FALSE#,#FALSE#,#FALSE#,-"
                   "2147483640,8.25"
                   "\r\n\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,18\r\n" +
                   QByteArray(n) + "\r\n" + suite + "\"Logo.BMP\"\r\n#TRUE#\r\n";
        };
        QTest::newRow("une de trop") << fichier("2", "\"Anne\"\r\n\"Bruno\"\r\n") << QStringList();
        QTest::newRow("UTF-8") << fichier("0", "\"Zo\xC3\xA9\xC2\xA0Lyon\"\r\n")
                               << QStringList(u"Zoé\u00A0Lyon"_qs);
        QTest::newRow("UTF-8 et sa marque")
            << "\xEF\xBB\xBF" + fichier("0", "\"Zo\xC3\xA9\"\r\n") << QStringList(u"Zoé"_qs);
    }
    void le_nombre_et_le_codage_sont_ceux_du_fichier()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QStringList, adresses);
        const Result<PlvDocument> lu = PlvCodec::lit(octets);
        QCOMPARE(lu.valueOr({}).Adresses, adresses);
        QCOMPARE(lu ? PlvCodec::ecrit(lu.value()) : octets, octets);
    }

    // Every refusal names the file; what is no regular file is refused before it is read.
    void fichiersIllisiblesRefusesAvecLeurNom()
    {
        QTemporaryDir dir;
        const QString tube = dir.filePath("tube.PLV");
        QCOMPARE(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
        const QString casse = ecritFichier(dir.filePath("Casse.PLV"), "#FALSE#,10,10\r\n");
        for (const QString& nom :
             {casse, ecritFichier(dir.filePath("Vide.PLV"), {}), dir.filePath("Absent.PLV"), dir.path(), tube,
              QStringLiteral("/dev/zero")}) {
            const QString erreur = FichierAdresses::lit(nom).error();
            QVERIFY2(erreur.startsWith("Problème de lecture du Fichier:\r\n" + nom + "\r\n"),
                     qPrintable(erreur));
            if (nom != tube && !nom.startsWith("/dev"))
                continue;
            QVERIFY(erreur.contains("ce n'est pas un fichier ordinaire"));
            ScriptedDialogs dialogs;
            ListeAdresses liste;
            QCOMPARE(ImportAdresses(dialogs, liste).importe(nom), 0);
            QVERIFY(dialogs.messageTexts().value(0).contains("ce n'est pas un fichier ordinaire"));
        }
    }
};

QTEST_MAIN(TestFichiersDisque)
#include "test_app_fichiers_disque.moc"
