#include "core/backup/GameBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "core/bytes/ByteIO.h"
#include "core/bytes/GameFileError.h"
#include "core/bytes/GamePaths.h"
#include "core/bytes/SaveFile.h"

namespace pw::backup {

using model::GameFileError;
using model::readWholeFile;
using model::saveFileAtomically;

namespace {

constexpr char kManifest[] = "manifest.json";
constexpr char kFolderFormat[] = "yyyy-MM-dd_hh-mm-ss'Z'";
constexpr char kPartial[] = ".partial";
// A backup folder without its name after this long was left by a process that was stopped.
constexpr qint64 kLeftoverSeconds = 3600;
constexpr qint64 kMaxManifestSize = 1024 * 1024;

QByteArray sha256(const QByteArray& bytes) {
    return model::sha256Hex(bytes);
}

QString cleanFolder(const QString& folder) {
    return QDir::cleanPath(QDir(folder).absolutePath());
}

// The path relative to the game folder, or nothing when it lies outside.
std::optional<QString> insideGame(const QString& gameFolder, const QString& path) {
    const QString folder = cleanFolder(gameFolder);
    const QString file = cleanFolder(path);
    if (!file.startsWith(folder + QLatin1Char('/'))) return std::nullopt;
    return file.mid(folder.size() + 1);
}

QByteArray rangeOf(const QString& path, qint64 offset, qint64 length) {
    model::GameFile file(path, model::GameFile::Access::ReadOnly);
    QByteArray bytes = file.read(offset, length, "the wheel positions");
    file.close();
    return bytes;
}

// The bytes the entry stands for as they are now, or nothing when the file is gone.
std::optional<QByteArray> currentBytes(const Backup& backup, const BackupEntry& entry) {
    const QString path = backup.gamePath(entry).isEmpty() ? entry.path : backup.gamePath(entry);
    if (!QFileInfo(path).isFile()) return std::nullopt;
    if (entry.kind == BackupEntry::Kind::Range) {
        if (QFileInfo(path).size() < entry.offset + entry.length) return std::nullopt;
        return rangeOf(path, entry.offset, entry.length);
    }
    return readWholeFile(path);
}

QJsonObject toJson(const BackupEntry& e) {
    static const char* kinds[] = {"whole", "absent", "range"};
    QJsonObject o;
    o[QStringLiteral("kind")] = QLatin1String(kinds[int(e.kind)]);
    o[QStringLiteral("path")] = e.path;
    o[QStringLiteral("copy")] = e.copyName;
    o[QStringLiteral("size")] = double(e.size);
    if (e.kind == BackupEntry::Kind::Range) {
        o[QStringLiteral("offset")] = double(e.offset);
        o[QStringLiteral("length")] = double(e.length);
        o[QStringLiteral("modified")] = e.modified.toString(Qt::ISODateWithMs);
    }
    o[QStringLiteral("sha256Before")] = QString::fromLatin1(e.sha256Before);
    o[QStringLiteral("sha256After")] = QString::fromLatin1(e.sha256After);
    return o;
}

std::optional<BackupEntry> entryFromJson(const QJsonObject& o) {
    BackupEntry e;
    const QString kind = o[QStringLiteral("kind")].toString();
    if (kind == QLatin1String("whole"))
        e.kind = BackupEntry::Kind::Whole;
    else if (kind == QLatin1String("absent"))
        e.kind = BackupEntry::Kind::Absent;
    else if (kind == QLatin1String("range"))
        e.kind = BackupEntry::Kind::Range;
    else
        return std::nullopt;
    e.path = o[QStringLiteral("path")].toString();
    e.copyName = o[QStringLiteral("copy")].toString();
    e.size = qint64(o[QStringLiteral("size")].toDouble());
    e.offset = qint64(o[QStringLiteral("offset")].toDouble());
    e.length = qint64(o[QStringLiteral("length")].toDouble());
    e.modified = QDateTime::fromString(o[QStringLiteral("modified")].toString(), Qt::ISODateWithMs);
    e.sha256Before = o[QStringLiteral("sha256Before")].toString().toLatin1();
    e.sha256After = o[QStringLiteral("sha256After")].toString().toLatin1();
    // A copy name is a plain name inside the backup folder.
    if (e.path.isEmpty() || e.copyName.contains(QLatin1Char('/')) ||
        e.copyName.contains(QLatin1Char('\\')) || e.copyName.startsWith(QLatin1Char('.')))
        return std::nullopt;
    return e;
}

// In place: only into the folder still being made, which is not taken for a backup until
// renamed. Replacing: into a finished backup, whose manifest is never seen half-written.
enum class Write { InPlace, Replacing };

void writeManifest(const Backup& backup, Write how) {
    QJsonObject root;
    root[QStringLiteral("gameFolder")] = backup.gameFolder;
    root[QStringLiteral("created")] = backup.created.toUTC().toString(Qt::ISODateWithMs);
    root[QStringLiteral("finished")] = backup.finished;
    if (backup.first) root[QStringLiteral("first")] = true;
    QJsonArray files;
    for (const BackupEntry& e : backup.entries) files.append(toJson(e));
    root[QStringLiteral("files")] = files;
    const QString path = QDir(backup.folder).filePath(QLatin1String(kManifest));
    if (how == Write::InPlace)
        model::writeFileToDisk(path, QJsonDocument(root).toJson());
    else
        saveFileAtomically(path, QJsonDocument(root).toJson());
}

// The backup described by the folder's manifest; nothing when it has none (*missing set) or one
// that cannot be read.
std::optional<Backup> readManifest(const QString& folder, bool* missing = nullptr) {
    const QString path = QDir(folder).filePath(QLatin1String(kManifest));
    QJsonParseError error;
    QJsonDocument doc;
    try {
        doc = QJsonDocument::fromJson(readWholeFile(path, kMaxManifestSize), &error);
    } catch (const GameFileError&) {
        if (missing) *missing = !QFileInfo::exists(path);
        return std::nullopt;
    }
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
    const QJsonObject root = doc.object();
    Backup backup;
    backup.folder = folder;
    backup.gameFolder = root[QStringLiteral("gameFolder")].toString();
    // Older manifests hold the local time with its offset: either way the UTC time comes out.
    backup.created =
        QDateTime::fromString(root[QStringLiteral("created")].toString(), Qt::ISODateWithMs)
            .toUTC();
    backup.finished = root[QStringLiteral("finished")].toBool();
    backup.first = root[QStringLiteral("first")].toBool();
    for (const QJsonValue& v : root[QStringLiteral("files")].toArray()) {
        std::optional<BackupEntry> e = entryFromJson(v.toObject());
        if (!e) return std::nullopt;
        backup.entries.push_back(*e);
    }
    return backup;
}

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A new folder named after the time in UTC (a second backup within the same second gets a
// suffix), made under its name with ".partial" added: it gets its name once it is complete.
QString newBackupFolder(const QString& root, const QDateTime& now) {
    if (!QDir().mkpath(root))
        throw GameFileError(
            root, GameFileError::kNoOffset,
            QStringLiteral("the backup folder cannot be created: ") + systemReason());
    const QString name = now.toUTC().toString(QLatin1String(kFolderFormat));
    QString folder = QDir(root).filePath(name);
    for (int n = 2; QFileInfo::exists(folder) || QFileInfo::exists(folder + kPartial); ++n)
        folder = QDir(root).filePath(name + QStringLiteral("_%1").arg(n));
    if (!QDir().mkdir(folder + kPartial))
        throw GameFileError(
            root, GameFileError::kNoOffset,
            QStringLiteral("the backup folder cannot be created: ") + systemReason());
    return folder;
}

// Newest first by the time made (UTC), then by name.
void sortNewestFirst(std::vector<Backup>& backups) {
    std::stable_sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) {
        if (a.created != b.created) return a.created > b.created;
        return a.folder > b.folder;
    });
}

// Every backup of the game below root, newest first.
std::vector<Backup> backupsOf(const QString& root, const QString& gameFolder) {
    return ListBackupFolders(root, gameFolder).backups;
}

// The backup kept for good: the one marked first, or (made before backups were marked) the
// oldest.
const Backup* firstOf(const std::vector<Backup>& newestFirst) {
    for (const Backup& b : newestFirst)
        if (b.first) return &b;
    return newestFirst.empty() ? nullptr : &newestFirst.back();
}

QString copyNameFor(const QString& path, int index) {
    return QStringLiteral("%1_%2")
        .arg(index, 2, 10, QLatin1Char('0'))
        .arg(QFileInfo(path).fileName());
}

}  // namespace

namespace {
QString& chosenBackupsFolder() {
    static QString folder;
    return folder;
}
}  // namespace

QString setBackupsFolder(const QString& folder) {
    return std::exchange(chosenBackupsFolder(), folder);
}

QString backupsFolder() {
    if (!chosenBackupsFolder().isEmpty()) return chosenBackupsFolder();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("backups"));
}

BackupFolders ListBackupFolders(const QString& root, const QString& gameFolder) {
    BackupFolders listed;
    const QString game = cleanFolder(gameFolder);
    const QStringList folders = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : folders) {
        const QString folder = QDir(root).filePath(name);
        if (name.endsWith(QLatin1String(kPartial))) {
            listed.leftovers << folder;
            continue;
        }
        bool missing = false;
        std::optional<Backup> b = readManifest(folder, &missing);
        if (missing) listed.leftovers << folder;
        if (b && cleanFolder(b->gameFolder) == game) listed.backups.push_back(*b);
    }
    sortNewestFirst(listed.backups);
    return listed;
}

QString Backup::gamePath(const BackupEntry& entry) const {
    if (QDir::isAbsolutePath(entry.path) || entry.path.contains(QLatin1String(".."))) return {};
    return QDir(gameFolder).filePath(entry.path);
}

Backup CreateBackup(const QString& root, const BackupPlan& plan, BackupFolders* listed) {
    Backup backup;
    backup.gameFolder = cleanFolder(plan.gameFolder);
    backup.created = QDateTime::currentDateTimeUtc();
    BackupFolders seen;
    try {
        seen = ListBackupFolders(root, backup.gameFolder);
        backup.first = seen.backups.empty();
        backup.folder = newBackupFolder(root, backup.created);
    } catch (const GameFileError& e) {
        throw GameFileError(e.file(), e.offset(),
                            e.expected() + QStringLiteral(". The backup of the game files could "
                                                          "not be written: nothing has been "
                                                          "exported."));
    }
    const QString finalFolder = backup.folder;
    backup.folder += QLatin1String(kPartial);
    try {
        int index = 0;
        for (const QString& path : plan.wholeFiles) {
            BackupEntry e;
            e.path = insideGame(backup.gameFolder, path).value_or(cleanFolder(path));
            const auto known = plan.contents.find(path);
            const model::FileContents contents =
                known != plan.contents.end() ? known->second : model::readFingerprinted(path);
            if (!contents.fingerprint.exists()) {
                e.kind = BackupEntry::Kind::Absent;
                backup.entries.push_back(e);
                continue;
            }
            const QByteArray& bytes = contents.bytes;
            e.copyName = copyNameFor(path, ++index);
            e.size = bytes.size();
            e.sha256Before = contents.fingerprint.sha256;
            model::writeFileToDisk(QDir(backup.folder).filePath(e.copyName), bytes);
            backup.entries.push_back(e);
        }
        if (plan.archiveRange) {
            const BackupPlan::ArchiveRange& r = *plan.archiveRange;
            BackupEntry e;
            e.kind = BackupEntry::Kind::Range;
            e.path = insideGame(backup.gameFolder, r.path).value_or(cleanFolder(r.path));
            const QFileInfo info(r.path);
            e.size = info.size();
            e.modified = info.lastModified().toUTC();
            e.offset = r.offset;
            e.length = r.length;
            const QByteArray bytes = rangeOf(r.path, r.offset, r.length);
            e.copyName = copyNameFor(r.path, ++index) + QStringLiteral(".range");
            e.sha256Before = sha256(bytes);
            model::writeFileToDisk(QDir(backup.folder).filePath(e.copyName), bytes);
            backup.entries.push_back(e);
        }
        writeManifest(backup, Write::InPlace);
        // A backup is only as good as what reached the disk: each file was flushed as written,
        // their names go before the folder is named, and the name before any game file changes.
        model::syncFolderToDisk(backup.folder);
        if (!QDir().rename(backup.folder, finalFolder))
            throw GameFileError(backup.folder, GameFileError::kNoOffset,
                                QStringLiteral("cannot be renamed: ") + systemReason());
        backup.folder = finalFolder;
        model::syncFolderToDisk(root);
        if (listed) {
            seen.backups.insert(seen.backups.begin(), backup);
            *listed = std::move(seen);
        }
    } catch (const GameFileError& e) {
        QDir(backup.folder).removeRecursively();
        throw GameFileError(e.file(), e.offset(),
                            e.expected() + QStringLiteral(". The backup of the game files could "
                                                          "not be written: nothing has been "
                                                          "exported."));
    }
    return backup;
}

void HashStateAfter(Backup& backup, const std::map<QString, QByteArray>& knownHashes) {
    for (BackupEntry& e : backup.entries) {
        const auto known = knownHashes.find(e.path);
        if (e.kind != BackupEntry::Kind::Range && known != knownHashes.end()) {
            e.sha256After = known->second;
            continue;
        }
        const std::optional<QByteArray> bytes = currentBytes(backup, e);
        e.sha256After = bytes ? sha256(*bytes) : QByteArray();
    }
}

void SaveFinished(Backup& backup) {
    backup.finished = true;
    writeManifest(backup, Write::Replacing);
}

void RecordStateAfter(Backup& backup, const std::map<QString, QByteArray>& knownHashes) {
    HashStateAfter(backup, knownHashes);
    SaveFinished(backup);
}

bool MatchesStateBefore(const Backup& backup, const BackupEntry& entry) {
    const std::optional<QByteArray> bytes = currentBytes(backup, entry);
    if (entry.kind == BackupEntry::Kind::Absent) return !bytes;
    return bytes && sha256(*bytes) == entry.sha256Before;
}

bool RemoveBackup(const Backup& backup) {
    if (backup.folder.isEmpty()) return true;
    const QDir folder(backup.folder);
    const QString manifest = folder.filePath(QLatin1String(kManifest));
    if (!QFile::remove(manifest) && QFileInfo::exists(manifest)) return false;
    // Without its manifest the folder is a leftover: what cannot be removed now goes with the
    // leftovers an hour on.
    for (const BackupEntry& e : backup.entries)
        if (!e.copyName.isEmpty()) QFile::remove(folder.filePath(e.copyName));
    if (!QDir().rmdir(backup.folder)) QDir(backup.folder).removeRecursively();
    return true;
}

void PruneBackups(const QString& root, const QString& gameFolder, int keep,
                  const QString& keepFolder) {
    PruneBackups(ListBackupFolders(root, gameFolder), keep, keepFolder);
}

void PruneBackups(const BackupFolders& listed, int keep, const QString& keepFolder) {
    const Backup* first = firstOf(listed.backups);
    int kept = 0;
    for (const Backup& b : listed.backups) {
        if (&b == first) continue;
        // The running export's backup counts among the kept and is never removed.
        const bool running =
            !keepFolder.isEmpty() && cleanFolder(b.folder) == cleanFolder(keepFolder);
        if (++kept > keep && !running) RemoveBackup(b);
    }
    // Folders left by a backup that was stopped half-way never count; an hour on, they go.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QString& folder : listed.leftovers)
        if (QFileInfo(folder).lastModified().toUTC().secsTo(now) > kLeftoverSeconds)
            QDir(folder).removeRecursively();
}

std::vector<Backup> ListBackups(const QString& root, const QString& gameFolder) {
    std::vector<Backup> backups = backupsOf(root, gameFolder);
    const Backup* first = firstOf(backups);
    if (!first || !first->first) return backups;
    std::vector<Backup> listed{*first};
    for (const Backup& b : backups)
        if (&b != first) listed.push_back(b);
    return listed;
}

std::optional<Backup> UnfinishedExport(const QString& root, const QString& gameFolder) {
    // Only the newest counts: after it the game was exported again, or it was put back.
    const std::vector<Backup> backups = backupsOf(root, gameFolder);
    if (backups.empty() || backups.front().finished) return std::nullopt;
    return backups.front();
}

bool MatchesStateAfter(const Backup& backup, const BackupEntry& entry) {
    if (!backup.finished) return false;
    const std::optional<QByteArray> bytes = currentBytes(backup, entry);
    // An empty hash after: the export left no file there.
    if (entry.sha256After.isEmpty()) return !bytes;
    return bytes && sha256(*bytes) == entry.sha256After;
}

namespace {

// One entry checked and its saved bytes read, ready to be written.
struct CheckedEntry {
    const BackupEntry* entry = nullptr;
    QString target;
    QByteArray bytes;
};

// The saved copy of an entry: a regular file inside the backup folder, of the recorded size and
// hash. Returns what is wrong with it, or nothing.
std::optional<QString> readCopy(const Backup& backup, const BackupEntry& e, qint64 size,
                                QByteArray& bytes) {
    const QString copy = QDir(backup.folder).filePath(e.copyName);
    const QFileInfo info(copy);
    if (info.isSymLink() || !info.isFile() ||
        !cleanFolder(info.canonicalFilePath())
             .startsWith(cleanFolder(QFileInfo(backup.folder).canonicalFilePath()) +
                         QLatin1Char('/')))
        return QStringLiteral("its saved copy %1 is missing or not a file of the backup")
            .arg(QDir::toNativeSeparators(copy));
    if (info.size() != size)
        return QStringLiteral("its saved copy has %1 bytes, not %2 as recorded")
            .arg(info.size())
            .arg(size);
    try {
        bytes = readWholeFile(copy, size);
    } catch (const GameFileError& error) {
        return error.expected();
    }
    if (sha256(bytes) != e.sha256Before) return QStringLiteral("its saved copy is damaged");
    return std::nullopt;
}

// The game's executable and save-state are never absent before an export: only pictures are.
bool mayBeAbsent(const BackupEntry& e) {
    return e.path.endsWith(QLatin1String(".gpi"), Qt::CaseInsensitive);
}

// Writes one checked entry into the game.
void writeEntry(const CheckedEntry& c) {
    switch (c.entry->kind) {
        case BackupEntry::Kind::Absent:
            if (QFileInfo(c.target).isFile() && !QFile::remove(c.target))
                throw GameFileError(QDir::toNativeSeparators(c.target), GameFileError::kNoOffset,
                                    QStringLiteral("cannot be removed: ") + systemReason());
            break;
        case BackupEntry::Kind::Whole:
            saveFileAtomically(c.target, c.bytes);
            break;
        case BackupEntry::Kind::Range: {
            model::GameFile archive(c.target);
            archive.write(c.entry->offset, c.bytes, "the wheel positions");
            archive.close();
            break;
        }
    }
    if (QFileInfo(c.target).isFile()) model::syncToDisk(c.target);
}

}  // namespace

RestoreReport RestoreBackup(const Backup& backup) {
    RestoreReport report;
    std::vector<CheckedEntry> checked;
    QStringList problems;
    const QString game = cleanFolder(backup.gameFolder);
    for (const BackupEntry& e : backup.entries) {
        const QString target = backup.gamePath(e);
        const QString shownPath = QDir::toNativeSeparators(target.isEmpty() ? e.path : target);
        if (target.isEmpty()) {
            report.skipped << QStringLiteral(
                                  "%1 lies outside the game folder and was left as it is.")
                                  .arg(QDir::toNativeSeparators(e.path));
            continue;
        }
        // The folders on the way may not lead out of the game folder either.
        const QString realFolder = QFileInfo(QFileInfo(target).absolutePath()).canonicalFilePath();
        const QString realGame = QFileInfo(game).canonicalFilePath();
        if (QFileInfo(target).isSymLink() || realFolder.isEmpty() ||
            (realFolder != realGame && !realFolder.startsWith(realGame + QLatin1Char('/')))) {
            problems << QStringLiteral("%1 does not lie inside the game folder").arg(shownPath);
            continue;
        }
        CheckedEntry c{&e, target, {}};
        std::optional<QString> problem;
        switch (e.kind) {
            case BackupEntry::Kind::Absent:
                if (!mayBeAbsent(e)) problem = QStringLiteral("the backup would delete it");
                break;
            case BackupEntry::Kind::Whole:
                problem = readCopy(backup, e, e.size, c.bytes);
                break;
            case BackupEntry::Kind::Range:
                if (e.offset < 0 || e.length <= 0) {
                    problem = QStringLiteral("the backup records no valid range");
                    break;
                }
                if (!QFileInfo(target).isFile() || QFileInfo(target).size() != e.size) {
                    report.skipped << QStringLiteral(
                                          "%1 no longer has the size it had (%2 bytes): its "
                                          "wheel positions were left as they are.")
                                          .arg(shownPath)
                                          .arg(e.size);
                    continue;
                }
                problem = readCopy(backup, e, e.length, c.bytes);
                break;
        }
        if (problem) {
            problems << shownPath + QStringLiteral(": ") + *problem;
            continue;
        }
        checked.push_back(c);
    }
    if (!problems.isEmpty())
        throw GameFileError(QDir::toNativeSeparators(backup.folder), GameFileError::kNoOffset,
                            QStringLiteral("this backup cannot be trusted (%1). Nothing has been "
                                           "restored: the game files are as they were.")
                                .arg(problems.join(QStringLiteral("; "))));

    // What each file holds now, so that a failed write can be undone.
    std::vector<std::optional<QByteArray>> now;
    for (const CheckedEntry& c : checked) {
        now.push_back(currentBytes(backup, *c.entry));
    }
    size_t done = 0;
    try {
        for (; done < checked.size(); ++done) {
            writeEntry(checked[done]);
            report.restored << checked[done].target;
        }
    } catch (const GameFileError& failure) {
        QStringList notBack;
        for (size_t i = 0; i <= done && i < checked.size(); ++i) {
            // A file the failed write left as it was needs nothing (a whole file is replaced
            // only once complete).
            if (currentBytes(backup, *checked[i].entry) == now[i]) continue;
            CheckedEntry undo = checked[i];
            BackupEntry asNow = *undo.entry;
            if (!now[i]) {
                if (asNow.kind == BackupEntry::Kind::Range) continue;
                asNow.kind = BackupEntry::Kind::Absent;
            } else if (asNow.kind == BackupEntry::Kind::Absent) {
                asNow.kind = BackupEntry::Kind::Whole;
            }
            undo.entry = &asNow;
            undo.bytes = now[i].value_or(QByteArray());
            try {
                writeEntry(undo);
            } catch (const GameFileError&) {
                notBack << QDir::toNativeSeparators(undo.target);
            }
        }
        throw GameFileError(
            failure.file(), failure.offset(),
            failure.expected() +
                (notBack.isEmpty()
                     ? QStringLiteral(". Nothing has been restored: the game files are as they "
                                      "were.")
                     : QStringLiteral(". The restore stopped half-way and these files could not "
                                      "be put back as they were: %1.")
                           .arg(notBack.join(QStringLiteral(", ")))));
    }
    return report;
}

}  // namespace pw::backup
