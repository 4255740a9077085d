// Whole-process start-up of the editor when the game is not registered and is found in a Wine
// prefix: behind 20 Proton prefixes of real size (each with a system registry of about 2.5 MB)
// against the game's prefix alone. What the 20 prefixes add is what a Steam user with many
// Proton games waits for. Run under Xvfb through scripts/bench.sh.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <stdexcept>

#include "DemoGame.h"
#include "app/Startup.h"

using namespace pw;

namespace {

QString workingFolder;
QString homeWithPrefixes, homeWithGameOnly;
QTemporaryDir* config = nullptr;

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

// A prefix's system registry of about 2.5 MB, as a fresh Proton prefix holds; with the game's
// key when directory is not empty.
QByteArray systemRegistry(const QByteArray& directory) {
    QByteArray b = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
    for (int i = 0; i < 9500; ++i)
        b += "\n[Software\\\\Classes\\\\CLSID\\\\{" + QByteArray::number(i) +
             "-0000-0000-c000-000000000046}\\\\InprocServer32] 1700000000\n#time=1da2b3c4d5e6f70\n"
             "@=\"C:\\\\windows\\\\system32\\\\ole32.dll\"\n\"ThreadingModel\"=\"Both\"\n"
             "\"Flags\"=dword:00000001\n\"Data\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,"
             "\\\n  0e,0f,10,11,12,13,14,15,16,17,18,19,1a,1b,1c,1d,1e,1f\n";
    if (!directory.isEmpty())
        b += "\n[Software\\\\Wow6432Node\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir] 1\n"
             "\"Directory\"=\"" +
             directory + "\"\n";
    return b;
}

// A Proton prefix in Steam's own library: its registry and its C: drive.
void makeProtonPrefix(const QString& home, const QString& appId, const QByteArray& registry) {
    const QString prefix = home + QStringLiteral("/.local/share/Steam/steamapps/compatdata/") +
                           appId + QStringLiteral("/pfx");
    QDir().mkpath(prefix + QStringLiteral("/drive_c/windows/system32"));
    QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
    QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:"));
    write(prefix + QStringLiteral("/system.reg"), registry);
}

// The demo game on the D: drive of the last prefix (its id sorts after the others).
void makeGamePrefix(const QString& home, const QString& game) {
    makeProtonPrefix(home, QStringLiteral("9999999"), systemRegistry("D:\\\\"));
    QFile::link(game,
                home + QStringLiteral(
                           "/.local/share/Steam/steamapps/compatdata/9999999/pfx/dosdevices/d:"));
}

void startUntilFirstFrame(benchmark::State& state, const QString& home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config->path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.remove(QStringLiteral("WINEPREFIX"));
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(workingFolder);
        QElapsedTimer timer;
        timer.start();
        process.start(QStringLiteral(PITWRIGHT_EDITOR),
                      {QLatin1String(app::kQuitAfterFirstFrameOption)});
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            throw std::runtime_error("did not end after its first frame: " +
                                     process.readAllStandardError().toStdString());
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}

void behind20Prefixes(benchmark::State& state) {
    startUntilFirstFrame(state, homeWithPrefixes);
}
BENCHMARK(behind20Prefixes)
    ->Name("startup_behind_20_wine_prefixes@startup_game_prefix_only")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void gamePrefixOnly(benchmark::State& state) {
    startUntilFirstFrame(state, homeWithGameOnly);
}
BENCHMARK(gamePrefixOnly)
    ->Name("startup_game_prefix_only")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // Settings of their own, without the game's installation entry: the game is searched for.
    QTemporaryDir configDir, game, homes;
    config = &configDir;
    demo::writeDemoGame(game.path());
    homeWithPrefixes = homes.filePath(QStringLiteral("with-prefixes"));
    homeWithGameOnly = homes.filePath(QStringLiteral("game-only"));
    for (int i = 0; i < 20; ++i)
        makeProtonPrefix(homeWithPrefixes, QString::number(1000 + i), systemRegistry(QByteArray()));
    makeGamePrefix(homeWithPrefixes, game.path());
    makeGamePrefix(homeWithGameOnly, game.path());
    // Files written moments ago may change again unseen, so nothing about them would be kept:
    // the prefixes of a real home are older than that.
    QThread::sleep(3);
    // The editor finds "CamTextures" beside itself.
    workingFolder = game.path();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
