// Starting the real program: where no screen can be opened, one French line and a non-zero
// status, never Qt's abort; with a command line it does not take, the reason and its usage.
#include "app/window/LigneCommande.h"

#include <QProcess>
#include <QtTest>

class TestDemarrage : public QObject {
    Q_OBJECT
private slots:
    void sansEcran_data()
    {
        QTest::addColumn<QString>("display");
        QTest::newRow("aucun affichage") << QString();
        QTest::newRow("affichage sans serveur") << QStringLiteral(":93");
    }

    void sansEcran()
    {
        QFETCH(QString, display);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("DISPLAY"));
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display);
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(PLIVANE_EXECUTABLE), {});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 2);
        const QString erreur = QString::fromUtf8(p.readAllStandardError()).trimmed();
        QCOMPARE(erreur.count(QLatin1Char('\n')), 0);
        QVERIFY2(erreur.contains(QStringLiteral("impossible d'ouvrir l'écran")), qPrintable(erreur));
    }

    void ligneDeCommandeRefusee()
    {
        QProcess p;
        p.start(QStringLiteral(PLIVANE_EXECUTABLE), {QStringLiteral("--version")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), LigneCommande::kCodeUsage);
        const QString erreur = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(erreur.contains(QStringLiteral("option inconnue « --version »")), qPrintable(erreur));
        QVERIFY(erreur.contains(LigneCommande::usage()));
        QVERIFY(p.readAllStandardOutput().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDemarrage)
#include "test_app_demarrage.moc"
