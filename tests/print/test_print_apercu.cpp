// The print preview. Its pages are painted by the run itself: on a recording printer the
// preview paints what the print paints, and through Qt's real preview the pages, read
// back with Poppler, match the PDF of the same run word for word and ink for ink. The
// printer and the print command's findings stay as they were; the probes speak once.
#include "addresses/AddressEncoding.h"
#include "platform/QtDialogs.h"
#include "platform/QtPrinterService.h"
#include "print/CommandeImpression.h"
#include "print/TestsImprimante.h"
#include "tests/print/ComparaisonPdf.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAction>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <functional>

namespace {
const QString S = QString(kSeparateurLignes);
constexpr double kTolerance = 0.1;  // mm
constexpr double kDpi = 254;        // ten pixels a millimetre

QStringList troisAdresses()
{
    return {u"Albert Durand"_qs + S + u"2 rue Basse"_qs + S + u"75002 Paris"_qs,
            u"Marie Curie"_qs + S + u"11 rue Pierre et Marie Curie"_qs + S + u"75005 Paris"_qs,
            u"Zoé Martin"_qs + S + u"1 rue Haute"_qs + S + u"69001 Lyon"_qs};
}

DemandeImpression demandeDeTest()
{
    DemandeImpression d;
    d.texteExpediteur = u"Jeanne Dupont\r\n12 rue des Lilas\r\n75011 Paris"_qs;
    d.adresses = troisAdresses();
    d.reglages.RepereCoupe = true;
    d.reglages.LongueurEnv = 162;
    d.reglages.HauteurEnv = 114;
    d.reglages.MargeGaucheDest = 60;
    d.reglages.Logo = QImage(48, 24, QImage::Format_RGB32);
    d.reglages.Logo.fill(Qt::black);
    return d;
}

// The recording side: a print command whose printer and dialogs are doubles.
struct Banc {
    RecordingPrinterService imprimante;
    RecordingPrinterService apercu;  // where the preview paints
    ScriptedDialogs dialogues;
    CommandeImpression commande{imprimante, dialogues, nullptr};
    DemandeImpression demande = demandeDeTest();
    std::optional<QList<int>> choix = QList<int>{0, 2};
    QTemporaryDir dossier;

    Banc()
    {
        commande.decalages().utiliseFichier(dossier.filePath(u"reglages.ini"_qs));
        commande.remplaceChoixAdresses([this](const QStringList&) { return choix; });
        dialogues.previewPrinter = &apercu;
        for (RecordingPrinterService* p : {&imprimante, &apercu}) {
            p->paperCode = RecordingPrinterService::kLetter;
            p->copyCount = 2;
        }
    }
};

// What a printer was asked to paint, page by page, without the settings around it.
QStringList peint(const RecordingPrinterService& p)
{
    QStringList dessin;
    for (const QString& op : p.log)
        if (op.startsWith(u"printText"_qs) || op.startsWith(u"draw"_qs) || op.startsWith(u"lineTo"_qs) ||
            op.startsWith(u"setPosition"_qs) || op.startsWith(u"endPage"_qs) || op.startsWith(u"endDocument"_qs) ||
            op.startsWith(u"setShift"_qs))
            dessin.append(op);
    return dessin;
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

// The preview's pages as the preview widget shows them, each sheet painted at ten
// pixels a millimetre, text without antialiasing like the PDF renderer's.
QList<QImage> pagesDeLApercu(QPrintPreviewDialog& dialogue)
{
    auto* vue = dialogue.findChild<QPrintPreviewWidget*>()->findChild<QGraphicsView*>();
    QGraphicsScene* scene = vue->scene();
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

QAction* actionImprimer(QPrintPreviewDialog& dialogue)
{
    for (QAction* a : dialogue.findChildren<QAction*>())
        if (a->text() == u"Print"_qs || a->text() == u"Imprimer"_qs)
            return a;
    return nullptr;
}
}  // namespace

class TestPrintApercu : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString fichier(const QString& nom) const { return m_dir.filePath(nom); }

    // Every page of b is the page of a, in content and geometry.
    static void memesPages(Poppler::Document& a, Poppler::Document& b)
    {
        QCOMPARE(b.numPages(), a.numPages());
        for (int page = 0; page < a.numPages(); ++page) {
            const QSizeF ta = pdf::tailleMm(a, page), tb = pdf::tailleMm(b, page);
            QVERIFY(qAbs(ta.width() - tb.width()) <= kTolerance && qAbs(ta.height() - tb.height()) <= kTolerance);
            const QString ecart = pdf::ecartMots(a, page, b, page, {}, kTolerance);
            QVERIFY2(ecart.isEmpty(), qPrintable(u"page %1 : %2"_qs.arg(page + 1).arg(ecart)));
            const pdf::Encre e =
                pdf::compareEncre(pdf::rendu(a, page, pdf::kDixiemes), pdf::rendu(b, page, pdf::kDixiemes));
            QVERIFY(e.pixels > 0);
            QVERIFY2(e.seuls <= e.pixels / 1000, qPrintable(u"page %1 : %2"_qs.arg(page + 1).arg(e.texte())));
        }
    }

    // The preview's pages are the PDF's, sheet for sheet and ink for ink.
    static void memesPages(Poppler::Document& a, const QList<QImage>& apercu)
    {
        QCOMPARE(apercu.size(), a.numPages());
        for (int page = 0; page < a.numPages(); ++page) {
            const QImage imprimee = pdf::rendu(a, page, pdf::kDixiemes);
            QVERIFY2(qAbs(imprimee.width() - apercu[page].width()) <= 1 &&
                         qAbs(imprimee.height() - apercu[page].height()) <= 1,
                     qPrintable(u"page %1 : %2 x %3 pixels, aperçu %4 x %5"_qs.arg(page + 1)
                                    .arg(imprimee.width())
                                    .arg(imprimee.height())
                                    .arg(apercu[page].width())
                                    .arg(apercu[page].height())));
            // A glyph may round one pixel apart here and there; nothing else moves.
            const pdf::Encre e = pdf::compareEncre(imprimee, apercu[page]);
            QVERIFY(e.pixels > 0);
            QVERIFY2(e.seuls <= e.pixels / 1000, qPrintable(u"page %1 : %2"_qs.arg(page + 1).arg(e.texte())));
            // And the measure sees two tenths of a millimetre.
            QVERIFY(pdf::compareEncre(imprimee, apercu[page], QPoint(2, 0)).seuls > e.pixels / 50);
            QVERIFY(pdf::compareEncre(imprimee, apercu[page], QPoint(0, 2)).seuls > e.pixels / 50);
        }
    }

private slots:
    void thePreviewPaintsWhatThePrintPaints()
    {
        Banc apercu;
        apercu.demande.reglages.LogoChoisi = true;
        apercu.dialogues.previewAnswers = {false};
        apercu.commande.Apercu(apercu.demande);
        Banc impression;
        impression.demande.reglages.LogoChoisi = true;
        impression.dialogues.printAnswers = {true};
        impression.commande.Imprimer(impression.demande);

        QCOMPARE(apercu.apercu.pagesOut, 2);
        QCOMPARE(peint(apercu.apercu), peint(impression.imprimante));
        QCOMPARE(apercu.apercu.texts.size(), impression.imprimante.texts.size());
        QCOMPARE(apercu.apercu.images.size(), 2);
        // The printer itself was not asked anything, and the window was not walked
        // through the addresses.
        QVERIFY(apercu.imprimante.log.isEmpty());
        QCOMPARE(apercu.dialogues.shownOfKind(u"preview"_qs).size(), 1);
        QCOMPARE(apercu.dialogues.shownOfKind(u"preview"_qs)[0].title, u"Aperçu avant impression"_qs);
        QCOMPARE(apercu.dialogues.lastPreviewCaption, u"Introduction de l'enveloppe"_qs);
        QCOMPARE(ApercuImpression::ImageAlimentation(apercu.demande.reglages), u":/orient2.png"_qs);
        apercu.demande.reglages.Orientation = 1;
        apercu.demande.reglages.RepereCoupe = false;
        QCOMPARE(ApercuImpression::ImageAlimentation(apercu.demande.reglages), u":/orient1.png"_qs);
    }

    void thePreviewPagesAreTheRunsPage()
    {
        // On the preview's printer the run leaves A4 in the envelope's feed, which frames
        // the pages; the preview asks for the quantity as the print dialog would.
        Banc b;
        b.demande.reglages.Orientation = 1;
        b.demande.reglages.Quantite = 4;
        b.dialogues.previewAnswers = {false};
        b.commande.Apercu(b.demande);
        QCOMPARE(b.apercu.paperCode, RecordingPrinterService::kA4);
        QCOMPARE(b.apercu.pageOrientation, PageOrientation::Landscape);
        QCOMPARE(b.apercu.copyCount, 4);
    }

    void probesSpeakOnceAndKeepToThePreview()
    {
        Banc b;
        b.commande.Imprimer(b.demande);  // a print command's findings, before
        b.dialogues.shown.clear();
        b.dialogues.unexpected = 0;
        const QString avant = b.commande.reglagesImprimante().ReglagesRefuses;

        b.apercu.fail(u"setPaperSize"_qs);
        b.apercu.fail(u"setOrientation"_qs);
        b.dialogues.setupAnswers = {true, true};
        b.dialogues.previewAnswers = {true};  // printed from the preview: painted twice
        b.demande.reglages.Orientation = 1;
        b.commande.Apercu(b.demande);
        QCOMPARE(b.dialogues.messageTexts(), (QStringList{MessageFormatRefuse(), MessageOrientationRefusee()}));
        QCOMPARE(b.dialogues.shownOfKind(u"setup"_qs).size(), 2);
        QCOMPARE(b.dialogues.unexpected, 0);
        QCOMPARE(b.apercu.documentsEnded, 2);
        // Refused orientation: the pages are laid out upright, in both paintings.
        QVERIFY(!b.apercu.log.contains(u"setOrientation(landscape)"_qs));
        QCOMPARE(b.commande.reglagesImprimante().ReglagesRefuses, avant);
    }

    void nothingChosenOrTooLongShowsNoPreview()
    {
        Banc b;
        b.choix = std::nullopt;  // "Annuler" in the selection window
        b.commande.Apercu(b.demande);
        QVERIFY(b.dialogues.shown.isEmpty());

        b.choix = QList<int>{0};
        b.demande.texteExpediteur = QStringList(12, u"ligne"_qs).join(u"\r\n"_qs);
        b.commande.Apercu(b.demande);
        QCOMPARE(b.dialogues.messageTexts().size(), 1);
        QVERIFY(b.dialogues.messageTexts()[0].contains(u"12 lignes"_qs));
        QCOMPARE(b.apercu.pagesOut, 0);
        QCOMPARE(b.dialogues.unexpected, 0);  // the preview's answer was never asked
    }

    // Qt's own preview, on the Qt printing service.

    void previewPagesMatchThePdfOfTheSameRun_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("Portrait") << 0;
        QTest::newRow("Paysage") << 1;
    }

    void previewPagesMatchThePdfOfTheSameRun()
    {
        QFETCH(int, orientation);
        const QString nom = QString::number(orientation);
        DemandeImpression demande = demandeDeTest();
        demande.reglages.Orientation = orientation;
        const QList<int> toutes = {0, 1, 2};

        {  // the run, printed
            QtPrinterService imprimante;
            ScriptedDialogs dialogues;
            CommandeImpression commande{imprimante, dialogues, nullptr};
            commande.decalages().utiliseFichier(fichier(u"vide.ini"_qs));
            commande.remplaceChoixAdresses([&](const QStringList&) { return std::optional(toutes); });
            QVERIFY(imprimante.setOutputFileName(fichier(u"run%1.pdf"_qs.arg(nom))));
            dialogues.printAnswers = {true};
            commande.Imprimer(demande);
            QVERIFY(dialogues.shownOfKind(u"message"_qs).isEmpty());
        }

        QtPrinterService imprimante;
        QtDialogs dialogues;
        CommandeImpression commande{imprimante, dialogues, nullptr};
        commande.decalages().utiliseFichier(fichier(u"vide.ini"_qs));
        commande.remplaceChoixAdresses([&](const QStringList&) { return std::optional(toutes); });
        QVERIFY(imprimante.setOutputFileName(fichier(u"jamais%1.pdf"_qs.arg(nom))));
        QVERIFY(imprimante.setCopies(2));
        QVERIFY(imprimante.setPaperSize(int(QPageSize::A5)));
        QList<QImage> pages;
        pendant<QPrintPreviewDialog>([&](QPrintPreviewDialog& d) {
            pages = pagesDeLApercu(d);
            d.reject();
        });
        commande.Apercu(demande);

        auto run = pdf::ouvre(fichier(u"run%1.pdf"_qs.arg(nom)));
        QVERIFY(run);
        QCOMPARE(run->numPages(), 3);
        QCOMPARE(pdf::tailleMm(*run, 0).width() > 250, orientation == 1);
        memesPages(*run, pages);

        // The preview went nowhere near the printer: no file, same copies, paper and feed.
        QVERIFY(!QFile::exists(fichier(u"jamais%1.pdf"_qs.arg(nom))));
        QCOMPARE(imprimante.copies().value(), 2);
        QCOMPARE(imprimante.paperSize().value(), int(QPageSize::A5));
        QCOMPARE(imprimante.orientation().value(), PageOrientation::Portrait);
        QVERIFY(!commande.ImpressionEnCours());
    }

    void printingFromThePreviewPrintsThosePages()
    {
        DemandeImpression demande = demandeDeTest();
        const QList<int> choix = {2, 0};
        {
            QtPrinterService imprimante;
            ScriptedDialogs dialogues;
            CommandeImpression commande{imprimante, dialogues, nullptr};
            commande.decalages().utiliseFichier(fichier(u"vide.ini"_qs));
            commande.remplaceChoixAdresses([&](const QStringList&) { return std::optional(choix); });
            QVERIFY(imprimante.setOutputFileName(fichier(u"direct.pdf"_qs)));
            dialogues.printAnswers = {true};
            commande.Imprimer(demande);
        }

        QtPrinterService imprimante;
        QtDialogs dialogues;
        CommandeImpression commande{imprimante, dialogues, nullptr};
        commande.decalages().utiliseFichier(fichier(u"vide.ini"_qs));
        commande.remplaceChoixAdresses([&](const QStringList&) { return std::optional(choix); });
        QVERIFY(imprimante.setOutputFileName(fichier(u"depuisApercu.pdf"_qs)));
        pendant<QPrintPreviewDialog>([](QPrintPreviewDialog& d) {
            QAction* imprimer = actionImprimer(d);
            QVERIFY(imprimer);
            pendant<QPrintDialog>([](QPrintDialog& p) { p.accept(); });
            imprimer->trigger();
        });
        commande.Apercu(demande);

        auto direct = pdf::ouvre(fichier(u"direct.pdf"_qs));
        auto depuisApercu = pdf::ouvre(fichier(u"depuisApercu.pdf"_qs));
        QVERIFY(direct && depuisApercu);
        QCOMPARE(depuisApercu->numPages(), 2);
        memesPages(*direct, *depuisApercu);
    }
};

QTEST_MAIN(TestPrintApercu)
#include "test_print_apercu.moc"
