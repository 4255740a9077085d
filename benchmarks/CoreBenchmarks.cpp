// Run: build/benchmarks/core_benchmarks
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "DemoGame.h"
#include "model/ExeTables.h"
#include "model/SaveState.h"
#include "wad/TyrePositions.h"

using namespace pw;

namespace {

struct Game {
    QTemporaryDir dir;
    QString exe, save, wad;
    Game() {
        demo::writeDemoGame(dir.path());
        exe = dir.filePath(QStringLiteral("GP4.exe"));
        save = dir.filePath(QStringLiteral("f1gstate.sav"));
        wad = dir.filePath(QStringLiteral("cars.wad"));
    }
};

void ImportGameFiles(benchmark::State& state) {
    Game game;
    for (auto _ : state) {
        model::EditorModel m;
        model::ReadExeTables(game.exe, m);
        wad::ReadTyrePositions(game.wad, m);
        model::ReadTyreBrands(game.save, game.exe, m);
        model::ReadSaveStateTables(game.save, game.exe, m);
        model::GetNames(game.exe, m);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(ImportGameFiles)->Unit(benchmark::kMillisecond);

void ExportGameFiles(benchmark::State& state) {
    Game game;
    model::EditorModel m = demo::demoModel(0);
    model::ReadExeTables(game.exe, m);
    wad::ReadTyrePositions(game.wad, m);
    for (auto _ : state) {
        model::WriteExeTables(game.exe, m);
        wad::WriteTyrePositions(game.wad, m);
        model::WriteTyreBrands(game.save, game.exe, m);
        model::WriteSaveStateTables(game.save, game.exe, m);
    }
}
BENCHMARK(ExportGameFiles)->Unit(benchmark::kMillisecond);

void SaveStateChecksum(benchmark::State& state) {
    Game game;
    for (auto _ : state) model::SaveStateChecksum(game.save);
}
BENCHMARK(SaveStateChecksum)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
