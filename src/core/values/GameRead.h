#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/archive/TyrePositions.h"
#include "core/bytes/GameFileError.h"
#include "core/tables/EditorModel.h"
#include "core/tables/ExportChecks.h"

namespace pw::values {

// The game's files that Import All reads.
struct GameFilePaths {
    QString folder;
    QString exe;
    QString saveState;
    QString archive;
};

// What Import All reads of a game, in file form (camera records included).
struct GameRead {
    model::EditorModel model;
    // The game as read, for the checks before an export.
    model::ImportedGame imported;
    // The messages the window shows while it reads, in order (a missing save-state file or cars
    // archive, an unknown build of the game); the values they speak of took their defaults.
    QStringList notes;
    // How the wheel positions were read; a cars archive that is there but damaged is an error
    // (its wheel positions were not read: the window says so and goes on; it is in notes too).
    wad::TyreReadResult wheels = wad::TyreReadResult::Read;
    std::optional<model::GameFileError> archiveError;
    // Without a save-state file the tyre brands took their defaults and its tables were not read.
    bool saveStateFound = true;
};

// The wheel positions of the cars archive at archivePath into m, as Import All and "Change Cars
// wad" read them: a missing archive gives the default positions. Returns the message the window
// shows, if any; a damaged archive leaves the positions as they were and is in `error`.
struct WheelsRead {
    wad::TyreReadResult result = wad::TyreReadResult::Read;
    std::optional<model::GameFileError> error;
    std::optional<QString> note;
};
WheelsRead ReadWheelPositions(const QString& archivePath, model::EditorModel& m);

// Import All's reading sequence: the executable's tables, the wheel positions of the cars
// archive, the tyre brands, the save-state tables and the performance block, the car-shape
// names; with the defaults Import All applies for a missing save-state file or archive.
// Values a file does not hold (a missing save-state file, an unknown build's car-shape names)
// keep those of `start`. Throws GameFileError when the executable or the save-state file cannot
// be read; nothing is returned then.
GameRead ReadGame(const GameFilePaths& paths, const model::EditorModel& start = {});

}  // namespace pw::values
