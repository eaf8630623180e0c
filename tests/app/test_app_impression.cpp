// The main window's preview and printer alignment buttons, and its refusal to close under
// a print run, driven with scripted dialogs and recording printers.
#include "addresses/AddressEncoding.h"
#include "app/window/Form1.h"
#include "print/CommandeImpression.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
struct Banc {
    ScriptedDialogs dialogs;
    RecordingPrinterService imprimante;
    RecordingPrinterService apercu;
    QTemporaryDir dossier;
    std::unique_ptr<Form1> f;

    Banc()
    {
        f = std::make_unique<Form1>(dialogs, imprimante);
        f->impression().decalages().utiliseFichier(dossier.filePath(u"reglages.ini"_qs));
        f->impression().remplaceChoixAdresses([](const QStringList& adresses) {
            QList<int> tout;
            for (int i = 0; i < adresses.size(); ++i)
                tout << i;
            return std::optional<QList<int>>(tout);
        });
        dialogs.previewPrinter = &apercu;
        f->show();
    }
    const ControlesForm1& c() const { return f->controles(); }
    void ajoute(const QString& adresse)
    {
        c().Adresse->setPlainText(adresse);
        c().Ajouter->click();
    }
};
}  // namespace

class TestAppImpression : public QObject {
    Q_OBJECT
private slots:
    void theButtonsShareTheRowWithoutOverlap()
    {
        Banc b;
        QCOMPARE(b.c().Apercu->objectName(), u"Apercu"_qs);
        QCOMPARE(b.c().Apercu->text(), u"Aperçu..."_qs);
        QCOMPARE(b.c().ReglageImprimante->objectName(), u"ReglageImprimante"_qs);
        const QList<QPushButton*> rangee = {b.c().Ajouter, b.c().Modifier, b.c().Serie,    b.c().Sauver,
                                            b.c().Ouvrir,  b.c().Imprimer, b.c().Apercu,   b.c().Polices,
                                            b.c().ReglageImprimante, b.c().Quitter};
        const QRect client = b.f->centralWidget()->rect();
        for (qsizetype i = 0; i < rangee.size(); ++i) {
            QVERIFY(client.contains(rangee[i]->geometry()));
            QVERIFY(rangee[i]->fontMetrics().horizontalAdvance(rangee[i]->text()) < rangee[i]->width());
            if (i > 0) {
                QCOMPARE(rangee[i]->y(), rangee[0]->y());
                QVERIFY2(rangee[i - 1]->geometry().right() < rangee[i]->x(), qPrintable(rangee[i]->objectName()));
            }
        }
    }

    void apercuShowsThePagesBesideTheFeedPicture()
    {
        Banc b;
        b.ajoute(u"Zoé Martin\r\n1 rue Haute"_qs);
        b.c().Adresse->setPlainText(u"Texte en cours"_qs);
        b.c().Orient[1]->click();
        b.c().ReperesCoupe[0]->click();
        b.dialogs.previewAnswers = {false};
        b.imprimante.log.clear();
        b.c().Apercu->click();

        QCOMPARE(b.dialogs.shownOfKind(u"preview"_qs).size(), 1);
        QVERIFY(!b.dialogs.lastPreviewPicture.isNull());
        QCOMPARE(b.dialogs.lastPreviewPicture, QImage(u":/orient3.png"_qs));
        QCOMPARE(b.apercu.pagesOut, 2);
        QVERIFY(b.apercu.log.contains(u"setOrientation(landscape)"_qs));
        // The printer only measured for the window: nothing set, nothing printed; the
        // recipient box kept what was being typed.
        static const QRegularExpression kReglageOuSortie(
            u"^(setCopies|setPaper|setOrientation|setShift|printText|drawLine|lineTo|drawImage|endPage|endDocument)"_qs);
        QVERIFY(b.imprimante.log.filter(kReglageOuSortie).isEmpty());
        QVERIFY(!b.imprimante.log.isEmpty());
        QCOMPARE(b.f->texteAdresse(), u"Texte en cours"_qs);
        QVERIFY(!b.f->ImpressionEnCours());
    }

    void reglageKeepsTheShiftOfThePrinter()
    {
        Banc b;
        b.dialogs.shiftAnswers = {PointMm{Mm(2.5), Mm(-1.0)}};
        b.c().ReglageImprimante->click();
        QCOMPARE(b.dialogs.lastShiftPrinter, b.imprimante.name);
        QCOMPARE(b.f->impression().decalages().decalage(b.imprimante.name), (PointMm{Mm(2.5), Mm(-1.0)}));

        // The next print moves every item by it.
        b.dialogs.printAnswers = {true};
        b.c().Imprimer->click();
        QCOMPARE(b.imprimante.log.filter(u"setShift"_qs).first(), u"setShift(2.5, -1)"_qs);
    }

    void theWindowDoesNotCloseUnderARun()
    {
        Banc b;
        for (int i = 1; i <= 5; ++i)
            b.ajoute(u"Destinataire %1"_qs.arg(i));
        QList<bool> fermee;
        b.dialogs.onProgress = [&](int) { fermee.append(b.f->close()); };
        b.dialogs.printAnswers = {true};
        b.c().Imprimer->click();
        QCOMPARE(fermee.size(), 6);
        QVERIFY(!fermee.contains(true));
        QVERIFY(b.f->isVisible());
        QCOMPARE(b.imprimante.pagesOut, 6);

        // Once the run is over, the window closes as usual.
        b.dialogs.questionAnswers = {Answer::No};
        QVERIFY(b.f->close());
    }
};

QTEST_MAIN(TestAppImpression)
#include "test_app_impression.moc"
