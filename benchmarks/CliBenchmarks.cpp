// The command line's dump beside its floor: the data core's reading of the game (Import All's
// sequence) and the JSON of its values written to the same sink. Run through scripts/bench.sh,
// which pairs "step@floor" with "floor".
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include "DemoGame.h"
#include "cli/CommandLine.h"
#include "cli/ValueJson.h"
#include "core/archive/WadDirectory.h"
#include "core/values/GameRead.h"

using namespace pw;

namespace {

struct Game {
    QTemporaryDir dir;
    Game() { demo::writeDemoGame(dir.path()); }
};

// Written once and left to settle, as a game's files are.
const Game& game() {
    static Game g;
    static const bool settled = (QThread::msleep(wad::kDefaultSettleMs + 200), true);
    (void)settled;
    return g;
}

void Dump(benchmark::State& state) {
    const Game& g = game();
    QFile sink(QStringLiteral("/dev/null"));
    sink.open(QIODevice::WriteOnly);
    QTextStream out(&sink), err(stderr);
    const QStringList arguments{QStringLiteral("pitwright"), QStringLiteral("dump"), g.dir.path()};
    for (auto _ : state) {
        if (cli::run(arguments, cli::Streams{out, err}) != 0) state.SkipWithError("dump failed");
        out.flush();
    }
}
BENCHMARK(Dump)->Name("dump@read_game_and_json")->Unit(benchmark::kMicrosecond);

void DumpFloor(benchmark::State& state) {
    const Game& g = game();
    QFile sink(QStringLiteral("/dev/null"));
    sink.open(QIODevice::WriteOnly);
    QTextStream out(&sink);
    const QString folder = g.dir.path();
    const values::GameFilePaths paths{folder, folder + "/GP4.exe", folder + "/f1gstate.sav",
                                      folder + "/cars.wad"};
    for (auto _ : state) {
        const values::GameRead read = values::ReadGame(paths);
        out << QJsonDocument(cli::valuesToJson(read.model)).toJson(QJsonDocument::Indented);
        out.flush();
    }
}
BENCHMARK(DumpFloor)->Name("read_game_and_json")->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
