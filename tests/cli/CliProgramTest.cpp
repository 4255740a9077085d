#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "CliRun.h"
#include "DemoFolder.h"

using namespace pw::test;

namespace {
struct ProgramRun {
    int status;
    QString out, err;
};
// The built program, without a display and with Qt telling which plugins it loads.
ProgramRun runProgram(const QStringList& arguments) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    env.insert("QT_DEBUG_PLUGINS", "1");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PITWRIGHT_PROGRAM), arguments);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
}  // namespace

TEST(CliProgram, ACommandRunsWithoutADisplayOrAPlatformPlugin) {
    DemoFolder game;
    const ProgramRun r = runProgram({"dump", game.path(), "--only", "teams"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(r.out.toUtf8()).object().keys(), QStringList{"teams"});
    EXPECT_FALSE(r.err.contains("platforms")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("xcb")) << r.err.toStdString();
}

TEST(CliProgram, HelpForTheProgramAndEachCommandAndTheVersion) {
    const ProgramRun program = runProgram({"--help"});
    EXPECT_EQ(program.status, 0);
    for (const char* command : {"dump", "apply", "diff", "restore"})
        EXPECT_TRUE(program.out.contains(QLatin1String(command))) << command;
    const std::pair<const char*, const char*> commands[] = {
        {"dump", "--only"}, {"apply", "--dry-run"}, {"diff", "A B"}, {"restore", "--list"}};
    for (const auto& [command, option] : commands) {
        const CliResult r = runCli({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("Usage: pitwright ") + command))
            << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(QLatin1String(option))) << r.out.toStdString();
    }
    const ProgramRun version = runProgram({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Pitwright 2.4\n");
}
