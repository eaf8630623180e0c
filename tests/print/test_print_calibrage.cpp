// The calibration page printed to a PDF and read back: every mark lies inside the
// envelope and the A4 sheet, clear of any printer's unprintable margin, in both feeds;
// and for a printer that prints off its place, the envelope's edges folded along the
// page's lines reach the graduations that bring its prints back.
#include "app/ReglagesModele.h"
#include "platform/QtPrinterService.h"
#include "print/AlignementImprimante.h"
#include "print/DecalagesImprimantes.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
// Where the longest straight run of ink lies, in mm from the sheet's left edge (a
// vertical line) or from its top edge (a horizontal one).
double ligneLaPlusLongue(const QImage& image, Qt::Orientation sens)
{
    const QImage g = image.convertToFormat(QImage::Format_Grayscale8);
    const bool verticale = sens == Qt::Vertical;
    int meilleure = 0, position = 0;
    for (int i = 0; i < (verticale ? g.width() : g.height()); ++i)
        for (int j = 0, suite = 0; j < (verticale ? g.height() : g.width()); ++j) {
            suite = (verticale ? g.constScanLine(j)[i] : g.constScanLine(i)[j]) < 128 ? suite + 1 : 0;
            if (suite > meilleure)
                std::tie(meilleure, position) = std::pair(suite, i);
        }
    return (position + 0.5) * 25.4 / pdf::kDixiemes;
}
}  // namespace

class TestPrintCalibrage : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void everyMarkIsPrintableAndTheFoldsReadTheShift_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<float>("longueur");
        QTest::addColumn<float>("hauteur");
        QTest::newRow("Portrait, DL") << 0 << 220.f << 110.f;
        QTest::newRow("Paysage, DL") << 1 << 220.f << 110.f;
        QTest::newRow("Portrait, smallest") << 0 << 50.f << 50.f;
        QTest::newRow("Paysage, the whole sheet") << 1 << 297.f << 210.f;
        QTest::newRow("Portrait, largest") << 0 << 350.f << 235.f;
    }
    void everyMarkIsPrintableAndTheFoldsReadTheShift()
    {
        QFETCH(int, orientation);
        QFETCH(float, longueur);
        QFETCH(float, hauteur);
        const QString fichier = m_dir.filePath(QStringLiteral("calibrage%1.pdf").arg(QTest::currentDataTag()));
        QtPrinterService imprimante;
        QVERIFY(imprimante.setOutputFileName(fichier));
        ScriptedDialogs dialogues;
        dialogues.printAnswers = {true};
        DecalagesImprimantes decalages(fichier + u".ini"_qs);
        ReglagesModele reglages;
        reglages.Orientation = orientation;
        reglages.LongueurEnv = longueur;
        reglages.HauteurEnv = hauteur;
        AlignementImprimante(imprimante, dialogues, decalages).ImprimeCalibrage(reglages);
        QVERIFY(dialogues.messageTexts().isEmpty());
        auto doc = pdf::ouvre(fichier);
        QVERIFY(doc);
        QCOMPARE(doc->numPages(), 1);

        // Upright the envelope lies from the sheet's corner, sideways against its bottom
        // edge; no printer leaves 6 mm unprinted, nor does a feeder shift an envelope so far.
        const QSizeF feuille = pdf::tailleMm(*doc, 0);
        QCOMPARE(feuille.width() > 250, orientation == 1);
        const QRectF enveloppe(0, orientation ? 210 - hauteur : 0, longueur, hauteur);
        const QRectF permis = enveloppe.intersected(QRectF(QPointF(), feuille)).adjusted(6, 6, -6, -6);
        const QImage image = pdf::rendu(*doc, 0).convertToFormat(QImage::Format_Grayscale8);
        QRect encre;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.constScanLine(y)[x] < 128)
                    encre |= QRect(x, y, 1, 1);
        const QRectF encreMm(QPointF(encre.topLeft()) * 25.4 / pdf::kDixiemes,
                             QSizeF(encre.size()) * 25.4 / pdf::kDixiemes);
        QVERIFY(!encre.isEmpty());
        QVERIFY2(permis.contains(encreMm), qPrintable(u"ink from (%1, %2) to (%3, %4) mm"_qs.arg(encreMm.left())
                                                          .arg(encreMm.top()).arg(encreMm.right()).arg(encreMm.bottom())));
        if (longueur == 220.f)
            QVERIFY(pdf::mot(*doc, 0, u"pliez"_qs));  // the page says how to read it

        // A printer printing s mm too far right (or down) puts the envelope's edge s mm
        // left of (or above) where the page expects it. Folded along the line, the edge
        // lands as far beyond the line as it lay before it: on the graduation -s.
        const double pliX = ligneLaPlusLongue(image, Qt::Vertical), pliY = ligneLaPlusLongue(image, Qt::Horizontal);
        for (int s : {-5, 0, 5}) {
            const QString attendu = s < 0 ? u"+%1"_qs.arg(-s) : QString::number(-s);
            const double replieX = 2 * pliX - (0 - s), replieY = 2 * pliY - (enveloppe.top() - s);
            bool x = false, y = false;
            for (const pdf::Mot& m : pdf::mots(*doc, 0)) {
                x |= m.texte == attendu && m.mm.left() - 0.5 < replieX && replieX < m.mm.right() + 0.5;
                y |= m.texte == attendu && m.mm.top() - 0.5 < replieY && replieY < m.mm.bottom() + 0.5;
            }
            QVERIFY2(x && y, qPrintable(u"%1 mm: folded edges at %2 and %3 mm"_qs.arg(s).arg(replieX).arg(replieY)));
        }
    }
};

QTEST_MAIN(TestPrintCalibrage)
#include "test_print_calibrage.moc"
