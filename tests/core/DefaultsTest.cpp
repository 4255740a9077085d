#include <gtest/gtest.h>

#include <QSet>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "core/tables/Conversions.h"
#include "core/tables/Defaults.h"
#include "core/tables/TyreBrands.h"

using namespace pw::model;
using namespace pw::model::DefaultTables;

namespace {

TEST(Defaults, CameraFourZDependsOnTheVersionByte) {
    const std::pair<uint16_t, int> cases[] = {{0, 26}, {102, -20}, {70, -20}, {1, -20}};
    for (const auto& [version, z] : cases) {
        SCOPED_TRACE(version);
        EXPECT_EQ(camera4Z(version), z);
        const auto rows = cameraRows(version);
        EXPECT_STREQ(rows[5].label, "Camera 4");
        EXPECT_EQ(rows[5].value[ColZ], z);

        EditorModel model;
        applyDefaults(model, version);
        EXPECT_EQ(model.cameras[5].field[CamZ], 2 * z);
        EXPECT_EQ(model.versionByte, version);
    }
}

TEST(Defaults, CameraRowsFollowTheWindowOrder) {
    const auto rows = cameraRows(0);
    const char* labels[] = {"Cockpit",  "Camera 10", "Camera 1",   "Camera 2", "Camera 3",
                            "Camera 4", "Camera 5",  "Camera 6",   "Camera 7", "Camera 8",
                            "Camera 9", "T-Cam",     "Virtual Cam"};
    const int bases[] = {105, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 106, 104};
    for (int i = 0; i < kCameraRowCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(rows[i].label, labels[i]);
        EXPECT_EQ(rows[i].fieldBase, bases[i]);
        // Only the T-Cam row lacks fields: its Y and Z are per-team values.
        for (int c = 0; c < kCameraColumnCount; ++c)
            EXPECT_EQ(rows[i].value[c].has_value(), !(i == 11 && (c == ColY || c == ColZ))) << c;
    }
}

TEST(Defaults, ApplyDefaultsStoresCamerasInFileForm) {
    EditorModel model;
    model.cameras[3].field[CamCarDetailRear] = 77;  // details have no defaults
    model.wheelBaseY = 0.25f;
    applyDefaults(model, 0);

    const CarCamera& cockpit = model.cameras[0];
    EXPECT_EQ(cockpit.field[CamX], 0);
    EXPECT_EQ(cockpit.field[CamY], -96);
    EXPECT_EQ(cockpit.field[CamZ], 28);
    EXPECT_EQ(model.cameras[1].field[CamY], 320);
    EXPECT_EQ(model.cameras[1].field[CamDir], -180 * 182);
    EXPECT_EQ(model.cameras[5].field[CamDir], 175 * 182);
    EXPECT_EQ(model.cameras[10].field[CamZ], -32);
    EXPECT_EQ(model.cameras[11].field[CamPitch], -10 * 182);
    // T-Cam Y and Z come from team 0's T-Cam fields, doubled, not from the camera table.
    EXPECT_EQ(model.cameras[11].field[CamY], -124);
    EXPECT_EQ(model.cameras[11].field[CamZ], 126);
    EXPECT_EQ(model.chaseY, -1536);
    EXPECT_EQ(model.chaseZ, 384);
    EXPECT_EQ(model.cameras[3].field[CamCarDetailRear], 77);
    EXPECT_EQ(model.wheelBaseY, 0.25f);

    // Every camera shows the table back.
    const auto rows = cameraRows(0);
    for (int r = 0; r < kCameraCount; ++r) {
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const CameraRow& row) {
            return row.fieldBase == kCameraFieldBase[r];
        });
        ASSERT_NE(row, rows.end());
        for (int c = 0; c < kCameraColumnCount; ++c) {
            if (!row->value[c]) continue;
            const CameraField f = cameraFieldOfColumn(c);
            EXPECT_EQ(cameraFieldToDisplay(f, model.cameras[r].field[f]), *row->value[c])
                << row->label << " column " << c;
        }
    }
}

TEST(Defaults, TeamValuesShowTheTablesBack) {
    EditorModel model;
    applyDefaults(model, 102);
    for (int t = 0; t < kTeamCount; ++t) {
        SCOPED_TRACE(t);
        const TeamRecord& team = model.teams[t];
        const TeamPositions& p = kTeamPositions[t];
        EXPECT_EQ(tcamYToDisplay(team.tcamY), p.tcamY);
        EXPECT_EQ(tcamZToDisplay(team.tcamZ), p.tcamZ);
        EXPECT_EQ(helmetToDisplay(team.helmetY), p.helmetY);
        EXPECT_EQ(helmetToDisplay(team.helmetZ), p.helmetZ);
        EXPECT_EQ(steeringWheelToDisplay(team.wheelY), p.wheelY);
        EXPECT_EQ(formatNumber(steeringWheelToDisplay(team.wheelZ)),
                  formatNumber(roundToOneDecimal(floatToDecimal(p.wheelZ))));

        EXPECT_EQ(colourToWindow(team.armColour), kTeamColours[t].arm);
        EXPECT_EQ(team.armColour >> 24, 0xFFu);
        EXPECT_EQ(colourToWindow(team.rimColour), kTeamColours[t].rim);
        EXPECT_EQ(team.rimColour >> 24, 0u);
        EXPECT_EQ(team.tyreBrand, kTeamColours[t].tyreBrand);

        const TeamData& d = kTeamData[t];
        EXPECT_EQ(team.carShapeName, QByteArray(d.carShapeName));
        EXPECT_EQ(team.teamName, QByteArray(d.teamName));
        EXPECT_EQ(team.engineName, QByteArray(d.engineName));
        EXPECT_EQ(powerToDisplay(team.qualifyPower), d.qualifyPower);
        EXPECT_EQ(powerToDisplay(team.racePower), d.racePower);
        EXPECT_EQ(team.qualifyPower, d.qualifyPower + 32817);
        EXPECT_EQ(failureRateToDisplay(team.failureRate), d.failureRate);
        EXPECT_EQ(gearCountToDisplay(team.gearCount), d.gearCount);
    }
    EXPECT_EQ(model.teams[McLaren].tyreBrand, 2);
    EXPECT_EQ(model.mclarenBrandWord, QByteArray("mclaren\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(model.SelectedTeam, 0);
    EXPECT_EQ(model.SelectedCamera, 105);
    EXPECT_EQ(model.currentShapeName, QStringLiteral("Ferrari"));
}

TEST(Defaults, SecondTeamWheelZShowsMinusFourPointFour) {
    EXPECT_EQ(formatNumber(roundToOneDecimal(floatToDecimal(kTeamPositions[1].wheelZ))),
              QStringLiteral("-4.4"));
    EditorModel model;
    applyDefaults(model, 0);
    EXPECT_EQ(formatNumber(steeringWheelToDisplay(model.teams[1].wheelZ)), QStringLiteral("-4.4"));
    EXPECT_EQ(model.teams[1].wheelZ, -0.022f);
}

TEST(Defaults, DriverNumbersSkipThirteen) {
    EditorModel model;
    applyDefaults(model, 0);
    std::vector<int> numbers;
    for (const DriverRecord& d : model.drivers) numbers.push_back(driverNumberToDisplay(d.number));
    std::vector<int> expected;
    for (int n = 1; n <= 23; ++n)
        if (n != 13) expected.push_back(n);
    EXPECT_EQ(numbers, expected);
}

TEST(Defaults, DriversUseTheSameTablesForQualifyingAndRace) {
    EditorModel model;
    applyDefaults(model, 0);
    for (int d = 0; d < kDriverCount; ++d) {
        SCOPED_TRACE(d);
        const DriverRecord& driver = model.drivers[d];
        EXPECT_EQ(driverValueToDisplay(driver.qualifyAbility), kDriverData[d].ability);
        EXPECT_EQ(driverValueToDisplay(driver.raceAbility), kDriverData[d].ability);
        EXPECT_EQ(driverValueToDisplay(driver.qualifyVariation), kDriverData[d].variation);
        EXPECT_EQ(driverValueToDisplay(driver.raceVariation), kDriverData[d].variation);
        EXPECT_EQ(driver.name, QByteArray(kDriverNames[d]));
    }
    EXPECT_EQ(model.drivers[0].qualifyAbility, 16256);
    EXPECT_EQ(model.drivers[21].raceVariation, 1152);
}

TEST(Defaults, DriverNamesHaveTheRecordShape) {
    QSet<QByteArray> seen;
    int twoBlanks = 0, threeBlanks = 0;
    for (const char* name : kDriverNames) {
        SCOPED_TRACE(name);
        const QByteArray text(name);
        EXPECT_LE(text.size(), 21);
        EXPECT_FALSE(seen.contains(text));
        seen.insert(text);
        EXPECT_FALSE(text.startsWith(' ') || text.endsWith(' ') || text.contains("  "));
        for (char c : text) EXPECT_TRUE(c == ' ' || (c >= 'a' && c <= 'z')) << c;
        const int blanks = int(text.count(' '));
        EXPECT_GE(blanks, 1);
        EXPECT_LE(blanks, 3);
        twoBlanks += blanks == 2;
        threeBlanks += blanks == 3;
    }
    EXPECT_EQ(twoBlanks, 1);
    EXPECT_EQ(threeBlanks, 1);
}

TEST(Defaults, CockpitTextsRoundTripToThePositions) {
    for (int i = 0; i < kCockpitFieldCount; ++i) {
        const CockpitField field = CockpitField(i);
        const QString text = QString::fromLatin1(kCockpitTexts[i]);
        SCOPED_TRACE(text.toStdString());
        const auto shown = parseNumber(text);
        ASSERT_TRUE(shown.has_value());
        const float stored = cockpitValue(kCockpitPositions, field);
        EXPECT_EQ(cockpitToFile(field, *shown), stored);
        EXPECT_EQ(formatNumber(cockpitToDisplay(field, stored)), text);
    }
    EXPECT_EQ(kCockpitPositions.wheelY, -0.45f);
    EXPECT_EQ(kCockpitPositions.dashY, -0.005f);
    EditorModel model;
    applyDefaults(model, 0);
    for (int i = 0; i < kCockpitFieldCount; ++i)
        EXPECT_EQ(cockpitValue(model.cockpit, CockpitField(i)),
                  cockpitValue(kCockpitPositions, CockpitField(i)));
}

TEST(Defaults, TyrePositionsShowTheirWholeNumbers) {
    EditorModel model;
    model.tyres.collisionMeshOffset = 1234;
    applyDefaults(model, 0);
    for (int w = 0; w < kWheelCount; ++w) {
        for (TyreAxis axis : {TyreX, TyreY, TyreZ}) {
            SCOPED_TRACE(testing::Message() << "wheel " << w + 1 << " axis " << int(axis));
            const int index = tyreFloatIndex(axis);
            EXPECT_EQ(tyrePositionToDisplay(kTyreFloats[w][index]), kTyreShown[w][axis]);
            // The Default command leaves shown / 100 in the model.
            EXPECT_EQ(model.tyres.wheel[w][index], float(kTyreShown[w][axis] / 100.0));
            EXPECT_EQ(tyrePositionToDisplay(model.tyres.wheel[w][index]), kTyreShown[w][axis]);
        }
    }
    EXPECT_EQ(model.tyres.collisionMeshOffset, 1234u);
}

}  // namespace
