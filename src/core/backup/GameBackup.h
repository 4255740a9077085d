#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

#include "core/bytes/FileFingerprint.h"

namespace pw::backup {

// Backups of the game's files, one folder per Export All, made before its first write: the files
// it patches whole, the byte range it writes in the cars archive, and the pictures it exchanges.
// Each folder holds the saved bytes and a manifest ("manifest.json") with the game folder and, per
// file, its size and the SHA-256 of its bytes before and after the export. Restoring puts the
// saved bytes back, writing only inside the game folder the backup was made of.

// Backups are named and ordered by the time they were made in UTC: a change of the clock's time
// zone does not reorder them. For each game folder the backup of the game before the first Export
// All into it is kept for good; of the others, the newest kBackupsKept of that game are kept.

// <application data folder>/backups, or the folder set below.
QString backupsFolder();
// Puts the backups elsewhere ("" for the usual place) and returns the folder set before: tests
// keep them in a temporary folder (on Windows no environment variable moves the data folder).
QString setBackupsFolder(const QString& folder);
// How many backups of one game are kept beside its first; older ones are removed after a new one.
constexpr int kBackupsKept = 20;

// What an Export All is about to write.
struct BackupPlan {
    QString gameFolder;
    // Files saved whole (the executable, the save-state file, pictures). A file that does not
    // exist is recorded as absent: restoring removes whatever the export made there.
    QStringList wholeFiles;
    // Files of wholeFiles the caller has read already, by path: saved as read, not read again.
    std::map<QString, model::FileContents> contents;
    // The cars archive's bytes [offset, offset + length), kept with the archive's size and
    // modification time. The archive may lie outside the game folder: it is then not restored.
    struct ArchiveRange {
        QString path;
        qint64 offset = 0;
        qint64 length = 0;
    };
    std::optional<ArchiveRange> archiveRange;
};

struct BackupEntry {
    enum class Kind { Whole, Absent, Range };
    Kind kind = Kind::Whole;
    QString path;      // relative to the game folder ("/" separators), or absolute when outside
    QString copyName;  // the saved bytes in the backup folder
    qint64 size = 0;   // the file's size before the export (an archive's whole size)
    qint64 offset = 0, length = 0;         // Range only
    QDateTime modified;                    // Range only: the archive's modification time (UTC)
    QByteArray sha256Before, sha256After;  // hex; of the range only for the archive
};

struct Backup {
    QString folder;  // the backup's own folder
    QString gameFolder;
    QDateTime created;      // UTC
    bool finished = false;  // the export ended and the state it left was recorded
    bool first = false;     // the game as it was before the first export into it
    std::vector<BackupEntry> entries;

    // The file an entry stands for, or empty when it lies outside the game folder.
    QString gamePath(const BackupEntry& entry) const;
};

// What lies below root for one game folder, from one listing: its backups newest first, and the
// folders of backups stopped half-way (named ".partial", or without a manifest) of any game.
struct BackupFolders {
    std::vector<Backup> backups;
    QStringList leftovers;
};
BackupFolders ListBackupFolders(const QString& root, const QString& gameFolder);

// Saves everything the plan names into a new folder below root ("yyyy-MM-dd_hh-mm-ssZ", UTC) with
// its manifest, flushed to the disk; nothing of the game is written. The folder gets its name
// only once complete: a backup killed half-way is left under a ".partial" name. Throws
// model::GameFileError when any of it cannot be written completely (what was written of the
// backup is removed again).
// listed, when given, receives what lay below root for the game, the new backup added first.
Backup CreateBackup(const QString& root, const BackupPlan& plan, BackupFolders* listed = nullptr);
// Takes the SHA-256 of every entry's file as the export left it into the entries, without saving
// them. Hashes already known (of whole files, by the entry's path) are taken as they are.
void HashStateAfter(Backup& backup, const std::map<QString, QByteArray>& knownHashes = {});
// Marks the backup finished and saves its manifest again, with the hashes taken after.
void SaveFinished(Backup& backup);
// Both of the above.
void RecordStateAfter(Backup& backup, const std::map<QString, QByteArray>& knownHashes = {});
// Whether every entry's file still holds what it held when the backup was made.
bool MatchesStateBefore(const Backup& backup, const BackupEntry& entry);
// Removes the backup's folder, its manifest first: a removal stopped half-way leaves a folder that
// is no longer taken for a backup. Returns false when the manifest could not be removed (the
// backup is then whole and still listed).
bool RemoveBackup(const Backup& backup);
// Removes gameFolder's oldest backups below root until keep are left besides its first and the
// one named keepFolder (the backup of the export that runs), and backups killed half-way that
// are older than an hour. Backups of other games are not touched.
void PruneBackups(const QString& root, const QString& gameFolder, int keep = kBackupsKept,
                  const QString& keepFolder = {});
// The same from a listing already made.
void PruneBackups(const BackupFolders& listed, int keep = kBackupsKept,
                  const QString& keepFolder = {});

// The backups below root made of gameFolder: the first (the game before its first export) ahead
// of the others, these newest first. Folders without a readable manifest are left out.
std::vector<Backup> ListBackups(const QString& root, const QString& gameFolder);
// The newest backup of gameFolder whose export never ended (killed, or its roll-back failed).
std::optional<Backup> UnfinishedExport(const QString& root, const QString& gameFolder);

// Whether the entry's file still holds what the export left (false when the export did not
// finish).
bool MatchesStateAfter(const Backup& backup, const BackupEntry& entry);

struct RestoreReport {
    QStringList restored;  // game paths put back
    QStringList skipped;   // one sentence per entry left alone, with the reason
};
// Puts the saved bytes back: whole files replaced, absent pictures removed, the archive range
// written only into an archive of the recorded size inside the game folder. Every entry is
// checked before the first write (its copy a regular file inside the backup folder, of the
// recorded size and hash; its target inside the game folder; the executable and save-state never
// "absent"): a damaged backup throws model::GameFileError and writes nothing. When a write fails,
// what was written is put back before the error is thrown.
RestoreReport RestoreBackup(const Backup& backup);

}  // namespace pw::backup
