// Printing through the real Qt printing service into a PDF, read back with Poppler: each
// block where the envelope puts it, measured from the sheet's corner; the crop marks; the
// copies; a run cancelled from its progress; the printer shift moving every item by
// exactly its value; and Qt's print preview, whose pages are those of the PDF, ink for
// ink, to a tenth of a millimetre.
// And a run through a real CUPS queue: the cups-pdf queue "Plivane-PDF" that the CI
// machine sets up (.ci/prepare-print-server.sh), writing to /var/spool/cups-pdf/<user>;
// on any other machine that test skips and leaves the printers alone.
#include "addresses/AddressEncoding.h"
#include "platform/QtDialogs.h"
#include "platform/QtPrinterService.h"
#include "print/CommandeImpression.h"
#include "print/Imprime.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAction>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <pwd.h>
#include <unistd.h>

namespace {
constexpr double kDpi = 300;
const QString S = QString(kSeparateurLignes);
const QString kAdresse = u"Nom"_qs + S + u"et"_qs + S + u"Adresse"_qs;

// The print command on the Qt printing service, printing to a file of the folder.
template <typename Dialogues = ScriptedDialogs>
struct Impression {
    QtPrinterService imprimante;
    Dialogues dialogues;
    CommandeImpression commande{imprimante, dialogues, nullptr};
    DemandeImpression demande;
    QList<int> choix = {0};

    Impression(const QTemporaryDir& dossier, const QString& pdf)
    {
        imprimante.setOutputFileName(dossier.filePath(pdf));
        commande.decalages().utiliseFichier(dossier.filePath(pdf + u".ini"_qs));
        demande.texteExpediteur = u"Expéditeur"_qs;
        demande.adresses = {kAdresse};
        commande.remplaceChoixAdresses([this](const QStringList&) { return std::optional<QList<int>>(choix); });
    }
    std::unique_ptr<Poppler::Document> imprime()
    {
        dialogues.printAnswers = {true};
        commande.Imprimer(demande);
        return pdf::ouvre(imprimante.printer().outputFileName());
    }
};

// Two envelopes with a logo and crop marks, the whole envelope on the upright sheet.
DemandeImpression deuxEnveloppes()
{
    DemandeImpression d;
    d.adresses = {u"Albert Durand"_qs + S + u"2 rue Basse"_qs, u"Zoé Martin"_qs + S + u"1 rue Haute"_qs};
    d.reglages.RepereCoupe = true;
    d.reglages.LongueurEnv = 162;
    d.reglages.HauteurEnv = 114;
    d.reglages.MargeGaucheDest = 60;
    d.reglages.LogoChoisi = true;
    d.reglages.Logo = QImage(96, 48, QImage::Format_RGB32);
    d.reglages.Logo.fill(Qt::black);
    return d;
}

// Plays the user in the next modal dialog of this type once it is up.
template <typename D>
void pendant(std::function<void(D&)> geste)
{
    QTimer::singleShot(0, [geste] {
        auto* dialogue = qobject_cast<D*>(QApplication::activeModalWidget());
        QVERIFY(dialogue);
        geste(*dialogue);
    });
}

// The preview's pages as its widget shows them, each sheet painted at ten pixels a
// millimetre, text without antialiasing like the PDF renderer's.
QList<QImage> pagesDeLApercu(QPrintPreviewDialog& dialogue)
{
    QGraphicsScene* scene = dialogue.findChild<QPrintPreviewWidget*>()->findChild<QGraphicsView*>()->scene();
    QList<QGraphicsItem*> pages = scene->items();
    std::sort(pages.begin(), pages.end(), [](QGraphicsItem* a, QGraphicsItem* b) {
        return std::pair(a->pos().y(), a->pos().x()) < std::pair(b->pos().y(), b->pos().x());
    });
    const double echelle = pdf::kDixiemes / dialogue.printer()->resolution();
    QList<QImage> images;
    for (QGraphicsItem* page : pages) {
        // A page item is its sheet with a border around it for the shadow.
        const QRectF cadre = page->boundingRect();
        const QRectF feuille(0, 0, cadre.width() + 2 * cadre.left(), cadre.height() + 2 * cadre.top());
        QImage image((feuille.size() * echelle).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::TextAntialiasing, false);
        page->setCacheMode(QGraphicsItem::NoCache);  // painted afresh, not from a screen pixmap
        scene->render(&peintre, QRectF(QPointF(), feuille.size() * echelle), page->mapRectToScene(feuille));
        images.append(image);
    }
    return images;
}

QList<QImage> pagesDuPdf(Poppler::Document& doc)
{
    QList<QImage> pages;
    for (int page = 0; page < doc.numPages(); ++page)
        pages.append(pdf::rendu(doc, page));
    return pages;
}

// Each page of b is the page of a: same sheet, and every inked pixel of one has ink
// within a tenth of a millimetre in the other (a glyph may round one pixel apart).
void memesPages(const QList<QImage>& a, const QList<QImage>& b)
{
    QCOMPARE(b.size(), a.size());
    for (int page = 0; page < a.size(); ++page) {
        QVERIFY(qAbs(a[page].width() - b[page].width()) <= 1 && qAbs(a[page].height() - b[page].height()) <= 1);
        const pdf::Encre e = pdf::compareEncre(a[page], b[page]);
        QVERIFY(e.pixels > 0);
        QVERIFY2(e.seuls <= e.pixels / 1000, qPrintable(u"page %1 : %2"_qs.arg(page + 1).arg(e.texte())));
        // And the measure sees two tenths of a millimetre.
        QVERIFY(pdf::compareEncre(a[page], b[page], QPoint(2, 0)).seuls > e.pixels / 50);
        QVERIFY(pdf::compareEncre(a[page], b[page], QPoint(0, 2)).seuls > e.pixels / 50);
    }
}

// The CI's cups-pdf queue.
const QString kFileCups = u"Plivane-PDF"_qs;

bool fileCupsPdf()
{
    if (QPrinterInfo::printerInfo(kFileCups).isNull())
        return false;
    QProcess lpstat;
    lpstat.start(u"lpstat"_qs, {u"-v"_qs, kFileCups});
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

class TestPrintPdf : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // The two envelopes printed by a run that knows no shifts (nullopt), or with this
    // shift kept for the PDF output.
    std::unique_ptr<Poppler::Document> imprimeDecale(const QString& nom, std::optional<PointMm> decalage)
    {
        QtPrinterService imprimante;
        imprimante.setOutputFileName(m_dir.filePath(nom));
        ScriptedDialogs dialogues;
        ReglagesImprimante reglages;
        DecalagesImprimantes decalages(m_dir.filePath(nom + u".ini"_qs));
        if (decalage)
            (void)decalages.enregistre(QtPrinterService::pdfOutputName(), *decalage);
        Imprime run(imprimante, dialogues, reglages, decalage ? &decalages : nullptr);
        run.lance(deuxEnveloppes(), {0, 1});
        if (!dialogues.shown.isEmpty() || imprimante.shift() != PointMm{})  // no shift left on the printer
            return nullptr;
        return pdf::ouvre(m_dir.filePath(nom));
    }

private slots:
    void blocksAtTheirPhysicalPlace_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<double>("largeur");  // of the sheet
        QTest::addColumn<double>("haut");     // of the envelope, below the sheet's top
        QTest::newRow("Portrait, 220 x 110") << 0 << 210.0 << 0.0;
        QTest::newRow("Paysage, 220 x 120") << 1 << 297.0 << 210.0 - 120.0;
    }
    void blocksAtTheirPhysicalPlace()
    {
        QFETCH(int, orientation);
        QFETCH(double, largeur);
        QFETCH(double, haut);
        Impression i(m_dir, u"blocs%1.pdf"_qs.arg(orientation));
        i.demande.reglages.Orientation = orientation;
        i.demande.reglages.HauteurEnv = orientation ? 120 : 110;
        auto doc = i.imprime();
        QVERIFY(doc);
        QVERIFY(i.dialogues.shownOfKind(u"message"_qs).isEmpty());
        QCOMPARE(doc->numPages(), 1);
        QCOMPARE_MM(pdf::tailleMm(*doc, 0).width(), largeur);
        const auto exp = pdf::mot(*doc, 0, u"Expéditeur"_qs);
        const auto nom = pdf::mot(*doc, 0, u"Nom"_qs);
        const auto et = pdf::mot(*doc, 0, u"et"_qs);
        const auto adresse = pdf::mot(*doc, 0, u"Adresse"_qs);
        QVERIFY(exp && nom && et && adresse);
        QCOMPARE_MM(exp->mm.left(), 10.0);
        QCOMPARE_MM(exp->mm.top(), haut + 10.0);
        // The recipient's lines 100 mm in, the last one ending 20 mm above the envelope's bottom.
        for (const auto& ligne : {nom, et, adresse})
            QCOMPARE_MM(ligne->mm.left(), 100.0);
        QCOMPARE_MM(adresse->mm.top() - et->mm.top(), et->mm.top() - nom->mm.top());
        QCOMPARE_MM(adresse->mm.top() + (et->mm.top() - nom->mm.top()), haut + (orientation ? 100.0 : 90.0));
        QCOMPARE(i.imprimante.orientation().value(), PageOrientation::Portrait);  // back for the next user
    }

    void cropMarksOnTheFirstPageOnly()
    {
        Impression i(m_dir, u"reperes.pdf"_qs);
        i.choix = {};
        QVERIFY(!i.imprime());  // nothing chosen, no marks: no file

        i.demande.reglages.RepereCoupe = true;
        i.demande.reglages.LongueurEnv = 162;  // C6: the whole envelope lies on the upright sheet
        i.demande.reglages.HauteurEnv = 114;
        i.demande.reglages.MargeGaucheDest = 60;
        auto seules = i.imprime();  // nothing chosen: the marks alone
        QCOMPARE(seules->numPages(), 1);
        QVERIFY(pdf::mots(*seules, 0).isEmpty());
        QVERIFY(pdf::encre(pdf::rendu(*seules, 0, kDpi), kDpi, 162, 4));

        i.demande.adresses = {kAdresse, kAdresse, kAdresse};
        i.choix = {0, 1, 2};
        auto doc = i.imprime();
        QCOMPARE(doc->numPages(), 3);
        // The envelope lies from the sheet's corner: marks on its right and bottom edges.
        const QList<QPointF> marques = {{162, 4}, {162, 7}, {4, 114}, {7, 114}, {158, 114}, {162, 110}};
        const QImage premiere = pdf::rendu(*doc, 0, kDpi);
        for (const QPointF& p : marques)
            QVERIFY2(pdf::encre(premiere, kDpi, p.x(), p.y()), qPrintable(u"%1, %2"_qs.arg(p.x()).arg(p.y())));
        QVERIFY(!pdf::encre(premiere, kDpi, 162, 12));  // each mark is 5 mm long
        for (int page = 1; page < 3; ++page) {
            const QImage suivante = pdf::rendu(*doc, page, kDpi);
            for (const QPointF& p : marques)
                QVERIFY(!pdf::encre(suivante, kDpi, p.x(), p.y()));
            QVERIFY(pdf::mot(*doc, page, u"Adresse"_qs));
        }
    }

    void quantityGivesEveryCopyInTheFile()
    {
        Impression i(m_dir, u"quantite.pdf"_qs);
        i.demande.reglages.Quantite = 2;
        i.demande.adresses = {u"Un"_qs, u"Deux"_qs};
        i.choix = {0, 1};
        auto doc = i.imprime();
        QCOMPARE(doc->numPages(), 4);
        QVERIFY(pdf::mot(*doc, 1, u"Un"_qs));
        QVERIFY(pdf::mot(*doc, 2, u"Deux"_qs));
        QCOMPARE(i.imprimante.copies().value(), 1);  // the count comes back after the run
    }

    void aRunCancelledAtThreeOfTenIsAWholeDocument()
    {
        Impression i(m_dir, u"annule.pdf"_qs);
        QVERIFY(i.imprimante.setPaperSize(int(QPageSize::A5)));
        i.demande.adresses.clear();
        for (int n = 1; n <= 10; ++n)
            i.demande.adresses.append(u"Destinataire %1"_qs.arg(n));
        i.choix = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        i.demande.reglages.Orientation = 1;
        i.dialogues.progressCancelAt = 3;
        auto doc = i.imprime();
        QVERIFY(i.dialogues.shownOfKind(u"message"_qs).isEmpty());
        QCOMPARE(i.dialogues.progressTexts.size(), 3);
        QCOMPARE(i.dialogues.progressTexts.last(), u"Impression de l'enveloppe 3 sur 10"_qs);
        QVERIFY(doc);
        QCOMPARE(doc->numPages(), 3);
        QVERIFY(pdf::mot(*doc, 2, u"3"_qs));  // "Destinataire 3", the envelope under way
        QVERIFY(!pdf::mot(*doc, 2, u"4"_qs));
        QCOMPARE(i.imprimante.paperSize().value(), int(QPageSize::A5));
        QCOMPARE(i.imprimante.orientation().value(), PageOrientation::Portrait);
        QVERIFY(!i.imprimante.documentOpen());
    }

    void everyItemMovesByExactlyTheShift()
    {
        auto sans = imprimeDecale(u"sans.pdf"_qs, std::nullopt);
        auto decale = imprimeDecale(u"decale.pdf"_qs, PointMm{Mm(2.5), Mm(-1.0)});
        QVERIFY(sans && decale);
        QCOMPARE(sans->numPages(), 2);
        QCOMPARE(decale->numPages(), 2);
        // All the ink, texts, logo and crop marks, moved by 25 and -10 tenths of a millimetre.
        for (int page = 0; page < 2; ++page) {
            const pdf::Encre e = pdf::compareEncre(pdf::rendu(*sans, page), pdf::rendu(*decale, page), {25, -10}, 0);
            QVERIFY(e.pixels > 0);
            QVERIFY2(e.seuls <= e.pixels / 1000, qPrintable(e.texte()));
        }
    }

    void threeEnvelopesThroughACupsQueue()
    {
        if (!fileCupsPdf())
            QSKIP("No cups-pdf queue named Plivane-PDF on this machine (CI creates it with "
                  ".ci/prepare-print-server.sh); no printer was touched.");
        Impression i(m_dir, u"cups.pdf"_qs);
        QVERIFY(i.imprimante.selectPrinter(kFileCups));
        const QString jeton = u"plivane%1x%2"_qs.arg(QCoreApplication::applicationPid())
                                  .arg(QDateTime::currentMSecsSinceEpoch());
        i.demande.reglages.NomFichier = jeton;  // the job is named after the address file
        i.demande.reglages.LongueurEnv = 162;
        i.demande.reglages.HauteurEnv = 114;
        i.demande.reglages.MargeGaucheDest = 60;
        i.demande.reglages.RepereCoupe = true;
        i.demande.adresses = {u"Alice"_qs, u"Bernard"_qs, u"Chloé"_qs};
        i.choix = {0, 1, 2};
        i.imprime();
        QCOMPARE(i.dialogues.messageTexts(), QStringList());

        // cups-pdf rewrites the fonts: its PDF is checked for its pages and, rasterised,
        // for the marks on the envelope's edges from the sheet's corner, whatever margins
        // the queue declares, on the first page only.
        const QString dossier = dossierCupsPdf();
        QString chemin;
        const auto doc = attendPdf(dossier, jeton, chemin);
        QVERIFY2(doc, qPrintable(u"no PDF named after %1 in %2"_qs.arg(jeton, dossier)));
        const auto menage = qScopeGuard([&chemin] { QFile::remove(chemin); });
        QCOMPARE(doc->numPages(), 3);
        constexpr double kDpiCups = 150;
        const QImage premiere = pdf::rendu(*doc, 0, kDpiCups);
        const QImage deuxieme = pdf::rendu(*doc, 1, kDpiCups);
        for (const QPointF& p : QList<QPointF>{{162, 5}, {5, 114}, {160, 114}, {162, 111}}) {
            QVERIFY2(pdf::encre(premiere, kDpiCups, p.x(), p.y()), qPrintable(u"%1, %2"_qs.arg(p.x()).arg(p.y())));
            QVERIFY(!pdf::encre(deuxieme, kDpiCups, p.x(), p.y()));
        }
    }

    void previewPagesAreThePrintedPages_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("imprime");  // from the preview
        QTest::newRow("Portrait, closed") << 0 << false;
        QTest::newRow("Paysage, printed from it") << 1 << true;
    }
    void previewPagesAreThePrintedPages()
    {
        QFETCH(int, orientation);
        QFETCH(bool, imprime);
        const QString nom = QString::number(orientation);
        Impression run(m_dir, u"run%1.pdf"_qs.arg(nom));
        run.demande = deuxEnveloppes();
        run.demande.reglages.LogoChoisi = false;  // text, whose ink shows a shift of a fifth of a millimetre
        run.demande.texteExpediteur = u"Jeanne Dupont\r\n12 rue des Lilas\r\n75011 Paris"_qs;
        run.demande.reglages.Orientation = orientation;
        run.choix = {0, 1};
        auto imprimees = run.imprime();
        QVERIFY(imprimees);
        QVERIFY(run.dialogues.shownOfKind(u"message"_qs).isEmpty());
        QCOMPARE(imprimees->numPages(), 2);
        QCOMPARE(pdf::tailleMm(*imprimees, 0).width() > 250, orientation == 1);

        Impression<QtDialogs> qt(m_dir, u"apercu%1.pdf"_qs.arg(nom));
        qt.demande = run.demande;
        qt.choix = run.choix;
        QVERIFY(qt.imprimante.setCopies(2));
        QVERIFY(qt.imprimante.setPaperSize(int(QPageSize::A5)));
        QList<QImage> pages;
        pendant<QPrintPreviewDialog>([&](QPrintPreviewDialog& d) {
            pages = pagesDeLApercu(d);
            if (!imprime)
                return d.reject();
            const auto actions = d.findChildren<QAction*>();
            const auto imprimer = std::find_if(actions.begin(), actions.end(), [](QAction* a) {
                return a->text() == u"Print"_qs || a->text() == u"Imprimer"_qs;
            });
            QVERIFY(imprimer != actions.end());
            pendant<QPrintDialog>([](QPrintDialog& p) { p.accept(); });
            (*imprimer)->trigger();
        });
        qt.commande.Apercu(qt.demande);
        memesPages(pagesDuPdf(*imprimees), pages);
        // Printed from the preview: those pages. Closed: no file.
        auto depuisApercu = pdf::ouvre(m_dir.filePath(u"apercu%1.pdf"_qs.arg(nom)));
        QCOMPARE(bool(depuisApercu), imprime);
        if (imprime)
            memesPages(pagesDuPdf(*imprimees), pagesDuPdf(*depuisApercu));
        // The printer kept its copies, paper and feed.
        QCOMPARE(qt.imprimante.copies().value(), 2);
        QCOMPARE(qt.imprimante.paperSize().value(), int(QPageSize::A5));
        QCOMPARE(qt.imprimante.orientation().value(), PageOrientation::Portrait);
        QVERIFY(!qt.commande.ImpressionEnCours());
    }
};

QTEST_MAIN(TestPrintPdf)
#include "test_print_pdf.moc"
