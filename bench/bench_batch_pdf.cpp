// "plivane --pdf SORTIE.pdf FICHIER.PLV" timed as a whole process, from its start to its
// exit, beside the bare QPainter program plancher_pdf doing the same pages, timed the
// same way. Targets: plivane within 1.5 times the floor at 1,000 and 5,000 envelopes, and
// its peak resident memory (peak_rss_MiB) within 10 % from 1,000 to 20,000.
//
// The same batch to a printer ("plivane --imprimante Plivane-Jet-Encre", the simulated
// IPP inkjet CI makes): to the job completed on the printer, and with --sans-attendre,
// the program's own share, until it hands the job over. Target: that share within 1.3
// times the run to a PDF file at 1,000 envelopes.
#include "bench/support/DocumentsBanc.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {
// The child's status, its peak resident memory in kiB and the processor time it used:
// on a busy machine the wall clock says more about the others than about the program.
struct Fin {
    int code = -1;
    long rssKio = 0;
    double cpu = 0;
};

Fin execute(const QStringList& arguments)
{
    std::vector<QByteArray> octets;
    for (const QString& a : arguments)
        octets.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& o : octets)
        argv.push_back(o.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    Fin fin;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int statut = 0;
        rusage usage{};
        if (wait4(pid, &statut, 0, &usage) == pid && WIFEXITED(statut)) {
            fin.code = WEXITSTATUS(statut);
            fin.rssKio = usage.ru_maxrss;
            fin.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return fin;
}

void mesure(benchmark::State& state, const QStringList& commande)
{
    long rss = 0;
    double cpu = 0;
    for (auto _ : state) {
        const Fin fin = execute(commande);
        if (fin.code != 0) {
            state.SkipWithError("the program failed");
            break;
        }
        rss = std::max(rss, fin.rssKio);
        cpu += fin.cpu;
    }
    state.counters["peak_rss_MiB"] = double(rss) / 1024.0;
    state.counters["child_cpu_ms"] = benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void plivanePdf(benchmark::State& state)
{
    QTemporaryDir dossier;
    const QString plv = banc::fichier(dossier.filePath(QStringLiteral("Envoi.PLV")), int(state.range(0)),
                                      banc::Ordre::Melangee);
    mesure(state, {QStringLiteral(PLIVANE_EXECUTABLE), QStringLiteral("--pdf"),
                   dossier.filePath(QStringLiteral("envoi.pdf")), plv});
}

void plivaneImprimante(benchmark::State& state, bool attendre)
{
    QTemporaryDir dossier;
    const QString plv = banc::fichier(dossier.filePath(QStringLiteral("Envoi.PLV")), int(state.range(0)),
                                      banc::Ordre::Melangee);
    QStringList commande = {QStringLiteral(PLIVANE_EXECUTABLE), QStringLiteral("--imprimante"),
                            QStringLiteral("Plivane-Jet-Encre"), plv};
    if (!attendre)
        commande.insert(1, QStringLiteral("--sans-attendre"));
    mesure(state, commande);
}

void plancher(benchmark::State& state)
{
    QTemporaryDir dossier;
    mesure(state, {QStringLiteral(PLANCHER_EXECUTABLE), QString::number(state.range(0)),
                   dossier.filePath(QStringLiteral("plancher.pdf"))});
}
} // namespace

BENCHMARK(plivanePdf)
    ->Name("plivane_pdf_process")
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(plivaneImprimante, completed, true)
    ->Name("plivane_ipp_inkjet_to_completed")
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(plivaneImprimante, handed_over, false)
    ->Name("plivane_ipp_inkjet_handed_over")
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(plancher)
    ->Name("floor_bare_qpainter_process")
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
