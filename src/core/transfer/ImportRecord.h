#pragma once

#include <QString>
#include <cstdint>

#include "core/bytes/FileFingerprint.h"
#include "core/tables/ExportChecks.h"
#include "core/transfer/GameFiles.h"

namespace pw::transfer {

// What Import All read: the game's files by path and fingerprint. Export All writes only into
// files whose bytes are still the ones read; anything else (another tool, another install, the
// game itself) changed them behind the editor's back and would be overwritten.
struct ImportRecord {
    model::ImportedGame game;
    QString carsArchive;  // the archive's path as read
    model::FileFingerprint exe, saveState, archive;
};

// Fingerprints the game files before Import All reads them. The version byte is filled in once
// the executable has been read.
ImportRecord RecordImport(const GameFiles& files);
// The archive read again (another cars archive chosen): the record follows it.
void RecordArchive(ImportRecord& record, const QString& carsArchive);

}  // namespace pw::transfer
