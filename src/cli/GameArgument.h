#pragma once

#include <QString>

#include "core/values/GameRead.h"

namespace pw::cli {

// The game's files for a GAME_FOLDER argument: its "GP4.exe", "f1gstate.sav" and "cars.wad"
// (the settings name the files of the game the editor opens, not of a folder given). Throws
// CliError when the folder holds no game executable.
values::GameFilePaths gameInFolder(const QString& folder);
// The game the editor would open: found as the window finds it, with its settings' paths.
// Throws CliError when no game is found.
values::GameFilePaths gameOfEditor();

// Import All's reading of the game; a damaged game file (the cars archive included) is a
// CliError naming it. The notes of a missing file go to `notes`.
values::GameRead readGame(const values::GameFilePaths& paths, QStringList& notes);

}  // namespace pw::cli
