#pragma once

#include <QString>

// Component names of the window's fields and labels. Commands find fields by these names, so
// each pattern lives in one place. i is a team index 0..10, d a driver index 0..21.
namespace pw::app::names {

inline QString numbered(const char* prefix, int n) {
    return QLatin1String(prefix) + QString::number(n);
}

inline QString cameraField(int fieldId) {
    return numbered("LMDEdit", fieldId);
}
inline QString cockpitWheel(int axis) {
    return numbered("LMDSW", axis);
}  // X, Y, Z = 0, 1, 2
inline QString cockpitDash(int axis) {
    return numbered("LMDDB", axis);
}
inline QString tcamY(int i) {
    return numbered("LMDTC", i);
}
inline QString tcamZ(int i) {
    return numbered("LMDTC", i + 20);
}
inline QString helmetY(int i) {
    return numbered("LMDHP", i);
}
inline QString helmetZ(int i) {
    return numbered("LMDHP", i + 20);
}
inline QString wheelY(int i) {
    return numbered("LMDEW", i);
}
inline QString wheelZ(int i) {
    return numbered("LMDEW", i + 20);
}
inline QString armSwatch(int i, int car) {
    return numbered("PanelAC", i + 20 * car);
}  // car 0, 1
inline QString rimSwatch(int i, int car) {
    return numbered("PanelRC", i + 20 * car);
}
inline QString brandStepper(int i) {
    return numbered("UpDown", i + 1);
}
inline QString brandCaption(int i) {
    return numbered("PanelTT", i + 21);
}
inline QString teamName(int i) {
    return numbered("LMDTN", i);
}
inline QString engineName(int i) {
    return numbered("LMDEN", i);
}
inline QString qualifyPower(int i) {
    return numbered("LMDPQ", i);
}
inline QString racePower(int i) {
    return numbered("LMDPR", i);
}
inline QString failureRate(int i) {
    return numbered("LMDFA", i);
}
inline QString gearCaption(int i) {
    return numbered("PanelCG", i);
}
inline QString gearStepper(int i) {
    return numbered("UpDown", i + 12);
}
inline QString carShapeName(int i) {
    return numbered("LMDSlot", i);
}
inline QString driverNumber(int d) {
    return numbered("LMDNB", d);
}
inline QString driverName(int d) {
    return numbered("LMDDN", d);
}
inline QString qualifyAbility(int d) {
    return numbered("LMDQA", d);
}
inline QString qualifyVariation(int d) {
    return numbered("LMDQV", d);
}
inline QString raceAbility(int d) {
    return numbered("LMDRA", d);
}
inline QString raceVariation(int d) {
    return numbered("LMDRV", d);
}
inline QString tyrePosition(int field) {
    return numbered("LMDTP", field);
}  // 1..12
inline QString teamsCaption(int i) {
    return numbered("Panel", i + 46);
}
inline QString positionsCaption(int i) {
    return numbered("Panel", i + 150);
}
inline QString imagesCaption(int i) {
    return numbered("Panel", i + 115);
}
// Slots page: the fixed "Original Names" caption and the "Team k" label of each row.
inline QString slotsCaption(int i) {
    return numbered("PanelSlot", i);
}
inline QString slotsTeamLabel(int i) {
    return numbered("PanelSlotTeam", i);
}
// Row label of a camera row (1..10, 101, 104, 105, 106).
inline QString cameraRowLabel(int row) {
    return numbered("PanelCamRow", row);
}
inline QString quickCamButton(int b) {
    return numbered("QuickCam", b);
}

}  // namespace pw::app::names
