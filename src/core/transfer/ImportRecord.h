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

// The cars archive's fingerprint: hashing a real game's archive whole costs a thousand times what
// Import All does, so what Export All relies on and writes stands in for its bytes: its size, its
// directory (where every entry lies) and the wheel range. A change anywhere else in it is never
// overwritten, as only the wheel range is written. An archive whose directory cannot be read is
// hashed whole.
model::FileFingerprint ArchiveFingerprint(const QString& carsArchive);

// Fingerprints the game files before Import All reads them. The version byte is filled in once
// the executable has been read.
ImportRecord RecordImport(const GameFiles& files);
// The archive read again (another cars archive chosen): the record follows it.
void RecordArchive(ImportRecord& record, const QString& carsArchive);

}  // namespace pw::transfer
