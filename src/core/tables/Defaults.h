#pragma once

// The built-in default values of every group of editable values, in display units (as the
// window's fields show them), and applyDefaults, which puts all of them into a model in file form.

#include <array>
#include <cstdint>
#include <optional>

#include "core/tables/EditorModel.h"

namespace pw::model {

namespace DefaultTables {

// ---- Cameras -----------------------------------------------------------------------------------

// Columns of the camera table; column c of a row is the window field fieldBase + 10 x c.
enum CameraColumn { ColX, ColY, ColZ, ColDir, ColPitch, ColRoll, kCameraColumnCount };

struct CameraRow {
    const char* label;
    int fieldBase;
    // None where the row has no field of its own (the T-Cam row's Y and Z are per-team values).
    std::array<std::optional<int>, kCameraColumnCount> value;
};

constexpr int kCameraRowCount = 13;
// Rows in window order: "Cockpit", "Camera 10", "Camera 1" .. "Camera 9", "T-Cam", "Virtual Cam".
// "Camera 4" Z depends on the executable: see cameraRows.
std::array<CameraRow, kCameraRowCount> cameraRows(uint16_t versionByte);
// "Camera 4" Z: 26 for version byte 0, -20 for any other.
int camera4Z(uint16_t versionByte);

constexpr int kChaseY = -768;  // FieldId 101
constexpr int kChaseZ = 192;   // FieldId 102

// ---- Per-team values ---------------------------------------------------------------------------

struct TeamPositions {
    int tcamY, tcamZ;
    int helmetY, helmetZ;
    int wheelY;
    float wheelZ;  // shown rounded to one decimal (-4.4f shows "-4.4")
};
extern const std::array<TeamPositions, kTeamCount> kTeamPositions;

struct TeamColours {
    uint32_t arm, rim;  // window colour values 0x00BBGGRR
    int tyreBrand;      // index into TyreBrandNames
};
extern const std::array<TeamColours, kTeamCount> kTeamColours;

struct TeamData {
    const char* carShapeName;
    const char* teamName;
    const char* engineName;
    int qualifyPower, racePower;  // BHP as shown
    int failureRate;
    int gearCount;
};
extern const std::array<TeamData, kTeamCount> kTeamData;

// ---- Drivers -----------------------------------------------------------------------------------

struct DriverData {
    int ability;    // qualifying and race alike
    int variation;  // qualifying and race alike
};
extern const std::array<DriverData, kDriverCount> kDriverData;
// d + 1 for drivers 0..11, d + 2 for drivers 12..21: number 13 is never given.
constexpr int driverNumber(int driver) {
    return driver < 12 ? driver + 1 : driver + 2;
}
// Lower-case names, at most 21 characters each.
extern const std::array<const char*, kDriverCount> kDriverNames;

// ---- Cockpit and tyre positions ----------------------------------------------------------------

// Field texts in the order wheel X, Y, Z, dash X, Y, Z (CockpitField order).
extern const std::array<const char*, 6> kCockpitTexts;
// The model values those texts stand for.
extern const CockpitPositions kCockpitPositions;

// Per wheel 1..4: the floats (p0, p1, p2) of the default table and the whole numbers the window
// shows for them (X, Y, Z). The Default command writes the shown numbers, so the model ends with
// shown / 100 (0.70, not 0.6991).
extern const std::array<std::array<float, 3>, kWheelCount> kTyreFloats;
extern const std::array<std::array<int, 3>, kWheelCount> kTyreShown;

}  // namespace DefaultTables

// Puts every default into the model in file form, as "Default All (but images)" leaves it: the
// cameras (record 11's Y and Z from team 0's T-Cam, as Export All builds it), chase cameras,
// cockpit and tyre positions (from their shown values), and every per-team and per-driver group.
// Sets the version byte to versionByte, team 0 and the Cockpit camera as the selection and
// currentShapeName; the camera detail values, the steering-wheel base and the collision-mesh
// offset have no defaults and stay as they were. team 1's brand word follows its brand.
void applyDefaults(EditorModel& model, uint16_t versionByte);

}  // namespace pw::model
