// Saving and opening a document of 10,000 addresses from the main window, list and
// preview included: targets under 100 ms to save and under 300 ms to open.
#include "addresses/fichier/FichierAdresses.h"
#include "addresses/fichier/PlvDocument.h"
#include "app/window/Form1.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
QStringList dixMilleAdresses()
{
    QStringList adresses;
    const QChar sep(0x00A0);
    for (int i = 0; i < 10000; ++i)
        adresses << QStringLiteral("Destinataire n° %1%2%3 rue de la République%4%5 VILLE")
                        .arg(i * 7919 % 10007)
                        .arg(sep)
                        .arg(i % 120)
                        .arg(sep)
                        .arg(10000 + i % 80000);
    return adresses;
}
} // namespace

static void BM_OuvrirDixMilleAdresses(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString chemin = dir.filePath(QStringLiteral("Grand.PLV"));
    PlvDocument document;
    document.Adresses = dixMilleAdresses();
    if (!FichierAdresses::ecrit(chemin, document, QImage())) {
        state.SkipWithError("écriture impossible");
        return;
    }
    ScriptedDialogs dialogs;
    RecordingPrinterService imprimante;
    Form1 fenetre(dialogs, imprimante);
    fenetre.show();
    for (auto _ : state) {
        fenetre.Ouvre(chemin);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OuvrirDixMilleAdresses)->Unit(benchmark::kMillisecond);

static void BM_SauverDixMilleAdresses(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("Source.PLV"));
    PlvDocument document;
    document.Adresses = dixMilleAdresses();
    (void)FichierAdresses::ecrit(source, document, QImage());
    ScriptedDialogs dialogs;
    RecordingPrinterService imprimante;
    Form1 fenetre(dialogs, imprimante);
    fenetre.show();
    fenetre.Ouvre(source);
    const QString cible = dir.filePath(QStringLiteral("Copie.PLV"));
    for (auto _ : state) {
        dialogs.saveAnswers = {cible};
        fenetre.Sauver();
    }
}
BENCHMARK(BM_SauverDixMilleAdresses)->Unit(benchmark::kMillisecond);
