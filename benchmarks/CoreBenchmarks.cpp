// The data-core steps of Import All and Export All and an archive lookup, each beside its floor:
// the same bytes moved by raw pread/pwrite (plus the one checksum an export needs), the raw read
// of an archive's directory; reading the game's keys from a large Wine registry beside counting
// its lines. Run through scripts/bench.sh, which pairs "step@floor" with "floor".
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <stdexcept>
#include <utility>
#include <vector>

#include "DemoGame.h"
#include "GameFloors.h"
#include "core/tables/ExeLayout.h"
#include "core/tables/ExeTables.h"
#include "core/tables/ImportFiles.h"
#include "core/tables/SaveState.h"
#include "core/location/WineRegistry.h"
#include "core/archive/TyrePositions.h"
#include "core/archive/WadArchive.h"
#include "core/archive/WadDirectory.h"
#include "core/archive/WadWriter.h"

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

// Written once and left to settle: a game's files are old, so its archive directory is kept.
Game& game() {
    static Game g;
    static const bool settled = (QThread::msleep(wad::kDefaultSettleMs + 200), true);
    (void)settled;
    return g;
}

void Import_All(benchmark::State& state) {
    Game& g = game();
    for (auto _ : state) {
        // As Import All reads them: each file opened once.
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
BENCHMARK(Import_All)->Name("import_all@pread_import_ranges")->Unit(benchmark::kMicrosecond);

void ImportFloor(benchmark::State& state) {
    bench::importFloor(state, bench::GameFiles(game().dir.path()));
}
BENCHMARK(ImportFloor)->Name("pread_import_ranges")->Unit(benchmark::kMicrosecond);

// Exports write into the archive: a game of their own keeps the imports' archive settled.
Game& exportGame() {
    static Game g;
    return g;
}

void Export_All(benchmark::State& state) {
    Game& g = exportGame();
    model::EditorModel m = demo::demoModel(0);
    model::ReadExeTables(g.exe, m);
    wad::ReadTyrePositions(g.wad, m);
    for (auto _ : state) {
        model::WriteExeTables(g.exe, m);
        wad::WriteTyrePositions(g.wad, m);
        model::WriteTyreBrands(g.save, g.exe, m, model::BrandsChecksum::ByTablesWriter);
        model::WriteSaveStateTables(g.save, g.exe, m);
    }
}
BENCHMARK(Export_All)
    ->Name("export_all@pwrite_export_ranges_and_checksum")
    ->Unit(benchmark::kMicrosecond);

void ExportFloor(benchmark::State& state) {
    bench::exportFloor(state, bench::GameFiles(exportGame().dir.path()));
}
BENCHMARK(ExportFloor)->Name("pwrite_export_ranges_and_checksum")->Unit(benchmark::kMicrosecond);

constexpr int kLookupEntries = 4000;

// An archive of n entries whose wanted entry comes last, settled (old enough to be trusted).
QString bigArchive(int n) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cars%1.wad").arg(n));
    if (!QFileInfo::exists(path)) {
        std::vector<wad::WadFileEntry> entries;
        for (int i = 0; i < n - 1; ++i)
            entries.push_back({"cars\\team" + QByteArray::number(i) + "\\car_team" +
                                   QByteArray::number(i) + "_car1_lod_0.gp4",
                               QByteArray(16, 'x')});
        entries.push_back({"cars\\cockpit\\cockpit_dash.gp4", QByteArray(16, 'd')});
        wad::WriteWad(path, entries);
        QThread::msleep(wad::kDefaultSettleMs + 200);
    }
    return path;
}

void Archive_Lookup(benchmark::State& state) {
    const QString path = bigArchive(kLookupEntries);
    for (auto _ : state) {
        std::optional<wad::WadArchive> archive = wad::WadArchive::OpenArchive(path);
        const auto entry = archive->FindEntry(QStringLiteral("cockpit_dash.gp4"));
        if (!entry) throw std::runtime_error("entry not found");
        archive->close();
        benchmark::DoNotOptimize(entry);
    }
}
BENCHMARK(Archive_Lookup)
    ->Name("archive_lookup_4000@read_directory_4000")
    ->Unit(benchmark::kMicrosecond);

// The first lookup in an archive whose directory is not kept yet: the directory read and walked
// to the entry (the last one).
void Archive_First_Lookup(benchmark::State& state) {
    const QString path = bigArchive(kLookupEntries);
    for (auto _ : state) {
        wad::clearDirectoryCache();
        std::optional<wad::WadArchive> archive = wad::WadArchive::OpenArchive(path);
        const auto entry = archive->FindEntry(QStringLiteral("cockpit_dash.gp4"));
        if (!entry) throw std::runtime_error("entry not found");
        archive->close();
        benchmark::DoNotOptimize(entry);
    }
}
BENCHMARK(Archive_First_Lookup)
    ->Name("archive_first_lookup_4000@read_directory_4000")
    ->Unit(benchmark::kMicrosecond);

void DirectoryFloor(benchmark::State& state) {
    const QString path = bigArchive(kLookupEntries);
    const qint64 size = 4 + 136 * kLookupEntries;
    std::vector<char> buffer(static_cast<size_t>(size));
    for (auto _ : state) {
        const int fd = bench::openRw(path);
        if (::pread(fd, buffer.data(), size_t(size), 0) != size) throw std::runtime_error("pread");
        ::close(fd);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(DirectoryFloor)->Name("read_directory_4000")->Unit(benchmark::kMicrosecond);

// A prefix's system registry of about 16 MB (a fresh prefix holds 2 to 3 MB): keys of every kind
// of value, the game's key near the end.
const QByteArray& largeSystemRegistry() {
    static const QByteArray bytes = [] {
        QByteArray b =
            "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
        for (int i = 0; i < 60000; ++i) {
            b += "\n[Software\\\\Classes\\\\CLSID\\\\{" + QByteArray::number(i) +
                 "-0000-0000-c000-000000000046}\\\\InprocServer32] "
                 "1700000000\n#time=1da2b3c4d5e6f70\n"
                 "@=\"C:\\\\windows\\\\system32\\\\ole32.dll\"\n\"ThreadingModel\"=\"Both\"\n"
                 "\"Flags\"=dword:00000001\n\"Data\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,"
                 "\\\n"
                 "  0e,0f,10,11,12,13,14,15,16,17,18,19,1a,1b,1c,1d,1e,1f\n";
        }
        b += "\n[Software\\\\Wow6432Node\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir] 1\n"
             "\"Directory\"=\"C:\\\\Program Files (x86)\\\\Grand Prix 4\"\n";
        return b;
    }();
    return bytes;
}

// Reading the two keys the game search needs, beside counting the file's lines.
void WineRegistryGameKeys(benchmark::State& state) {
    const QByteArray& bytes = largeSystemRegistry();
    const QStringList keys = {
        QStringLiteral("Software\\Wow6432Node\\Infogrames\\Grand Prix 4\\1.00\\Install Dir"),
        QStringLiteral("Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir")};
    for (auto _ : state) benchmark::DoNotOptimize(model::parseWineRegistry(bytes, keys));
}
BENCHMARK(WineRegistryGameKeys)
    ->Name("wine_registry_game_keys@count_registry_lines")
    ->Unit(benchmark::kMillisecond);

void CountRegistryLines(benchmark::State& state) {
    const QByteArray& bytes = largeSystemRegistry();
    for (auto _ : state) benchmark::DoNotOptimize(bytes.count('\n'));
}
BENCHMARK(CountRegistryLines)->Name("count_registry_lines")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
