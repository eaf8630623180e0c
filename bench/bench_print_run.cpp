// A print run of 1,000 envelopes into a PDF, beside the floor: a bare QPainter loop that
// writes the same texts in the same fonts on as many pages of a PDF. Target: the run
// within 1.3 times the floor.
#include "addresses/liste/EncodageAdresse.h"
#include "platform/widgets/QtPrinterService.h"
#include "print/Imprime.h"
#include "print/ReglagesImprimante.h"
#include "tests/support/ScriptedDialogs.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <numeric>

namespace {
constexpr int kEnveloppes = 1000;

const QStringList kExpediteur = {QStringLiteral("Jeanne Dupont"), QStringLiteral("12 rue des Lilas"),
                                 QStringLiteral("75011 Paris")};

QStringList adresses()
{
    QStringList liste;
    for (int i = 0; i < kEnveloppes; ++i)
        liste.append(QStringList{QStringLiteral("Monsieur Destinataire n° %1").arg(i),
                                 QStringLiteral("%1 avenue de la République").arg(i % 200 + 1),
                                 QStringLiteral("Bâtiment B"), QStringLiteral("%1 Lyon").arg(69001 + i % 9)}
                         .join(kSeparateurLignes));
    return liste;
}

void runDImpression(benchmark::State& state)
{
    QTemporaryDir dossier;
    DemandeImpression demande;
    demande.reglages.TexteExp = kExpediteur.join(QStringLiteral("\r\n"));
    demande.adresses = adresses();
    demande.montreAdresse = [](int) {};
    QList<int> toutes(kEnveloppes);
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
    state.SetItemsProcessed(state.iterations() * kEnveloppes);
}

// The same texts at the same places, with nothing but QPainter.
void plancherQPainter(benchmark::State& state)
{
    QTemporaryDir dossier;
    const QStringList liste = adresses();
    ReglagesModele reglages;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(dossier.filePath(QStringLiteral("plancher.pdf")));
        printer.setFullPage(true);
        QPainter painter(&printer);
        const double dpi = printer.resolution();
        const auto px = [dpi](double mm) { return mm * dpi / 25.4; };
        const QFont exp = reglages.PoliceExp.toQFont();
        const QFont dest = reglages.PoliceDest.toQFont();
        const QFontMetricsF me(exp, &printer);
        const QFontMetricsF md(dest, &printer);
        for (int i = 0; i < liste.size(); ++i) {
            if (i > 0)
                printer.newPage();
            painter.setFont(exp);
            double y = px(10) + me.ascent();
            for (const QString& ligne : kExpediteur) {
                painter.drawText(QPointF(px(10), y), ligne);
                y += me.lineSpacing();
            }
            painter.setFont(dest);
            const QStringList lignes = liste[i].split(kSeparateurLignes);
            y = px(90) - md.lineSpacing() * lignes.size() + md.ascent();
            for (const QString& ligne : lignes) {
                painter.drawText(QPointF(px(100), y), ligne);
                y += md.lineSpacing();
            }
        }
        painter.end();
    }
    state.SetItemsProcessed(state.iterations() * kEnveloppes);
}
} // namespace

BENCHMARK(runDImpression)->Name("print_run_1000_envelopes_pdf")->Unit(benchmark::kMillisecond);
BENCHMARK(plancherQPainter)->Name("floor_bare_qpainter_1000_pages_pdf")->Unit(benchmark::kMillisecond);
