// Importing a spreadsheet's address export must feel immediate: 10,000 rows under 300 ms,
// from the file's bytes to the sorted list shown in the address list window; a whole
// address book of 100,000 contacts, as a Google CSV export or as vCards, under 1 s, also
// while a screen reader listens (run through bench/avec-accessibilite.sh).
#include "addresses/import/ImportAdresses.h"
#include "addresses/import/ImportCsv.h"
#include "addresses/import/ImportVcard.h"
#include "addresses/liste/ListeAdresses.h"
#include "addresses/widgets/Form2.h"
#include "bench/support/LecteurDEcran.h"
#include "tests/support/ScriptedDialogs.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <optional>

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
        ListeAdresses liste;
        liste.remplit(presentes);
        Form2 form(liste);
        form.show();
        ScriptedDialogs dialogs;
        state.ResumeTiming();
        benchmark::DoNotOptimize(ImportAdresses(dialogs, liste).importe(chemin));
        state.PauseTiming();
        if (liste.nombre() != 11000)
            state.SkipWithError("import incomplet");
        form.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImporterDixMilleLignes)->Unit(benchmark::kMillisecond);

// An address book's export of `contacts` people, each with a civility, a company, a
// telephone and a home address, in Google Contacts' CSV columns or as vCards 3.0.
QByteArray carnet(int contacts, bool vcard)
{
    static const char* const villes[] = {"Brest", "Saint-\xC3\x89tienne",
                                         "Orl\xC3\xA9"
                                         "ans",
                                         "Lyon"};
    QByteArray octets = vcard ? QByteArray()
                              : QByteArray("Name,Given Name,Additional Name,Family Name,Name Prefix,"
                                           "Organization 1 - Name,E-mail 1 - Value,Phone 1 - Value,"
                                           "Address 1 - Type,Address 1 - Street,Address 1 - City,"
                                           "Address 1 - Postal Code,Address 1 - Country\r\n");
    octets.reserve(contacts * (vcard ? 190 : 130));
    for (int i = 0; i < contacts; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray cp = QByteArray::number(10000 + i % 85000);
        const char* ville = villes[i % 4];
        if (vcard)
            octets += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Jean Dupont" + n + "\r\nN:Dupont" + n +
                      ";Jean;;M.;\r\nORG:Soci\xC3\xA9t\xC3\xA9 " + n +
                      "\r\nTEL;TYPE=cell:0601020304\r\n"
                      "ADR;TYPE=home:;;" +
                      n + " rue de l'\xC3\x89glise;" + ville + ";;" + cp + ";France\r\nEND:VCARD\r\n";
        else
            octets += "Jean Dupont" + n + ",Jean,,Dupont" + n + ",M.,Soci\xC3\xA9t\xC3\xA9 " + n + ",j" + n +
                      "@exemple.fr,0601020304,Home," + n + " rue de l'\xC3\x89glise," + ville + ',' + cp +
                      ",France\r\n";
    }
    return octets;
}

// The readers and the composition alone.
void BM_LireCentMilleContacts(benchmark::State& state)
{
    const bool vcard = state.range(0) == 1;
    const QByteArray octets = carnet(100000, vcard);
    for (auto _ : state) {
        if (vcard)
            benchmark::DoNotOptimize(ImportVcard::adresses(ImportVcard::lit(octets).value()).adresses.size());
        else
            benchmark::DoNotOptimize(
                ImportCsv::adresses(ImportCsv::lit(octets).value(), true).adresses.size());
    }
}
BENCHMARK(BM_LireCentMilleContacts)->ArgName("vcard")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The process's resident memory now ("VmRSS") or at its peak ("VmHWM"), in bytes;
// resetPeak() starts a new peak (Linux's clear_refs), so that one import's own is measured.
qint64 memory(const char* which)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& ligne : status.readAll().split('\n'))
        if (ligne.startsWith(which))
            return ligne.mid(qstrlen(which) + 1).trimmed().split(' ').value(0).toLongLong() * 1024;
    return 0;
}
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// The whole command, file on disk to list, for 100,000 contacts. The counter
// "memoire_par_octet" is the memory the import takes at its peak, above what the process
// held before, for each byte of the file: it is to stay under 5.
// With `accessibilite`, the address list window shows the list and a listening client is
// connected, as while a screen reader runs.
void BM_ImporterCentMilleContacts(benchmark::State& state)
{
    const bool vcard = state.range(0) == 1;
    const LecteurDEcran lecteur(state, state.range(1) != 0);
    if (lecteur.manque())
        return;
    QTemporaryDir dir;
    const QString chemin =
        dir.filePath(vcard ? QStringLiteral("contacts.vcf") : QStringLiteral("contacts.csv"));
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(carnet(100000, vcard)) < 0)
        state.SkipWithError("écriture du fichier impossible");
    f.close();
    double memoire = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ListeAdresses liste;
        ScriptedDialogs dialogs;
        std::optional<Form2> fenetre;
        resetPeak();
        const qint64 avant = memory("VmRSS");
        if (lecteur.ecoute()) {
            fenetre.emplace(liste).show();
            QApplication::processEvents();
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(ImportAdresses(dialogs, liste).importe(chemin));
        QApplication::processEvents();
        state.PauseTiming();
        if (liste.nombre() != 100000 || dialogs.unexpected != 0)
            state.SkipWithError("import incomplet");
        // Later runs reuse what the allocator kept of the first: only the first tells.
        if (memoire == 0)
            memoire = double(memory("VmHWM") - avant) / double(f.size());
        fenetre.reset();
        state.ResumeTiming();
    }
    state.counters["memoire_par_octet"] = memoire;
}
BENCHMARK(BM_ImporterCentMilleContacts)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"vcard", "accessibilite"})
    ->Unit(benchmark::kMillisecond);

} // namespace
