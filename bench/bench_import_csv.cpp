// Importing a spreadsheet's address export must feel immediate: 10,000 rows under 300 ms,
// from the file's bytes to the sorted list shown in the address list window.
#include "addresses/AddressList.h"
#include "addresses/Form2.h"
#include "addresses/ImportAdresses.h"
#include "addresses/ImportCsv.h"
#include "tests/support/ScriptedDialogs.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A spreadsheet's semicolon export in Windows-1252: a title row, accents, commas inside
// fields, and one row in ten with a quoted two-line field.
QByteArray tableur(int lignes)
{
    static const char* const noms[] = {"Dupont", "Lef\xE8vre",      "\xC9mile Zola",
                                       "Martin", "Andr\xE9 Simon",  "Zo\xE9 Mercier",
                                       "Girard", "Fran\xE7ois Roux"};
    static const char* const rues[] = {"rue de la Paix", "avenue Foch", "place d'Italie",
                                       "chemin des \xC9"
                                       "coliers"};
    static const char* const villes[] = {"75001 PARIS", "69002 LYON", "13001 MARSEILLE", "44000 NANTES"};
    QRandomGenerator alea(2024);
    QByteArray csv = "Nom;Adresse;CP Ville\r\n";
    csv.reserve(lignes * 60);
    for (int i = 0; i < lignes; ++i) {
        csv += "M. ";
        csv += noms[alea.bounded(int(std::size(noms)))];
        csv += ' ' + QByteArray::number(i) + ';';
        if (i % 10 == 0)
            csv += "\"" + QByteArray::number(alea.bounded(1, 200)) + ", " +
                   rues[alea.bounded(int(std::size(rues)))] + "\r\nB\xE2t. \"\"B\"\"\";";
        else
            csv += QByteArray::number(alea.bounded(1, 200)) + ' ' + rues[alea.bounded(int(std::size(rues)))] +
                   ';';
        csv += villes[alea.bounded(int(std::size(villes)))];
        csv += "\r\n";
    }
    return csv;
}

// The parser alone.
void BM_LireDixMilleLignes(benchmark::State& state)
{
    const QByteArray csv = tableur(10000);
    for (auto _ : state) {
        const Result<ImportCsv::Lecture> lecture = ImportCsv::lit(csv);
        benchmark::DoNotOptimize(ImportCsv::adresses(lecture.value(), true).adresses.size());
    }
}
BENCHMARK(BM_LireDixMilleLignes)->Unit(benchmark::kMillisecond);

// The whole command from a file on disk into a list of 1,000 addresses shown in its window.
void BM_ImporterDixMilleLignes(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString chemin = dir.filePath(QStringLiteral("clients.csv"));
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(tableur(10000)) < 0)
        state.SkipWithError("écriture du fichier impossible");
    f.close();
    QStringList presentes;
    for (int i = 0; i < 1000; ++i)
        presentes << QStringLiteral("Client %1").arg(i);
    for (auto _ : state) {
        state.PauseTiming();
        AddressList liste;
        liste.setEntries(presentes);
        Form2 form(liste);
        form.show();
        ScriptedDialogs dialogs;
        state.ResumeTiming();
        benchmark::DoNotOptimize(ImportAdresses(dialogs, liste).importe(chemin));
        state.PauseTiming();
        if (liste.count() != 11000)
            state.SkipWithError("import incomplet");
        form.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImporterDixMilleLignes)->Unit(benchmark::kMillisecond);

} // namespace
