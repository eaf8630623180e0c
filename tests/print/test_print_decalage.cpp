// The printer shift: kept per printer name to the tenth of a millimetre; applied by the
// run to every item it prints (in the PDF everything moves by exactly the shift, and a
// zero shift changes nothing); set in "Réglage de l'imprimante", whose calibration page
// prints without any shift where the run lays the envelope.
#include "addresses/AddressEncoding.h"
#include "platform/QtPrinterService.h"
#include "print/AlignementImprimante.h"
#include "print/DecalagesImprimantes.h"
#include "print/Imprime.h"
#include "print/ReglagesImprimante.h"
#include "tests/print/LecturePdf.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
DemandeImpression enveloppes()
{
    const QString S = QString(kSeparateurLignes);
    DemandeImpression d;
    d.adresses = {u"Albert Durand"_qs + S + u"2 rue Basse"_qs, u"Zoé Martin"_qs + S + u"1 rue Haute"_qs};
    d.reglages.RepereCoupe = true;
    d.reglages.LongueurEnv = 162;  // C6: the whole envelope lies on the upright sheet
    d.reglages.HauteurEnv = 114;
    d.reglages.MargeGaucheDest = 60;
    d.reglages.LogoChoisi = true;
    d.reglages.Logo = QImage(96, 48, QImage::Format_RGB32);
    d.reglages.Logo.fill(Qt::black);
    return d;
}
}  // namespace

class TestPrintDecalage : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_fichiers = 0;
    QString fichier(const QString& nom) const { return m_dir.filePath(nom); }
    QString nouveauFichier() { return m_dir.filePath(u"reglages%1.ini"_qs.arg(++m_fichiers)); }

    // The test envelopes printed to a PDF, with this shift kept for the PDF output, or by
    // a run that knows no shifts at all.
    std::unique_ptr<Poppler::Document> imprime(const QString& nom, std::optional<PointMm> decalage)
    {
        QtPrinterService imprimante;
        imprimante.setOutputFileName(fichier(nom));
        ScriptedDialogs dialogues;
        ReglagesImprimante reglages;
        DecalagesImprimantes decalages(nouveauFichier());
        if (decalage)
            (void)decalages.enregistre(QtPrinterService::pdfOutputName(), *decalage);
        Imprime run(imprimante, dialogues, reglages, decalage ? &decalages : nullptr);
        run.lance(enveloppes(), {0, 1});
        if (!dialogues.shown.isEmpty() || imprimante.shift() != PointMm{})  // no shift left on the printer
            return nullptr;
        return pdf::ouvre(fichier(nom));
    }

private slots:
    void keptPerPrinterToTheTenth()
    {
        const QString chemin = nouveauFichier();
        {
            DecalagesImprimantes d(chemin);
            QCOMPARE(d.decalage(u"HP_LaserJet"_qs), PointMm{});
            QVERIFY(d.enregistre(u"HP_LaserJet"_qs, {Mm(2.54), Mm(-1.06)}));
            QVERIFY(d.enregistre(u"Bureau/étage 2"_qs, {Mm(-0.5), Mm(0.3)}));
            QVERIFY(d.enregistre(u"Hors limites"_qs, {Mm(35), Mm(-40)}));
            QVERIFY(!d.enregistre(QString(), {Mm(1), Mm(1)}));
        }
        DecalagesImprimantes relu(chemin);  // as the next start of the program reads them
        QCOMPARE(relu.decalage(u"HP_LaserJet"_qs), (PointMm{Mm(2.5), Mm(-1.1)}));
        QCOMPARE(relu.decalage(u"Bureau/étage 2"_qs), (PointMm{Mm(-0.5), Mm(0.3)}));
        QCOMPARE(relu.decalage(u"Bureau"_qs), PointMm{});
        QCOMPARE(relu.decalage(u"Hors limites"_qs), (PointMm{Mm(20), Mm(-20)}));

        // A zero shift leaves no entry; a value spoilt in the file reads as zero or the limit.
        QVERIFY(relu.enregistre(u"HP_LaserJet"_qs, {}));
        QSettings brut(chemin, QSettings::IniFormat);
        brut.beginGroup(u"Imprimantes"_qs);
        QVERIFY(!brut.childGroups().isEmpty());
        QVERIFY(!brut.childGroups().contains(u"HP_LaserJet"_qs));
        brut.setValue(u"Abimee/DecalageDroite"_qs, u"n'importe quoi"_qs);
        brut.setValue(u"Abimee/DecalageBas"_qs, u"1e300"_qs);
        brut.endGroup();
        brut.sync();
        QCOMPARE(DecalagesImprimantes(chemin).decalage(u"Abimee"_qs), (PointMm{Mm(0), Mm(20)}));
        QCOMPARE(DecalagesImprimantes::Borne({Mm(std::nan("")), Mm(-0.04)}), PointMm{});

        // A settings file that cannot be written is said.
        const Status s = DecalagesImprimantes(m_dir.path()).enregistre(u"HP"_qs, {Mm(1), Mm(1)});
        QVERIFY(!s);
        QVERIFY(s.error().contains(u"n'a pas pu être enregistré"_qs));
    }

    void everyItemMovesByExactlyTheShift()
    {
        auto sans = imprime(u"sans.pdf"_qs, std::nullopt);
        auto zero = imprime(u"zero.pdf"_qs, PointMm{});
        auto decale = imprime(u"decale.pdf"_qs, PointMm{Mm(2.5), Mm(-1.0)});
        QVERIFY(sans && zero && decale);
        QCOMPARE(sans->numPages(), 2);
        QCOMPARE(zero->numPages(), 2);
        QCOMPARE(decale->numPages(), 2);
        for (int page = 0; page < 2; ++page) {
            // Zero: exactly where they were.
            QString ecart = pdf::ecartMots(*sans, page, *zero, page, {}, 1e-9);
            QVERIFY2(ecart.isEmpty(), qPrintable(ecart));
            const QImage imageSans = pdf::rendu(*sans, page);
            const pdf::Encre memes = pdf::compareEncre(imageSans, pdf::rendu(*zero, page), {}, 0);
            QVERIFY2(memes.seuls == 0, qPrintable(memes.texte()));

            // Shifted: the texts, and all the ink (logo and crop marks too), pixel for pixel.
            ecart = pdf::ecartMots(*sans, page, *decale, page, {2.5, -1.0}, 0.01);
            QVERIFY2(ecart.isEmpty(), qPrintable(ecart));
            const pdf::Encre deplacee = pdf::compareEncre(imageSans, pdf::rendu(*decale, page), {25, -10}, 0);
            QVERIFY2(deplacee.seuls <= deplacee.pixels / 1000, qPrintable(deplacee.texte()));
        }
    }

    void theRunTakesTheShiftOfThePrinterItPrintsOn()
    {
        RecordingPrinterService imprimante;
        ScriptedDialogs dialogues;
        ReglagesImprimante reglages;
        DecalagesImprimantes decalages(nouveauFichier());
        QVERIFY(decalages.enregistre(imprimante.name, {Mm(1.5), Mm(0.5)}));
        QVERIFY(decalages.enregistre(u"Autre"_qs, {Mm(-2), Mm(3)}));
        Imprime run(imprimante, dialogues, reglages, &decalages);
        run.lance(enveloppes(), {0});
        const QStringList& log = imprimante.log;
        QCOMPARE(log.filter(u"setShift"_qs), (QStringList{u"setShift(1.5, 0.5)"_qs, u"setShift(0, 0)"_qs}));
        // Set before anything is drawn, taken off after the document.
        QVERIFY(log.indexOf(QRegularExpression(u"setShift.*"_qs)) < log.indexOf(QRegularExpression(u"draw.*"_qs)));
        QVERIFY(log.lastIndexOf(QRegularExpression(u"setShift.*"_qs)) > log.indexOf(u"endDocument()"_qs));

        // The printer chosen in the probes' set-up dialog is the one whose shift applies.
        imprimante.log.clear();
        imprimante.fail(u"setPaperSize"_qs);
        dialogues.setupAnswers = {true};
        dialogues.onSetupDialog = [&](PrinterService&) { imprimante.name = u"Autre"_qs; };
        run.lance(enveloppes(), {0});
        QCOMPARE(imprimante.log.filter(u"setShift"_qs).first(), u"setShift(-2, 3)"_qs);
    }

    void theDialogKeepsWhatTheUserConfirms()
    {
        RecordingPrinterService imprimante;
        ScriptedDialogs dialogues;
        DecalagesImprimantes decalages(nouveauFichier());
        QVERIFY(decalages.enregistre(imprimante.name, {Mm(0.7), Mm(0)}));
        AlignementImprimante alignement(imprimante, dialogues, decalages);
        const ReglagesModele reglages;

        dialogues.shiftAnswers = {std::nullopt, PointMm{Mm(2.5), Mm(-1.04)}};
        alignement.Regle(reglages);  // "Annuler"
        QCOMPARE(dialogues.lastShiftPrinter, imprimante.name);
        QCOMPARE(dialogues.lastShiftShown, (PointMm{Mm(0.7), Mm(0)}));
        QCOMPARE(decalages.decalage(imprimante.name), (PointMm{Mm(0.7), Mm(0)}));
        alignement.Regle(reglages);
        QCOMPARE(decalages.decalage(imprimante.name), (PointMm{Mm(2.5), Mm(-1.0)}));
        QVERIFY(dialogues.shownOfKind(u"message"_qs).isEmpty());
        QVERIFY(imprimante.log.isEmpty());  // asking is not printing
    }

    void theCalibrationPagePrintsUnshiftedAndPutsThePrinterBack()
    {
        RecordingPrinterService imprimante;
        imprimante.copyCount = 3;
        imprimante.paperCode = RecordingPrinterService::kLetter;
        ScriptedDialogs dialogues;
        DecalagesImprimantes decalages(nouveauFichier());
        QVERIFY(decalages.enregistre(u"Autre"_qs, {Mm(4), Mm(-4)}));
        AlignementImprimante alignement(imprimante, dialogues, decalages);
        ReglagesModele reglages;
        reglages.LongueurEnv = 229;
        reglages.HauteurEnv = 114;

        // The user prints the page from the dialog, choosing another printer in its print
        // dialog: the dialog then shows that printer and its shift, and keeps for it.
        int copiesDuDialogue = 0;
        dialogues.printAnswers = {true};
        dialogues.onPrintDialog = [&](PrinterService&) {
            copiesDuDialogue = imprimante.copyCount;
            imprimante.name = u"Autre"_qs;
        };
        dialogues.onShiftDialog = [](const PrinterShiftRequest& r) { r.printCalibration(); };
        dialogues.shiftAnswers = {PointMm{Mm(1), Mm(2)}};
        alignement.Regle(reglages);

        QCOMPARE(copiesDuDialogue, 1);
        QCOMPARE(imprimante.pagesOut, 1);
        QVERIFY(imprimante.log.contains(u"setShift(0, 0)"_qs));
        // The outline, upright: the envelope's top edge along the sheet's.
        QCOMPARE(imprimante.lines[0].from, (PointMm{Mm(-3), Mm(-3)}));
        QCOMPARE(imprimante.lines[0].to, (PointMm{Mm(229 - 3), Mm(-3)}));
        QCOMPARE(imprimante.copyCount, 3);
        QCOMPARE(imprimante.paperCode, RecordingPrinterService::kLetter);
        QCOMPARE(dialogues.lastShiftPrinter, u"Autre"_qs);
        QCOMPARE(dialogues.lastShiftShown, (PointMm{Mm(4), Mm(-4)}));
        QCOMPARE(decalages.decalage(u"Autre"_qs), (PointMm{Mm(1), Mm(2)}));
        QVERIFY(dialogues.shownOfKind(u"message"_qs).isEmpty());
    }

    void theCalibrationPageOnPaperIsWhereTheEnvelopeLies()
    {
        QtPrinterService imprimante;
        QVERIFY(imprimante.setOutputFileName(fichier(u"calibrage.pdf"_qs)));
        ScriptedDialogs dialogues;
        DecalagesImprimantes decalages(nouveauFichier());
        QVERIFY(decalages.enregistre(QtPrinterService::pdfOutputName(), {Mm(5), Mm(5)}));  // not for this page
        AlignementImprimante alignement(imprimante, dialogues, decalages);
        ReglagesModele reglages;
        reglages.Orientation = 1;
        reglages.HauteurEnv = 110;
        dialogues.printAnswers = {true};
        alignement.ImprimeCalibrage(reglages);

        auto doc = pdf::ouvre(fichier(u"calibrage.pdf"_qs));
        QVERIFY(doc);
        QCOMPARE(doc->numPages(), 1);
        QVERIFY(pdf::tailleMm(*doc, 0).width() > 290);  // sideways
        // Sideways, the envelope's top edge lies 210 - 110 mm below the sheet's top: the
        // outline there, and the vertical ruler's "10" label centred 10 mm below it.
        const double haut = 210 - 110;
        const QImage image = pdf::rendu(*doc, 0);
        QVERIFY(pdf::encre(image, pdf::kDixiemes, 100, haut));
        QVERIFY(!pdf::encre(image, pdf::kDixiemes, 100, haut + 5));  // (not the shifted outline)
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

QTEST_MAIN(TestPrintDecalage)
#include "test_print_decalage.moc"
