// Address files on a real machine: full disks, lost logos, miscounted lists,
// UTF-8 from a text editor, and names that are no regular file.
#include "addresses/ImportAdresses.h"
#include "addresses/PlvCodec.h"
#include "platform/EcritureGroupee.h"
#include "tests/app/BancForm1.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

class TestFichiersDisque : public QObject {
    Q_OBJECT
    QTemporaryDir m_point;
    QString m_pasMonte;
    const QImage m_ancien{":/orient0.png"};  // the logo of the files already there
    static QByteArray contenu(const QString& c) { QFile f(c); return f.open(QIODevice::ReadOnly) ? f.readAll() : ""; }

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
        d.LogoChoisi = true;
        for (int i = 0; i < adresses; ++i)
            d.Adresses.append(QString("Zoé Martin %1\u00A05, place du Marché\u00A075001 Paris").arg(i));
        QVERIFY(FichierAdresses::EcritFichier(plv, d, m_ancien).isOk());
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
        QVERIFY(b.f->etat().Modifie);
        const QString titre = b.f->windowTitle();

        // The disk keeps free half of what the new files need.
        struct statvfs libre {};
        QCOMPARE(::statvfs(QFile::encodeName(disque.path()), &libre), 0);
        const qint64 besoin = avantPlv.size() + (logo ? QFileInfo(ailleurs.filePath("autre.bmp")).size() : 0);
        const int plein = ::open(QFile::encodeName(disque.filePath("plein")), O_WRONLY | O_CREAT, 0600);
        QCOMPARE(::posix_fallocate(plein, 0, off_t(libre.f_bavail * libre.f_frsize - besoin / 2)), 0);
        ::close(plein);

        b.dialogs.saveAnswers = {plv};
        b.c().Sauver->click();
        QCOMPARE(b.dialogs.messageTexts(), QStringList{"Problème d'écriture du Fichier:\r\n" + plv + "Corrigez et réessayez."});
        QVERIFY(contenu(plv) == avantPlv && contenu(bmp) == avantBmp);
        QVERIFY(b.f->etat().Modifie);
        QCOMPARE(b.f->windowTitle(), titre);
        QCOMPARE(QDir(disque.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"Lettre.BMP", "Lettre.PLV", "plein"}));
    }

    // A file that cannot take its place puts back the one replaced before it.
    void un_echec_au_second_remet_le_premier()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("a") && QDir(dir.path()).mkpath("b"));
        ecritFichier(dir.filePath("a/x"), "ancien");
        EcritureGroupee ecriture;
        QVERIFY(ecriture.prepare(dir.filePath("a/x"), "nouveau") && ecriture.prepare(dir.filePath("b/y"), "nouveau"));
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
        d.LogoChoisi = true;
        QVERIFY(FichierAdresses::EcritFichier(dir.filePath("Trouve.PLV"), d, m_ancien).isOk());
        d.NomLogo = dir.filePath("Parti.BMP");
        const QString perdu = ecritFichier(dir.filePath("Perdu.PLV"), PlvCodec::write(d));

        Banc b;
        QVERIFY(b.f->Ouvre(dir.filePath("Trouve.PLV")) && b.f->Ouvre(perdu));
        QCOMPARE(b.dialogs.messageTexts().size(), 1);
        QVERIFY(b.dialogs.messageTexts()[0].contains(d.NomLogo));
        b.dialogs.saveAnswers = {perdu};
        QVERIFY(b.f->Sauver());
        const auto rgb = [](const QImage& i) { return i.convertToFormat(QImage::Format_RGB32); };
        QCOMPARE(rgb(QImage(dir.filePath("Perdu.BMP"))), rgb(QImage(":/logo.bmp")));
    }

    // A count too high takes the logo name for an address; UTF-8 is written back as it
    // came, without its mark or with it.
    void le_nombre_et_le_codage_sont_ceux_du_fichier_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QStringList>("adresses");  // none: refused
        const auto fichier = [](const char* n, const QByteArray& suite) {
            return "#FALSE#,10,10,100,20,1,220,110,#TRUE#\r\n\"\"\r\n\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,8.25"
                   "\r\n\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,18\r\n"
                   + QByteArray(n) + "\r\n" + suite + "\"Logo.BMP\"\r\n#TRUE#\r\n";
        };
        QTest::newRow("une de trop") << fichier("2", "\"Anne\"\r\n\"Bruno\"\r\n") << QStringList();
        QTest::newRow("UTF-8") << fichier("0", "\"Zo\xC3\xA9\xC2\xA0Lyon\"\r\n") << QStringList(u"Zoé\u00A0Lyon"_qs);
        QTest::newRow("UTF-8 et sa marque") << "\xEF\xBB\xBF" + fichier("0", "\"Zo\xC3\xA9\"\r\n") << QStringList(u"Zoé"_qs);
    }
    void le_nombre_et_le_codage_sont_ceux_du_fichier()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QStringList, adresses);
        const Result<PlvDocument> lu = PlvCodec::read(octets);
        QCOMPARE(lu.valueOr({}).Adresses, adresses);
        QCOMPARE(lu ? PlvCodec::write(lu.value()) : octets, octets);
    }

    void ce_qui_n_est_pas_un_fichier_est_refuse_sans_attendre()
    {
        QTemporaryDir dir;
        const QString tube = dir.filePath("tube.PLV");
        QCOMPARE(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
        for (const QString& chemin : {tube, QStringLiteral("/dev/zero")}) {
            QVERIFY(FichierAdresses::LitFichier(chemin).error().contains("ce n'est pas un fichier ordinaire"));
            ScriptedDialogs dialogs;
            AddressList liste;
            QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 0);
            QVERIFY(dialogs.messageTexts().value(0).contains("ce n'est pas un fichier ordinaire"));
        }
    }
};

QTEST_MAIN(TestFichiersDisque)
#include "test_app_fichiers_disque.moc"
