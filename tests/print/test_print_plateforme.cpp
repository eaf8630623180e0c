// Printing on the real platform, under LANG=fr_FR.UTF-8: the probes on the CI's CUPS
// queues (.ci/prepare-print-server.sh), Qt's dialogs read widget by widget, and the
// calibration page read back from its PDF. The Qt printing service printing to PDF, read
// back with Poppler: an image at its place from the sheet's corner, failures said in French.
// And its dialogs, played through: the print dialog opens on the copies and keeps a print to
// file; the preview shows the feed picture beside its pages; the alignment dialog shows the
// printer's kept shift and follows a calibration print to another printer; the progress
// dialog hears "Annuler"; the mapping step of an import previews the user's choices,
// "Importer" hands them back, "Annuler" none.
#include "app/ReglagesModele.h"
#include "app/window/QtDialogs.h"
#include "platform/widgets/QtPrinterService.h"
#include "platform/widgets/QtProgress.h"
#include "platform/widgets/Traductions.h"
#include "print/CommandeImpression.h"
#include "print/TestsImprimante.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/DialogueModal.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {
constexpr double kDpi = 300;

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
            if ((suite = (verticale ? g.constScanLine(j)[i] : g.constScanLine(i)[j]) < 128 ? suite + 1 : 0) >
                meilleure)
                std::tie(meilleure, position) = std::pair(suite, i);
    return (position + 0.5) * 25.4 / pdf::kDixiemes;
}
} // namespace

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
        QCOMPARE(dialogues.shownOfKind(u"setup"_qs).size(), refuses.size() - 1); // after its message
        QCOMPARE(imprimante.paperSize().value(), format);
        QCOMPARE(imprimante.orientation().value(), PageOrientation::Portrait);
    }

    // No English, no pattern text, no page range, odd or even pages, reverse order or
    // collating (the copies of each envelope together, on a queue as in a file).
    void theDialogsSpeakFrenchAndOfferOnlyWhatPrints_data()
    {
        QTest::addColumn<QString>("dialogue");
        for (const char* d : {"CUPS queue", "printer properties", "file", "open", "save"})
            QTest::newRow(d) << QString::fromLatin1(d);
    }
    void theDialogsSpeakFrenchAndOfferOnlyWhatPrints()
    {
        QFETCH(QString, dialogue);
        QtPrinterService imprimante;
        if (dialogue == u"CUPS queue"_qs && !imprimante.selectPrinter(u"Plivane-PDF"_qs))
            QSKIP("No CUPS queue named Plivane-PDF on this machine (CI creates it).");
        // An IPP Everywhere queue: its driver is made from what the printer says, in English.
        const bool proprietes = dialogue == u"printer properties"_qs;
        if (proprietes && !imprimante.selectPrinter(u"Plivane-Jet-Encre"_qs))
            QSKIP("No CUPS queue named Plivane-Jet-Encre on this machine (CI creates it).");
        if (dialogue == u"file"_qs)
            QVERIFY(imprimante.setOutputFileName(m_dir.filePath(u"sortie.pdf"_qs)));
        imprimante.printer().setCollateCopies(true);
        QVERIFY(QDir(m_dir.path()).mkpath(u"Envois"_qs));
        for (const QString& nom : {u"a.plv"_qs, u"B.PLV"_qs, u"c.bmp"_qs})
            QVERIFY(QFile(m_dir.filePath(nom)).open(QIODevice::WriteOnly));
        QStringList vus;
        const auto lit = [&vus, proprietes](QDialog& d) {
            for (QPushButton* b : d.findChildren<QPushButton*>())
                if (b->text() == u"&Options >>"_qs)
                    b->click(); // the Copies and Options tabs
            if (auto* liste = d.findChild<QAbstractItemView*>(u"treeView"_qs))
                QTRY_COMPARE(liste->model()->rowCount(liste->rootIndex()), 3); // a folder, .plv in any case
            releve(&d, vus);
            if (!proprietes)
                return;
            auto* minuterie = new QTimer;
            QObject::connect(minuterie, &QTimer::timeout, minuterie, [minuterie, &vus] {
                QWidget* m = QApplication::activeModalWidget();
                if (!m || !m->inherits("QPrintPropertiesDialog"))
                    return;
                minuterie->deleteLater();
                vus << u"title: "_qs + m->windowTitle();
                releve(m, vus);
                static_cast<QDialog*>(m)->reject();
            });
            minuterie->start(20);
            d.findChild<QAbstractButton*>(u"properties"_qs)->click();
            QVERIFY(vus.contains(u"title: Propriétés de l'imprimante"_qs));
            const QString tout = vus.join(u" | "_qs);
            QVERIFY2(tout.contains(u": Enveloppe DL |"_qs) && tout.contains(u": Bac multifonction |"_qs),
                     qPrintable(tout));
        };
        QtDialogs dialogues;
        const FileDialogRequest demande{u"Ouvrir"_qs, u"Fichiers autorisés (*.PLV)|*.PLV"_qs, u"PLV"_qs,
                                        m_dir.path() + u"/"_qs};
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
        static const QRegularExpression kAnglais(
            u"\\[[A-Za-z]{2}\\]|\\b(Off|Folder|Sided|binding|Print|Reverse|"
            "Collate|bytes|Dec|Media|Properties|Advanced|Stationery|ByPassTray|Env[A-Z0-9]+|"
            "conflicts)\\b|^(gbPrintRange|pageSetCombo|reverse|collate):"_qs);
        for (const QString& vu : std::as_const(vus))
            QVERIFY2(kPropre.match(vu).hasMatch() || !kAnglais.match(vu).hasMatch(), qPrintable(vu));
        QVERIFY(vus.size() > 20);
    }

    void aPrintToAFileIsOfferedUnderTheAddressFilesName()
    {
        QtPrinterService imprimante;
        QtDialogs dialogues;
        CommandeImpression commande(imprimante, dialogues, nullptr);
        commande.remplaceChoixAdresses(
            [](const EntreesAdresses&) { return std::optional<QList<int>>(QList<int>{0}); });
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
        QCOMPARE(imprimante.printer().docName(), u"Amis - enveloppes"_qs); // the job's name in the queue
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
        std::tie(reglages.Orientation, reglages.LongueurEnv, reglages.HauteurEnv) =
            std::tuple(orientation, longueur, hauteur);
        AlignementImprimante(imprimante, dialogues, decalages).ImprimeCalibrage(reglages);
        auto doc = pdf::ouvre(fichier);
        QVERIFY(doc && dialogues.messageTexts().isEmpty());
        QCOMPARE(pdf::tailleMm(*doc, 0).width() > 250, orientation == 1);

        // Upright from the sheet's corner, sideways against its bottom edge.
        const QRectF enveloppe(0, orientation ? 210 - hauteur : 0, longueur, hauteur);
        const QRectF permis =
            enveloppe.intersected(QRectF(QPointF(), pdf::tailleMm(*doc, 0))).adjusted(6, 6, -6, -6);
        const QImage image = pdf::rendu(*doc, 0).convertToFormat(QImage::Format_Grayscale8);
        QRect encre;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.constScanLine(y)[x] < 128)
                    encre |= QRect(x, y, 1, 1);
        const QRectF encreMm(QRectF(encre).topLeft() / 10,
                             QRectF(encre).size() / 10); // a pixel a tenth of a mm
        QVERIFY2(!encre.isEmpty() && permis.contains(encreMm),
                 qPrintable(u"%1, %2 to %3, %4"_qs.arg(encreMm.left())
                                .arg(encreMm.top())
                                .arg(encreMm.right())
                                .arg(encreMm.bottom())));
        QVERIFY(longueur != 220.f || pdf::mot(*doc, 0, u"pliez"_qs)); // how to read it

        const double pliX = ligneLaPlusLongue(image, true), pliY = ligneLaPlusLongue(image, false);
        for (int s : {-5, 0, 5}) {
            const double x = 2 * pliX - (0 - s), y = 2 * pliY - (enveloppe.top() - s);
            bool lu = false;
            for (const pdf::Mot& a : pdf::mots(*doc, 0))
                for (const pdf::Mot& b : pdf::mots(*doc, 0))
                    lu |= a.texte == b.texte &&
                          a.texte == (s < 0 ? u"+%1"_qs.arg(-s) : QString::number(-s)) &&
                          a.mm.left() - 0.5 < x && x < a.mm.right() + 0.5 && b.mm.top() - 0.5 < y &&
                          y < b.mm.bottom() + 0.5;
            QVERIFY2(lu, qPrintable(u"%1 mm: folded edges at %2 and %3 mm"_qs.arg(s).arg(x).arg(y)));
        }
    }

    void imagesAreScaledToTheirPlace()
    {
        QtPrinterService service;
        QVERIFY(service.setOutputFileName(m_dir.filePath(u"image.pdf"_qs)));
        QImage noir(4, 2, QImage::Format_RGB32);
        noir.fill(Qt::black);
        QVERIFY(service.drawImage(noir, RectMm{Mm(100), Mm(100), Mm(20), Mm(10)}));
        QVERIFY(service.endDocument());
        // From the sheet's corner, 3 mm in from the printable area's; 20 x 10 mm.
        const QImage page = pdf::rendu(*pdf::ouvre(m_dir.filePath(u"image.pdf"_qs)), 0, kDpi);
        QVERIFY(pdf::encre(page, kDpi, 122, 112));
        QVERIFY(!pdf::encre(page, kDpi, 124, 104));
        QVERIFY(!pdf::encre(page, kDpi, 104, 114));
    }

    void failuresSayWhyInFrench()
    {
        QtPrinterService sansFichier;
        sansFichier.printer().setOutputFileName(QString());         // (a printer queue, if there is one)
        sansFichier.printer().setOutputFormat(QPrinter::PdfFormat); // then the PDF printer, with no file
        const Status rien = sansFichier.printText(u"x"_qs, LineEnd::No);
        QVERIFY(!rien);
        QVERIFY(rien.error().startsWith(u"Aucune imprimante n'est installée"_qs));

        QtPrinterService dossierAbsent;
        QVERIFY(dossierAbsent.setOutputFileName(m_dir.filePath(u"absent/x.pdf"_qs)));
        const Status ecrit = dossierAbsent.drawLine({}, {Mm(1), Mm(1)});
        QVERIFY(!ecrit);
        QVERIFY(ecrit.error().startsWith(u"Impossible d'écrire le fichier"_qs));
        QVERIFY(dossierAbsent.endDocument()); // nothing was opened, nothing to end

        QtPrinterService service;
        QCOMPARE(service.setPaperSize(-4).error(), u"Format de papier inconnu (code -4)."_qs);
        QVERIFY(!service.selectPrinter(u"Plivane-aucune-imprimante-de-ce-nom"_qs));
    }

    // In the dialogs, the checks run while the user would see them.

    void printDialogOpensOnTheCopiesAndKeepsTheFile()
    {
        QtPrinterService service;
        const QString chemin = m_dir.filePath(u"dialogue.pdf"_qs);
        QVERIFY(service.setOutputFileName(chemin));
        QVERIFY(service.setCopies(3));
        QtDialogs dialogs;
        pendantLeDialogue(
            [](QDialog& d) {
                auto* copies = d.findChild<QSpinBox*>(u"copies"_qs);
                QCOMPARE(copies->value(), 3);
                copies->setValue(5);
                const QString sortie = d.findChild<QComboBox*>(u"printers"_qs)->currentText();
                QVERIFY2(sortie.startsWith(u"Imprimer dans un fichier"_qs), qPrintable(sortie));
            },
            true);
        QVERIFY(dialogs.printDialog(service));
        QCOMPARE(service.copies().value(), 5);

        // Cancelled, the dialog leaves the printer as it was: still the same file, full page.
        pendantLeDialogue([](QDialog& d) { d.findChild<QComboBox*>(u"printers"_qs)->setCurrentIndex(0); });
        QVERIFY(!dialogs.printDialog(service));
        QVERIFY(service.printer().fullPage());
        QCOMPARE(service.printer().outputFileName(), chemin);
        QCOMPARE(service.copies().value(), 5);
    }

    void previewShowsTheFeedPictureBesideThePages()
    {
        QtPrinterService service;
        QVERIFY(service.setOutputFileName(m_dir.filePath(u"rien.pdf"_qs)));
        QtDialogs dialogs;
        PreviewRequest requete;
        requete.title = u"Aperçu avant impression"_qs;
        requete.picture = QImage(40, 20, QImage::Format_RGB32);
        requete.pictureCaption = u"Introduction de l'enveloppe"_qs;
        requete.prepare = [](PrinterService& p) {
            return bool(p.setOrientation(PageOrientation::Landscape));
        };
        requete.paint = [](PrinterService& p) { (void)(p.drawLine({}, {Mm(50), Mm(0)}) && p.endDocument()); };
        pendantLeDialogue([](QDialog& d) {
            QCOMPARE(d.windowTitle(), u"Aperçu avant impression"_qs);
            QCOMPARE(d.findChild<QPrintPreviewWidget*>()->pageCount(), 1);
            QVERIFY(!d.findChild<QLabel*>(u"ImageAlimentation"_qs)->pixmap().isNull());
            QCOMPARE(d.findChild<QDockWidget*>(u"Alimentation"_qs)->windowTitle(),
                     u"Introduction de l'enveloppe"_qs);
        });
        QVERIFY(!dialogs.printPreview(service, requete));
        QCOMPARE(service.orientation().value(), PageOrientation::Portrait); // the preview worked on a copy
    }

    void shiftDialogShowsTheKeptShiftAndFollowsTheCalibration()
    {
        QtDialogs dialogs;
        QString imprimante = u"Bureau"_qs;
        PrinterShiftRequest requete;
        requete.printerName = [&] { return imprimante; };
        requete.storedShift = [&] {
            return imprimante == u"Bureau"_qs ? PointMm{Mm(1.5), Mm(-0.5)} : PointMm{Mm(3), Mm(0)};
        };
        requete.storedSetup = [&] {
            return imprimante == u"Bureau"_qs ? PrinterSetup{}
                                              : PrinterSetup{1, u"manual"_qs, FeedEdge::Left};
        };
        requete.sources = [&] {
            return QList<QPair<QString, QString>>{{QString(), u"Choix de l'imprimante"_qs},
                                                  {u"manual"_qs, u"Bac manuel"_qs},
                                                  {u"envelope"_qs, u"Chargeur d'enveloppes"_qs}};
        };
        requete.papers = {u"Feuille A4"_qs, u"Enveloppe"_qs};
        requete.feedEdges = {u"Bord droit en premier"_qs, u"Bord gauche en premier"_qs};
        std::optional<PrinterSetup> calibre;
        requete.printCalibration = [&](const PrinterSetup& r) {
            calibre = r;
            imprimante = u"Atelier"_qs; // chosen in the calibration's print dialog
        };
        pendantLeDialogue(
            [](QDialog& d) {
                QCOMPARE(d.windowTitle(), u"Réglage de l'imprimante"_qs);
                auto* nom = d.findChild<QLabel*>(u"NomImprimante"_qs);
                auto* droite = d.findChild<QDoubleSpinBox*>(u"DecalageDroite"_qs);
                auto* bas = d.findChild<QDoubleSpinBox*>(u"DecalageBas"_qs);
                auto* papier = d.findChild<QComboBox*>(u"Papier"_qs);
                auto* bac = d.findChild<QComboBox*>(u"Bac"_qs);
                auto* entree = d.findChild<QComboBox*>(u"Entree"_qs);
                auto* image = d.findChild<QLabel*>(u"ImageEntree"_qs);
                QCOMPARE(nom->text(), u"Imprimante : Bureau"_qs);
                QCOMPARE(droite->value(), 1.5);
                QCOMPARE(bas->value(), -0.5);
                QCOMPARE(papier->currentText(), u"Feuille A4"_qs);
                QCOMPARE(bac->currentText(), u"Choix de l'imprimante"_qs);
                const QImage avant = image->pixmap().toImage();
                entree->setCurrentIndex(1); // the picture follows the feed edge
                QVERIFY(!avant.isNull() && image->pixmap().toImage() != avant);
                papier->setCurrentIndex(1);
                d.findChild<QPushButton*>(u"Calibrage"_qs)->click();
                QCOMPARE(nom->text(), u"Imprimante : Atelier"_qs);
                QCOMPARE(droite->value(), 3.0);
                QCOMPARE(bac->currentText(), u"Bac manuel"_qs);
                bac->setCurrentIndex(2);
                droite->setValue(2.54);
                bas->setValue(-25); // beyond the limit
            },
            true);
        const std::optional<PrinterShiftAnswer> reponse = dialogs.printerShiftDialog(requete);
        QVERIFY(reponse);
        QCOMPARE(reponse->shift, (PointMm{Mm(2.5), Mm(-20)}));
        QCOMPARE(reponse->setup, (PrinterSetup{1, u"envelope"_qs, FeedEdge::Left}));
        QCOMPARE(calibre,
                 std::optional(PrinterSetup{1, QString(), FeedEdge::Left})); // as the dialog showed it
        QCOMPARE(imprimante, u"Atelier"_qs);
        pendantLeDialogue({});
        QVERIFY(!dialogs.printerShiftDialog(requete));
    }

    void progressHearsAnnuler()
    {
        QtProgress suivi(nullptr, u"Impression"_qs, 10);
        QProgressDialog& d = suivi.dialog();
        QCOMPARE(d.windowModality(), Qt::ApplicationModal);
        QVERIFY(suivi.advance(0, u"Impression de l'enveloppe 1 sur 10"_qs));
        QCOMPARE(d.labelText(), u"Impression de l'enveloppe 1 sur 10"_qs);
        d.cancel();
        QVERIFY(!suivi.advance(1, u"Impression de l'enveloppe 2 sur 10"_qs));
    }

    void columnMappingPreviewsTheChoices_data()
    {
        QTest::addColumn<bool>("accepte");
        QTest::newRow("Importer") << true;
        QTest::newRow("Annuler") << false;
    }
    void columnMappingPreviewsTheChoices()
    {
        QFETCH(bool, accepte);
        ColumnMappingRequest demande;
        demande.title = u"Importer des adresses"_qs;
        demande.headers = {u"A"_qs, u"B"_qs};
        demande.choices = {u"Laisser de côté"_qs, u"Rue"_qs};
        demande.initial = {1, 1};
        demande.preview = [](const QList<int>& choix) {
            return QStringList{QString::number(choix.value(0)) + QString::number(choix.value(1))};
        };
        QString apercu;
        pendantLeDialogue(
            [&](QDialog& d) {
                const auto listes = d.findChildren<QComboBox*>();
                QCOMPARE(listes.size(), 2);
                listes[1]->setCurrentIndex(0);
                apercu = d.findChild<QPlainTextEdit*>()->toPlainText();
            },
            accepte);
        const std::optional<QList<int>> choix = QtDialogs().columnMapping(demande);
        QCOMPARE(apercu, u"10"_qs);
        QCOMPARE(choix, accepte ? std::optional(QList<int>{1, 0}) : std::nullopt);
    }
};

int main(int argc, char** argv)
{
    qputenv("LC_ALL", "fr_FR.UTF-8");
    qputenv("LANG", "fr_FR.UTF-8");
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); // as the program starts
    if (!installeTraductionsFrancaises())
        return 1;
    TestPrintPlateforme test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_print_plateforme.moc"
