// Whole-process start-up: the editor on a demo game, started with the hidden option that ends it
// after its first preview frame, against a bare Qt window with an empty compatibility-profile
// OpenGL widget that ends after its first frame. Run under Xvfb through scripts/bench.sh.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <stdexcept>

#include "DemoGame.h"
#include "app/Startup.h"

using namespace pw;

namespace {

QProcessEnvironment environment;
QString workingFolder;

void startUntilFirstFrame(benchmark::State& state, const QString& program,
                          const QStringList& args) {
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(workingFolder);
        QElapsedTimer timer;
        timer.start();
        process.start(program, args);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            throw std::runtime_error("did not end after its first frame: " + program.toStdString() +
                                     " " + process.readAllStandardError().toStdString());
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}

void editorStartUp(benchmark::State& state) {
    startUntilFirstFrame(state, QStringLiteral(PITWRIGHT_EDITOR),
                         {QLatin1String(app::kQuitAfterFirstFrameOption)});
}
BENCHMARK(editorStartUp)
    ->Name("startup_first_preview_frame@bare_gl_window")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void bareWindow(benchmark::State& state) {
    startUntilFirstFrame(state, QStringLiteral(PITWRIGHT_BARE_GL_WINDOW), {});
}
BENCHMARK(bareWindow)->Name("bare_gl_window")->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The started programs keep their settings here, with the demo game registered.
    QTemporaryDir config, game;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    demo::writeDemoGame(game.path());
    demo::registerDemoGame(game.path());
    environment = QProcessEnvironment::systemEnvironment();
    // The editor finds "CamTextures" beside itself.
    workingFolder = game.path();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
