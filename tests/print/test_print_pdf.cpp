// Printing through the real Qt printing service into a PDF, read back with Poppler: each
// block where the envelope puts it, measured from the sheet's corner; the crop marks; the
// copies of each envelope together; a run cancelled from its progress; the printer shift
// moving the texts by exactly its value.
#include "addresses/fichier/FichierAdresses.h"
#include "addresses/liste/EncodageAdresse.h"
#include "platform/widgets/QtPrinterService.h"
#include "print/CommandeImpression.h"
#include "print/Imprime.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDir>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr double kDpi = 300;
const QString S = QString(kSeparateurLignes);
const QString kAdresse = u"Nom"_qs + S + u"et"_qs + S + u"Adresse"_qs;

// The print command on the Qt printing service, printing to a file of the folder.
struct Impression {
    QtPrinterService imprimante;
    ScriptedDialogs dialogues;
    CommandeImpression commande{imprimante, dialogues, nullptr};
    DemandeImpression demande;
    QList<int> choix = {0};

    Impression(const QTemporaryDir& dossier, const QString& pdf)
    {
        if (!imprimante.setOutputFileName(dossier.filePath(pdf)))
            qFatal("le PDF %s ne peut pas être écrit", qPrintable(pdf));
        commande.decalages().utiliseFichier(dossier.filePath(pdf + u".ini"_qs));
        demande.reglages.TexteExp = u"Expéditeur"_qs;
        demande.adresses = {kAdresse};
        commande.remplaceChoixAdresses(
            [this](const EntreesAdresses&) { return std::optional<QList<int>>(choix); });
    }
    std::unique_ptr<Poppler::Document> imprime()
    {
        dialogues.printAnswers = {true};
        commande.Imprimer(demande);
        return pdf::ouvre(imprimante.printer().outputFileName());
    }
};

} // namespace

class TestPrintPdf : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void blocksAtTheirPhysicalPlace_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<double>("largeur"); // of the sheet
        QTest::addColumn<double>("haut");    // of the envelope, below the sheet's top
        QTest::addColumn<double>("dx");      // the printer's shift, kept for the PDF output
        QTest::addColumn<double>("dy");
        QTest::newRow("Portrait, 220 x 110") << 0 << 210.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("Paysage, 220 x 120, shifted") << 1 << 297.0 << 210.0 - 120.0 << 2.5 << -1.0;
    }
    void blocksAtTheirPhysicalPlace()
    {
        QFETCH(int, orientation);
        QFETCH(double, largeur);
        QFETCH(double, haut);
        QFETCH(double, dx);
        QFETCH(double, dy);
        Impression i(m_dir, u"blocs%1.pdf"_qs.arg(orientation));
        QVERIFY(i.commande.decalages().enregistre(QtPrinterService::pdfOutputName(), {Mm(dx), Mm(dy)}));
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
        QCOMPARE_MM(exp->mm.left(), 10.0 + dx);
        QCOMPARE_MM(exp->mm.top(), haut + 10.0 + dy);
        // The recipient's lines 100 mm in, the last one ending 20 mm above the envelope's bottom.
        for (const auto& ligne : {nom, et, adresse})
            QCOMPARE_MM(ligne->mm.left(), 100.0 + dx);
        QCOMPARE_MM(adresse->mm.top() - et->mm.top(), et->mm.top() - nom->mm.top());
        QCOMPARE_MM(adresse->mm.top() + (et->mm.top() - nom->mm.top()),
                    haut + dy + (orientation ? 100.0 : 90.0));
        QCOMPARE(i.imprimante.orientation().value(), PageOrientation::Portrait); // back for the next user
        QCOMPARE(i.imprimante.shift(), PointMm{});
    }

    // A logo prints at the size its file states, and keeps it through its address file;
    // a Windows bitmap keeps its pixels at 96 dpi, whatever its header says.
    void logosAtTheSizeTheyState_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<QSizeF>("mm");
        const QSize a300(472, 236); // 40 x 20 mm at 300 dpi
        QTest::newRow("PNG at 300 dpi") << QByteArray("PNG") << a300 << QSizeF(39.96, 19.98);
        QTest::newRow("JPEG at 300 dpi") << QByteArray("JPEG") << a300 << QSizeF(39.96, 19.98);
        QTest::newRow("SVG in millimetres") << QByteArray("SVG") << QSize() << QSizeF(40, 20);
        QTest::newRow("Windows bitmap saying 300 dpi")
            << QByteArray("BMP") << QSize(236, 118) << QSizeF(62.44, 31.22);
    }
    void logosAtTheSizeTheyState()
    {
        QFETCH(QByteArray, format);
        QFETCH(QSize, pixels);
        QFETCH(QSizeF, mm);
        const QString chemin = m_dir.filePath(u"logo."_qs + QString::fromLatin1(format).toLower());
        if (format == "SVG") {
            QFile svg(chemin);
            QVERIFY(svg.open(QIODevice::WriteOnly));
            svg.write(
                R"(<svg xmlns="http://www.w3.org/2000/svg" width="40mm" height="20mm" viewBox="0 0 4 2">)"
                R"(<rect width="4" height="2"/></svg>)");
        } else {
            QImage noir(pixels, QImage::Format_RGB32);
            noir.fill(Qt::black);
            noir.setDotsPerMeterX(11811); // 300 dpi
            noir.setDotsPerMeterY(11811);
            QVERIFY(noir.save(chemin, format));
        }
        QImage logo = FichierAdresses::litLogo(chemin);
        for (int passage = 0; passage < 2; ++passage) {
            Impression i(m_dir, u"logo%1.pdf"_qs.arg(passage));
            i.demande.reglages.Logo = logo;
            i.demande.reglages.LogoChoisi = true;
            i.demande.adresses = {u" "_qs};
            auto doc = i.imprime();
            QVERIFY(doc);
            const QRectF encre = pdf::encreMm(pdf::rendu(*doc, 0, kDpi), kDpi);
            QVERIFY2(qAbs(encre.width() - mm.width()) <= 0.3 && qAbs(encre.height() - mm.height()) <= 0.3,
                     qPrintable(u"%1 x %2 mm"_qs.arg(encre.width()).arg(encre.height())));
            // Then as its address file keeps it beside itself.
            PlvDocument document;
            document.reglages.LogoChoisi = true;
            const QString plv = m_dir.filePath(u"Logo%1.PLV"_qs.arg(QString::fromLatin1(format)));
            QVERIFY(FichierAdresses::ecrit(plv, document, logo).isOk());
            logo = FichierAdresses::litLogo(FichierAdresses::nomCompagnon(plv));
        }
    }

    void cropMarksOnTheFirstPageOnlyAndCopiesTogether()
    {
        Impression i(m_dir, u"reperes.pdf"_qs);
        i.demande.reglages.RepereCoupe = true;
        i.demande.reglages.LongueurEnv = 162; // C6: the whole envelope lies on the upright sheet
        i.demande.reglages.HauteurEnv = 114;
        i.demande.reglages.MargeGaucheDest = 60;
        i.demande.reglages.Quantite = 2;
        i.demande.adresses = {u"Un"_qs, u"Deux"_qs, u"Trois"_qs};
        i.choix = {0, 1, 2};
        auto doc = i.imprime();
        QCOMPARE(doc->numPages(), 6);
        // The envelope lies from the sheet's corner: marks on its right and bottom edges, on the
        // first envelope and so on its copy.
        const QList<QPointF> marques = {{162, 4}, {162, 7}, {4, 114}, {7, 114}, {158, 114}, {162, 110}};
        for (int page = 0; page < 6; ++page) {
            const QImage image = pdf::rendu(*doc, page, kDpi);
            for (const QPointF& p : marques)
                QVERIFY2(pdf::encre(image, kDpi, p.x(), p.y()) == (page < 2),
                         qPrintable(u"page %1: %2, %3"_qs.arg(page).arg(p.x()).arg(p.y())));
            QVERIFY(!pdf::encre(image, kDpi, 162, 12)); // each mark is 5 mm long
            QVERIFY(pdf::mot(*doc, page, i.demande.adresses[page / 2]));
        }
        QCOMPARE(i.imprimante.copies().value(), 1); // the count comes back after the run
    }

    void aRunCancelledAtThreeOfTenIsAWholeDocument()
    {
        Impression i(m_dir, u"annule.pdf"_qs);
        QVERIFY(i.imprimante.setPaperSize(int(QPageSize::A5)));
        i.demande.adresses.vide();
        for (int n = 1; n <= 10; ++n)
            i.demande.adresses.ajoute(u"Destinataire %1"_qs.arg(n));
        i.choix = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        i.demande.reglages.Orientation = 1;
        i.dialogues.progressCancelAt = 3;
        auto doc = i.imprime();
        QVERIFY(i.dialogues.shownOfKind(u"message"_qs).isEmpty());
        QCOMPARE(i.dialogues.progressTexts.size(), 3);
        QCOMPARE(i.dialogues.progressTexts.last(), u"Impression de l'enveloppe 3 sur 10"_qs);
        QVERIFY(doc);
        QCOMPARE(doc->numPages(), 3);
        QVERIFY(pdf::mot(*doc, 2, u"3"_qs)); // "Destinataire 3", the envelope under way
        QVERIFY(!pdf::mot(*doc, 2, u"4"_qs));
        QCOMPARE(i.imprimante.paperSize().value(), int(QPageSize::A5));
        QCOMPARE(i.imprimante.orientation().value(), PageOrientation::Portrait);
        QVERIFY(!i.imprimante.documentOpen());
    }
};

QTEST_MAIN(TestPrintPdf)
#include "test_print_pdf.moc"
