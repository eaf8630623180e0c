// Printing without the window, on the real program: the PDF of "plivane --pdf" is the one
// the window's Imprimer button makes of the same file, and every wrong command line or
// failed run ends with its French message, its status, and the previous PDF untouched.
#include "addresses/FichierAdresses.h"
#include "app/window/ImpressionLot.h"
#include "platform/QtPrinterService.h"
#include "print/DecalagesImprimantes.h"
#include "tests/app/BancForm1.h"
#include "tests/print/LecturePdf.h"

#include <QProcess>

namespace {
struct Sortie {
    int code = -1;
    QString out, err;
};

Sortie plivane(const QStringList& arguments, const QString& configuration)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the program chooses for itself
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configuration);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PLIVANE_EXECUTABLE), arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

QByteArray lit(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

class TestLot : public QObject {
    Q_OBJECT
    QTemporaryDir m_dossier;
    QString chemin(const QString& nom) const { return m_dossier.filePath(nom); }
    // The user's settings as both the window and the program read them.
    QString configuration() const { return chemin(QStringLiteral("config")); }

    QString texteSeul()
    {
        PlvDocument d;
        d.Exped = QStringLiteral("Jeanne\u00a0Dupont\r\n12 rue des Lilas\r\n75011 Paris");
        d.MargeGaucheExp = 10.5f;
        d.MargeGaucheDest = 95.25f;
        d.LongueurEnv = 229.4f;
        d.Quantite = 2;
        // Out of the list's order, two of them equal but for their case.
        d.Adresses = {QStringLiteral("Zoé Martin\u00a0Paris"), QStringLiteral("anne Dubois\u00a0Lyon"),
                      QStringLiteral("Anne Dubois\u00a0Lyon"), QStringLiteral("Émile Roux\u00a0Nantes")};
        const QString nom = chemin(QStringLiteral("Texte.PLV"));
        return FichierAdresses::EcritFichier(nom, d, {}) ? nom : QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dossier.isValid());
        DecalagesImprimantes(configuration() + QStringLiteral("/Plivane/Plivane.conf"))
            .enregistre(QtPrinterService::pdfOutputName(), {Mm(1.5), Mm(-2)});
    }

    void pdfCommeLaFenetre_data()
    {
        QTest::addColumn<QString>("plv");
        // A logo, sideways, crop marks, three copies of three addresses; then the sender's text.
        QTest::newRow("Amis.PLV") << QStringLiteral(PLIVANE_TEST_DATA "/plv/Amis.PLV");
        QTest::newRow("texte") << texteSeul();
    }
    void pdfCommeLaFenetre()
    {
        QFETCH(QString, plv);
        const QString fenetre = chemin(QStringLiteral("fenetre.pdf"));
        const QString lot = chemin(QStringLiteral("lot.pdf"));
        {
            Banc<QtPrinterService> b;
            b.f->impression().decalages().utiliseFichier(configuration() + QStringLiteral("/Plivane/Plivane.conf"));
            QVERIFY(b.imprimante.setOutputFileName(fenetre));
            QVERIFY(b.f->Ouvre(plv));
            b.choisitTout();
            b.dialogs.printAnswers = {true};
            b.c().Imprimer->click();
            QCOMPARE(b.dialogs.messageTexts(), QStringList());
        }
        const Sortie s = plivane({QStringLiteral("--pdf"), lot, plv}, configuration());
        QCOMPARE(s.err, QString());
        QCOMPARE(s.code, 0);

        const auto a = pdf::ouvre(fenetre);
        const auto b = pdf::ouvre(lot);
        QVERIFY(a && b);
        QVERIFY(a->numPages() > 0);
        QCOMPARE(b->numPages(), a->numPages());
        QCOMPARE(s.out, ImpressionLot::Resume(LigneCommande::Mode::Pdf, a->numPages(), lot) + u'\n');
        for (int page = 0; page < a->numPages(); ++page) {
            QCOMPARE(pdf::tailleMm(*b, page), pdf::tailleMm(*a, page));
            const QList<pdf::Mot> ma = pdf::mots(*a, page);
            const QList<pdf::Mot> mb = pdf::mots(*b, page);
            QCOMPARE(mb.size(), ma.size());
            for (qsizetype i = 0; i < ma.size(); ++i) {
                QCOMPARE(mb[i].texte, ma[i].texte);
                const QPointF ecart = mb[i].mm.topLeft() - ma[i].mm.topLeft();
                QVERIFY2(qAbs(ecart.x()) <= 0.01 && qAbs(ecart.y()) <= 0.01,
                         qPrintable(QStringLiteral("page %1, « %2 » à %3 mm, %4 mm")
                                        .arg(page).arg(ma[i].texte).arg(ecart.x()).arg(ecart.y())));
            }
            // The pictures and the crop marks too.
            QCOMPARE(pdf::compareEncre(pdf::rendu(*a, page, 72), pdf::rendu(*b, page, 72)).seuls, 0);
        }
    }

    void refusEtEchecs_data()
    {
        const QString plv = texteSeul();
        PlvDocument douzeLignes;
        douzeLignes.Exped = QStringList(12, QStringLiteral("ligne")).join(QStringLiteral("\r\n"));
        douzeLignes.Adresses = {QStringLiteral("Anne")};
        const QString trop = chemin(QStringLiteral("Douze.PLV"));
        QVERIFY(FichierAdresses::EcritFichier(trop, douzeLignes, {}));
        const QString pdf = chemin(QStringLiteral("precedent.pdf"));

        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");  // in the standard output for 0, the error otherwise
        QTest::newRow("--aide") << QStringList{"--aide"} << 0 << LigneCommande::usage();
        QTest::newRow("--pdf alone") << QStringList{"--pdf"} << 2 << "--pdf attend le fichier PDF";
        QTest::newRow("--imprimante without file") << QStringList{"--imprimante", "Plivane-PDF"} << 2
                                                   << "--imprimante attend le nom de la file";
        QTest::newRow("two files") << QStringList{"--pdf", pdf, plv, plv} << 2 << "un seul fichier d'adresses";
        QTest::newRow("option as file") << QStringList{"--pdf", pdf, "-x"} << 2 << "option inconnue « -x »";
        QTest::newRow("the PDF over the addresses") << QStringList{"--pdf", plv, plv} << 2
                                                    << "est le fichier d'adresses lui-même";
        QTest::newRow("no such file") << QStringList{"--pdf", pdf, chemin("Absent.PLV")} << 1 << "Absent.PLV";
        QTest::newRow("no such queue") << QStringList{"--imprimante", "Aucune-File", plv} << 1
                                       << "L'imprimante « Aucune-File » est introuvable.";
        QTest::newRow("no such folder") << QStringList{"--pdf", chemin("absent/sortie.pdf"), plv} << 1 << "sortie.pdf";
        QTest::newRow("twelve sender lines") << QStringList{"--pdf", pdf, trop} << 1 << "compte 12 lignes";
    }
    void refusEtEchecs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        const QString pdf = chemin(QStringLiteral("precedent.pdf"));
        const QByteArray precedent = "%PDF-1.4 le PDF d'avant\n";
        ecritFichier(pdf, precedent);

        const Sortie s = plivane(arguments, configuration());
        QCOMPARE(s.code, code);
        QVERIFY2((code == 0 ? s.out : s.err).contains(message), qPrintable(s.out + s.err));
        if (code != 0) {
            QCOMPARE(s.out, QString());
            QVERIFY2(s.err.startsWith(QStringLiteral("plivane : ")), qPrintable(s.err));
        }
        QCOMPARE(lit(pdf), precedent);
    }
};

QTEST_MAIN(TestLot)
#include "test_app_lot.moc"
