// The print command through the real Qt printing service into a PDF, read back with
// Poppler: each block where the envelope puts it, measured from the sheet's corner.
#include "addresses/AddressEncoding.h"
#include "platform/QtPrinterService.h"
#include "print/CommandeImpression.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr double kTolerance = 0.1;  // mm
constexpr double kDpi = 300;
const QString S = QString(kSeparateurLignes);
const QString kAdresse = u"Nom"_qs + S + u"et"_qs + S + u"Adresse"_qs;

#define QCOMPARE_MM(actual, expected)                                                                      \
    QVERIFY2(qAbs((actual) - (expected)) <= kTolerance,                                                    \
             qPrintable(QStringLiteral("%1 mm, expected %2 mm").arg(actual).arg(expected)))

struct Impression {
    QtPrinterService imprimante;
    ScriptedDialogs dialogues;
    CommandeImpression commande{imprimante, dialogues, nullptr};
    DemandeImpression demande;
    QList<int> choix = {0};

    explicit Impression(const QString& chemin)
    {
        imprimante.setOutputFileName(chemin);
        demande.texteExpediteur = u"Expéditeur"_qs;
        demande.adresses = {kAdresse};
        commande.remplaceChoixAdresses([this](const QStringList&) { return std::optional<QList<int>>(choix); });
    }
    void imprime()
    {
        dialogues.printAnswers = {true};
        commande.Imprimer(demande);
    }
};
}  // namespace

class TestPrintPdf : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString fichier(const QString& nom) const { return m_dir.filePath(nom); }

    // The recipient block's left edge and the bottom of its last line.
    static void blocDestinataire(Poppler::Document& doc, int page, double& gauche, double& bas)
    {
        const auto nom = pdf::mot(doc, page, u"Nom"_qs);
        const auto et = pdf::mot(doc, page, u"et"_qs);
        const auto adresse = pdf::mot(doc, page, u"Adresse"_qs);
        QVERIFY(nom && et && adresse);
        QCOMPARE_MM(et->mm.left(), nom->mm.left());
        QCOMPARE_MM(adresse->mm.left(), nom->mm.left());
        const double interligne = et->mm.top() - nom->mm.top();
        QCOMPARE_MM(adresse->mm.top() - et->mm.top(), interligne);
        gauche = nom->mm.left();
        bas = nom->mm.top() + 3 * interligne;
    }

private slots:
    void uprightDefaultsAtTheirPhysicalPlace()
    {
        Impression i(fichier(u"droite.pdf"_qs));
        i.imprime();
        QVERIFY(i.dialogues.shownOfKind(u"message"_qs).isEmpty());
        auto doc = pdf::ouvre(fichier(u"droite.pdf"_qs));
        QVERIFY(doc);
        QCOMPARE(doc->numPages(), 1);
        const auto exp = pdf::mot(*doc, 0, u"Expéditeur"_qs);
        QVERIFY(exp);
        QCOMPARE_MM(exp->mm.left(), 10.0);
        QCOMPARE_MM(exp->mm.top(), 10.0);
        double gauche = 0, bas = 0;
        blocDestinataire(*doc, 0, gauche, bas);
        QCOMPARE_MM(gauche, 100.0);
        QCOMPARE_MM(bas, 90.0);  // 20 mm above the bottom of a 110 mm envelope
    }

    void sidewaysAgainstTheLongEdge()
    {
        Impression i(fichier(u"paysage.pdf"_qs));
        i.demande.reglages.Orientation = 1;
        i.demande.reglages.HauteurEnv = 120;
        i.imprime();
        auto doc = pdf::ouvre(fichier(u"paysage.pdf"_qs));
        QCOMPARE(doc->numPages(), 1);
        const QSizeF feuille = pdf::tailleMm(*doc, 0);
        QCOMPARE_MM(feuille.width(), 297.0);
        QCOMPARE_MM(feuille.height(), 210.0);
        // The envelope's top edge lies 210 - 120 mm below the sheet's top.
        const auto exp = pdf::mot(*doc, 0, u"Expéditeur"_qs);
        QVERIFY(exp);
        QCOMPARE_MM(exp->mm.left(), 10.0);
        QCOMPARE_MM(exp->mm.top(), 90.0 + 10.0);
        double gauche = 0, bas = 0;
        blocDestinataire(*doc, 0, gauche, bas);
        QCOMPARE_MM(bas, 90.0 + 100.0);
        // The printer is back upright for the next user of it.
        QCOMPARE(i.imprimante.orientation().value(), PageOrientation::Portrait);
    }

    void senderLinesCentred()
    {
        Impression i(fichier(u"centre.pdf"_qs));
        i.demande.texteExpediteur = u"Ab\r\nAbcdefghij"_qs;
        i.imprime();
        auto doc = pdf::ouvre(fichier(u"centre.pdf"_qs));
        const auto court = pdf::mot(*doc, 0, u"Ab"_qs);
        const auto long_ = pdf::mot(*doc, 0, u"Abcdefghij"_qs);
        QVERIFY(court && long_);
        QCOMPARE_MM(long_->mm.left(), 10.0);
        QCOMPARE_MM(court->mm.center().x(), long_->mm.center().x());
    }

    void cropMarksOnTheFirstPageOnly()
    {
        Impression i(fichier(u"reperes.pdf"_qs));
        i.demande.reglages.RepereCoupe = true;
        i.demande.reglages.LongueurEnv = 162;  // C6: the whole envelope lies on the upright sheet
        i.demande.reglages.HauteurEnv = 114;
        i.demande.reglages.MargeGaucheDest = 60;
        i.demande.adresses = {kAdresse, kAdresse, kAdresse};
        i.choix = {0, 1, 2};
        i.imprime();
        auto doc = pdf::ouvre(fichier(u"reperes.pdf"_qs));
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
        Impression i(fichier(u"quantite.pdf"_qs));
        i.demande.reglages.Quantite = 2;
        i.demande.adresses = {u"Un"_qs, u"Deux"_qs};
        i.choix = {0, 1};
        i.imprime();
        auto doc = pdf::ouvre(fichier(u"quantite.pdf"_qs));
        QCOMPARE(doc->numPages(), 4);
        QVERIFY(pdf::mot(*doc, 1, u"Un"_qs));
        QVERIFY(pdf::mot(*doc, 3, u"Deux"_qs));
        QCOMPARE(i.imprimante.copies().value(), 1);  // the count comes back after the run
    }

    void onlyMarksWhenNothingIsChosen()
    {
        Impression i(fichier(u"vide.pdf"_qs));
        i.choix = {};
        i.imprime();
        QVERIFY(!QFile::exists(fichier(u"vide.pdf"_qs)));

        i.demande.reglages.RepereCoupe = true;
        i.imprime();
        auto doc = pdf::ouvre(fichier(u"vide.pdf"_qs));
        QCOMPARE(doc->numPages(), 1);
        QVERIFY(pdf::mots(*doc, 0).isEmpty());
    }
};

QTEST_MAIN(TestPrintPdf)
#include "test_print_pdf.moc"
