// Saving and opening an address file of 10,000 addresses. The whole open, list and
// preview included, is to stay under 300 ms and the save under 100 ms; these measure
// the file's own share: the format alone, and the format with the disk and the logo.
#include "addresses/fichier/FichierAdresses.h"
#include "addresses/fichier/PlvCodec.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kAdresses = 10000;

PlvDocument grosDocument()
{
    const QString s(QChar(0xA0));
    PlvDocument d;
    d.reglages.LogoChoisi = true;
    d.reglages.TexteExp = QStringLiteral("Société Dupré & Fils\r\n12, rue de l'Église\r\n75001 Paris");
    d.Adresses.reserve(kAdresses);
    for (int i = 0; i < kAdresses; ++i) {
        d.Adresses.append(QStringLiteral("M. Zoé Martin-%1").arg(i) + s +
                          QStringLiteral("Résidence des Tilleuls, bâtiment %1").arg(i % 26) + s +
                          QStringLiteral("%1, place du Marché").arg(i % 300) + s +
                          QStringLiteral("%1 Villefranche-sur-Saône").arg(10000 + i % 89000));
    }
    return d;
}

QImage logo()
{
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    return image;
}

void BM_EcritPlv(benchmark::State& state)
{
    const PlvDocument d = grosDocument();
    for (auto _ : state)
        benchmark::DoNotOptimize(PlvCodec::ecrit(d));
    state.SetBytesProcessed(state.iterations() * PlvCodec::ecrit(d).size());
}
BENCHMARK(BM_EcritPlv)->Unit(benchmark::kMillisecond);

void BM_LitPlv(benchmark::State& state)
{
    const QByteArray bytes = PlvCodec::ecrit(grosDocument());
    for (auto _ : state)
        benchmark::DoNotOptimize(PlvCodec::lit(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_LitPlv)->Unit(benchmark::kMillisecond);

void BM_EcritFichier(benchmark::State& state)
{
    QTemporaryDir dir;
    const PlvDocument d = grosDocument();
    const QImage image = logo();
    for (auto _ : state) {
        if (!FichierAdresses::ecrit(dir.filePath("Gros.PLV"), d, image))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_EcritFichier)->Unit(benchmark::kMillisecond);

void BM_LitFichier(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString nom = dir.filePath("Gros.PLV");
    PlvDocument d = grosDocument();
    // Written twice: the second time the file names its own companion.
    d.reglages.NomLogo = FichierAdresses::ecrit(nom, d, logo()).valueOr({}).nomLogo;
    if (!FichierAdresses::ecrit(nom, d, logo())) {
        state.SkipWithError("le fichier ne peut pas être écrit");
        return;
    }
    for (auto _ : state) {
        Result<PlvOuverture> ouvert = FichierAdresses::lit(nom);
        if (!ouvert || ouvert.value().logo.isNull())
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(ouvert);
    }
}
BENCHMARK(BM_LitFichier)->Unit(benchmark::kMillisecond);

} // namespace
