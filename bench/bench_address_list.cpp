// The address list must stay interactive with thousands of entries: each added address
// finds its place by binary search, and deleting a large selection removes whole runs.
#include "addresses/liste/EncodageAdresse.h"
#include "addresses/liste/FiltreAdresses.h"
#include "addresses/liste/ListeAdresses.h"
#include "addresses/widgets/Form2.h"

#include <QItemSelection>
#include <QListView>
#include <QPushButton>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

// Addresses as users type them, in no particular order: accents, both cases, duplicates.
QStringList adresses(int n)
{
    static const char* const noms[] = {
        "Dupont",   "durand",  "Lefèvre",     "Émile Zola",  "Martin",  "Bernard", "Thomas", "Petit",
        "Robert",   "Richard", "Éric Moreau", "andré Simon", "Laurent", "Michel",  "Garcia", "David",
        "Bertrand", "Roux",    "Vincent",     "Fournier",    "Morel",   "Girard",  "André",  "Zoé Mercier"};
    static const char* const rues[] = {"rue de la Paix",     "avenue Foch",         "place d'Italie",
                                       "boulevard Voltaire", "chemin des Écoliers", "impasse du Moulin"};
    static const char* const villes[] = {"75001 PARIS",    "69002 LYON",   "13001 MARSEILLE",
                                         "31000 TOULOUSE", "44000 NANTES", "67000 STRASBOURG"};
    QRandomGenerator alea(2024);
    QStringList liste;
    liste.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QString texte = QString::fromUtf8("M. %1 %2\r\n%3 %4\r\n%5\r\n")
                                  .arg(QString::fromUtf8(noms[alea.bounded(int(std::size(noms)))]))
                                  .arg(alea.bounded(1000))
                                  .arg(alea.bounded(1, 200))
                                  .arg(QString::fromUtf8(rues[alea.bounded(int(std::size(rues)))]))
                                  .arg(QString::fromUtf8(villes[alea.bounded(int(std::size(villes)))]));
        liste.append(EnLigne(texte));
    }
    return liste;
}

// One by one, as Ajouter does, with the list window open on the list.
void BM_AjouterDixMille(benchmark::State& state)
{
    const QStringList entrees = adresses(10000);
    for (auto _ : state) {
        ListeAdresses liste;
        Form2 form(liste);
        form.show();
        for (const QString& e : entrees)
            benchmark::DoNotOptimize(liste.ajoute(e));
        state.PauseTiming();
        form.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AjouterDixMille)->Unit(benchmark::kMillisecond);

// A selection of 5,000 among 10,000, deleted with "Supprimer la Sélection": one block
// (a shift-click) or every other entry (the worst case, 5,000 separate runs).
void BM_SupprimerCinqMille(benchmark::State& state)
{
    const bool alterne = state.range(0) != 0;
    const QStringList entrees = adresses(10000);
    for (auto _ : state) {
        state.PauseTiming();
        ListeAdresses liste;
        liste.remplit(entrees);
        Form2 form(liste);
        form.show();
        auto* modele = form.List1()->selectionModel();
        const FiltreAdresses& vue = form.filtre();
        {
            QItemSelection selection;
            if (alterne) {
                for (int i = 0; i < 10000; i += 2)
                    selection.select(vue.index(i, 0), vue.index(i, 0));
            } else {
                selection.select(vue.index(2500, 0), vue.index(7499, 0));
            }
            modele->select(selection, QItemSelectionModel::ClearAndSelect);
        }
        modele->setCurrentIndex(vue.index(2500, 0), QItemSelectionModel::NoUpdate);
        auto* supprimer = form.findChild<QPushButton*>(QStringLiteral("SupprimAdresses"));
        state.ResumeTiming();

        supprimer->click();

        state.PauseTiming();
        if (liste.nombre() != 5000)
            state.SkipWithError("the selection was not deleted");
        form.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SupprimerCinqMille)->Arg(0)->Arg(1)->ArgNames({"alterne"})->Unit(benchmark::kMillisecond);

} // namespace
