// Printers nobody here wrote, made by .ci/prepare-print-server.sh: IPP Everywhere printers
// simulated by CUPS's ippeveprinter behind queues made as a desktop makes them, which keep
// each document beside the job's attributes as they received them, and driver queues
// (cups-pdf, brlaser). On a machine without them these tests skip.
#include "layout/VerificationEnveloppes.h"
#include "platform/widgets/QtPrinterService.h"
#include "print/AlignementImprimante.h"
#include "print/CommandeImpression.h"
#include "print/SuiviTravail.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/ScriptedDialogs.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cups/raster.h>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace {
const QString kSpool = u"/var/spool/plivane/imprimantes/"_qs;
constexpr double kDpi = 150;

bool fileExiste(const QString& file)
{
    QProcess p;
    p.start(u"lpstat"_qs, {u"-v"_qs, file});
    return p.waitForFinished(10000) && p.exitCode() == 0;
}

// A black logo, 96 x 48 pixels: 25.4 x 12.7 mm, the leftmost and topmost ink.
QImage logo()
{
    QImage image(96, 48, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

struct Impression {
    QTemporaryDir dossier;
    QtPrinterService imprimante;
    ScriptedDialogs dialogues;
    CommandeImpression commande{imprimante, dialogues, nullptr};
    DemandeImpression demande;
    QString jeton = u"essai%1x%2"_qs.arg(getpid()).arg(QDateTime::currentMSecsSinceEpoch());

    Impression(float longueur, float hauteur, Papier papier, std::optional<QString> bac = {})
    {
        demande.adresses = {u"M. Zoé Martin\u00145 place du Marché\u001475001 PARIS"_qs};
        std::tie(demande.reglages.LongueurEnv, demande.reglages.HauteurEnv) = std::pair(longueur, hauteur);
        demande.reglages.LogoChoisi = true;
        demande.reglages.Logo = logo();
        demande.reglages.MargeGaucheExp = 12;
        demande.reglages.MargeHauteExp = 15;
        demande.reglages.MargeGaucheDest = 90;
        demande.reglages.Quantite = 2;
        demande.reglages.NomFichier = jeton; // the job is named after the address file
        commande.decalages().utiliseFichier(dossier.filePath(u"reglages.ini"_qs));
        commande.decalages().force(papier, std::move(bac));
        commande.remplaceChoixAdresses([](const EntreesAdresses&) { return std::optional(QList<int>{0}); });
    }
    void imprime()
    {
        dialogues.printAnswers = {true};
        commande.Imprimer(demande);
    }
    // What the server says of the job once it has ended.
    JobOutcome fin()
    {
        const std::optional<PrintJob> travail = imprimante.lastJob();
        if (!travail)
            return {};
        QElapsedTimer depuis;
        depuis.start();
        JobOutcome issue = imprimante.jobOutcome(*travail);
        while (!SuiviTravail::termine(issue) && depuis.elapsed() < 60000) {
            QThread::msleep(100);
            issue = imprimante.jobOutcome(*travail);
        }
        return issue;
    }
};

// The first page of PWG raster, as a laser receives it, in grey, and how many pages follow.
QImage litRaster(const QString& chemin, double& dpi, int& pages)
{
    const int fd = open(QFile::encodeName(chemin).constData(), O_RDONLY);
    cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_READ);
    cups_page_header2_t entete;
    QImage page;
    if (raster && cupsRasterReadHeader2(raster, &entete) && entete.cupsColorSpace == CUPS_CSPACE_SW) {
        dpi = entete.HWResolution[0];
        page = QImage(int(entete.cupsWidth), int(entete.cupsHeight), QImage::Format_Grayscale8);
        QByteArray ligne(int(entete.cupsBytesPerLine), '\0');
        for (int y = 0; y < page.height(); ++y) {
            cupsRasterReadPixels(raster, reinterpret_cast<unsigned char*>(ligne.data()),
                                 entete.cupsBytesPerLine);
            uchar* pixels = page.scanLine(y);
            for (int x = 0; x < page.width(); ++x)
                pixels[x] = entete.cupsBitsPerPixel == 1 ? ((ligne[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0)
                                                         : uchar(ligne[x]);
        }
        for (pages = 1; cupsRasterReadHeader2(raster, &entete); ++pages)
            for (unsigned y = 0; y < entete.cupsHeight; ++y)
                cupsRasterReadPixels(raster, reinterpret_cast<unsigned char*>(ligne.data()),
                                     entete.cupsBytesPerLine);
    }
    cupsRasterClose(raster);
    close(fd);
    return page;
}

// The page a printer received as job `jeton`, and the job's attributes as it had them.
struct Recu {
    QHash<QString, QString> attributs;
    QImage page;
    double dpi = kDpi;
    int pages = 0;
};

std::optional<Recu> recu(const QString& imprimante, const QString& jeton)
{
    const QDir dossier(kSpool + imprimante);
    for (const QFileInfo& fichier : dossier.entryInfoList({u"*.attributs"_qs}, QDir::Files, QDir::Time)) {
        QFile f(fichier.absoluteFilePath());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        Recu r;
        for (const QString& ligne : QString::fromUtf8(f.readAll()).split(u'\n'))
            r.attributs.insert(ligne.section(u'=', 0, 0), ligne.section(u'=', 1));
        if (!r.attributs.value(u"IPP_JOB_NAME"_qs).contains(jeton))
            continue;
        const QString document = fichier.absoluteFilePath().chopped(QStringLiteral(".attributs").size());
        if (document.endsWith(u".pwg"_qs)) {
            r.page = litRaster(document, r.dpi, r.pages);
        } else if (auto pdfRecu = pdf::ouvre(document)) {
            r.page = pdf::rendu(*pdfRecu, 0, kDpi);
            r.pages = pdfRecu->numPages();
        }
        return r;
    }
    return std::nullopt;
}

QString texte(const QRectF& r)
{
    return u"(%1, %2) %3 x %4 mm"_qs.arg(r.left(), 0, 'f', 2)
        .arg(r.top(), 0, 'f', 2)
        .arg(r.width(), 0, 'f', 2)
        .arg(r.height(), 0, 'f', 2);
}

bool memesBornes(const QRectF& a, const QRectF& b)
{
    constexpr double kTolerance = 0.5;
    return qAbs(a.left() - b.left()) <= kTolerance && qAbs(a.top() - b.top()) <= kTolerance &&
           qAbs(a.right() - b.right()) <= kTolerance && qAbs(a.bottom() - b.bottom()) <= kTolerance;
}
} // namespace

class TestPrintImprimantes : public QObject {
    Q_OBJECT

private slots:
    // The envelope itself as the page: the printer gets the medium it lists for the
    // size, from the source where it says that envelope is loaded (else its envelope
    // source), as an envelope, in the copies asked for; the page comes out turned as the
    // feed edge says, at its natural size, the logo where the geometry puts it.
    void lEnveloppeEstLaPage_data()
    {
        QTest::addColumn<QString>("imprimante");
        QTest::addColumn<float>("longueur");
        QTest::addColumn<float>("hauteur");
        QTest::addColumn<FeedEdge>("entree");
        QTest::addColumn<QString>("taille");
        QTest::addColumn<QString>("source");
        QTest::newRow("inkjet DL, right edge first")
            << u"jet-encre"_qs << 220.f << 110.f << FeedEdge::Right
            << u"x-dimension=11000 y-dimension=22000"_qs << u"by-pass-tray"_qs;
        QTest::newRow("inkjet C6, left edge first")
            << u"jet-encre"_qs << 162.f << 114.f << FeedEdge::Left
            << u"x-dimension=11400 y-dimension=16200"_qs << u"by-pass-tray"_qs;
        QTest::newRow("laser C5 in its feeder")
            << u"laser"_qs << 229.f << 162.f << FeedEdge::Right << u"x-dimension=16200 y-dimension=22900"_qs
            << u"envelope"_qs;
        QTest::newRow("laser DL, left edge first")
            << u"laser"_qs << 220.f << 110.f << FeedEdge::Left << u"x-dimension=11000 y-dimension=22000"_qs
            << u"envelope"_qs;
    }
    void lEnveloppeEstLaPage()
    {
        QFETCH(QString, imprimante);
        QFETCH(float, longueur);
        QFETCH(float, hauteur);
        QFETCH(FeedEdge, entree);
        QFETCH(QString, taille);
        QFETCH(QString, source);
        const QString file = u"Plivane-"_qs + (imprimante == u"laser"_qs ? u"Laser"_qs : u"Jet-Encre"_qs);
        if (!fileExiste(file))
            QSKIP("No simulated printers on this machine (CI makes them); no printer was touched.");

        // What the program means: its own PDF of the same envelope.
        Impression reference(longueur, hauteur, Papier::Enveloppe);
        reference.demande.reglages.Quantite = 1;
        QVERIFY(reference.imprimante.setOutputFileName(reference.dossier.filePath(u"reference.pdf"_qs)));
        reference.imprime();
        const auto attendu = pdf::ouvre(reference.dossier.filePath(u"reference.pdf"_qs));
        QVERIFY(attendu);
        const QSizeF page = pdf::tailleMm(*attendu, 0);
        QVERIFY(qAbs(page.width() - longueur) < 0.5 && qAbs(page.height() - hauteur) < 0.5);
        const QRectF encreAttendue = pdf::encreMm(pdf::rendu(*attendu, 0, kDpi), kDpi);
        QVERIFY2(qAbs(encreAttendue.left() - 12) <= 0.5 && qAbs(encreAttendue.top() - 15) <= 0.5,
                 qPrintable(texte(encreAttendue)));

        Impression i(longueur, hauteur, Papier::Enveloppe);
        QVERIFY(i.commande.decalages().enregistreInstallation(file, {Papier::FeuilleA4, {}, entree}));
        QVERIFY(i.imprimante.selectPrinter(file));
        i.imprime();
        QCOMPARE(i.dialogues.messageTexts(), QStringList());
        QCOMPARE(i.fin().state, JobOutcome::State::Completed);
        std::optional<Recu> r;
        QTRY_VERIFY_WITH_TIMEOUT((r = recu(imprimante, i.jeton)).has_value(), 30000);
        const QString media = r->attributs.value(u"IPP_MEDIA_COL"_qs);
        QVERIFY2(media.contains(taille) && media.contains(u"media-source="_qs + source) &&
                     media.contains(u"media-type=envelope"_qs),
                 qPrintable(media));
        // The copies, asked of the printer or made by the queue's raster filter.
        QVERIFY2(
            r->attributs.value(u"IPP_COPIES"_qs) == u"2"_qs || r->pages == 2,
            qPrintable(u"%1 pages, copies=%2"_qs.arg(r->pages).arg(r->attributs.value(u"IPP_COPIES"_qs))));
        // Each envelope's copies together, as a print to a file gives them.
        QVERIFY(!r->attributs.contains(u"IPP_COPIES"_qs) ||
                r->attributs.value(u"IPP_MULTIPLE_DOCUMENT_HANDLING"_qs) ==
                    u"separate-documents-uncollated-copies"_qs);
        QVERIFY(!r->page.isNull());
        QCOMPARE(r->page.width() < r->page.height(), true); // the envelope fed short edge first
        const QImage remise = r->page.transformed(QTransform().rotate(entree == FeedEdge::Right ? 90 : -90));
        const QRectF encreRecue = pdf::encreMm(remise, r->dpi);
        QVERIFY2(memesBornes(encreRecue, encreAttendue),
                 qPrintable(texte(encreRecue) + u" received, "_qs + texte(encreAttendue) + u" meant"_qs));
    }

    // The calibration page on the envelope itself says which edge went in first: on the
    // sheet as the printer took it, that edge is the top one.
    void laPageDeCalibrageMontreLeBordEntre_data()
    {
        QTest::addColumn<FeedEdge>("entree");
        QTest::newRow("left edge first") << FeedEdge::Left;
        QTest::newRow("right edge first") << FeedEdge::Right;
    }
    void laPageDeCalibrageMontreLeBordEntre()
    {
        QFETCH(FeedEdge, entree);
        if (!fileExiste(u"Plivane-Jet-Encre"_qs))
            QSKIP("No simulated printers on this machine (CI makes them); no printer was touched.");
        Impression i(220, 110, Papier::Enveloppe);
        QVERIFY(i.imprimante.selectPrinter(u"Plivane-Jet-Encre"_qs));
        i.dialogues.printAnswers = {true};
        AlignementImprimante(i.imprimante, i.dialogues, i.commande.decalages())
            .ImprimeCalibrage(i.demande.reglages, InstallationImprimante{Papier::Enveloppe, {}, entree});
        QCOMPARE(i.dialogues.messageTexts(), QStringList());
        QCOMPARE(i.fin().state, JobOutcome::State::Completed);
        std::optional<Recu> r;
        QTRY_VERIFY_WITH_TIMEOUT((r = recu(u"jet-encre"_qs, i.jeton)).has_value(), 30000);
        QVERIFY2(r->attributs.value(u"IPP_MEDIA_COL"_qs).contains(u"x-dimension=11000 y-dimension=22000"_qs),
                 qPrintable(r->attributs.value(u"IPP_MEDIA_COL"_qs)));
        const QString document = QDir(kSpool + u"jet-encre"_qs)
                                     .entryInfoList({u"*%1*.pdf"_qs.arg(i.jeton.toLower())})
                                     .value(0)
                                     .filePath();
        auto doc = pdf::ouvre(document);
        QVERIFY2(doc, qPrintable(document));
        const std::optional<pdf::Mot> mot = pdf::mot(*doc, 0, u"premier"_qs);
        QVERIFY(mot);
        QVERIFY2(mot->mm.bottom() < 60, qPrintable(texte(mot->mm))); // near the top, as it went in
    }

    // A driver queue (brlaser, a Brother laser) gets the envelope too: its printer is told
    // the envelope's size, an envelope media type and the source, named by the source's
    // IPP keyword or by the driver's own name.
    void laFileAvecPiloteRecoitLEnveloppe_data()
    {
        QTest::addColumn<std::optional<QString>>("bac");
        QTest::addColumn<QString>("tiroir");
        QTest::newRow("multi-purpose tray, chosen by the program") << std::optional<QString>() << u"MP"_qs;
        QTest::newRow("the driver's name") << std::optional(u"Manual"_qs) << u"MANUAL"_qs;
        QTest::newRow("an IPP keyword") << std::optional(u"tray-2"_qs) << u"T2"_qs;
    }
    void laFileAvecPiloteRecoitLEnveloppe()
    {
        QFETCH(std::optional<QString>, bac);
        QFETCH(QString, tiroir);
        if (!fileExiste(u"Plivane-Brother"_qs))
            QSKIP("No brlaser queue on this machine (CI makes it); no printer was touched.");
        Impression i(220, 110, Papier::Enveloppe, bac);
        QVERIFY(i.imprimante.selectPrinter(u"Plivane-Brother"_qs));
        i.imprime();
        QCOMPARE(i.dialogues.messageTexts(), QStringList());
        QCOMPARE(i.fin().state, JobOutcome::State::Completed);
        QFile sortie(u"/var/spool/plivane/brother.prn"_qs);
        QVERIFY(sortie.open(QIODevice::ReadOnly));
        const QByteArray pjl = sortie.read(2048);
        QVERIFY2(pjl.contains(i.jeton.toUtf8()), pjl.constData()); // this job's output
        for (const QByteArray& attendu :
             {QByteArray("PAPER = DL"), QByteArray("MEDIATYPE = ENV"), "SOURCETRAY = " + tiroir.toUtf8()})
            QVERIFY2(pjl.contains(attendu), attendu.constData());
    }

    // On an A4 sheet laid sideways, an IPP Everywhere queue and a driver queue put the
    // envelope on the same edge of the sheet.
    void surA4LesDeuxFilesMettentLEnveloppeAuMemeBord_data()
    {
        QTest::addColumn<FeedEdge>("entree");
        QTest::addColumn<QPointF>("logo"); // its corner nearest the envelope's, on the sheet as it entered
        // The envelope lies against the landscape page's bottom edge, the logo 12 mm from
        // its left edge and 15 mm below its top: 115 mm from the landscape page's top.
        // Upright as the sheet enters, right edge first, that corner is 115 mm from the
        // sheet's left and 297 - 12 mm from its top; left edge first, 210 - 115 mm from
        // its left and 12 mm from its top.
        QTest::newRow("right edge first") << FeedEdge::Right << QPointF(115, 285);
        QTest::newRow("left edge first") << FeedEdge::Left << QPointF(95, 12);
    }
    void surA4LesDeuxFilesMettentLEnveloppeAuMemeBord()
    {
        QFETCH(FeedEdge, entree);
        QFETCH(QPointF, logo);
        if (!fileExiste(u"Plivane-Jet-Encre"_qs) || !fileExiste(u"Plivane-PDF"_qs))
            QSKIP("No simulated printers on this machine (CI makes them); no printer was touched.");
        QList<QRectF> bornes;
        for (const QString& file : {u"Plivane-Jet-Encre"_qs, u"Plivane-PDF"_qs}) {
            Impression i(220, 110, Papier::FeuilleA4);
            i.demande.reglages.Orientation = 1;
            i.demande.reglages.Quantite = 1;
            QVERIFY(i.commande.decalages().enregistreInstallation(file, {Papier::FeuilleA4, {}, entree}));
            QVERIFY(i.imprimante.selectPrinter(file));
            i.imprime();
            QCOMPARE(i.dialogues.messageTexts(), QStringList());
            QCOMPARE(i.fin().state, JobOutcome::State::Completed);
            QImage page;
            if (file == u"Plivane-PDF"_qs) {
                const QDir spool(u"/var/spool/cups-pdf/"_qs +
                                 QString::fromLocal8Bit(getpwuid(getuid())->pw_name));
                std::unique_ptr<Poppler::Document> doc;
                QTRY_VERIFY_WITH_TIMEOUT(!spool.entryList({u"*%1*.pdf"_qs.arg(i.jeton)}).isEmpty() &&
                                             (doc = pdf::ouvre(spool.filePath(
                                                  spool.entryList({u"*%1*.pdf"_qs.arg(i.jeton)})[0]))) &&
                                             doc->numPages() == 1,
                                         60000);
                page = pdf::rendu(*doc, 0, kDpi);
                QFile::remove(spool.filePath(spool.entryList({u"*%1*.pdf"_qs.arg(i.jeton)})[0]));
            } else {
                std::optional<Recu> r;
                QTRY_VERIFY_WITH_TIMEOUT((r = recu(u"jet-encre"_qs, i.jeton)).has_value(), 30000);
                page = r->page;
            }
            QCOMPARE(page.width() < page.height(), true); // the sheet upright, as it enters
            bornes.append(pdf::encreMm(page, kDpi));
        }
        QVERIFY2(memesBornes(bornes[0], bornes[1]),
                 qPrintable(texte(bornes[0]) + u" / "_qs + texte(bornes[1])));
        const QPointF coin = entree == FeedEdge::Right ? QPointF(bornes[0].left(), bornes[0].bottom())
                                                       : QPointF(bornes[0].right(), bornes[0].top());
        QVERIFY2((coin - logo).manhattanLength() <= 0.5, qPrintable(texte(bornes[0])));
    }

    // The check before a print knows each printer's margins: a sender line in the top
    // 12.7 mm is listed for the printer that cannot print there, and not for one that
    // leaves 3 mm.
    void laVerificationConnaitLesMarges_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("defauts");
        QTest::newRow("12.7 mm at the top")
            << u"Plivane-Marges"_qs
            << QStringList{
                   u"ligne 1 : coupée de 2,7 mm en haut par l'imprimante « Plivane-Marges » (marge de "
                   u"12,7 mm)"_qs,
                   u"repère 1 : coupée de 9,7 mm en haut par l'imprimante « Plivane-Marges » (marge de "
                   u"12,7 mm)"_qs};
        QTest::newRow("3 mm") << u"Plivane-Jet-Encre"_qs << QStringList();
    }
    void laVerificationConnaitLesMarges()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, defauts);
        if (!fileExiste(file))
            QSKIP("No simulated printers on this machine (CI makes them); no printer was touched.");
        QtPrinterService imprimante;
        QVERIFY(imprimante.selectPrinter(file));
        ReglagesModele r;
        r.LogoChoisi = false;
        r.TexteExp = u"Expéditeur\r\n1 rue de la Paix"_qs;
        r.MargeHauteExp = 10;
        r.Orientation = 0;
        r.RepereCoupe = true; // the top one 3 mm from the sheet's edge
        std::tie(r.LongueurEnv, r.HauteurEnv) = std::pair(162.f, 114.f);
        const QList<EnveloppeARevoir> aRevoir = verifieEnveloppes(
            imprimante, r, EntreesAdresses(), {}, nullptr, PapierImprimante::feuille(imprimante, {}, r));
        QStringList vus;
        for (const EnveloppeARevoir& e : aRevoir)
            vus += e.defauts;
        QVERIFY2(vus == defauts, qPrintable(vus.join(u" | "_qs)));
    }

    // The job's PDF is written in the temporary folder first: on a full disk the printer
    // gets nothing, and the user is told, instead of a job cut short.
    void unDossierTemporairePleinNEnvoieRien()
    {
        if (getuid() != 0 || !fileExiste(u"Plivane-Jet-Encre"_qs))
            QSKIP("Needs root for the small tmpfs and the simulated printers (CI has both).");
        QTemporaryDir dossier;
        QProcess::execute(u"mount"_qs,
                          {u"-t"_qs, u"tmpfs"_qs, u"-o"_qs, u"size=256k"_qs, u"tmpfs"_qs, dossier.path()});
        const auto demonte = qScopeGuard([&] {
            qunsetenv("TMPDIR");
            QProcess::execute(u"umount"_qs, {dossier.path()});
        });
        QFile remplissage(dossier.filePath(u"plein"_qs));
        QVERIFY(remplissage.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (remplissage.write(QByteArray(4096, 'x')) == 4096) {
        }
        QVERIFY(remplissage.resize(remplissage.size() - 8192)); // room for a start, not for the job
        qputenv("TMPDIR", QFile::encodeName(dossier.path()));

        Impression i(220, 110, Papier::Enveloppe);
        i.demande.reglages.Logo = QImage(400, 400, QImage::Format_RGB32);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(i.demande.reglages.Logo.bits()), 400 * 400);
        QVERIFY(i.imprimante.selectPrinter(u"Plivane-Jet-Encre"_qs));
        i.imprime();
        QCOMPARE(i.dialogues.messageTexts().size(), 1);
        QVERIFY2(i.dialogues.messageTexts()[0].contains(u"n'a rien reçu"_qs),
                 qPrintable(i.dialogues.messageTexts()[0]));
        QVERIFY(!i.imprimante.lastJob());
    }

    // A job the printer cancels after taking it is reported, once; a printer without A4
    // is told so and gets no job.
    void ceQueLImprimanteRefuseEstDit()
    {
        if (!fileExiste(u"Plivane-Laser"_qs) || !fileExiste(u"Plivane-Lettre"_qs))
            QSKIP("No simulated printers on this machine (CI makes them); no printer was touched.");
        // Behind a queue that does not wait for its jobs too, which the server reports
        // completed as soon as sent: the printer's own word is asked for.
        for (const auto& [file, essais] :
             {std::pair(u"Plivane-Laser"_qs, 20), std::pair(u"Plivane-Laser-Detache"_qs, 3)})
            for (int essai = 0; essai < essais && fileExiste(file); ++essai) {
                // Its manual slot holds no paper: the printer takes the job, then cancels it.
                Impression i(220, 110, Papier::Enveloppe, u"manual"_qs);
                QVERIFY(i.imprimante.selectPrinter(file));
                i.imprime();
                QCOMPARE(i.dialogues.messageTexts(), QStringList());
                QTRY_COMPARE_WITH_TIMEOUT(i.dialogues.messageTexts().size(), 1, 60000);
                QVERIFY2(i.dialogues.messageTexts()[0].startsWith(
                             u"L'impression envoyée à l'imprimante « %1 » a été annulée"_qs.arg(file)),
                         qPrintable(i.dialogues.messageTexts()[0]));
                QCOMPARE(i.commande.suiviTravaux().enCours(), 0);
            }

        Impression i(220, 110, Papier::FeuilleA4);
        QVERIFY(i.imprimante.selectPrinter(u"Plivane-Lettre"_qs));
        i.imprime();
        QCOMPARE(i.dialogues.messageTexts(),
                 QStringList(PapierImprimante::messageSansA4(u"Plivane-Lettre"_qs)));
        QVERIFY(!i.imprimante.lastJob());
    }
};

QTEST_MAIN(TestPrintImprimantes)
#include "test_print_imprimantes.moc"
