// Opening a big address file in the main window, its addresses in the list's order or
// shuffled (as a script, another program or a hand edit leaves them). Targets: shuffled
// within 1.3 times sorted at 100,000 and 250,000 addresses, and the time per address
// (items_per_second) flat from 10,000 to 250,000. On a shared machine, compare the fastest
// of --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true: the slowest
// runs there measure the neighbours.
#include "app/window/Form1.h"
#include "bench/support/DocumentsBanc.h"
#include "platform/widgets/QtPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
void ouvre(benchmark::State& state, banc::Ordre ordre)
{
    const int n = int(state.range(0));
    QTemporaryDir dossier;
    const QString plv = banc::fichier(dossier.filePath(QStringLiteral("Grand.PLV")), n, ordre);
    ScriptedDialogs dialogues;
    QtPrinterService imprimante;
    Form1 fenetre(dialogues, imprimante);
    fenetre.show();
    for (auto _ : state) {
        if (!fenetre.Ouvre(plv)) {
            state.SkipWithError("the file did not open");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void ouvreTriee(benchmark::State& state)
{
    ouvre(state, banc::Ordre::Triee);
}
void ouvreMelangee(benchmark::State& state)
{
    ouvre(state, banc::Ordre::Melangee);
}
} // namespace

BENCHMARK(ouvreTriee)
    ->Name("open_sorted")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(250000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ouvreMelangee)
    ->Name("open_shuffled")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(250000)
    ->Unit(benchmark::kMillisecond);
