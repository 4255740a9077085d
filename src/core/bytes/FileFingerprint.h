#pragma once

#include <QByteArray>
#include <QString>

#include "core/bytes/FileStamp.h"

namespace pw::model {

// The SHA-256 of the bytes, as 64 lower-case hex digits (the form backup manifests keep).
QByteArray sha256Hex(const QByteArray& bytes);

// What a game file was at one moment: its stamp (size and times) and the hash of its bytes. Two
// fingerprints stand for the same file contents when both are absent, or sizes and hashes agree
// (a file rewritten with the same bytes is the same file for whoever patches it).
struct FileFingerprint {
    FileStamp stamp;
    QByteArray sha256;  // empty when the file is absent
    bool exists() const { return stamp.exists(); }
    bool sameContents(const FileFingerprint& o) const {
        return exists() == o.exists() &&
               (!exists() || (stamp.size == o.stamp.size && sha256 == o.sha256));
    }
};

// The file's bytes and fingerprint, read once: callers that need both (a check and a backup)
// share them. An absent file gives empty bytes and an absent fingerprint; a file that cannot be
// read throws GameFileError.
struct FileContents {
    QByteArray bytes;
    FileFingerprint fingerprint;
};
FileContents readFingerprinted(const QString& path);
// The fingerprint alone, for callers that do not keep the bytes: read in small pieces hashed as
// they come, so that no buffer of the file's size is filled. Throws as readFingerprinted does.
FileFingerprint fingerprintOf(const QString& path);

// Writes the file's data from the system's caches to the disk. Throws GameFileError with the
// system's reason when the file cannot be opened or the flush fails.
void syncToDisk(const QString& path);

}  // namespace pw::model
