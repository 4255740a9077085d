#pragma once

#include <QList>
#include <QString>
#include <array>

namespace pw::app {

// The rows of the Cameras page. A row is named by its FieldId base; its fields are base + 0
// (X), +10 (Y), +20 (Z), +30 (Dir.), +40 (Pitch), +50 (Roll); the four detail values +60..+90
// sit on the hidden Details page.
namespace camrows {

constexpr int kChase = 101;
constexpr int kVirtual = 104;
constexpr int kCockpit = 105;
constexpr int kTCam = 106;
constexpr int kPositionsTabBox = 103;  // the disabled "Positions Tab" box, not a value
constexpr int kTCamY = 116;            // no field of their own: team 0's T-Cam fields stand in
constexpr int kTCamZ = 126;
constexpr int kQuickButtonCount = 15;

struct Row {
    int base;
    const char* label;
};

// Rows in the order the Cameras page lists them.
constexpr std::array<Row, 14> kPageRows = {{{kCockpit, "Cockpit"},
                                            {kTCam, "T-Cam"},
                                            {2, "Camera 1"},
                                            {3, "Camera 2"},
                                            {4, "Camera 3"},
                                            {5, "Camera 4"},
                                            {6, "Camera 5"},
                                            {7, "Camera 6"},
                                            {8, "Camera 7"},
                                            {9, "Camera 8"},
                                            {10, "Camera 9"},
                                            {1, "Camera 10"},
                                            {kChase, "Chase Cameras"},
                                            {kVirtual, "Virtual Cam"}}};

// FieldId base of camera record r (0..11): 0 Cockpit, 1 Camera 10, 2..10 Camera 1..9, 11 T-Cam.
constexpr int recordBase(int record) {
    return record == 0 ? kCockpit : record == 11 ? kTCam : record;
}

// The FieldIds a row of the Cameras page may hold: X to Roll, or Y and Z for the chase row.
// (The T-Cam row has no Y and Z boxes of its own; callers skip ids without a box.)
QList<int> pageFieldIds(const Row& row);

// The row of any FieldId of the Cameras page (1..60, 101, 102, 104..156).
int CameraRow(int fieldId);

// The quick-camera button standing for a row; the chase row's depends on the view side.
int quickButtonOfRow(int row, bool chaseFront);
// The row a quick-camera button selects.
int rowOfQuickButton(int button);
// Captions "C", "T", "1".."10", "R", "F", "V".
QString quickButtonCaption(int button);

}  // namespace camrows
}  // namespace pw::app
