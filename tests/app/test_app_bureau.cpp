// The program on a Linux desktop: its menu entry and its .PLV file type say what they must
// and validate with the desktop's own tools; where no screen can be opened, it says so in
// one French line with a non-zero status, never Qt's abort.
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

class TestBureau : public QObject {
    Q_OBJECT
private slots:
    void fichiersDuBureauValides_data()
    {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QStringList>("lignes"); // each a whole line of the file, indent aside
        QTest::addColumn<QStringList>("outil");  // the tool that validates it, and its options
        QTest::newRow("menu entry")
            << u"plivane.desktop"_qs
            << QStringList{u"Exec=plivane %f"_qs, u"MimeType=application/x-plivane;"_qs,
                           u"Comment=Imprimer des adresses postales sur des enveloppes"_qs,
                           u"Icon=plivane"_qs}
            << QStringList{u"desktop-file-validate"_qs};
        QTest::newRow("file type") << u"plivane-mime.xml"_qs << QStringList{u"<glob pattern=\"*.PLV\"/>"_qs}
                                   << QStringList{u"xmllint"_qs, u"--noout"_qs};
    }
    void fichiersDuBureauValides()
    {
        QFETCH(QString, fichier);
        QFETCH(QStringList, lignes);
        QFETCH(QStringList, outil);
        QFile f(QStringLiteral(PLIVANE_SOURCE_DIR "/app/desktop/") + fichier);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QStringList contenu;
        for (const QString& ligne : QString::fromUtf8(f.readAll()).split(u'\n'))
            contenu << ligne.trimmed();
        for (const QString& ligne : lignes)
            QVERIFY2(contenu.contains(ligne), qPrintable(ligne));
        const QString programme = QStandardPaths::findExecutable(outil.takeFirst());
        if (programme.isEmpty())
            QSKIP("the desktop's validating tool is not installed");
        QProcess p;
        p.start(programme, outil << f.fileName());
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                 qPrintable(QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError())));
    }

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
};

QTEST_MAIN(TestBureau)
#include "test_app_bureau.moc"
