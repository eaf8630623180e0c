// A print run through a real CUPS queue: the cups-pdf queue "Plivane-PDF" that the CI
// machine sets up (.ci/prepare-print-server.sh), writing to /var/spool/cups-pdf/<user>.
// On any other machine the test skips and leaves the printers alone. cups-pdf rewrites
// the fonts, so its PDF is checked for its pages and, rasterised, for the crop marks at
// their physical place.
#include "platform/QtPrinterService.h"
#include "print/CommandeImpression.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QThread>
#include <QtTest>
#include <pwd.h>
#include <unistd.h>

namespace {
const QString kFile = u"Plivane-PDF"_qs;
constexpr double kDpi = 150;

bool fileCupsPdf()
{
    if (QPrinterInfo::printerInfo(kFile).isNull())
        return false;
    QProcess lpstat;
    lpstat.start(u"lpstat"_qs, {u"-v"_qs, kFile});
    return lpstat.waitForFinished(10000) && lpstat.exitCode() == 0 &&
           QString::fromLocal8Bit(lpstat.readAllStandardOutput()).contains(u"cups-pdf:"_qs);
}

// Where the CI's cups-pdf writes the current user's PDFs.
QString dossierCupsPdf()
{
    const passwd* pw = getpwuid(getuid());
    return pw ? u"/var/spool/cups-pdf/"_qs + QString::fromLocal8Bit(pw->pw_name) : QString();
}

// The queue converts in the background: waits for a whole PDF bearing the job's name.
std::unique_ptr<Poppler::Document> attendPdf(const QString& dossier, const QString& jeton, QString& chemin)
{
    const QDeadlineTimer delai(120000);
    while (!delai.hasExpired()) {
        for (const QFileInfo& f : QDir(dossier).entryInfoList({u"*%1*.pdf"_qs.arg(jeton)}, QDir::Files)) {
            auto lu = pdf::ouvre(f.absoluteFilePath());
            if (lu && lu->numPages() > 0) {
                chemin = f.absoluteFilePath();
                return lu;
            }
        }
        QThread::msleep(250);
    }
    return nullptr;
}
}  // namespace

class TestPrintCups : public QObject {
    Q_OBJECT
private slots:
    void threeEnvelopesThroughTheQueue()
    {
        if (!fileCupsPdf())
            QSKIP("No cups-pdf queue named Plivane-PDF on this machine (CI creates it with "
                  ".ci/prepare-print-server.sh); no printer was touched.");
        const QString dossier = dossierCupsPdf();

        QtPrinterService imprimante;
        QVERIFY(imprimante.selectPrinter(kFile));
        const QString jeton = u"plivane%1x%2"_qs.arg(QCoreApplication::applicationPid())
                                  .arg(QDateTime::currentMSecsSinceEpoch());
        imprimante.printer().setDocName(jeton);
        ScriptedDialogs dialogues;
        dialogues.printAnswers = {true};
        CommandeImpression commande(imprimante, dialogues, nullptr);
        commande.remplaceChoixAdresses([](const QStringList&) { return std::optional<QList<int>>({0, 1, 2}); });
        DemandeImpression demande;
        demande.reglages.LongueurEnv = 162;
        demande.reglages.HauteurEnv = 114;
        demande.reglages.MargeGaucheDest = 60;
        demande.reglages.RepereCoupe = true;
        demande.texteExpediteur = u"Expéditeur"_qs;
        demande.adresses = {u"Alice"_qs, u"Bernard"_qs, u"Chloé"_qs};
        commande.Imprimer(demande);
        QCOMPARE(dialogues.messageTexts(), QStringList());

        QString chemin;
        const auto doc = attendPdf(dossier, jeton, chemin);
        QVERIFY2(doc, qPrintable(u"no PDF named after %1 in %2"_qs.arg(jeton, dossier)));
        const auto menage = qScopeGuard([&chemin] { QFile::remove(chemin); });
        QCOMPARE(doc->numPages(), 3);
        // The marks sit on the envelope's edges from the sheet's corner, whatever margins
        // the queue declares, on the first page only.
        const QImage premiere = pdf::rendu(*doc, 0, kDpi);
        const QImage deuxieme = pdf::rendu(*doc, 1, kDpi);
        for (const QPointF& p : QList<QPointF>{{162, 5}, {5, 114}, {160, 114}, {162, 111}}) {
            QVERIFY2(pdf::encre(premiere, kDpi, p.x(), p.y()), qPrintable(u"%1, %2"_qs.arg(p.x()).arg(p.y())));
            QVERIFY(!pdf::encre(deuxieme, kDpi, p.x(), p.y()));
        }
    }
};

QTEST_MAIN(TestPrintCups)
#include "test_print_cups.moc"
