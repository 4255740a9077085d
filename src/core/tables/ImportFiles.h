#pragma once

#include <QString>
#include <optional>

#include "core/bytes/ByteIO.h"

namespace pw::model {

// The game executable and the save-state file as one Import All reads them: each is opened once,
// at its first use, and every read of the import goes through that one open file. Both close
// when the object goes.
class ImportFiles {
public:
    ImportFiles(QString exePath, QString savePath);
    ImportFiles(const ImportFiles&) = delete;
    ImportFiles& operator=(const ImportFiles&) = delete;

    // Throws GameFileError as opening the executable does.
    GameFile& exe();
    // Nothing when there is no save-state file (looked at once); throws GameFileError when it is
    // there but cannot be opened.
    GameFile* saveState();

private:
    QString exePath_, savePath_;
    std::optional<GameFile> exe_, save_;
    bool saveLooked_ = false;
};

}  // namespace pw::model
