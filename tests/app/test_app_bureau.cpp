// The program on a Linux desktop: its menu entry and its .PLV file type validate with the
// desktop's own tools.

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {
const QString kDossier = QStringLiteral(PLIVANE_SOURCE_DIR "/app/desktop/");

QString lit(const QString& nom)
{
    QFile f(kDossier + nom);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Runs a tool; its output when it fails.
QString echecDe(const QString& outil, const QStringList& arguments)
{
    QProcess p;
    p.start(outil, arguments);
    if (!p.waitForFinished(60000))
        return outil + QStringLiteral(" ne répond pas");
    const QString sortie = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return sortie.isEmpty() ? outil + QStringLiteral(" a échoué") : sortie;
    return {};
}
} // namespace

class TestBureau : public QObject {
    Q_OBJECT
private slots:
    void entreeDeMenuValide()
    {
        const QString entree = lit(QStringLiteral("plivane.desktop"));
        for (const char* ligne :
             {"Exec=plivane %f", "Comment=Imprimer des adresses postales sur des enveloppes",
              "MimeType=application/x-plivane;", "Icon=plivane"})
            QVERIFY2(entree.contains(u'\n' + QString::fromUtf8(ligne) + u'\n'), ligne);
        const QString outil = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (outil.isEmpty())
            QSKIP("desktop-file-validate n'est pas installé");
        const QString echec = echecDe(outil, {kDossier + QStringLiteral("plivane.desktop")});
        QVERIFY2(echec.isEmpty(), qPrintable(echec));
    }

    void typeDeFichierPlvValide()
    {
        const QString type = lit(QStringLiteral("plivane-mime.xml"));
        QVERIFY(type.contains(QStringLiteral("<glob pattern=\"*.PLV\"/>")));
        const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
        if (xmllint.isEmpty())
            QSKIP("xmllint n'est pas installé");
        QString echec =
            echecDe(xmllint, {QStringLiteral("--noout"), kDossier + QStringLiteral("plivane-mime.xml")});
        QVERIFY2(echec.isEmpty(), qPrintable(echec));

    }

};

QTEST_MAIN(TestBureau)
#include "test_app_bureau.moc"
