#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

#include "core/ownfiles/CameraEncodings.h"
#include "core/ownfiles/TeamFileSelection.h"
#include "core/tables/EditorModel.h"

namespace pw::files {

// Team file (".car"): the versioned layout we write (version 4) and read (versions 3 and 4),
// and the older headerless layout of 556 or 580 bytes, read only.

constexpr uint16_t kTeamFileVersion3 = 3;
constexpr uint16_t kTeamFileVersion4 = 4;
constexpr int kHeaderSizeV3 = 16;
constexpr int kHeaderSizeV4 = 20;
constexpr int kCameraRecordSize = 20;
constexpr int kShapeNameSize = 32;
constexpr int kHeaderlessSize = 556;
constexpr int kHeaderlessSizeWithCockpit = 580;

enum class TeamFileLayout { Version3, Version4, Headerless };

// One team's blocks in file form (the bytes the game stores).
struct TeamFileTeam {
    int16_t tcamY = 0, tcamZ = 0;
    float helmetY = 0, helmetZ = 0;
    float wheelY = 0, wheelZ = 0;  // the team's steering wheel
    uint32_t armColour = 0, rimColour = 0;
    int tyreBrand = 0;  // index 0..2; a headerless file's codes are already mapped to 0 or 1
};

// Everything a team file holds. Only the blocks named by `present` (and the first
// `shapeNameCount` names) were read; the rest keep their defaults.
struct TeamFileContent {
    TeamFileLayout layout = TeamFileLayout::Version4;
    // The header's masks. For a headerless file: all cameras, the chases, every team's T-Cam,
    // helmet, colours and tyre brand, the wheel positions, and for a 580-byte file the
    // dashboard and cockpit steering wheel.
    TeamFileSelection present;
    std::array<model::CarCamera, model::kCameraCount> cameras{};  // team file encoding
    int16_t chaseY = 0, chaseZ = 0;                               // as shown (not doubled)
    std::array<TeamFileTeam, model::kTeamCount> teams{};
    // Names of teams 0..shapeNameCount-1, first byte as stored, the rest lower-cased, NULs removed.
    int shapeNameCount = 0;
    std::array<QByteArray, model::kTeamCount> shapeNames{};
    std::array<std::array<float, 3>, model::kWheelCount> wheelPositions{};  // model order
    model::CockpitPositions cockpit;  // dash* with GlobalDashboard, wheel* with GlobalCockpitWheel

    bool versioned() const { return layout != TeamFileLayout::Headerless; }
    // Record r as the window shows it (record 0's y plus 5, angles divided by 182).
    ShownCamera shownCamera(int record) const;
};

// Reads a whole team file. Throws model::GameFileError (file, offset, what was expected) when the
// file is shorter than its header asks for, or when a mask has bits outside its range or a tyre
// brand index lies outside 0..2: such a file is refused whole, nothing of it is returned.
TeamFileContent readTeamFile(const QByteArray& bytes, const QString& fileName);

// A version 4 team file of the selected blocks. Cameras and chases come from the shown values,
// everything else from the model in file form. Bits outside the masks' ranges are dropped.
QByteArray writeTeamFile(const model::EditorModel& model, const ShownCameras& shown,
                         const TeamFileSelection& selection);

// Puts what the file holds into the model: per-team blocks, wheel positions, dashboard, cockpit
// wheel, tyre brands and names in file form; camera records in display units (the form the model
// keeps them in between Import All and Export All); the chases in file form (doubled). A
// versioned file also makes team 0's car-shape name the current one. Teams and blocks the file
// does not hold keep their values.
void applyTeamFile(const TeamFileContent& content, model::EditorModel& model);

// The size a version 4 file of this selection has.
int teamFileSize(const TeamFileSelection& selection);

}  // namespace pw::files
