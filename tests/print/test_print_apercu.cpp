// Qt's print preview on the Qt printing service: its pages, painted by the run itself,
// match the PDF of the same run ink for ink, to a tenth of a millimetre; printing from it
// prints those pages; and the printer stays as it was.
#include "addresses/AddressEncoding.h"
#include "platform/QtDialogs.h"
#include "platform/QtPrinterService.h"
#include "print/CommandeImpression.h"
#include "tests/print/LecturePdf.h"
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
DemandeImpression demandeDeTest()
{
    const QString S = QString(kSeparateurLignes);
    DemandeImpression d;
    d.texteExpediteur = u"Jeanne Dupont\r\n12 rue des Lilas\r\n75011 Paris"_qs;
    d.adresses = {u"Albert Durand"_qs + S + u"2 rue Basse"_qs + S + u"75002 Paris"_qs,
                  u"Marie Curie"_qs + S + u"11 rue Pierre et Marie Curie"_qs + S + u"75005 Paris"_qs,
                  u"Zoé Martin"_qs + S + u"1 rue Haute"_qs + S + u"69001 Lyon"_qs};
    d.reglages.RepereCoupe = true;
    d.reglages.LongueurEnv = 162;
    d.reglages.HauteurEnv = 114;
    d.reglages.MargeGaucheDest = 60;
    d.reglages.Logo = QImage(48, 24, QImage::Format_RGB32);
    d.reglages.Logo.fill(Qt::black);
    return d;
}

// A print command on the Qt printing service, writing to `pdf`, choosing `choix`.
struct SurQt {
    QtPrinterService imprimante;
    CommandeImpression commande;
    SurQt(Dialogs& dialogues, const QTemporaryDir& dossier, const QString& pdf, QList<int> choix)
        : commande(imprimante, dialogues, nullptr)
    {
        commande.decalages().utiliseFichier(dossier.filePath(u"vide.ini"_qs));
        commande.remplaceChoixAdresses([choix](const QStringList&) { return std::optional(choix); });
        imprimante.setOutputFileName(dossier.filePath(pdf));
    }
};

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
}  // namespace

class TestPrintApercu : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void previewPagesMatchThePdfOfTheSameRun_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("imprime");  // from the preview
        QTest::newRow("Portrait, closed") << 0 << false;
        QTest::newRow("Paysage, printed from it") << 1 << true;
    }
    void previewPagesMatchThePdfOfTheSameRun()
    {
        QFETCH(int, orientation);
        QFETCH(bool, imprime);
        const QString nom = QString::number(orientation);
        DemandeImpression demande = demandeDeTest();
        demande.reglages.Orientation = orientation;
        {
            ScriptedDialogs dialogues;
            SurQt run(dialogues, m_dir, u"run%1.pdf"_qs.arg(nom), {0, 1, 2});
            dialogues.printAnswers = {true};
            run.commande.Imprimer(demande);
            QVERIFY(dialogues.shownOfKind(u"message"_qs).isEmpty());
        }
        QtDialogs dialogues;
        SurQt qt(dialogues, m_dir, u"apercu%1.pdf"_qs.arg(nom), {0, 1, 2});
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
        qt.commande.Apercu(demande);

        auto run = pdf::ouvre(m_dir.filePath(u"run%1.pdf"_qs.arg(nom)));
        QVERIFY(run);
        QCOMPARE(run->numPages(), 3);
        QCOMPARE(pdf::tailleMm(*run, 0).width() > 250, orientation == 1);
        memesPages(pagesDuPdf(*run), pages);
        // Printed from the preview: those pages. Closed: no file.
        auto depuisApercu = pdf::ouvre(m_dir.filePath(u"apercu%1.pdf"_qs.arg(nom)));
        QCOMPARE(bool(depuisApercu), imprime);
        if (imprime)
            memesPages(pagesDuPdf(*run), pagesDuPdf(*depuisApercu));
        // The printer kept its copies, paper and feed.
        QCOMPARE(qt.imprimante.copies().value(), 2);
        QCOMPARE(qt.imprimante.paperSize().value(), int(QPageSize::A5));
        QCOMPARE(qt.imprimante.orientation().value(), PageOrientation::Portrait);
        QVERIFY(!qt.commande.ImpressionEnCours());
    }
};

QTEST_MAIN(TestPrintApercu)
#include "test_print_apercu.moc"
