// Run: build/benchmarks/core_benchmarks
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <chrono>

#include "DemoGame.h"
#include "model/ExeTables.h"
#include "model/SaveState.h"
#include "model/WineRegistry.h"
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

// A prefix's system registry of about 16 MB (a fresh prefix holds 2 to 3 MB): keys of every kind
// of value, the game's key near the end.
QByteArray largeSystemRegistry() {
    QByteArray bytes =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
    for (int i = 0; i < 60000; ++i) {
        bytes +=
            "\n[Software\\\\Classes\\\\CLSID\\\\{" + QByteArray::number(i) +
            "-0000-0000-c000-000000000046}\\\\InprocServer32] 1700000000\n#time=1da2b3c4d5e6f70\n"
            "@=\"C:\\\\windows\\\\system32\\\\ole32.dll\"\n\"ThreadingModel\"=\"Both\"\n"
            "\"Flags\"=dword:00000001\n\"Data\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,\\\n"
            "  0e,0f,10,11,12,13,14,15,16,17,18,19,1a,1b,1c,1d,1e,1f\n";
    }
    bytes +=
        "\n[Software\\\\Wow6432Node\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir] 1\n"
        "\"Directory\"=\"C:\\\\Program Files (x86)\\\\Grand Prix 4\"\n";
    return bytes;
}

// Reading the two keys the game search needs, against a floor of counting the file's lines.
void WineRegistryGameKeys(benchmark::State& state) {
    const QByteArray bytes = largeSystemRegistry();
    const QStringList keys = {
        QStringLiteral("Software\\Wow6432Node\\Infogrames\\Grand Prix 4\\1.00\\Install Dir"),
        QStringLiteral("Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir")};
    using Clock = std::chrono::steady_clock;
    const auto floorStart = Clock::now();
    constexpr int kFloorRounds = 20;
    for (int i = 0; i < kFloorRounds; ++i) benchmark::DoNotOptimize(bytes.count('\n'));
    const double floor =
        std::chrono::duration<double>(Clock::now() - floorStart).count() / kFloorRounds;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(model::parseWineRegistry(bytes, keys));
        total += std::chrono::duration<double>(Clock::now() - start).count();
    }
    state.counters["MB"] = double(bytes.size()) / 1e6;
    state.counters["ratio_to_line_count"] = total / double(state.iterations()) / floor;
}
BENCHMARK(WineRegistryGameKeys)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
