// The address list window over a mailing-sized list: a keystroke in the search over
// 100,000 entries, and the bulk changes (deleting 50,000 selected entries, adding 100,000
// at once) with the accessibility layer active, as it is while a screen reader listens.
// Qt's AT-SPI bridge then turns every change a view reports into messages on the bus, so
// one signal per removed row would cost far more than the removal itself. The variants
// with accessibility start a listening client (ecoute_atspi) and need a session bus, the
// accessibility bus and an X display: bench/avec-accessibilite.sh gives them; without them
// they are skipped.
#include "addresses/liste/FiltreAdresses.h"
#include "addresses/liste/ListeAdresses.h"
#include "addresses/widgets/Form2.h"
#include "bench/support/LecteurDEcran.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelection>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

QStringList adresses(int n)
{
    static const char* const noms[] = {"Dupont", "durand", "Lefèvre", "Émile Zola",  "Martin", "Bernard",
                                       "Thomas", "Petit",  "Robert",  "Éric Moreau", "André",  "Zoé Mercier"};
    static const char* const villes[] = {"75001 PARIS", "69002 LYON", "29200 BREST", "44000 NANTES"};
    QStringList liste;
    liste.reserve(n);
    for (int i = 0; i < n; ++i)
        liste << QString::fromUtf8("M. %1 %2\u00A0%3 rue du Port\u00A0%4")
                     .arg(QString::fromUtf8(noms[i % std::size(noms)]))
                     .arg(i)
                     .arg(i % 97)
                     .arg(QString::fromUtf8(villes[(i / 7) % std::size(villes)]));
    return liste;
}

// One keystroke each: the search narrows letter by letter, then is cleared, as a user
// looking up names one after the other; the window repaints after each.
void BM_RechercheCentMille(benchmark::State& state)
{
    ListeAdresses liste;
    liste.remplit(adresses(100000));
    Form2 form(liste);
    form.show();
    QApplication::processEvents();
    const QStringList frappes = {u"d"_qs,      u"du"_qs,       u"dup"_qs,       u"dupo"_qs,  u"dupon"_qs,
                                 u"dupont"_qs, u"dupont b"_qs, u"dupont br"_qs, QString(),   u"e"_qs,
                                 u"em"_qs,     u"emi"_qs,      u"emil"_qs,      u"emile"_qs, QString()};
    qsizetype k = 0;
    for (auto _ : state) {
        form.recherche()->setText(frappes.at(k++ % frappes.size()));
        QApplication::processEvents();
    }
    state.counters["frappes"] = benchmark::Counter(double(state.iterations()));
}
BENCHMARK(BM_RechercheCentMille)->Unit(benchmark::kMillisecond);

// "Supprimer la Sélection" on 50,000 of 100,000 entries, every other one (50,000 runs,
// the worst case) or one block, the window showing the list.
void BM_SupprimerCinquanteMille(benchmark::State& state)
{
    const bool alterne = state.range(0) != 0;
    const LecteurDEcran lecteur(state, state.range(1) != 0);
    if (lecteur.manque())
        return;
    const QStringList entrees = adresses(100000);
    for (auto _ : state) {
        state.PauseTiming();
        ListeAdresses liste;
        liste.remplit(entrees);
        Form2 form(liste);
        form.show();
        QApplication::processEvents();
        QItemSelection selection;
        const FiltreAdresses& filtre = form.filtre();
        if (alterne) {
            for (int i = 0; i < 100000; i += 2)
                selection.select(filtre.index(i, 0), filtre.index(i, 0));
        } else {
            selection.select(filtre.index(25000, 0), filtre.index(74999, 0));
        }
        form.List1()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        form.List1()->selectionModel()->setCurrentIndex(filtre.index(25000, 0),
                                                        QItemSelectionModel::NoUpdate);
        auto* supprimer = form.findChild<QPushButton*>(QStringLiteral("SupprimAdresses"));
        QApplication::processEvents();
        state.ResumeTiming();

        supprimer->click();
        QApplication::processEvents();

        state.PauseTiming();
        const bool supprimees = liste.nombre() == 50000;
        form.hide();
        state.ResumeTiming();
        if (!supprimees) {
            state.SkipWithError(qPrintable(u"%1 entries left"_qs.arg(liste.nombre())));
            break;
        }
    }
}
BENCHMARK(BM_SupprimerCinquanteMille)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"alterne", "accessibilite"})
    ->Unit(benchmark::kMillisecond);

// 100,000 new entries in one step, as an import adds them, into a list of 2,000 that the
// window shows, under a search or not.
void BM_AjouterCentMille(benchmark::State& state)
{
    const LecteurDEcran lecteur(state, state.range(0) != 0);
    if (lecteur.manque())
        return;
    const bool recherche = state.range(1) != 0;
    const QStringList presentes = adresses(2000);
    const QStringList nouvelles = adresses(102000).mid(2000);
    for (auto _ : state) {
        state.PauseTiming();
        ListeAdresses liste;
        liste.remplit(presentes);
        Form2 form(liste);
        form.show();
        if (recherche)
            form.recherche()->setText(u"brest"_qs);
        QApplication::processEvents();
        state.ResumeTiming();

        liste.ajouteToutes(nouvelles);
        QApplication::processEvents();

        state.PauseTiming();
        const bool ajoutees = liste.nombre() == 102000;
        form.hide();
        state.ResumeTiming();
        if (!ajoutees) {
            state.SkipWithError("the entries were not added");
            break;
        }
    }
}
BENCHMARK(BM_AjouterCentMille)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"accessibilite", "recherche"})
    ->Unit(benchmark::kMillisecond);

} // namespace
