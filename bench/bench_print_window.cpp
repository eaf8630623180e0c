// What the user waits for after "Imprimer Tout..." and the print dialog's OK: the main
// window's own print command, with the real progress dialog on screen, to a complete PDF;
// beside the print run alone on the same addresses, in the same run. Target: the window's
// print within 1.3 times the run alone, at 1,000 and at 5,000 envelopes.
#include "app/window/Application.h"
#include "app/window/ControlesForm1.h"
#include "app/window/Form1.h"
#include "bench/support/DocumentsBanc.h"
#include "platform/widgets/QtPrinterService.h"
#include "platform/widgets/QtProgress.h"
#include "print/CommandeImpression.h"
#include "print/Imprime.h"
#include "print/ReglagesImprimante.h"
#include "print/widgets/Form3.h"
#include "tests/support/ScriptedDialogs.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <numeric>

namespace {
// Every dialog answered as the user would, but the progress dialog is Qt's own.
class DialoguesAvecSuivi : public ScriptedDialogs {
public:
    std::unique_ptr<Progress> progress(const QString& title, int total) override
    {
        return std::make_unique<QtProgress>(nullptr, title, total);
    }
};

// The program's own start-up setting, before anything is allocated for the runs.
const bool g_tasRegle = (regleTas(), true);

void commandeDeLaFenetre(benchmark::State& state)
{
    const int n = int(state.range(0));
    QTemporaryDir dossier;
    const QString plv =
        banc::fichier(dossier.filePath(QStringLiteral("Envoi.PLV")), n, banc::Ordre::Melangee);
    DialoguesAvecSuivi dialogues;
    QtPrinterService imprimante;
    if (!imprimante.setOutputFileName(dossier.filePath(QStringLiteral("fenetre.pdf")))) {
        state.SkipWithError("le PDF ne peut pas être écrit");
        return;
    }
    Form1 fenetre(dialogues, imprimante);
    fenetre.impression().decalages().utiliseFichier(dossier.filePath(QStringLiteral("reglages.ini")));
    fenetre.show();
    if (!fenetre.Ouvre(plv)) {
        state.SkipWithError("the file did not open");
        return;
    }
    Form3& choix = fenetre.form3();
    auto* tout = choix.findChild<QPushButton*>(QStringLiteral("ImprTout"));
    for (auto _ : state) {
        dialogues.printAnswers = {true};
        QTimer::singleShot(0, tout, &QPushButton::click); // once the selection window is up
        fenetre.controles().Imprimer->click();
        if (!dialogues.messageTexts().isEmpty()) {
            state.SkipWithError("the print reported a failure");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void runSeul(benchmark::State& state)
{
    const int n = int(state.range(0));
    QTemporaryDir dossier;
    DemandeImpression demande;
    demande.reglages.TexteExp = banc::document(0, banc::Ordre::Triee).reglages.TexteExp;
    demande.adresses = banc::adresses(n, banc::Ordre::Triee);
    demande.montreAdresse = [](int) {};
    QList<int> toutes(n);
    std::iota(toutes.begin(), toutes.end(), 0);
    for (auto _ : state) {
        QtPrinterService imprimante;
        if (!imprimante.setOutputFileName(dossier.filePath(QStringLiteral("run.pdf")))) {
            state.SkipWithError("le PDF ne peut pas être écrit");
            return;
        }
        ScriptedDialogs dialogues;
        ReglagesImprimante reglages;
        Imprime run(imprimante, dialogues, reglages);
        run.lance(demande, toutes);
        if (!dialogues.shown.isEmpty())
            state.SkipWithError("the run reported a failure");
    }
    state.SetItemsProcessed(state.iterations() * n);
}
} // namespace

BENCHMARK(commandeDeLaFenetre)
    ->Name("window_print_command_pdf")
    ->Arg(1000)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(runSeul)->Name("print_run_alone_pdf")->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
