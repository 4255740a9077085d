#pragma once

#include <QString>
#include <cstdint>

#include "core/bytes/GameFileError.h"

namespace pw::model {

// Export All writes with what the last successful Import All learnt about the game's files
// (layout, offsets). Before its first write it checks that every file is still the one that was
// read, so that a file replaced or cut behind the editor's back is never patched at the wrong
// places; a refused export leaves every game file as it was.

// The game as the last successful Import All found it.
struct ImportedGame {
    QString folder;
    QString exePath;
    QString savePath;
    bool saveStateFound = false;  // a save-state file made later holds nothing that was read
    uint16_t versionByte = 0;
};

// The error of a refused export: names the file, what changed, and what to do.
GameFileError changedSinceImport(const QString& path, const QString& change);

// The executable still has the imported version byte, holds every table of its layout and can be
// opened for writing. Throws GameFileError otherwise; nothing is written.
void CheckExeForExport(const QString& exePath, uint16_t importedVersionByte);

// The save-state file exists, holds its tables and the checksum after them, and can be opened for
// writing. Throws GameFileError otherwise; nothing is written.
void CheckSaveStateForExport(const QString& savePath);

}  // namespace pw::model
