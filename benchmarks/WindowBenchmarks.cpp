// Import All and Export All as the user clicks them in the editor's window (with its OpenGL
// preview, under Xvfb): the window's fields filled and the preview repainted, the backup written
// before the game files. Each beside the raw reads or writes of the same bytes on the same game's
// files, in the same process. Run through scripts/bench.sh.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QTemporaryDir>

#include "DemoGame.h"
#include "GameFloors.h"
#include "GlBenchEditor.h"
#include "app/window/ComponentNames.h"
#include "app/window/WindowFields.h"
#include "core/backup/GameBackup.h"

namespace pw::bench {

Editor* editor = nullptr;

// Not used here: the OpenGL benchmarks' own hooks.
std::vector<wad::WadFileEntry> teamBenchmarkEntries() {
    return {};
}
void registerTeamBenchmarks() {}

}  // namespace pw::bench

using namespace pw;
using namespace pw::bench;

namespace {

QString gameFolder;
int number = 0;

void clicked(benchmark::State& state, QAction* action) {
    for (auto _ : state) {
        action->trigger();
        editor->finish();
    }
}

void registerAll() {
    using benchmark::RegisterBenchmark;
    RegisterBenchmark("import_all_clicked@window_pread_import_ranges", [](benchmark::State& s) {
        clicked(s, editor->window.importAllAction());
    })->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("window_pread_import_ranges", [](benchmark::State& s) {
        importFloor(s, GameFiles(gameFolder));
    })->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("export_all_clicked@window_pwrite_export_ranges_and_checksum",
                      [](benchmark::State& s) { clicked(s, editor->window.exportAllAction()); })
        ->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("window_pwrite_export_ranges_and_checksum", [](benchmark::State& s) {
        exportFloor(s, GameFiles(gameFolder));
    })->Unit(benchmark::kMicrosecond);
    // The same click against a floor that also does the backup's work raw (hashes, copies,
    // flushes), so that the ratio shows what the editor adds to the work itself.
    RegisterBenchmark("export_all_clicked_backup_work@window_export_and_backup_raw",
                      [](benchmark::State& s) { clicked(s, editor->window.exportAllAction()); })
        ->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("window_export_and_backup_raw", [](benchmark::State& s) {
        exportWithBackupFloor(s, GameFiles(gameFolder), backup::backupsFolder());
    })->Unit(benchmark::kMicrosecond);
}

// The first driver's number set to the other of two values.
void editDriverNumber() {
    editor->editor->fields().setText(app::names::driverNumber(0),
                                     QString::number(10 + ++number % 2));
}

// Export All of a changed value, as a user exports edits: each click's backup is kept, and the
// oldest beyond those kept removed.
void exportChanged(benchmark::State& state) {
    QAction* action = editor->window.exportAllAction();
    for (auto _ : state) {
        state.PauseTiming();
        editDriverNumber();
        state.ResumeTiming();
        action->trigger();
        editor->finish();
    }
}

void registerChanging() {
    using benchmark::RegisterBenchmark;
    // As many backups as a game keeps, besides its first.
    for (int i = 0; i <= backup::kBackupsKept; ++i) {
        editDriverNumber();
        editor->window.exportAllAction()->trigger();
    }
    RegisterBenchmark("export_all_changed_clicked@window_export_keeping_backups_raw", exportChanged)
        ->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("window_export_keeping_backups_raw", [](benchmark::State& s) {
        exportKeepingBackupsFloor(s, GameFiles(gameFolder), backup::backupsFolder(),
                                  backup::kBackupsKept + 1);
    })->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv) {
    // Settings and backups of their own, the demo game registered there.
    QTemporaryDir config, data;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    QTemporaryDir game;
    demo::writeDemoGame(game.path());
    demo::registerDemoGame(game.path());
    gameFolder = game.path();
    // Old enough for what is kept under the files' stamps to be kept, as a game's files are.
    QThread::msleep(model::kDefaultSettleMs + 200);

    Editor e;
    editor = &e;
    registerAll();
    registerChanging();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    editor = nullptr;
    return 0;
}
