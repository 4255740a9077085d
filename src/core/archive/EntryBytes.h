#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace pw::wad {

// An entry of the cars archive as the preview draws it: the archive's bytes from the entry's data
// offset to the end of the file, mapped rather than read (a game's archive is large and a shape
// is small).
struct EntryBytes {
    enum class Status { ArchiveMissing, NotFound, Found };
    Status status = Status::ArchiveMissing;
    // Found: from the entry's data offset to the end of the file (empty for an entry at or past
    // the end: nothing to parse).
    QByteArray bytes;
    // The mapped file bytes points into, if it was mapped: unmapped when the last copy goes.
    std::shared_ptr<void> keepAlive;
    // The archive's directory the answer came from. Two answers for the same name with the same
    // stamp hold the same bytes: the archive was not changed in between.
    std::shared_ptr<const void> stamp;
};

// Finds the entry (as WadArchive::FindEntry does) in the archive at path and maps its bytes.
// While the archive keeps the directory the last answer for the name came from (see
// keptDirectory), that answer comes back without the directory being read again. The file stays
// open and mapped only while an answer's bytes are held. Throws GameFileError when the archive
// cannot be opened or read.
EntryBytes FindEntryBytes(const QString& path, const QString& name);

// Forgets the answers kept (their mappings go with the last copy).
void clearEntryBytes();

}  // namespace pw::wad
