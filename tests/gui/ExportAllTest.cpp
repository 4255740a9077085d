#include <gtest/gtest.h>

#include <QTest>

#include "EditorHarness.h"
#include "GameFileFixtures.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/QuickCamBar.h"
#include "app/window/WindowFields.h"
#include "core/tables/Defaults.h"
#include "core/tables/ExeLayout.h"
#include "core/tables/SaveState.h"
#include "core/archive/TyrePositions.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;
namespace exe = pw::model::exe;

namespace {

using Snapshot = std::map<QString, QByteArray>;

// Offsets of a camera record's fields, in file order X, Z, Y, Dir, Pitch, Roll, details.
qint64 cameraOffset(const exe::Layout& layout, int record, int fileField) {
    return layout.cameraBlock + exe::kCameraRecords + exe::kCameraRecordSize * record +
           2 * fileField;
}

// Compares two snapshots file by file, naming the first differing byte.
void expectSameFiles(const Snapshot& expected, const Snapshot& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (const auto& [name, bytes] : expected) {
        ASSERT_TRUE(actual.count(name)) << name.toStdString();
        const QByteArray& got = actual.at(name);
        ASSERT_EQ(got.size(), bytes.size()) << name.toStdString();
        for (qint64 i = 0; i < bytes.size(); ++i)
            if (got[i] != bytes[i]) {
                ADD_FAILURE() << name.toStdString() << " differs first at offset " << i << ": "
                              << bytes.mid(i, 8).toHex().toStdString() << " expected, "
                              << got.mid(i, 8).toHex().toStdString() << " written";
                break;
            }
    }
}

void refreshChecksum(QByteArray& save) {
    poke(save, save.size() - 4, u32le(model::saveStateChecksumOf(save.left(save.size() - 4))));
}

class ExportAll : public testing::TestWithParam<uint8_t> {
protected:
    HarnessOptions options() const {
        HarnessOptions o;
        o.demo.versionByte = GetParam();
        return o;
    }
    const exe::Layout& layout() const { return exe::layoutFor(GetParam()); }
};

}  // namespace

TEST_P(ExportAll, WithoutEditsLeavesTheGameFilesAsTheyWere) {
    EditorHarness h(options());
    const Snapshot before = h.game().snapshot();
    h.importAll();
    h.editor().exportAll();
    EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_TRUE(h.messages.shown.isEmpty()) << h.messages.shown.join('\n').toStdString();
    EXPECT_EQ(h.editor().status(), "Export Done");
    EXPECT_EQ(h.images.swaps, 1);
    expectSameFiles(before, h.game().snapshot());
}

TEST_P(ExportAll, LosesOnlyWhatTheDisplayUnitsCannotHold) {
    EditorHarness h(options());
    const exe::Layout& L = layout();
    QByteArray exeBytes = readFile(h.game().exe());
    // Values the window cannot show exactly.
    poke(exeBytes, cameraOffset(L, 2, 0), u16le(uint16_t(81)));  // Camera 1 X odd
    poke(exeBytes, cameraOffset(L, 3, 2),
         u16le(uint16_t(int16_t(-7))));  // Camera 2 Y odd, negative
    poke(exeBytes, cameraOffset(L, 4, 3),
         u16le(uint16_t(int16_t(-365))));  // Camera 3 Dir., remainder
    poke(exeBytes, L.cameraBlock + exe::kChaseY, u16le(uint16_t(int16_t(-767))));
    poke(exeBytes, L.tcams + 4 * 3 + 2, u16le(161));           // team 3 T-Cam Y
    poke(exeBytes, L.helmets + 8 * 3 + 4, f32le(0.125f));      // team 3 helmet Y
    poke(exeBytes, L.teamWheels + 8 * 2 + 4, f32le(0.0123f));  // team 2 wheel Y
    poke(exeBytes, L.shapeNames, record("FERRARI", 32));
    writeFile(h.game().exe(), exeBytes);
    Snapshot expected = h.game().snapshot();

    h.importAll();
    EXPECT_EQ(h.text(names::cameraField(2)), "40");
    EXPECT_EQ(h.text(names::cameraField(13)), "-3");
    EXPECT_EQ(h.text(names::cameraField(34)), "-2");
    EXPECT_EQ(h.text(names::tcamY(3)), "0");
    EXPECT_EQ(h.text(names::helmetY(3)), "12");
    EXPECT_EQ(h.text(names::wheelY(2)), "2.5");
    EXPECT_EQ(h.text(names::carShapeName(0)), "Ferrari");
    h.editor().exportAll();
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();

    QByteArray& want = expected["GP4.exe"];
    poke(want, cameraOffset(L, 2, 0), u16le(80));
    poke(want, cameraOffset(L, 3, 2), u16le(uint16_t(int16_t(-6))));
    poke(want, cameraOffset(L, 4, 3), u16le(uint16_t(int16_t(-364))));
    poke(want, L.cameraBlock + exe::kChaseY, u16le(uint16_t(int16_t(-766))));
    poke(want, L.tcams + 4 * 3 + 2, u16le(160));
    poke(want, L.helmets + 8 * 3 + 4, f32le(0.12f));
    poke(want, L.teamWheels + 8 * 2 + 4, f32le(0.0125f));
    poke(want, L.shapeNames, record("Ferrari", 32));
    expectSameFiles(expected, h.game().snapshot());
}

TEST_P(ExportAll, WritesExactlyTheEditedValues) {
    EditorHarness h(options());
    Snapshot expected = h.game().snapshot();
    h.importAll();
    const exe::Layout& L = layout();
    const app::WindowFields& f = h.editor().fields();

    // Cameras: a camera field, the chase camera, a detail level, and team 0's T-Cam (which is
    // also the T-Cam record's Y).
    h.setText(names::cameraField(4), "31");
    h.setText(names::cameraField(102), "100");
    h.setText(names::cameraField(5 + 70), "3");
    h.setText(names::tcamY(0), "-60");
    // Cockpit steering wheel X; the other two are recomputed from their unchanged texts.
    h.setText(names::cockpitWheel(0), "1.5");
    // Positions of a team.
    h.setText(names::helmetZ(5), "7");
    h.setText(names::wheelZ(2), "-9.5");
    // Colours: team 3's arm through the colour dialog, team 4's rim as black.
    h.dialogs.colour = 0x00112233u;
    QTest::mouseDClick(f.swatch(names::armSwatch(3, 0)), Qt::LeftButton);
    h.dialogs.colour = 0u;
    QTest::mouseDClick(f.swatch(names::rimSwatch(4, 0)), Qt::LeftButton);
    // Tyre brand of team 2 down to Bridgestone, gear of team 0 down to 6.
    f.stepper(names::brandStepper(2))->step(-1);
    f.stepper(names::gearStepper(0))->step(-1);
    // Team data.
    h.setText(names::teamName(6), "Arrows F1");
    h.setText(names::engineName(6), "cosworth2");
    h.setText(names::qualifyPower(7), "900");
    h.setText(names::failureRate(8), "1234");
    // Driver data.
    h.setText(names::driverNumber(3), "44");
    h.setText(names::driverName(3), "new driver");
    h.setText(names::qualifyAbility(3), "16000");
    h.setText(names::qualifyVariation(3), "200");
    h.setText(names::raceAbility(3), "15000");
    h.setText(names::raceVariation(3), "300");
    // Car shape and wheel position.
    h.setText(names::carShapeName(9), "Minardi2");
    h.setText(names::tyrePosition(1), "75");
    const qint64 mesh = *h.model().tyres.collisionMeshOffset;

    h.editor().exportAll();
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_EQ(h.editor().status(), "Export Done");

    QByteArray& x = expected["GP4.exe"];
    poke(x, cameraOffset(L, 4, 0), u16le(62));
    poke(x, L.cameraBlock + exe::kChaseZ, u16le(200));
    poke(x, cameraOffset(L, 5, 7), u16le(3));
    poke(x, L.tcams + 2, u16le(40));                                  // 2 x -60 + 160
    poke(x, cameraOffset(L, 11, 2), u16le(uint16_t(int16_t(-120))));  // the T-Cam record's Y
    poke(x, L.cockpit + exe::kCockpitWheelX, f32le(0.015f));
    poke(x, L.helmets + 8 * 5, f32le(0.07f));
    poke(x, L.teamWheels + 8 * 2, f32le(-0.0475f));
    poke(x, L.armColours + 4 * 3, u32le(0xFF332211u));
    poke(x, L.rimTeam4, u32le(0x00010101u));
    poke(x, L.rimLink, u32le(L.rimLinkBase + 0x00010101u));
    poke(x, L.performance + exe::kPerfGearCount, u8le(6));
    poke(x, L.performance + exe::kPerfQualifyPower + 2 * 7, u16le(900 + 32817));
    poke(x, L.performance + exe::kPerfFailureRate + 2 * 8, u16le(1234));
    poke(x, L.performance + exe::kPerfAbility + 4 * 3, u16le(16000));
    poke(x, L.performance + exe::kPerfAbility + 4 * 3 + 2, u16le(15000));
    poke(x, L.performance + exe::kPerfVariation + 4 * 3, u16le(200));
    poke(x, L.performance + exe::kPerfVariation + 4 * 3 + 2, u16le(300));
    poke(x, L.shapeNames + 32 * 9, record("Minardi2", 32));
    QByteArray& s = expected["f1gstate.sav"];
    poke(s, model::save::kBrandCodes + 4 * 2, u32le(0x03350335u));
    poke(s, model::save::kDriverNumbers + 3, u8le(44));
    poke(s, model::save::kDriverNames + 24 * 3, record("new driver", 24));
    poke(s, model::save::kTeamNames + 13 * 6, record("Arrows F1", 13));
    poke(s, model::save::kEngineNames + 13 * 6, record("cosworth2", 13));
    refreshChecksum(s);
    // Typing one wheel field rebuilds all four wheels from the shown whole numbers.
    for (int w = 0; w < 4; ++w) {
        const auto& shown = model::DefaultTables::kTyreShown[w];
        const float x = w == 0 ? 0.75f : float(shown[0] / 100.0);
        QByteArray floats =
            f32le(x) + f32le(float(shown[2] / 100.0)) + f32le(float(shown[1] / 100.0));
        poke(expected["cars.wad"], mesh + wad::kWheelOffsets[w], floats);
    }
    expectSameFiles(expected, h.game().snapshot());
}

TEST_P(ExportAll, StopsBeforeAnyFileChangesWhenAFieldIsNotANumber) {
    struct Case {
        QString field;
        QString text;
        QString message;
    };
    const Case cases[] = {
        {names::failureRate(3), "", "Failure % of team 4 is empty; it must hold a whole number."},
        {names::cameraField(44), "1-2",
         "Camera field 44 holds \"1-2\", which is not a whole number."},
        {names::helmetY(10), "1..5", "Helmets Y of team 11 holds \"1..5\", which is not a number."},
        {names::raceVariation(21), "x",
         "Race Var. of driver 22 holds \"x\", which is not a whole number."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field.toStdString());
        EditorHarness h(options());
        const Snapshot before = h.game().snapshot();
        h.importAll();
        // Changed before the bad field is reached; the model keeps what it had.
        h.setText(names::cameraField(2), "50");
        const model::EditorModel modelBefore = h.model();
        h.setText(c.field, c.text);
        // Typing a helmet value already tries to select its team and reports the bad text.
        h.messages.errors.clear();
        h.editor().exportAll();
        ASSERT_EQ(h.messages.errors.size(), 1);
        EXPECT_EQ(h.messages.errors.front(), c.message);
        EXPECT_NE(h.editor().status(), "Export Done");
        EXPECT_EQ(h.images.swaps, 0);
        EXPECT_EQ(h.model().cameras[2].field[0], modelBefore.cameras[2].field[0]);
        expectSameFiles(before, h.game().snapshot());
    }
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, ExportAll, testing::Values(uint8_t(0), uint8_t(102)),
                         [](const auto& info) { return info.param == 0 ? "LayoutA" : "LayoutB"; });

TEST(MissingGameFiles, SaveStateMissingGivesBothMessagesAndStopsExportAtTheTables) {
    HarnessOptions o;
    o.demo.saveState = false;
    EditorHarness h(o);
    h.importAll();
    ASSERT_EQ(h.messages.shown.size(), 2);
    EXPECT_EQ(h.messages.shown[0], QLatin1String(model::kBrandsSaveStateMissingMessage));
    EXPECT_EQ(h.messages.shown[1], QLatin1String(model::kSaveStateTablesMissingMessage));
    for (int t = 0; t < 11; ++t) {
        const int brand = model::DefaultTables::kTeamColours[t].tyreBrand;
        EXPECT_EQ(h.editor().fields().stepper(names::brandStepper(t))->position(), brand);
    }
    // Names were not read: the fields show the model's empty names.
    EXPECT_EQ(h.text(names::teamName(0)), "");
    EXPECT_EQ(h.text(names::driverName(0)), "");

    const Snapshot before = h.game().snapshot();
    h.messages.shown.clear();
    h.editor().exportAll();
    ASSERT_EQ(h.messages.shown.size(), 1);
    EXPECT_EQ(h.messages.shown[0], QLatin1String(model::kBrandsNotExportedMessage));
    ASSERT_EQ(h.messages.errors.size(), 1);
    EXPECT_TRUE(h.messages.errors[0].contains("f1gstate.sav"))
        << h.messages.errors[0].toStdString();
    EXPECT_NE(h.editor().status(), "Export Done");
    EXPECT_EQ(h.images.swaps, 0);
    EXPECT_FALSE(h.game().snapshot().count("f1gstate.sav"));
    EXPECT_EQ(before.size(), h.game().snapshot().size());
}

TEST(MissingGameFiles, CarsArchiveMissingUsesTheDefaultPositionsAndExportsTheRest) {
    HarnessOptions o;
    o.demo.carsWad = false;
    EditorHarness h(o);
    h.importAll();
    ASSERT_EQ(h.messages.shown.size(), 1);
    EXPECT_EQ(h.messages.shown[0], QLatin1String(wad::kArchiveMissingOnRead));
    for (int w = 0; w < 4; ++w)
        for (int a = 0; a < 3; ++a)
            EXPECT_EQ(h.text(names::tyrePosition(3 * w + 1 + a)),
                      QString::number(model::DefaultTables::kTyreShown[w][a]));
    EXPECT_FLOAT_EQ(h.model().tyres.wheel[0][0], 0.70f);
    EXPECT_FLOAT_EQ(h.model().tyres.wheel[0][1], -0.23f);
    EXPECT_FLOAT_EQ(h.model().tyres.wheel[0][2], 1.14f);

    Snapshot expected = h.game().snapshot();
    h.messages.shown.clear();
    h.setText(names::driverNumber(0), "7");
    h.editor().exportAll();
    ASSERT_EQ(h.messages.shown.size(), 1);
    EXPECT_EQ(h.messages.shown[0], QLatin1String(wad::kArchiveMissingOnWrite));
    EXPECT_TRUE(h.messages.errors.isEmpty());
    EXPECT_EQ(h.editor().status(), "Export Done");
    poke(expected["f1gstate.sav"], model::save::kDriverNumbers, u8le(7));
    refreshChecksum(expected["f1gstate.sav"]);
    expectSameFiles(expected, h.game().snapshot());
}
