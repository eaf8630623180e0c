// Printing on the real platform, under LANG=fr_FR.UTF-8: the probes on the CI's CUPS
// queues (.ci/prepare-print-server.sh), Qt's dialogs read widget by widget, and the
// calibration page read back from its PDF.
#include "app/ReglagesModele.h"
#include "platform/QtDialogs.h"
#include "platform/QtPrinterService.h"
#include "platform/Traductions.h"
#include "print/CommandeImpression.h"
#include "print/TestsImprimante.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/DialogueModal.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {
// "objectName: text" for every visible widget, each tab shown in turn.
void releve(QWidget* w, QStringList& vus)
{
    if (!w->isVisible())
        return;
    QStringList t = {w->property("text").toString(), w->property("title").toString()};
    if (auto* c = qobject_cast<QComboBox*>(w))
        for (int i = 0; i < c->count(); ++i)
            t << c->itemText(i);
    if (auto* v = qobject_cast<QAbstractItemView*>(w))
        for (int r = 0; r < v->model()->rowCount(v->rootIndex()); ++r)
            for (int c = 0; c < v->model()->columnCount(v->rootIndex()); ++c)
                t << v->model()->index(r, c, v->rootIndex()).data().toString();
    for (const QString& s : std::as_const(t))
        if (!s.isEmpty())
            vus << w->objectName() + u": "_qs + s;
    auto* onglets = qobject_cast<QTabWidget*>(w);
    for (int i = 0; onglets && i < onglets->count(); ++i) {
        onglets->setCurrentIndex(i);
        releve(onglets->widget(i), vus);
    }
    for (QWidget* enfant : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!onglets)
            releve(enfant, vus);
}

// Where the longest straight run of ink lies, in mm from the sheet's left edge (a
// vertical line) or top edge (a horizontal one).
double ligneLaPlusLongue(const QImage& g, bool verticale)
{
    int meilleure = 0, position = 0;
    for (int i = 0; i < (verticale ? g.width() : g.height()); ++i)
        for (int j = 0, suite = 0; j < (verticale ? g.height() : g.width()); ++j)
            if ((suite = (verticale ? g.constScanLine(j)[i] : g.constScanLine(i)[j]) < 128 ? suite + 1 : 0) > meilleure)
                std::tie(meilleure, position) = std::pair(suite, i);
    return (position + 0.5) * 25.4 / pdf::kDixiemes;
}
}  // namespace

class TestPrintPlateforme : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // A queue that refuses A4 is told before the run fails on it (the recording printer's
    // refusals are the print run's tests).
    void theProbesTryWhatTheRunNeeds_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("refuses");
        QTest::newRow("queue without A4") << u"Plivane-Sans-A4"_qs << u"02"_qs;
        QTest::newRow("queue with A4") << u"Plivane-PDF"_qs << u"0"_qs;
    }
    void theProbesTryWhatTheRunNeeds()
    {
        QFETCH(QString, file);
        QFETCH(QString, refuses);
        QtPrinterService imprimante;
        if (!imprimante.selectPrinter(file))
            QSKIP("No such CUPS queue on this machine (CI creates it); no printer was touched.");
        QVERIFY(imprimante.setPaperSize(QPrinterInfo::printerInfo(file).defaultPageSize().id()));
        const int format = imprimante.paperSize().value();
        ScriptedDialogs dialogues;
        dialogues.setupAnswers = {true};
        ReglagesImprimante reglages;
        TestImpr2(imprimante, dialogues, reglages);
        QCOMPARE(reglages.ReglagesRefuses, refuses);
        QCOMPARE(dialogues.shownOfKind(u"setup"_qs).size(), refuses.size() - 1);  // after its message
        QCOMPARE(imprimante.paperSize().value(), format);
        QCOMPARE(imprimante.orientation().value(), PageOrientation::Portrait);
    }

    // No English, no pattern text, no page range, odd or even pages, reverse order or
    // collating (the copies of each envelope together, on a queue as in a file).
    void theDialogsSpeakFrenchAndOfferOnlyWhatPrints_data()
    {
        QTest::addColumn<QString>("dialogue");
        for (const char* d : {"CUPS queue", "file", "open", "save"})
            QTest::newRow(d) << QString::fromLatin1(d);
    }
    void theDialogsSpeakFrenchAndOfferOnlyWhatPrints()
    {
        QFETCH(QString, dialogue);
        QtPrinterService imprimante;
        if (dialogue == u"CUPS queue"_qs && !imprimante.selectPrinter(u"Plivane-PDF"_qs))
            QSKIP("No CUPS queue named Plivane-PDF on this machine (CI creates it).");
        if (dialogue == u"file"_qs)
            QVERIFY(imprimante.setOutputFileName(m_dir.filePath(u"sortie.pdf"_qs)));
        imprimante.printer().setCollateCopies(true);
        QVERIFY(QDir(m_dir.path()).mkpath(u"Envois"_qs));
        for (const QString& nom : {u"a.plv"_qs, u"B.PLV"_qs, u"c.bmp"_qs})
            QVERIFY(QFile(m_dir.filePath(nom)).open(QIODevice::WriteOnly));
        QStringList vus;
        const auto lit = [&vus](QDialog& d) {
            for (QPushButton* b : d.findChildren<QPushButton*>())
                if (b->text() == u"&Options >>"_qs)
                    b->click();  // the Copies and Options tabs
            if (auto* liste = d.findChild<QAbstractItemView*>(u"treeView"_qs))
                QTRY_COMPARE(liste->model()->rowCount(liste->rootIndex()), 3);  // a folder, .plv in any case
            releve(&d, vus);
        };
        QtDialogs dialogues;
        const FileDialogRequest demande{u"Ouvrir"_qs, u"Fichiers autorisés (*.PLV)|*.PLV"_qs, u"PLV"_qs, m_dir.path() + u"/"_qs};
        if (dialogue == u"open"_qs || dialogue == u"save"_qs) {
            pendantLeDialogue<QFileDialog>(lit);
            dialogue == u"open"_qs ? dialogues.openFile(demande) : dialogues.saveFile(demande);
            QVERIFY(vus.contains(u"fileTypeCombo: Fichiers autorisés (*.PLV)"_qs));
            QVERIFY(vus.contains(u"treeView: Dossier"_qs));
        } else {
            pendantLeDialogue<QPrintDialog>(lit, true);
            QVERIFY(dialogues.printDialog(imprimante));
            QVERIFY(!imprimante.printer().collateCopies());
        }
        static const QRegularExpression kPropre(u"^(printers|type|lookInCombo): "_qs);
        static const QRegularExpression kAnglais(u"\\[[A-Za-z]{2}\\]|\\b(Off|Folder|Sided|binding|Print|Reverse|"
                                                 "Collate|bytes|Dec)\\b|^(gbPrintRange|pageSetCombo|reverse|collate):"_qs);
        for (const QString& vu : std::as_const(vus))
            QVERIFY2(kPropre.match(vu).hasMatch() || !kAnglais.match(vu).hasMatch(), qPrintable(vu));
        QVERIFY(vus.size() > 20);
    }

    void aPrintToAFileIsOfferedUnderTheAddressFilesName()
    {
        QtPrinterService imprimante;
        QtDialogs dialogues;
        CommandeImpression commande(imprimante, dialogues, nullptr);
        commande.remplaceChoixAdresses([](const QStringList&) { return std::optional<QList<int>>(QList<int>{0}); });
        DemandeImpression demande;
        demande.adresses = {u"Destinataire"_qs};
        demande.reglages.NomFichier = m_dir.filePath(u"Amis.PLV"_qs);
        QString propose;
        pendantLeDialogue<QPrintDialog>([&propose](QPrintDialog& d) {
            auto* sorties = d.findChild<QComboBox*>(u"printers"_qs);
            sorties->setCurrentIndex(sorties->count() - 1);
            propose = d.findChild<QLineEdit*>(u"filename"_qs)->text();
        });
        commande.Imprimer(demande);
        QCOMPARE(propose, m_dir.filePath(u"Amis - enveloppes.pdf"_qs));
        QCOMPARE(imprimante.printer().docName(), u"Amis - enveloppes"_qs);  // the job's name in the queue
    }

    // Every mark clear of the unprintable margins; folded along the page's lines, the
    // edges of an envelope printed s mm too far right and down land on the graduation -s.
    void theCalibrationPageIsPrintableAndReadsTheShift_data()
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
    void theCalibrationPageIsPrintableAndReadsTheShift()
    {
        QFETCH(int, orientation);
        QFETCH(float, longueur);
        QFETCH(float, hauteur);
        const QString fichier = m_dir.filePath(u"calibrage %1.pdf"_qs.arg(QTest::currentDataTag()));
        QtPrinterService imprimante;
        QVERIFY(imprimante.setOutputFileName(fichier));
        ScriptedDialogs dialogues;
        dialogues.printAnswers = {true};
        DecalagesImprimantes decalages(fichier + u".ini"_qs);
        ReglagesModele reglages;
        std::tie(reglages.Orientation, reglages.LongueurEnv, reglages.HauteurEnv) = std::tuple(orientation, longueur, hauteur);
        AlignementImprimante(imprimante, dialogues, decalages).ImprimeCalibrage(reglages);
        auto doc = pdf::ouvre(fichier);
        QVERIFY(doc && dialogues.messageTexts().isEmpty());
        QCOMPARE(pdf::tailleMm(*doc, 0).width() > 250, orientation == 1);

        // Upright from the sheet's corner, sideways against its bottom edge.
        const QRectF enveloppe(0, orientation ? 210 - hauteur : 0, longueur, hauteur);
        const QRectF permis = enveloppe.intersected(QRectF(QPointF(), pdf::tailleMm(*doc, 0))).adjusted(6, 6, -6, -6);
        const QImage image = pdf::rendu(*doc, 0).convertToFormat(QImage::Format_Grayscale8);
        QRect encre;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.constScanLine(y)[x] < 128)
                    encre |= QRect(x, y, 1, 1);
        const QRectF encreMm(QRectF(encre).topLeft() / 10, QRectF(encre).size() / 10);  // a pixel a tenth of a mm
        QVERIFY2(!encre.isEmpty() && permis.contains(encreMm), qPrintable(u"%1, %2 to %3, %4"_qs.arg(encreMm.left())
                                    .arg(encreMm.top()).arg(encreMm.right()).arg(encreMm.bottom())));
        QVERIFY(longueur != 220.f || pdf::mot(*doc, 0, u"pliez"_qs));  // how to read it

        const double pliX = ligneLaPlusLongue(image, true), pliY = ligneLaPlusLongue(image, false);
        for (int s : {-5, 0, 5}) {
            const double x = 2 * pliX - (0 - s), y = 2 * pliY - (enveloppe.top() - s);
            bool lu = false;
            for (const pdf::Mot& a : pdf::mots(*doc, 0))
                for (const pdf::Mot& b : pdf::mots(*doc, 0))
                    lu |= a.texte == b.texte && a.texte == (s < 0 ? u"+%1"_qs.arg(-s) : QString::number(-s)) &&
                          a.mm.left() - 0.5 < x && x < a.mm.right() + 0.5 && b.mm.top() - 0.5 < y && y < b.mm.bottom() + 0.5;
            QVERIFY2(lu, qPrintable(u"%1 mm: folded edges at %2 and %3 mm"_qs.arg(s).arg(x).arg(y)));
        }
    }
};

int main(int argc, char** argv)
{
    qputenv("LC_ALL", "fr_FR.UTF-8");
    qputenv("LANG", "fr_FR.UTF-8");
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));  // as the program starts
    if (!installeTraductionsFrancaises())
        return 1;
    TestPrintPlateforme test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_print_plateforme.moc"
