// An address book is read whole when the import lists it (target: under a second for
// 10,000 contacts, for each kind of book): Thunderbird's, copied and read through SQLite,
// its cards kept as vCards as Thunderbird 102 and later write them; Evolution Data
// Server's, on a private bus, through its library; and a folder of one vCard file per
// contact, as CardDAV synchronisers keep it.
#include "addresses/carnets/CarnetEvolution.h"
#include "addresses/carnets/CarnetThunderbird.h"
#include "tests/support/EvolutionPrivee.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int kContacts = 10000;

QByteArray carte(int i)
{
    return "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Pr\xC3\xA9nom Nom" + QByteArray::number(i) + "\r\nN:Nom" +
           QByteArray::number(i) + ";Pr\xC3\xA9nom;;;\r\nEMAIL:p" + QByteArray::number(i) +
           "@exemple.fr\r\nTEL:01 23 45 67 89\r\nADR;TYPE=home:;B\xC3\xA2timent A;" +
           QByteArray::number(i % 200 + 1) +
           " rue de la R\xC3\xA9publique;Lyon;;69002;France\r\nEND:VCARD\r\n";
}
} // namespace

static void BM_CarnetThunderbird(benchmark::State& state)
{
    QTemporaryDir dossier;
    const QString base = dossier.filePath(QStringLiteral("abook.sqlite"));
    QByteArray sql = "CREATE TABLE cards (uid TEXT PRIMARY KEY, localId INTEGER);"
                     "CREATE TABLE properties (card TEXT, name TEXT, value TEXT);"
                     "CREATE INDEX properties_card ON properties(card);BEGIN;";
    for (int i = 0; i < kContacts; ++i) {
        const QByteArray uid = "'uid-" + QByteArray::number(i) + "'";
        sql += "INSERT INTO cards VALUES (" + uid + ", " + QByteArray::number(i) +
               ");INSERT INTO properties VALUES (" + uid + ", '_vCard', '" + carte(i) + "'), (" + uid +
               ", 'FirstName', 'Prénom'), (" + uid + ", 'LastName', 'Nom'), (" + uid +
               ", 'PrimaryEmail', 'p@exemple.fr');";
    }
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {base});
    sqlite.write(sql + "COMMIT;");
    sqlite.closeWriteChannel();
    if (!sqlite.waitForFinished(60000) || sqlite.exitCode() != 0) {
        state.SkipWithError("sqlite3 could not make the book");
        return;
    }
    const CarnetThunderbird carnet(base, QStringLiteral("Thunderbird : Adresses personnelles"));
    for (auto _ : state) {
        const Result<LectureCarnet> lu = carnet.lit();
        if (!lu || lu.value().contacts.size() != kContacts)
            state.SkipWithError("the book was not read whole");
        benchmark::DoNotOptimize(lu);
    }
}
BENCHMARK(BM_CarnetThunderbird)->Unit(benchmark::kMillisecond);

static void BM_DossierVcard(benchmark::State& state)
{
    QTemporaryDir dossier;
    for (int i = 0; i < kContacts; ++i) {
        QFile f(QDir(dossier.path()).filePath(QStringLiteral("%1.vcf").arg(i)));
        if (!f.open(QIODevice::WriteOnly) || f.write(carte(i)) < 0) {
            state.SkipWithError("the folder could not be written");
            return;
        }
    }
    const DossierVcard carnet(dossier.path());
    for (auto _ : state) {
        const Result<LectureCarnet> lu = carnet.lit();
        if (!lu || lu.value().contacts.size() != kContacts)
            state.SkipWithError("the folder was not read whole");
        benchmark::DoNotOptimize(lu);
    }
}
BENCHMARK(BM_DossierVcard)->Unit(benchmark::kMillisecond);

static void BM_CarnetEvolution(benchmark::State& state)
{
    // Once for every run the library makes: GLib keeps the first session bus it connects to.
    static EvolutionPrivee serveur({});
    static const QString erreur = [] {
        QByteArrayList cartes;
        for (int i = 0; i < kContacts; ++i)
            cartes << carte(i);
        return serveur.erreur().isEmpty() ? serveur.remplit({}, cartes) : serveur.erreur();
    }();
    const Carnets carnets = erreur.isEmpty() ? CarnetsEvolution::trouve() : Carnets();
    if (carnets.size() != 1) {
        state.SkipWithError(erreur.isEmpty() ? "the server lists no single book" : qPrintable(erreur));
        return;
    }
    for (auto _ : state) {
        const Result<LectureCarnet> lu = carnets.constFirst()->lit();
        if (!lu || lu.value().contacts.size() != kContacts)
            state.SkipWithError("the book was not read whole");
        benchmark::DoNotOptimize(lu);
    }
}
BENCHMARK(BM_CarnetEvolution)->Unit(benchmark::kMillisecond);
