// The program on a Linux desktop: its menu entry and its .PLV file type validate with the
// desktop's own tools, and the command line takes one address file and nothing else.
#include "app/window/LigneCommande.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
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

        // The desktop's own database compiler reads it, and both spellings map to the type.
        const QString compilateur = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        if (compilateur.isEmpty())
            return;
        QTemporaryDir base;
        QVERIFY(QDir(base.path()).mkpath(QStringLiteral("packages")));
        QVERIFY(QFile::copy(kDossier + QStringLiteral("plivane-mime.xml"),
                            base.filePath(QStringLiteral("packages/plivane.xml"))));
        echec = echecDe(compilateur, {base.path()});
        QVERIFY2(echec.isEmpty(), qPrintable(echec));
        QFile globs(base.filePath(QStringLiteral("globs2")));
        QVERIFY(globs.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(globs.readAll()).contains(QStringLiteral("application/x-plivane:*.plv")));
    }

    void ligneDeCommande()
    {
        // Nothing: a new envelope. One file, made absolute: the title and the next save
        // dialog show where it is.
        const auto rien = LigneCommande::lit({});
        QVERIFY(rien.isOk() && !rien.value().fichier.has_value());
        const auto un = LigneCommande::lit({QStringLiteral("Amis.PLV")});
        QVERIFY(un.isOk());
        QCOMPARE(*un.value().fichier, QDir::current().absoluteFilePath(QStringLiteral("Amis.PLV")));
        QCOMPARE(*LigneCommande::lit({QStringLiteral("/tmp/Mes adresses.plv")}).value().fichier,
                 QStringLiteral("/tmp/Mes adresses.plv"));

        // Anything else: the reason and the usage line, in French.
        for (const QStringList& refusee : {QStringList{"a.PLV", "b.PLV"}, QStringList{"-style", "fusion"},
                                           QStringList{"--help"}, QStringList{""}}) {
            const auto r = LigneCommande::lit(refusee);
            QVERIFY2(!r.isOk(), qPrintable(refusee.join(u' ')));
            QVERIFY(r.error().startsWith(QStringLiteral("plivane : ")));
            QVERIFY(r.error().endsWith(LigneCommande::usage()));
        }
        QVERIFY(LigneCommande::usage().startsWith(QStringLiteral("Usage : plivane [FICHIER.PLV]")));
    }
};

QTEST_MAIN(TestBureau)
#include "test_app_bureau.moc"
