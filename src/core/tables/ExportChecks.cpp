#include "core/tables/ExportChecks.h"

#include <QDir>

#include "core/bytes/ByteIO.h"
#include "core/tables/ExeLayout.h"
#include "core/bytes/GamePaths.h"
#include "core/tables/SaveState.h"

namespace pw::model {

GameFileError changedSinceImport(const QString& path, const QString& change) {
    return GameFileError(
        QDir::toNativeSeparators(path), GameFileError::kNoOffset,
        QStringLiteral("this file has changed since the last Import All (%1). Nothing has been "
                       "exported: run Import All again.")
            .arg(change));
}

void CheckExeForExport(const QString& exePath, uint16_t importedVersionByte) {
    GameFile file(exePath);
    if (file.size() <= exe::kVersionByteOffset)
        throw changedSinceImport(exePath, QStringLiteral("it has only %1 bytes").arg(file.size()));
    const uint8_t versionByte = file.readU8(exe::kVersionByteOffset, "the version byte");
    if (versionByte != importedVersionByte)
        throw changedSinceImport(exePath, QStringLiteral("version byte %1, imported as %2")
                                              .arg(versionByte)
                                              .arg(importedVersionByte));
    const qint64 end = exe::tablesEnd(exe::layoutFor(versionByte));
    if (file.size() < end)
        throw changedSinceImport(
            exePath, QStringLiteral("it ends before the tables of the game: needs %1 bytes, has %2")
                         .arg(end)
                         .arg(file.size()));
    file.close();
}

void CheckSaveStateForExport(const QString& savePath) {
    if (!fileExists(savePath))
        throw GameFileError(QDir::toNativeSeparators(savePath), GameFileError::kNoOffset,
                            QStringLiteral("file not found. Nothing has been exported: the game "
                                           "has to be run once to build it."));
    GameFile file(savePath);
    const qint64 needed = save::kTablesEnd + save::kChecksumSize;
    if (file.size() < needed)
        throw changedSinceImport(savePath,
                                 QStringLiteral("it ends before the driver and team tables and the "
                                                "checksum: needs %1 bytes, has %2")
                                     .arg(needed)
                                     .arg(file.size()));
    file.close();
}

}  // namespace pw::model
