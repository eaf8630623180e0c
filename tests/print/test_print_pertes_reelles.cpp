// Prints once lost without a word, on the real platform: a PDF on a full tmpfs (mounted as
// root), and CI's cups-pdf queue "Plivane-Refus" (.ci/prepare-print-server.sh), stopped or
// refusing jobs, then ready again; on a machine without it those tests skip.
#include "platform/widgets/QtPrinterService.h"
#include "print/CommandeImpression.h"
#include "print/ControleFile.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/Fichiers.h"
#include "tests/support/ScriptedDialogs.h"

#include <QPrinter>
#include <QRandomGenerator>
#include <pwd.h>
#include <unistd.h>

namespace {
const QString kRefus = u"Plivane-Refus"_qs;
const QString kPret = u"sh -c \"cancel -a %1; cupsaccept %1; cupsenable %1\""_qs.arg(kRefus);

QString sortie(const QString& commande)
{
    QProcess p;
    p.startCommand(commande);
    p.waitForFinished(30000);
    return QString::fromLocal8Bit(p.readAllStandardOutput()) + (p.exitCode() ? u"échec"_qs : QString());
}

struct Impression {
    QtPrinterService imprimante;
    ScriptedDialogs dialogues;
    CommandeImpression commande{imprimante, dialogues, nullptr};
    DemandeImpression demande;
    Impression()
    {
        demande.adresses = {u"Zoé Martin"_qs};
        demande.reglages.RepereCoupe = true; // C6: the whole envelope lies on the upright sheet
        std::tie(demande.reglages.LongueurEnv, demande.reglages.HauteurEnv) = std::pair(162.f, 114.f);
        demande.reglages.LogoChoisi = true; // noise, that no compression shrinks: a large PDF
        demande.reglages.Logo = QImage(160, 160, QImage::Format_RGB32);
        QRandomGenerator(12).fillRange(reinterpret_cast<quint32*>(demande.reglages.Logo.bits()), 160 * 160);
        commande.remplaceChoixAdresses([](const EntreesAdresses&) { return std::optional(QList<int>{0}); });
    }
    // The print command, or else the calibration page: the two share the printer's output.
    void imprime(bool commandeImprimer = true)
    {
        dialogues.shown.clear();
        dialogues.printAnswers = {true};
        if (commandeImprimer)
            commande.Imprimer(demande);
        else
            commande.ReglageImprimante(demande.reglages);
    }
};
} // namespace

class TestPrintPertesReelles : public QObject {
    Q_OBJECT

private slots:
    void aPdfOnAFullDiskReplacesNothing_data()
    {
        QTest::addColumn<bool>("existant"); // a file of that name, printed over; else the calibration page
        QTest::newRow("print over an existing file") << true;
        QTest::newRow("calibration page, new file") << false;
    }
    void aPdfOnAFullDiskReplacesNothing()
    {
        QFETCH(bool, existant);
        if (getuid() != 0)
            QSKIP("Mounting the small tmpfs needs root (CI runs as root).");
        QTemporaryDir dossier;
        QCOMPARE(sortie(u"mount -t tmpfs -o size=512k tmpfs "_qs + dossier.path()), QString());
        const auto demonte = qScopeGuard([&] { sortie(u"umount "_qs + dossier.path()); });
        const QString pdf = dossier.filePath(u"enveloppes.pdf"_qs);
        const QByteArray ancien = QByteArray("%PDF-1.4 ancien\n").repeated(64);
        QFile f(pdf), remplissage(dossier.filePath(u"plein"_qs));
        QVERIFY(!existant || (f.open(QIODevice::WriteOnly) && f.write(ancien) == ancien.size() && f.flush()));
        QVERIFY(remplissage.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (remplissage.write(QByteArray(4096, 'x')) == 4096) {
        }
        QVERIFY(remplissage.resize(remplissage.size() / 4096 * 4096 - 8192));

        Impression i;
        QVERIFY(i.imprimante.setOutputFileName(pdf));
        i.commande.decalages().utiliseFichier(dossier.filePath(u"absent/decalages.ini"_qs));
        i.dialogues.onShiftDialog = [&](const PrinterShiftRequest& r) { r.printCalibration({}); };
        i.imprime(existant);
        QCOMPARE(i.dialogues.shownOfKind(u"message"_qs).value(0).title, u"Contrôle d'impression"_qs);
        QCOMPARE(i.dialogues.messageTexts(), QStringList(SafePdfFile(pdf).notWhole().error()));
        QCOMPARE(contenu(pdf), existant ? ancien : QByteArray());
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files).size(), existant ? 2 : 1); // no temporary left

        remplissage.remove(); // room again: the same print replaces the file
        i.imprime(existant);
        QCOMPARE(i.dialogues.messageTexts(), QStringList());
        auto doc = pdf::ouvre(pdf);
        QVERIFY(doc && doc->numPages() == 1);
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList(u"enveloppes.pdf"_qs));
    }

    void aQueueThatWouldLoseThePrintIsNamed_data()
    {
        QTest::addColumn<QString>("avant");   // done to the queue before the print
        QTest::addColumn<QString>("pendant"); // while the run lays the page out
        QTest::addColumn<QList<Answer>>("reponses");
        QTest::addColumn<QString>("message");
        const QString refuse = u"cupsreject "_qs + kRefus, arrete = u"cupsdisable "_qs + kRefus;
        QTest::newRow("rejecting") << refuse << QString() << QList<Answer>() << MessageFileRefuse(kRefus);
        QTest::newRow("stopped, not sent") << arrete << QString() << QList{Answer::No} << QString();
        QTest::newRow("stopped, sent") << arrete << QString() << QList{Answer::Yes} << QString();
        QTest::newRow("rejecting once the run began")
            << QString() << refuse << QList<Answer>()
            << u"L'imprimante « Plivane-Refus » a refusé l'impression (elle n'accepte plus de travaux "
               u"d'impression) : rien ne sera imprimé."_qs;
    }
    void aQueueThatWouldLoseThePrintIsNamed()
    {
        QFETCH(QString, avant);
        QFETCH(QString, pendant);
        QFETCH(QList<Answer>, reponses);
        QFETCH(QString, message);
        if (!sortie(u"lpstat -v "_qs + kRefus).contains(u"cups-pdf:"_qs))
            QSKIP("No cups-pdf queue named Plivane-Refus on this machine (CI creates it with "
                  ".ci/prepare-print-server.sh); no printer was touched.");
        const auto toujoursPret = qScopeGuard([] { sortie(kPret); });
        Impression i;
        QVERIFY(i.imprimante.selectPrinter(kRefus));
        const QString jeton = u"refus%1x%2"_qs.arg(getpid()).arg(QDateTime::currentMSecsSinceEpoch());
        i.demande.reglages.NomFichier = jeton; // the job is named after the address file
        i.dialogues.questionAnswers = reponses;
        i.demande.montreAdresse = [&](int) { (void)(pendant.isEmpty() || sortie(pendant).isEmpty()); };
        QVERIFY(avant.isEmpty() || sortie(avant).isEmpty());
        const QString travaux = sortie(u"lpstat -W all -o "_qs + kRefus);
        i.imprime();
        QCOMPARE(sortie(u"lpstat -W all -o "_qs + kRefus) != travaux, reponses == QList{Answer::Yes});
        QCOMPARE(i.dialogues.messageTexts(), message.isEmpty() ? QStringList() : QStringList(message));
        const auto questions = i.dialogues.shownOfKind(u"question"_qs);
        QCOMPARE(questions.size(), reponses.size());
        QVERIFY(questions.isEmpty() || questions[0].text == QuestionFileArretee(kRefus));

        // The queue ready again: the same run prints, the crop marks on the envelope's edges
        // from the sheet's corner whatever margins the queue declares (cups-pdf rewrites the
        // fonts, its PDF is read for its ink).
        sortie(kPret);
        pendant.clear();
        i.imprime();
        QCOMPARE(i.dialogues.shown.size(), 1); // the print dialog alone
        const QDir spool(u"/var/spool/cups-pdf/"_qs + QString::fromLocal8Bit(getpwuid(getuid())->pw_name));
        const auto fichiers = [&] { return spool.entryInfoList({u"*%1*.pdf"_qs.arg(jeton)}, QDir::Files); };
        std::unique_ptr<Poppler::Document> doc; // whole once the queue has converted it
        QTRY_VERIFY_WITH_TIMEOUT(fichiers().size() == 1 &&
                                     (doc = pdf::ouvre(fichiers()[0].absoluteFilePath())) &&
                                     doc->numPages() == 1,
                                 60000);
        const QImage page = pdf::rendu(*doc, 0, 150);
        for (const QPointF& p : QList<QPointF>{{162, 5}, {5, 114}, {160, 114}, {162, 111}})
            QVERIFY2(pdf::encre(page, 150, p.x(), p.y()), qPrintable(u"%1, %2"_qs.arg(p.x()).arg(p.y())));
        QVERIFY(QFile::remove(fichiers()[0].absoluteFilePath()));
    }
};

QTEST_MAIN(TestPrintPertesReelles)
#include "test_print_pertes_reelles.moc"
