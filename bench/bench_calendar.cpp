// The month calendar's redraw: the computation of all 42 cells, the marks and the title,
// and the same redraw shown by the widget.
#include "calendar/CalendrierModele.h"
#include "calendar/widgets/Calendrier.h"
#include "tests/support/ScriptedDialogs.h"

#include <QCheckBox>
#include <benchmark/benchmark.h>

// Target: well under a millisecond per redraw. Each iteration moves to another month so
// that every cell changes, with both marks on (the Easter computation included).
static void BM_CalculDate(benchmark::State& state)
{
    CalendrierModele modele(QDate(2024, 1, 31));
    modele.CalculDate(true, true);
    int position = 0;
    for (auto _ : state) {
        position = (position + 1) % 12;
        modele.choisitMois(position);
        benchmark::DoNotOptimize(modele.CalculDate(true, true).celluleChoisie);
    }
}
BENCHMARK(BM_CalculDate);

// The whole redraw as the user sees it: computation plus the changed cells' faces.
static void BM_CalendrierRedessine(benchmark::State& state)
{
    ScriptedDialogs dialogs;
    Calendrier calendrier(dialogs, QDate(2024, 1, 31));
    auto* chkWeek = calendrier.findChild<QCheckBox*>(QStringLiteral("chkWeek"));
    for (auto _ : state) {
        // Switching the weekend mark repaints twelve cells each time.
        chkWeek->setChecked(!chkWeek->isChecked());
        calendrier.CalculDate();
    }
}
BENCHMARK(BM_CalendrierRedessine);
