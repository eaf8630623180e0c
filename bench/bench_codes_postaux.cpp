// The check of the last line runs on every keystroke of the recipient box (target: under
// 50 µs), and the list of postcodes is read once, after the window's first paint (target:
// under 30 ms).
#include "addresses/codespostaux/TableCodesPostaux.h"
#include "addresses/codespostaux/VerificationAcheminement.h"

#include <QFile>
#include <benchmark/benchmark.h>

static void BM_LectureDeLaTable(benchmark::State& state)
{
    for (auto _ : state) {
        // From the resource, decompression included, as the program reads it.
        QFile fichier(QStringLiteral(":/codes-postaux.tsv"));
        fichier.open(QIODevice::ReadOnly);
        auto table = TableCodesPostaux::lit(fichier.readAll());
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_LectureDeLaTable)->Unit(benchmark::kMillisecond);

// The slowest verdicts: a wrong pair lists what both the code and the locality serve.
static void BM_VerificationParFrappe(benchmark::State& state)
{
    const TableCodesPostaux& table = TableCodesPostaux::officielle();
    const QString adresses[] = {
        QStringLiteral("Monsieur Jean Dupont\r\n12 rue des Lilas\r\n75011 PARIS"),
        QStringLiteral("Mme Durand\r\nLes Hauts de Provence\r\n13100 Saint-Marc-Jaumegarde"),
        QStringLiteral("M. Le Gall\r\n5 rue du Port\r\n29200 QUIMPER\r\nFRANCE"),
        QStringLiteral("Service client\r\n00000 SAINT-DENIS CEDEX 09"),
    };
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(verifieAcheminement(adresses[i % std::size(adresses)], table));
        ++i;
    }
}
BENCHMARK(BM_VerificationParFrappe)->Unit(benchmark::kMicrosecond);
