// Address files at the edges: what a save writes opens again however long the list, a
// count that does not match its addresses is refused, UTF-8 goes back as it came, and
// what is no regular file is refused at once instead of freezing the window.
#include "addresses/AddressList.h"
#include "addresses/FichierAdresses.h"
#include "addresses/ImportAdresses.h"
#include "addresses/PlvCodec.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

class TestFichiersLimites : public QObject {
    Q_OBJECT
private slots:
    void tout_ce_qui_s_ecrit_s_ouvre()
    {
        QTemporaryDir dir;
        PlvDocument d;
        for (int i = 0; i < 320000; ++i)
            d.Adresses.append(QStringLiteral("M. Zoé Martin %1\u00A05, place du Marché\u00A075001 Paris").arg(i));
        const QString nom = dir.filePath("Gros.PLV");
        QVERIFY(FichierAdresses::EcritFichier(nom, d, QImage()).isOk());
        const Result<PlvOuverture> ouvert = FichierAdresses::LitFichier(nom);
        QVERIFY2(ouvert.isOk(), qPrintable(ouvert.error()));
        QCOMPARE(ouvert.value().document.Adresses, d.Adresses);

        // Beyond what opening accepts, nothing is written.
        const qint64 taille = QFileInfo(nom).size();
        d.Adresses = {QString(FichierAdresses::kTailleMax, u'a')};
        const Result<QString> refus = FichierAdresses::EcritFichier(nom, d, QImage());
        QVERIFY2(!refus.isOk() && refus.error().contains("ne peut dépasser 128 Mo"), qPrintable(refus.error()));
        QCOMPARE(QFileInfo(nom).size(), taille);
    }

    void le_nombre_d_adresses_correspond_a_la_liste_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<bool>("ouvre");
        const QByteArray debut = "#FALSE#,10,10,100,20,1,220,110,#TRUE#\r\n\"\"\r\n"
                                 "\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,8.25\r\n"
                                 "\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,18\r\n";
        const QByteArray suite = "\"Anne\"\r\n\"Bruno\"\r\n\"Logo.BMP\"\r\n#TRUE#\r\n";
        QTest::newRow("juste") << debut + "1\r\n" + suite << true;
        QTest::newRow("ancien format") << debut + "1\r\n" + suite.left(suite.indexOf("\"Logo")) << true;
        QTest::newRow("une de trop") << debut + "2\r\n" + suite << false;
        QTest::newRow("deux de trop") << debut + "3\r\n" + suite << false;
        QTest::newRow("une de moins") << debut + "0\r\n" + suite << false;
        QTest::newRow("deux de moins") << debut + "-1\r\n" + suite << false;
        QTest::newRow("adresse sans guillemets") << debut + "1\r\n" + QByteArray(suite).replace("\"Bruno\"", "Bruno")
                                                 << false;
    }
    void le_nombre_d_adresses_correspond_a_la_liste()
    {
        QFETCH(QByteArray, octets);
        const Result<PlvDocument> lu = PlvCodec::read(octets);
        QTEST(lu.isOk(), "ouvre");
        if (lu)
            QCOMPARE(lu.value().Adresses, QStringList({"Anne", "Bruno"}));
    }

    // Saved back by a text editor in UTF-8, with or without its mark, a file opens with
    // its accents and is written back byte for byte.
    void l_utf8_revient_tel_quel_data()
    {
        QTest::addColumn<QByteArray>("octets");
        const QByteArray fichier = "#FALSE#,10,10,100,20,1,220,110,#TRUE#\r\n\"\"\r\n"
                                   "\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,8.25\r\n"
                                   "\"Arial\",#FALSE#,#FALSE#,#FALSE#,-2147483640,18\r\n"
                                   "0\r\n\"Zo\xC3\xA9 Martin\xC2\xA0Lyon\"\r\n\"Logo.BMP\"\r\n#FALSE#\r\n";
        QTest::newRow("sans marque") << fichier;
        QTest::newRow("avec marque") << "\xEF\xBB\xBF" + fichier;
    }
    void l_utf8_revient_tel_quel()
    {
        QFETCH(QByteArray, octets);
        const Result<PlvDocument> lu = PlvCodec::read(octets);
        QCOMPARE(lu.value().Adresses, QStringList(u"Zoé Martin\u00A0Lyon"_qs));
        QCOMPARE(PlvCodec::write(lu.value()), octets);
    }

    void ce_qui_n_est_pas_un_fichier_est_refuse_sans_attendre_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::newRow("tube") << QString();
        QTest::newRow("périphérique sans fin") << "/dev/zero";
        QTest::newRow("dossier") << QDir::tempPath();
    }
    void ce_qui_n_est_pas_un_fichier_est_refuse_sans_attendre()
    {
        QTemporaryDir dir;
        QFETCH(QString, chemin);
        if (chemin.isEmpty()) {
            chemin = dir.filePath("tube.PLV");
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        }
        const Result<PlvOuverture> ouvert = FichierAdresses::LitFichier(chemin);
        QVERIFY(!ouvert.isOk() && ouvert.error().contains("ce n'est pas un fichier ordinaire"));
        QVERIFY(FichierAdresses::LitLogo(chemin).isNull());
        ScriptedDialogs dialogs;
        AddressList liste;
        QCOMPARE(ImportAdresses(dialogs, liste).importe(chemin), 0);
        QVERIFY2(dialogs.messageTexts().value(0).contains("ce n'est pas un fichier ordinaire"),
                 qPrintable(dialogs.messageTexts().value(0)));
    }
};

QTEST_MAIN(TestFichiersLimites)
#include "test_addresses_fichiers_limites.moc"
