// Printing through the real Qt printing service into a PDF, read back with Poppler: each
// block where the envelope puts it, measured from the sheet's corner; the crop marks; the
// copies; a run cancelled from its progress; the printer shift moving every item by
// exactly its value; and the calibration page where the envelope lies.
#include "addresses/AddressEncoding.h"
#include "platform/QtPrinterService.h"
#include "print/AlignementImprimante.h"
#include "print/CommandeImpression.h"
#include "print/Imprime.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/ScriptedDialogs.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr double kDpi = 300;
const QString S = QString(kSeparateurLignes);
const QString kAdresse = u"Nom"_qs + S + u"et"_qs + S + u"Adresse"_qs;

struct Impression {
    QtPrinterService imprimante;
    ScriptedDialogs dialogues;
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
        auto zero = imprimeDecale(u"zero.pdf"_qs, PointMm{});
        auto decale = imprimeDecale(u"decale.pdf"_qs, PointMm{Mm(2.5), Mm(-1.0)});
        QVERIFY(sans && zero && decale);
        QCOMPARE(sans->numPages(), 2);
        QCOMPARE(zero->numPages(), 2);
        QCOMPARE(decale->numPages(), 2);
        for (int page = 0; page < 2; ++page) {
            // The texts: exactly where they were with a zero shift, moved by it otherwise.
            const auto ms = pdf::mots(*sans, page), mz = pdf::mots(*zero, page), md = pdf::mots(*decale, page);
            QVERIFY(!ms.isEmpty());
            QCOMPARE(mz.size(), ms.size());
            QCOMPARE(md.size(), ms.size());
            for (qsizetype k = 0; k < ms.size(); ++k) {
                QCOMPARE(mz[k].texte, ms[k].texte);
                QCOMPARE(mz[k].mm, ms[k].mm);
                QCOMPARE(md[k].texte, ms[k].texte);
                const QPointF ecart = md[k].mm.topLeft() - ms[k].mm.topLeft() - QPointF(2.5, -1.0);
                QVERIFY2(qAbs(ecart.x()) <= 0.01 && qAbs(ecart.y()) <= 0.01, qPrintable(md[k].texte));
            }
            // All the ink, logo and crop marks too, pixel for pixel.
            const QImage imageSans = pdf::rendu(*sans, page);
            const pdf::Encre memes = pdf::compareEncre(imageSans, pdf::rendu(*zero, page), {}, 0);
            QVERIFY2(memes.seuls == 0, qPrintable(memes.texte()));
            const pdf::Encre deplacee = pdf::compareEncre(imageSans, pdf::rendu(*decale, page), {25, -10}, 0);
            QVERIFY2(deplacee.seuls <= deplacee.pixels / 1000, qPrintable(deplacee.texte()));
        }
    }

    void theCalibrationPageIsWhereTheEnvelopeLies()
    {
        QtPrinterService imprimante;
        QVERIFY(imprimante.setOutputFileName(m_dir.filePath(u"calibrage.pdf"_qs)));
        ScriptedDialogs dialogues;
        DecalagesImprimantes decalages(m_dir.filePath(u"calibrage.ini"_qs));
        QVERIFY(decalages.enregistre(QtPrinterService::pdfOutputName(), {Mm(5), Mm(5)}));  // not for this page
        AlignementImprimante alignement(imprimante, dialogues, decalages);
        ReglagesModele reglages;
        reglages.Orientation = 1;
        reglages.HauteurEnv = 110;
        dialogues.printAnswers = {true};
        alignement.ImprimeCalibrage(reglages);

        auto doc = pdf::ouvre(m_dir.filePath(u"calibrage.pdf"_qs));
        QVERIFY(doc);
        QCOMPARE(doc->numPages(), 1);
        QVERIFY(pdf::tailleMm(*doc, 0).width() > 290);  // sideways
        // Sideways, the envelope's top edge lies 210 - 110 mm below the sheet's top: the
        // outline there, unshifted, and the vertical ruler's "10" centred 10 mm below it.
        const double haut = 210 - 110;
        const QImage image = pdf::rendu(*doc, 0);
        QVERIFY(pdf::encre(image, pdf::kDixiemes, 100, haut));
        QVERIFY(!pdf::encre(image, pdf::kDixiemes, 105, haut + 5));
        bool trouve = false;
        for (const pdf::Mot& m : pdf::mots(*doc, 0))
            if (m.texte == u"10"_qs && qAbs(m.mm.left() - 35.5) <= 0.1) {
                trouve = true;
                QVERIFY2(qAbs(m.mm.center().y() - (haut + 10)) < 0.5, qPrintable(QString::number(m.mm.center().y())));
            }
        QVERIFY(trouve);
        QCOMPARE(imprimante.orientation().value(), PageOrientation::Portrait);
    }
};

QTEST_MAIN(TestPrintPdf)
#include "test_print_pdf.moc"
