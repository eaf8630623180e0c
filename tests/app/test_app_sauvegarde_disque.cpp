// Saving onto a real disk that fills up, and opening a file whose logo has gone: the
// previous files stay as they were, the document stays marked as not saved, and a
// missing logo never borrows the previous document's picture.
#include "addresses/PlvCodec.h"
#include "tests/app/BancForm1.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QImage rouge()
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

QImage enRgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class TestSauvegardeDisque : public QObject {
    Q_OBJECT
    QTemporaryDir m_point;
    QString m_pasMonte;

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
        QDir disque(m_point.path());
        for (const QString& f : disque.entryList(QDir::Files | QDir::Hidden))
            QVERIFY(disque.remove(f));
        const QString plv = disque.filePath("Lettre.PLV"), bmp = disque.filePath("Lettre.BMP");
        PlvDocument d;
        d.LogoChoisi = true;
        for (int i = 0; i < adresses; ++i)
            d.Adresses.append(QString("Zoé Martin %1\u00A05, place du Marché\u00A075001 Paris").arg(i));
        QVERIFY(FichierAdresses::EcritFichier(plv, d, rouge()).isOk());
        const QByteArray avantPlv = contenu(plv), avantBmp = contenu(bmp);

        Banc b;
        QVERIFY(b.f->Ouvre(plv));
        QTemporaryDir ailleurs;
        if (logo) {
            b.dialogs.openAnswers = {ailleurs.filePath("autre.bmp")};
            QVERIFY(QImage(":/logo.bmp").save(*b.dialogs.openAnswers[0]));
            QTest::mouseClick(b.c().ImgLogo, Qt::LeftButton);
        } else {
            b.c().Logo[1]->click();
        }
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
        QCOMPARE(b.dialogs.shownOfKind("message").size(), 1);
        QCOMPARE(b.dialogs.shownOfKind("message")[0].title, QString("Contrôle de lecture Disque"));
        QCOMPARE(b.dialogs.messageTexts()[0], "Problème d'écriture du Fichier:\r\n" + plv + "Corrigez et réessayez.");
        QVERIFY(contenu(plv) == avantPlv);
        QVERIFY(contenu(bmp) == avantBmp);
        QVERIFY(b.f->etat().Modifie);
        QCOMPARE(b.f->windowTitle(), titre);
        QCOMPARE(disque.entryList(QDir::Files | QDir::Hidden), QStringList({"Lettre.BMP", "Lettre.PLV", "plein"}));
    }

    // Opened after one whose logo was found, a file whose logo is nowhere shows the
    // built-in picture, says so once, and its next save writes that picture beside it.
    void logo_introuvable_donne_le_logo_d_origine()
    {
        QTemporaryDir dir;
        PlvDocument d;
        d.LogoChoisi = true;
        d.Adresses = {"Anne"};
        QVERIFY(FichierAdresses::EcritFichier(dir.filePath("Trouve.PLV"), d, rouge()).isOk());
        d.NomLogo = dir.filePath("Parti.BMP");
        const QString perdu = ecritFichier(dir.filePath("Perdu.PLV"), PlvCodec::write(d));

        Banc b;
        QVERIFY(b.f->Ouvre(dir.filePath("Trouve.PLV")));
        QCOMPARE(enRgb(b.f->reglages().Logo), rouge());
        QVERIFY(b.f->Ouvre(perdu));
        QCOMPARE(b.dialogs.messageTexts().size(), 1);
        QVERIFY2(b.dialogs.messageTexts()[0].contains(d.NomLogo), qPrintable(b.dialogs.messageTexts()[0]));
        b.dialogs.saveAnswers = {perdu};
        QVERIFY(b.f->Sauver());
        QCOMPARE(enRgb(QImage(dir.filePath("Perdu.BMP"))), enRgb(QImage(":/logo.bmp")));
    }
};

QTEST_MAIN(TestSauvegardeDisque)
#include "test_app_sauvegarde_disque.moc"
