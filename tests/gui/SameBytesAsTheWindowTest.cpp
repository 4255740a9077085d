#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTextStream>

#include "DemoGame.h"
#include "EditorHarness.h"
#include "GameFileFixtures.h"
#include "app/commands/PerformanceFileCommands.h"
#include "app/commands/TeamFileCommands.h"
#include "cli/CommandLine.h"
#include "cli/ValueJson.h"
#include "core/ownfiles/CameraEncodings.h"
#include "core/ownfiles/CameraSet.h"
#include "core/ownfiles/KeyedPerformanceFile.h"
#include "core/ownfiles/SectionedPerformanceFile.h"
#include "core/ownfiles/TeamFile.h"
#include "core/tables/Conversions.h"
#include "core/values/GameRead.h"

using namespace pw;
using namespace pw::test;

namespace {

files::ShownCameras shownCamerasOf(const model::EditorModel& m) {
    files::ShownCameras shown;
    for (int r = 0; r < model::kCameraCount; ++r)
        shown.records[r] = files::shownFromGameRecord(m.cameras[r]);
    shown.chaseY = model::chaseToDisplay(m.chaseY);
    shown.chaseZ = model::chaseToDisplay(m.chaseZ);
    return shown;
}

values::GameRead readGame(const DemoFolder& game) {
    return values::ReadGame(
        values::GameFilePaths{game.path(), game.exe(), game.saveState(), game.carsWad()});
}

struct OwnFileKind {
    const char* name;
    std::function<QByteArray(model::EditorModel&)> make;
    std::function<void(app::Editor&, const QString&)> loadInWindow;
};

std::vector<OwnFileKind> ownFileKinds() {
    return {
        {"team.car",
         [](model::EditorModel& m) {
             // Every block, several of them changed (values the window shows exactly).
             m.teams[2].helmetY = model::helmetToFile(20);
             m.teams[5].wheelZ = model::steeringWheelToFile(-3.5);
             m.teams[7].tcamY = model::tcamYToFile(-40);
             m.teams[0].tcamZ = model::tcamZToFile(70);
             m.teams[9].armColour = 0xFF102030u;
             m.teams[3].rimColour = 0x00405060u;
             m.teams[4].tyreBrand = 1;
             m.teams[1].carShapeName = "Mclaren2";
             m.cameras[3].field[model::CamX] = model::cameraPositionToFile(11);
             m.cameras[0].field[model::CamDir] = model::cameraAngleToFile(3);
             m.chaseZ = model::chaseToFile(100);
             m.tyres.wheel[1][0] = model::tyrePositionToFile(-75);
             m.cockpit.dashY = model::cockpitToFile(model::CockpitField::DashY, 60.5);
             m.cockpit.wheelX = model::cockpitToFile(model::CockpitField::WheelX, 1.5);
             return files::writeTeamFile(m, shownCamerasOf(m), files::TeamFileSelection::all());
         },
         [](app::Editor& e, const QString& path) { e.teamFiles().loadTeamFile(path); }},
        {"cameras.cam",
         [](model::EditorModel& m) {
             files::ShownCameras shown = shownCamerasOf(m);
             shown.records[2][model::CamX] = 41;
             shown.records[11][model::CamPitch] = -12;
             shown.chaseY = -700;
             return files::writeCameraSet(shown);
         },
         [](app::Editor& e, const QString& path) { e.teamFiles().loadCameraSet(path); }},
        {"brands.tyr",
         [](model::EditorModel&) {
             QByteArray bytes;
             for (int t = 0; t < model::kTeamCount;
                  ++t)  // Team 4 asks for McLaren, which only the second team offers.
                 bytes += u16le(uint16_t(t == 1 || t == 4 ? 2 : t % 2));
             return bytes;
         },
         [](app::Editor& e, const QString& path) { e.teamFiles().loadTyreSet(path); }},
        {"performance.txt",
         [](model::EditorModel& m) {
             m.teams[5].failureRate = 1234;
             m.teams[6].teamName = "arrows f1";
             m.teams[8].gearCount = 6;
             m.teams[3].tyreBrand = 0;
             m.drivers[7].raceAbility = 15000;
             return files::writeSectionedPerformanceFile(m);
         },
         [](app::Editor& e, const QString& path) { e.performanceFiles().loadSectioned(path); }},
        {"performance.g4p",
         [](model::EditorModel& m) {
             m.drivers[3].number = 44;
             m.drivers[3].name = "new driver";
             m.teams[2].qualifyPower = model::powerToFile(900);
             m.teams[10].engineName = "renault";
             return files::writeKeyedPerformanceFile(m);
         },
         [](app::Editor& e, const QString& path) { e.performanceFiles().loadKeyedList(path); }},
    };
}

}  // namespace

// For each kind of own file: loading it through the window's command followed by Export All, and
// applying it from the command line, give byte-identical game folders.
TEST(SameBytesAsTheWindow, EveryKindOfOwnFile) {
    for (const OwnFileKind& kind : ownFileKinds()) {
        SCOPED_TRACE(kind.name);
        QTemporaryDir dir;
        model::EditorModel demo = demo::demoModel(0);
        const QString file = dir.filePath(QLatin1String(kind.name));
        writeFile(file, kind.make(demo));

        EditorHarness window;
        const auto untouched = window.game().snapshot();
        window.importAll();
        kind.loadInWindow(window.editor(), file);
        window.editor().exportAll();
        ASSERT_TRUE(window.messages.errors.isEmpty())
            << window.messages.errors.join('\n').toStdString();
        ASSERT_EQ(window.editor().status(), "Export Done");

        DemoFolder game;
        ASSERT_EQ(game.snapshot(), untouched);
        QString out, err;
        {
            QTextStream outStream(&out), errStream(&err);
            const int status = cli::run({"pitwright", "apply", game.path(), file},
                                        cli::Streams{outStream, errStream});
            ASSERT_EQ(status, 0) << err.toStdString();
        }
        EXPECT_TRUE(out.endsWith("\n") && out.contains("Export Done")) << out.toStdString();
        // The file changed something, and exactly what the window's export changed.
        EXPECT_NE(game.snapshot(), untouched);
        const auto fromWindow = window.game().snapshot(), fromCli = game.snapshot();
        for (const auto& [name, bytes] : fromWindow) {
            ASSERT_TRUE(fromCli.count(name)) << name.toStdString();
            EXPECT_TRUE(fromCli.at(name) == bytes) << name.toStdString() << " differs";
        }
        EXPECT_EQ(fromCli.size(), fromWindow.size());
        EXPECT_EQ(cli::valuesToJson(readGame(game).model),
                  cli::valuesToJson(readGame(window.game()).model));
    }
}
