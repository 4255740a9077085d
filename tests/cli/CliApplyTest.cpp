#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "CliRun.h"
#include "DemoFolder.h"
#include "DemoGame.h"
#include "GameFileFixtures.h"
#include "IsolatedSettings.h"
#include "core/backup/GameBackup.h"
#include "core/ownfiles/CameraEncodings.h"
#include "core/ownfiles/CameraSet.h"
#include "core/ownfiles/KeyedPerformanceFile.h"
#include "core/ownfiles/SectionedPerformanceFile.h"
#include "core/ownfiles/TeamFile.h"
#include "core/tables/Conversions.h"
#include "core/tables/ExeLayout.h"

using namespace pw;
using namespace pw::test;
namespace exe = pw::model::exe;

namespace {

// The cameras of a model in file form as the window shows them.
files::ShownCameras shownCamerasOf(const model::EditorModel& m) {
    files::ShownCameras shown;
    for (int r = 0; r < model::kCameraCount; ++r)
        shown.records[r] = files::shownFromGameRecord(m.cameras[r]);
    shown.chaseY = model::chaseToDisplay(m.chaseY);
    shown.chaseZ = model::chaseToDisplay(m.chaseZ);
    return shown;
}

struct OwnFileCase {
    const char* name;
    // The file's bytes, made from the demo game's values with one change.
    std::function<QByteArray(model::EditorModel&)> make;
    const char* expectedLine;
};

std::vector<OwnFileCase> ownFileCases() {
    return {
        {"team.car",
         [](model::EditorModel& m) {
             m.teams[2].helmetY = 0.2f;
             files::TeamFileSelection only;
             only.helmets = 1 << 2;
             return files::writeTeamFile(m, shownCamerasOf(m), only);
         },
         "positions/Team 3/Helmets Y: -15 \u2192 20"},
        {"cameras.cam",
         [](model::EditorModel& m) {
             files::ShownCameras shown = shownCamerasOf(m);
             shown.records[2][model::CamX] = 41;
             return files::writeCameraSet(shown);
         },
         "cameras/Camera 1/X: 40 \u2192 41"},
        {"brands.tyr",
         [](model::EditorModel& m) {
             QByteArray bytes;
             for (int t = 0; t < model::kTeamCount; ++t)
                 bytes += u16le(uint16_t(t == 0 ? 1 : m.teams[t].tyreBrand));
             return bytes;
         },
         "teams/Team 1/Brand Types: \"Bridgestone\" \u2192 \"Michelin\""},
        {"performance.txt",
         [](model::EditorModel& m) {
             m.teams[5].failureRate = 1234;
             return files::writeSectionedPerformanceFile(m);
         },
         "teams/Team 6/Failure %: 3373 \u2192 1234"},
        {"performance.g4p",
         [](model::EditorModel& m) {
             m.drivers[3].number = 44;
             return files::writeKeyedPerformanceFile(m);
         },
         "drivers/Driver 4/Nb: 4 \u2192 44"},
        {"values.json",
         [](model::EditorModel&) { return QByteArray(R"({"teams": {"Team 3": {"Gear": 7}}})"); },
         "teams/Team 3/Gear: 6 \u2192 7"},
    };
}

}  // namespace

TEST(CliApply, DryRunListsWhatEachKindOfFileChangesAndWritesNothing) {
    IsolatedSettings settings;
    for (const OwnFileCase& c : ownFileCases()) {
        SCOPED_TRACE(c.name);
        DemoFolder game;
        QTemporaryDir dir;
        model::EditorModel m = demo::demoModel(0);
        const QString file = dir.filePath(QLatin1String(c.name));
        writeFile(file, c.make(m));
        const auto before = game.snapshot();
        const CliResult r = runCli({"apply", game.path(), file, "--dry-run"});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.split('\n').contains(QString::fromUtf8(c.expectedLine)))
            << r.out.toStdString();
        EXPECT_EQ(game.snapshot(), before);
    }
    EXPECT_TRUE(backup::ListBackups(backup::backupsFolder(), QString()).empty());
}

TEST(CliApply, FilesApplyInTheOrderGiven) {
    DemoFolder game;
    QTemporaryDir dir;
    writeFile(dir.filePath("a.json"), R"({"teams": {"Team 3": {"Gear": 7, "Failure %": 10}}})");
    writeFile(dir.filePath("b.json"), R"({"teams": {"Team 3": {"Gear": 6}}})");
    const CliResult r =
        runCli({"apply", game.path(), dir.filePath("a.json"), dir.filePath("b.json"), "--dry-run"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "teams/Team 3/Failure %: 4336 \u2192 10\n");
}

TEST(CliApply, ADumpOfTheSameGameHasNothingToExport) {
    IsolatedSettings settings;
    DemoFolder game;
    QTemporaryDir dir;
    const CliResult dump = runCli({"dump", game.path()});
    writeFile(dir.filePath("dump.json"), dump.out.toUtf8());
    const auto before = game.snapshot();
    for (const QStringList& extra : {QStringList{}, QStringList{"--dry-run"}}) {
        const CliResult r =
            runCli(QStringList{"apply", game.path(), dir.filePath("dump.json")} + extra);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, "Nothing to export: the game already holds every value.\n");
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    }
    EXPECT_EQ(game.snapshot(), before);
    EXPECT_TRUE(backup::ListBackups(backup::backupsFolder(), game.path()).empty());
}

TEST(CliApply, WritesOnlyTheBytesOfTheChangedValuesAfterABackup) {
    IsolatedSettings settings;
    DemoFolder game;
    QTemporaryDir dir;
    writeFile(dir.filePath("gear.json"), R"({"teams": {"Team 3": {"Gear": 7}}})");
    auto expected = game.snapshot();
    const auto before = expected;
    const CliResult r = runCli({"apply", game.path(), dir.filePath("gear.json")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    const std::vector<backup::Backup> backups =
        backup::ListBackups(backup::backupsFolder(), game.path());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(r.out, "teams/Team 3/Gear: 6 \u2192 7\nExport Done (backup " +
                         QDir(backups.front().folder).dirName() + ")\n");
    // The gear count of team 2 in the executable's performance block, and nothing else.
    const exe::Layout& L = exe::layoutFor(0);
    poke(expected["GP4.exe"], L.performance + exe::kPerfGearCount + 2, u8le(7));
    EXPECT_EQ(game.snapshot(), expected);

    const CliResult restored =
        runCli({"restore", game.path(), QDir(backups.front().folder).dirName()});
    EXPECT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_EQ(game.snapshot(), before);
}

TEST(CliApply, TheTCamRecordFollowsTeamOnesTCamOnlyWhenThatChanges) {
    IsolatedSettings settings;
    const exe::Layout& L = exe::layoutFor(0);
    const qint64 recordY =
        L.cameraBlock + exe::kCameraRecords + exe::kCameraRecordSize * 11 + 2 * model::CamY;
    QTemporaryDir dir;
    DemoFolder game;
    // A record that disagrees with team 1's T-Cam Y stays as it is while that T-Cam Y does.
    QByteArray bytes = readFile(game.exe());
    poke(bytes, recordY, u16le(uint16_t(int16_t(-200))));
    writeFile(game.exe(), bytes);
    writeFile(dir.filePath("gear.json"), R"({"teams": {"Team 3": {"Gear": 7}}})");
    auto gearOnly = game.snapshot();
    EXPECT_EQ(runCli({"apply", game.path(), dir.filePath("gear.json")}).status, 0);
    poke(gearOnly["GP4.exe"], L.performance + exe::kPerfGearCount + 2, u8le(7));
    EXPECT_EQ(game.snapshot(), gearOnly);

    writeFile(dir.filePath("tcam.json"), R"({"positions": {"Team 1": {"T-Cam Y": -60}}})");
    auto expected = game.snapshot();
    const CliResult r = runCli({"apply", game.path(), dir.filePath("tcam.json")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    poke(expected["GP4.exe"], L.tcams + 2, u16le(40));                   // 2 x -60 + 160
    poke(expected["GP4.exe"], recordY, u16le(uint16_t(int16_t(-120))));  // 2 x -60
    EXPECT_EQ(game.snapshot(), expected);
}
