#pragma once

#include <QString>
#include <QStringList>

#include "core/transfer/GameFiles.h"
#include "core/transfer/ImportRecord.h"
#include "core/values/GameRead.h"

namespace pw::cli {

// The game's files for a GAME_FOLDER argument: its "GP4.exe", "f1gstate.sav", "cars.wad" and
// images folder (the settings name the files of the game the editor opens, not of a folder
// given). Throws CliError when the folder holds no game executable.
transfer::GameFiles gameInFolder(const QString& folder);
// The game the editor would open: found as the window finds it, with its settings' paths.
// Throws CliError when no game is found.
transfer::GameFiles gameOfEditor();

// A game as Import All reads it, with the record Export All checks the files against.
struct ImportedGame {
    transfer::GameFiles files;
    transfer::ImportRecord record;
    values::GameRead read;
};

// Import All's reading of the game; a damaged game file (the cars archive included) is a
// CliError naming it. The messages the window would show go to `notes`, one line each. Only a
// game read for an export records what its files are (reading each of them whole once more).
enum class ReadFor { Values, Export };
ImportedGame readGame(const transfer::GameFiles& files, QStringList& notes,
                      ReadFor purpose = ReadFor::Values);

}  // namespace pw::cli
