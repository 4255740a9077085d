#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "CliRun.h"
#include "DemoFolder.h"
#include "GameFileFixtures.h"
#include "IsolatedSettings.h"
#include "cli/ValueJson.h"
#include "core/tables/ExeLayout.h"
#include "core/values/GameRead.h"
#include "core/values/NamedValues.h"

using namespace pw;
using namespace pw::test;
namespace exe = pw::model::exe;

namespace {

QJsonObject dumpOf(const QStringList& arguments) {
    const CliResult r = runCli(QStringList{QStringLiteral("dump")} + arguments);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out.toUtf8()).object();
}

QJsonValue at(const QJsonObject& dump, const char* group, const char* row, const char* column) {
    return dump.value(QLatin1String(group))
        .toObject()
        .value(QLatin1String(row))
        .toObject()
        .value(QLatin1String(column));
}

values::GameRead readDemo(const DemoFolder& game) {
    return values::ReadGame(
        values::GameFilePaths{game.path(), game.exe(), game.saveState(), game.carsWad()});
}

// Stored values the window's units cannot show exactly, one of each kind.
void pokeValuesTheWindowRounds(const DemoFolder& game) {
    const exe::Layout& L = exe::layoutFor(0);
    QByteArray bytes = readFile(game.exe());
    const qint64 camera1 = L.cameraBlock + exe::kCameraRecords + exe::kCameraRecordSize * 2;
    poke(bytes, camera1, u16le(81));                           // Camera 1 X, odd
    poke(bytes, camera1 + 6, u16le(uint16_t(int16_t(-365))));  // Camera 1 Dir., remainder
    poke(bytes, L.cameraBlock + exe::kChaseY, u16le(uint16_t(int16_t(-767))));
    poke(bytes, L.tcams + 4 * 3 + 2, u16le(161));           // team 3 T-Cam Y
    poke(bytes, L.helmets + 8 * 3 + 4, f32le(0.125f));      // team 3 helmet Y
    poke(bytes, L.teamWheels + 8 * 2 + 4, f32le(0.0123f));  // team 2 wheel Y
    poke(bytes, L.cockpit + exe::kCockpitWheelX, f32le(0.0123456f));
    poke(bytes, L.armColours + 4 * 5, u32le(0x12345678u));  // neither 0x00 nor 0xFF above
    writeFile(game.exe(), bytes);
}

}  // namespace

TEST(CliDump, ShowsEveryValueUnderTheWindowsNamesInItsUnits) {
    DemoFolder game;
    const QJsonObject dump = dumpOf({game.path()});
    EXPECT_EQ(dump.keys(),
              (QStringList{"cameras", "details", "drivers", "positions", "slots", "teams"}));
    EXPECT_EQ(at(dump, "teams", "Team 1", "Power(BHP) Qual."), QJsonValue(855));
    EXPECT_EQ(at(dump, "teams", "Team 1", "Team Names"), QJsonValue("ferrari"));
    EXPECT_EQ(at(dump, "teams", "Team 1", "Arm Colors Car 1"), QJsonValue("#EE2924"));
    EXPECT_EQ(at(dump, "teams", "Team 2", "Brand Types"), QJsonValue("McLaren"));
    EXPECT_EQ(at(dump, "teams", "Team 1", "Gear"), QJsonValue(7));
    EXPECT_EQ(at(dump, "positions", "Team 2", "St. Wheel Z"), QJsonValue(-4.4));
    EXPECT_EQ(at(dump, "positions", "Dash Boards", "Y"), QJsonValue(62.5));
    EXPECT_EQ(at(dump, "cameras", "Camera 4", "Z"), QJsonValue(26));
    EXPECT_EQ(at(dump, "cameras", "Chase Cameras", "Y"), QJsonValue(-768));
    EXPECT_EQ(at(dump, "drivers", "Driver 13", "Nb"), QJsonValue(14));
    EXPECT_EQ(at(dump, "slots", "Team 2", "Current Names"), QJsonValue("Mclaren"));
    // The T-Cam row's Y and Z are per-team values of the Positions page.
    EXPECT_TRUE(at(dump, "cameras", "T-Cam", "Y").isUndefined());
    EXPECT_FALSE(at(dump, "cameras", "T-Cam", "Dir.").isUndefined());
    // One entry per value, and no stored value where the window shows the stored one exactly.
    int entries = 0;
    for (const QJsonValue& group : dump)
        for (const QJsonValue& row : group.toObject()) entries += row.toObject().size();
    EXPECT_EQ(entries, int(values::allValues().size()) + 12);  // the wheel positions' floats
}

TEST(CliDump, ReadBackByApplyGivesEveryStoredValueExactly) {
    DemoFolder rounded;
    pokeValuesTheWindowRounds(rounded);
    const QJsonObject dump = dumpOf({rounded.path()});
    EXPECT_EQ(at(dump, "cameras", "Camera 1", "X"), QJsonValue(40));
    EXPECT_EQ(at(dump, "cameras", "Camera 1", "X (stored)"), QJsonValue(81));
    EXPECT_EQ(at(dump, "positions", "Team 4", "Helmets Y"), QJsonValue(12));
    EXPECT_EQ(at(dump, "positions", "Team 4", "Helmets Y (stored)"), QJsonValue(double(0.125f)));

    // Onto another game: every value, shown and stored, becomes the dumped one.
    DemoFolder plain;
    model::EditorModel m = readDemo(plain).model;
    cli::applyJson(QJsonDocument(dump).toJson(), QStringLiteral("dump.json"), m);
    const model::EditorModel want = readDemo(rounded).model;
    for (const values::NamedValue& v : values::allValues())
        EXPECT_TRUE(values::sameJson(v.stored(m), v.stored(want))) << v.path().toStdString();
    EXPECT_EQ(cli::valuesToJson(m), dump);
}

TEST(CliDump, AShownValueEditedBesideItsStoredValueWins) {
    DemoFolder rounded;
    pokeValuesTheWindowRounds(rounded);
    QJsonObject dump = dumpOf({rounded.path()});
    QJsonObject positions = dump["positions"].toObject();
    QJsonObject team4 = positions["Team 4"].toObject();
    team4["Helmets Y"] = 15;  // "Helmets Y (stored)" still says 0.125
    positions["Team 4"] = team4;
    dump["positions"] = positions;
    model::EditorModel m = readDemo(rounded).model;
    cli::applyJson(QJsonDocument(dump).toJson(), QStringLiteral("dump.json"), m);
    EXPECT_EQ(m.teams[3].helmetY, 0.15f);
}

TEST(CliDump, OnlyTheGroupsAskedFor) {
    DemoFolder game;
    EXPECT_EQ(dumpOf({game.path(), "--only", "teams,drivers"}).keys(),
              (QStringList{"drivers", "teams"}));
    const CliResult r = runCli({"dump", game.path(), "--only", "teams,gears"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.isEmpty());
    ASSERT_EQ(r.errLines().size(), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("gears")) << r.err.toStdString();
}

TEST(CliDump, WithoutAFolderTheGameTheEditorOpens) {
    IsolatedSettings settings;
    const CliResult none = runCli({"dump"});
    EXPECT_EQ(none.status, 2);
    EXPECT_TRUE(none.err.contains("no game found")) << none.err.toStdString();
    DemoFolder game;
    pokeValuesTheWindowRounds(game);
    settings.registerGame(game.path());
    EXPECT_EQ(dumpOf({}), dumpOf({game.path()}));
}
