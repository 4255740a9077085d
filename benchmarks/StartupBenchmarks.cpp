// Whole-process start-up: the editor on a demo game, started with the hidden option that ends it
// after its first preview frame, against a bare Qt window with an empty compatibility-profile
// OpenGL widget that ends after its first frame; and the peak memory (resident set) of the same
// two processes. Run under Xvfb through scripts/bench.sh.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// The largest resident set the process reached, in MB, as the counter peak_MB (the time is the
// process's wall time, as above). Started by hand: only the parent that reaps a process learns
// its peak.
void peakMemory(benchmark::State& state, const char* program, const char* option) {
    const QByteArray folder = workingFolder.toLocal8Bit();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (::chdir(folder.constData()) != 0) ::_exit(126);
            char* const argv[] = {const_cast<char*>(program), const_cast<char*>(option), nullptr};
            ::execv(program, argv);  // a null option ends the list early
            ::_exit(127);
        }
        int status = 0;
        struct rusage usage {};
        if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0)
            throw std::runtime_error(std::string("did not end after its first frame: ") + program);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024;  // ru_maxrss is in KiB
    }
}
BENCHMARK_CAPTURE(peakMemory, editor, PITWRIGHT_EDITOR, app::kQuitAfterFirstFrameOption)
    ->Name("peak_memory_first_preview_frame@peak_memory_bare_gl_window")
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, bare, PITWRIGHT_BARE_GL_WINDOW, nullptr)
    ->Name("peak_memory_bare_gl_window")
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

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
