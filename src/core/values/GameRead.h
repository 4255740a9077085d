#pragma once

#include <QString>
#include <QStringList>
#include <optional>

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
    // A cars archive that is there but damaged: its wheel positions were not read. The window
    // says so and goes on; it is in notes as well.
    std::optional<model::GameFileError> archiveError;
};

// Import All's reading sequence: the executable's tables, the wheel positions of the cars
// archive, the tyre brands, the save-state tables and the performance block, the car-shape
// names; with the defaults Import All applies for a missing save-state file or archive.
// Throws GameFileError when the executable or the save-state file cannot be read.
GameRead ReadGame(const GameFilePaths& paths);

}  // namespace pw::values
