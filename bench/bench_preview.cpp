// The main window must open at once and the preview must never lag behind typing.
#include "app/window/Form1.h"
#include "platform/widgets/QtPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>

namespace {
struct Fixture {
    ScriptedDialogs dialogs;
    QtPrinterService imprimante;
};
} // namespace

static void BM_OuvrirLaFenetrePrincipale(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        Form1 fenetre(f.dialogs, f.imprimante);
        fenetre.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(fenetre.apercu().Echelle());
    }
}
BENCHMARK(BM_OuvrirLaFenetrePrincipale)->Unit(benchmark::kMillisecond);

static void BM_RedessinCompletDeLApercu(benchmark::State& state)
{
    Fixture f;
    Form1 fenetre(f.dialogs, f.imprimante);
    fenetre.show();
    for (auto _ : state) {
        fenetre.DessineModele();
        fenetre.DessineExp();
        fenetre.DessineDest();
    }
}
BENCHMARK(BM_RedessinCompletDeLApercu)->Unit(benchmark::kMicrosecond);

// One keystroke in the recipient box, up to the recipient block redrawn on the preview.
static void BM_FrappeDansLAdresse(benchmark::State& state)
{
    Fixture f;
    Form1 fenetre(f.dialogs, f.imprimante);
    fenetre.show();
    QPlainTextEdit* adresse = fenetre.controles().Adresse;
    adresse->setPlainText(QStringLiteral("Monsieur Jean Dupont\n12 rue des Lilas\n75011 PARIS"));
    adresse->moveCursor(QTextCursor::End);
    bool ajoute = true;
    for (auto _ : state) {
        if (ajoute)
            adresse->insertPlainText(QStringLiteral("x"));
        else
            adresse->textCursor().deletePreviousChar();
        ajoute = !ajoute;
    }
}
BENCHMARK(BM_FrappeDansLAdresse)->Unit(benchmark::kMicrosecond);
