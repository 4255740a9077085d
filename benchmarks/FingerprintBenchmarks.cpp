// What Import All's record of the game files costs, beside what Import All itself costs on the
// same files in the same run: the fingerprint of a file (its stamp, its bytes read and their
// SHA-256) beside reading the same bytes alone, for the executable, the save-state and a cars
// archive of a real game's size; and the cheaper stand-in for the archive (stamp, directory,
// the wheel range). Run: build/benchmarks/fingerprint_benchmarks (Release for figures).
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <vector>

#include "DemoGame.h"
#include "core/archive/TyrePositions.h"
#include "core/archive/WadWriter.h"
#include "core/bytes/FileFingerprint.h"
#include "core/bytes/SaveFile.h"
#include "core/tables/ExeTables.h"
#include "core/tables/ImportFiles.h"
#include "core/tables/SaveState.h"
#include "core/transfer/ImportRecord.h"

using namespace pw;

namespace {

// A real game's cars archive holds tens of megabytes of car shapes.
constexpr qint64 kLargeArchive = 48 * 1024 * 1024;

struct Game {
    QTemporaryDir dir;
    QString exe, save, wad;
    Game() {
        demo::writeDemoGame(dir.path());
        exe = dir.filePath(QStringLiteral("GP4.exe"));
        save = dir.filePath(QStringLiteral("f1gstate.sav"));
        wad = dir.filePath(QStringLiteral("cars.wad"));
        std::vector<wad::WadFileEntry> entries;
        for (int i = 0; i < 48; ++i)
            entries.push_back({QByteArray("cars\\shape") + QByteArray::number(i) + ".gp4",
                               QByteArray(kLargeArchive / 48, char(i))});
        entries.push_back({QByteArray("car_collision_mesh.ct"), QByteArray(400, 'c')});
        wad::WriteWad(wad, entries);
    }
};

Game& game() {
    static Game g;
    return g;
}

void Import_All(benchmark::State& state) {
    Game& g = game();
    for (auto _ : state) {
        model::EditorModel m;
        model::ImportFiles files(g.exe, g.save);
        model::ReadExeTables(files.exe(), m);
        wad::ReadTyrePositions(g.wad, m);
        model::ReadTyreBrands(files, m);
        model::ReadSaveStateTables(files, m);
        model::GetNames(files.exe(), m);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(Import_All)->Name("import_all")->Unit(benchmark::kMicrosecond);

QString pathOf(int which) {
    Game& g = game();
    return which == 0 ? g.exe : which == 1 ? g.save : g.wad;
}

void Fingerprint(benchmark::State& state) {
    const QString path = pathOf(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(model::readFingerprinted(path).fingerprint);
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(Fingerprint)
    ->Name("fingerprint@read")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMicrosecond);

void ReadFloor(benchmark::State& state) {
    const QString path = pathOf(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(model::readWholeFile(path));
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(ReadFloor)->Name("read")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The stand-in Import All keeps: the archive's stamp, its directory and the wheel range.
void ArchiveStandIn(benchmark::State& state) {
    Game& g = game();
    for (auto _ : state) benchmark::DoNotOptimize(transfer::ArchiveFingerprint(g.wad));
}
BENCHMARK(ArchiveStandIn)->Name("archive_stamp_directory_range")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
