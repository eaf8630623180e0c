// The print command through the real Qt printing service into a PDF, read back with
// Poppler: each block where the envelope puts it, measured from the sheet's corner; the
// crop marks; the copies; and a run cancelled from its progress, still a whole document.
#include "addresses/AddressEncoding.h"
#include "platform/QtPrinterService.h"
#include "print/CommandeImpression.h"
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
        commande.decalages().utiliseFichier(dossier.filePath(u"decalages.ini"_qs));  // no shift
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

// The recipient block's left edge and the bottom of its last line, its lines one below
// the other.
QPointF blocDestinataire(Poppler::Document& doc)
{
    const auto nom = pdf::mot(doc, 0, u"Nom"_qs);
    const auto et = pdf::mot(doc, 0, u"et"_qs);
    const auto adresse = pdf::mot(doc, 0, u"Adresse"_qs);
    if (!nom || !et || !adresse)
        return {};
    const double interligne = et->mm.top() - nom->mm.top();
    if (qAbs(et->mm.left() - nom->mm.left()) > 0.1 || qAbs(adresse->mm.left() - nom->mm.left()) > 0.1 ||
        qAbs(adresse->mm.top() - et->mm.top() - interligne) > 0.1)
        return {};
    return {nom->mm.left(), nom->mm.top() + 3 * interligne};
}
}  // namespace

class TestPrintPdf : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void uprightDefaultsAtTheirPhysicalPlace()
    {
        Impression i(m_dir, u"droite.pdf"_qs);
        auto doc = i.imprime();
        QVERIFY(i.dialogues.shownOfKind(u"message"_qs).isEmpty());
        QVERIFY(doc);
        QCOMPARE(doc->numPages(), 1);
        const auto exp = pdf::mot(*doc, 0, u"Expéditeur"_qs);
        QVERIFY(exp);
        QCOMPARE_MM(exp->mm.left(), 10.0);
        QCOMPARE_MM(exp->mm.top(), 10.0);
        const QPointF dest = blocDestinataire(*doc);
        QCOMPARE_MM(dest.x(), 100.0);
        QCOMPARE_MM(dest.y(), 90.0);  // 20 mm above the bottom of a 110 mm envelope
    }

    void sidewaysAgainstTheLongEdge()
    {
        Impression i(m_dir, u"paysage.pdf"_qs);
        i.demande.reglages.Orientation = 1;
        i.demande.reglages.HauteurEnv = 120;
        auto doc = i.imprime();
        QCOMPARE(doc->numPages(), 1);
        QCOMPARE_MM(pdf::tailleMm(*doc, 0).width(), 297.0);
        QCOMPARE_MM(pdf::tailleMm(*doc, 0).height(), 210.0);
        // The envelope's top edge lies 210 - 120 mm below the sheet's top.
        const auto exp = pdf::mot(*doc, 0, u"Expéditeur"_qs);
        QVERIFY(exp);
        QCOMPARE_MM(exp->mm.left(), 10.0);
        QCOMPARE_MM(exp->mm.top(), 90.0 + 10.0);
        QCOMPARE_MM(blocDestinataire(*doc).y(), 90.0 + 100.0);
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
        // The envelope lies from the sheet's corner: marks on its right and bottom edges.
        const QList<QPointF> marques = {{162, 4}, {162, 7}, {4, 114}, {7, 114}, {158, 114}, {162, 110}};
        auto seules = i.imprime();  // nothing chosen: the marks alone
        QCOMPARE(seules->numPages(), 1);
        QVERIFY(pdf::mots(*seules, 0).isEmpty());
        QVERIFY(pdf::encre(pdf::rendu(*seules, 0, kDpi), kDpi, 162, 4));

        i.demande.adresses = {kAdresse, kAdresse, kAdresse};
        i.choix = {0, 1, 2};
        auto doc = i.imprime();
        QCOMPARE(doc->numPages(), 3);
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

    void aCancelledRunIsAWholeDocument()
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
};

QTEST_MAIN(TestPrintPdf)
#include "test_print_pdf.moc"
