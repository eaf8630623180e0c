// The print selection window over 100,000 addresses: shown and painted, then "Imprimer
// Tout..." selecting them all, or the user's selection of all of them kept. Target: under
// 50 ms from the click on Imprimer to the window on screen.
#include "bench/support/DocumentsBanc.h"
#include "print/widgets/Form3.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {
void choisit(benchmark::State& state, const QString& bouton, bool toutSelectionner)
{
    const int n = int(state.range(0));
    const QStringList adresses = banc::adresses(n, banc::Ordre::Triee);
    Form3 f;
    auto* liste = f.findChild<QAbstractItemView*>(QStringLiteral("List2"));
    auto* sortie = f.findChild<QPushButton*>(bouton);
    for (auto _ : state) {
        QTimer::singleShot(0, &f, [&] {
            liste->viewport()->repaint(); // on screen
            if (toutSelectionner)
                liste->selectAll(); // Ctrl+A
            sortie->click();
        });
        const std::optional<QList<int>> choix = f.choisit(adresses);
        if (!choix || choix->size() != n) {
            state.SkipWithError("not every address was chosen");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void imprimerTout(benchmark::State& state)
{
    choisit(state, QStringLiteral("ImprTout"), false);
}
void selectionDeTout(benchmark::State& state)
{
    choisit(state, QStringLiteral("ImprSelect"), true);
}
} // namespace

BENCHMARK(imprimerTout)->Name("form3_open_print_all")->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(selectionDeTout)
    ->Name("form3_open_select_all_print_selection")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
