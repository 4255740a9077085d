#pragma once

#include <array>
#include <cstdint>

#include "core/tables/EditorModel.h"

namespace pw::files {

// The ten values of one camera record as the window shows them, in the record's field order
// (x, z, y, dir, pitch, roll, then the four details; index with model::CameraField). Shown values
// are whatever the user typed, so they are wider than the 16-bit words they become.
using ShownCamera = std::array<int, model::kCameraFieldCount>;

// The camera values a team file or a camera set is written from, as the window shows them.
struct ShownCameras {
    // Record 11 (T-Cam): its y and z are team 0's T-Cam Y and Z as shown, the values the window
    // reads for the T-Cam row's hidden Y and Z columns.
    std::array<ShownCamera, model::kCameraCount> records{};
    int chaseY = 0, chaseZ = 0;
};

// Record 0's y is stored this much below the shown value in a team file.
constexpr int kCockpitYOffset = 5;

// Team file encoding: positions as shown, angles times 182, record 0's y minus 5.
model::CarCamera teamFileRecordFromShown(int record, const ShownCamera& shown);
ShownCamera shownFromTeamFileRecord(int record, const model::CarCamera& stored);

// The game's own encoding (camera sets): positions doubled, angles times 182.
model::CarCamera gameRecordFromShown(const ShownCamera& shown);
ShownCamera shownFromGameRecord(const model::CarCamera& stored);

}  // namespace pw::files
