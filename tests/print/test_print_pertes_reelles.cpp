// Prints that used to be lost without a word, on the real platform: a PDF on a full disk
// (a small tmpfs, mounted when the test runs as root), and the cups-pdf queue
// "Plivane-Refus" that CI prepares (.ci/prepare-print-server.sh), stopped or made to
// refuse jobs here and put back ready afterwards. Elsewhere these tests skip.
#include "platform/QtPrinterService.h"
#include "print/AlignementImprimante.h"
#include "print/CommandeImpression.h"
#include "print/ControleFile.h"
#include "print/TestsImprimante.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <pwd.h>
#include <unistd.h>

namespace {
const QString kRefus = u"Plivane-Refus"_qs;

QString sortie(const QString& programme, const QStringList& arguments)
{
    QProcess p;
    p.start(programme, arguments);
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
        // A logo no compression shrinks: the PDF is far larger than the room left.
        demande.reglages.LogoChoisi = true;
        demande.reglages.Logo = QImage(160, 160, QImage::Format_RGB32);
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 160; ++x)
                demande.reglages.Logo.setPixel(x, y, qHash(x * 1000 + y));
        commande.remplaceChoixAdresses([](const QStringList&) { return std::optional(QList<int>{0}); });
    }
    void imprime()
    {
        dialogues.printAnswers = {true};
        commande.Imprimer(demande);
    }
};
}  // namespace

class TestPrintPertesReelles : public QObject {
    Q_OBJECT

private slots:
    // Through the print command and the calibration page alike.
    void aPdfOnAFullDiskReplacesNothing_data()
    {
        QTest::addColumn<bool>("existant");
        QTest::newRow("print over an existing file") << true;
        QTest::newRow("calibration page, new file") << false;
    }
    void aPdfOnAFullDiskReplacesNothing()
    {
        QFETCH(bool, existant);
        if (getuid() != 0)
            QSKIP("Mounting the small tmpfs needs root (CI runs as root).");
        QTemporaryDir dossier;
        QVERIFY(QProcess::execute(u"mount"_qs, {u"-t"_qs, u"tmpfs"_qs, u"-o"_qs, u"size=512k"_qs, u"tmpfs"_qs,
                                                dossier.path()}) == 0);
        const auto demonte = qScopeGuard([&] { QProcess::execute(u"umount"_qs, {dossier.path()}); });
        const QString pdf = dossier.filePath(u"enveloppes.pdf"_qs);
        const QByteArray ancien = QByteArray("%PDF-1.4 ancien\n").repeated(64);
        QFile remplissage(dossier.filePath(u"plein"_qs));
        QVERIFY(remplissage.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        if (existant) {
            QFile f(pdf);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(ancien) == ancien.size());
        }
        while (remplissage.write(QByteArray(4096, 'x')) == 4096) {
        }
        QVERIFY(remplissage.resize(remplissage.size() / 4096 * 4096 - 8192));

        Impression i;
        QVERIFY(i.imprimante.setOutputFileName(pdf));
        DecalagesImprimantes decalages(dossier.filePath(u"absent/decalages.ini"_qs));
        AlignementImprimante alignement(i.imprimante, i.dialogues, decalages);
        const auto imprime = [&] {
            existant ? i.imprime() : (i.dialogues.printAnswers = {true}, alignement.ImprimeCalibrage({}));
        };
        imprime();
        QCOMPARE(i.dialogues.messageTexts().size(), 1);
        QCOMPARE(i.dialogues.shown.last().title, kTitreControleImpression);
        QVERIFY(i.dialogues.messageTexts()[0].startsWith(
            u"Le fichier « %1 » n'a pas pu être écrit en entier"_qs.arg(pdf)));
        QFile avant(pdf);
        QCOMPARE(avant.open(QIODevice::ReadOnly) ? avant.readAll() : QByteArray("absent"),
                 existant ? ancien : "absent");
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files),
                 (existant ? QStringList{u"enveloppes.pdf"_qs, u"plein"_qs} : QStringList{u"plein"_qs}));

        remplissage.remove();  // room again: the same print replaces the file
        i.dialogues.shown.clear();
        imprime();
        QCOMPARE(i.dialogues.messageTexts().join(u"/"_qs), QString());
        auto doc = pdf::ouvre(pdf);
        QVERIFY(doc && doc->numPages() == 1);
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList(u"enveloppes.pdf"_qs));
    }

    void aQueueThatWouldLoseThePrintIsNamed_data()
    {
        QTest::addColumn<QString>("avant");    // done to the queue before the print
        QTest::addColumn<QString>("pendant");  // while the run lays the page out
        QTest::addColumn<QList<Answer>>("reponses");
        QTest::addColumn<bool>("envoye");
        QTest::addColumn<QString>("message");
        QTest::newRow("rejecting") << u"cupsreject"_qs << QString() << QList<Answer>() << false
                                   << MessageFileRefuse(kRefus);
        QTest::newRow("stopped, not sent") << u"cupsdisable"_qs << QString() << QList<Answer>{Answer::No} << false
                                           << QString();
        QTest::newRow("stopped, sent") << u"cupsdisable"_qs << QString() << QList<Answer>{Answer::Yes} << true
                                       << QString();
        QTest::newRow("rejecting once the run began")
            << QString() << u"cupsreject"_qs << QList<Answer>() << false
            << u"L'imprimante « Plivane-Refus » a refusé l'impression (elle n'accepte plus de travaux "
               u"d'impression) : rien ne sera imprimé."_qs;
    }
    void aQueueThatWouldLoseThePrintIsNamed()
    {
        QFETCH(QString, avant);
        QFETCH(QString, pendant);
        QFETCH(QList<Answer>, reponses);
        QFETCH(bool, envoye);
        QFETCH(QString, message);
        if (QPrinterInfo::printerInfo(kRefus).isNull() ||
            !sortie(u"lpstat"_qs, {u"-v"_qs, kRefus}).contains(u"cups-pdf:"_qs))
            QSKIP("No cups-pdf queue named Plivane-Refus on this machine (CI creates it with "
                  ".ci/prepare-print-server.sh); no printer was touched.");
        const auto pret = [] {
            for (const QString& commande : {u"cancel -a"_qs, u"cupsaccept"_qs, u"cupsenable"_qs})
                QProcess::execute(u"sh"_qs, {u"-c"_qs, commande + u" "_qs + kRefus});
        };
        const auto toujoursPret = qScopeGuard(pret);
        Impression i;
        QVERIFY(i.imprimante.selectPrinter(kRefus));
        const QString jeton = u"refus%1x%2"_qs.arg(QCoreApplication::applicationPid())
                                  .arg(QDateTime::currentMSecsSinceEpoch());
        i.imprimante.printer().setDocName(jeton);
        i.dialogues.questionAnswers = reponses;
        i.demande.montreAdresse = [&](int) {
            if (!pendant.isEmpty())
                sortie(pendant, {kRefus});
        };
        if (!avant.isEmpty())
            QCOMPARE(sortie(avant, {kRefus}), QString());
        const QStringList lpstat = {u"-W"_qs, u"all"_qs, u"-o"_qs, kRefus};
        const QString travaux = sortie(u"lpstat"_qs, lpstat);
        i.imprime();
        QCOMPARE(sortie(u"lpstat"_qs, lpstat) != travaux, envoye);
        QCOMPARE(i.dialogues.messageTexts(), message.isEmpty() ? QStringList() : QStringList(message));
        const auto questions = i.dialogues.shownOfKind(u"question"_qs);
        QCOMPARE(questions.size(), reponses.size());
        if (!reponses.isEmpty())
            QCOMPARE(questions[0].text, QuestionFileArretee(kRefus));

        // The queue ready again: the same run prints.
        pret();
        pendant.clear();
        i.dialogues.shown.clear();
        i.imprime();
        QCOMPARE(i.dialogues.shown.size(), 1);  // the print dialog alone
        const passwd* moi = getpwuid(getuid());
        const QDir spool(u"/var/spool/cups-pdf/"_qs + QString::fromLocal8Bit(moi ? moi->pw_name : ""));
        const QDeadlineTimer delai(60000);
        QStringList pdfs;
        while (pdfs.isEmpty() && !delai.hasExpired()) {
            QThread::msleep(200);
            pdfs = spool.entryList({u"*%1*.pdf"_qs.arg(jeton)}, QDir::Files);
        }
        QCOMPARE(pdfs.size(), 1);
        QFile::remove(spool.filePath(pdfs[0]));
    }
};

QTEST_MAIN(TestPrintPertesReelles)
#include "test_print_pertes_reelles.moc"
