#include "core/backup/GameBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <algorithm>

#include "core/bytes/SaveFile.h"
#include "core/bytes/ByteIO.h"
#include "core/bytes/GameFileError.h"
#include "core/bytes/GamePaths.h"

namespace pw::backup {

using model::GameFileError;
using model::readWholeFile;
using model::saveFileAtomically;

namespace {

constexpr char kManifest[] = "manifest.json";
constexpr char kFolderFormat[] = "yyyy-MM-dd_hh-mm-ss";
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

void writeManifest(const Backup& backup) {
    QJsonObject root;
    root[QStringLiteral("gameFolder")] = backup.gameFolder;
    root[QStringLiteral("created")] = backup.created.toString(Qt::ISODate);
    root[QStringLiteral("finished")] = backup.finished;
    QJsonArray files;
    for (const BackupEntry& e : backup.entries) files.append(toJson(e));
    root[QStringLiteral("files")] = files;
    saveFileAtomically(QDir(backup.folder).filePath(QLatin1String(kManifest)),
                       QJsonDocument(root).toJson());
}

std::optional<Backup> readManifest(const QString& folder) {
    const QString path = QDir(folder).filePath(QLatin1String(kManifest));
    if (!QFileInfo(path).isFile()) return std::nullopt;
    QJsonParseError error;
    QJsonDocument doc;
    try {
        doc = QJsonDocument::fromJson(readWholeFile(path, kMaxManifestSize), &error);
    } catch (const GameFileError&) {
        return std::nullopt;
    }
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
    const QJsonObject root = doc.object();
    Backup backup;
    backup.folder = folder;
    backup.gameFolder = root[QStringLiteral("gameFolder")].toString();
    backup.created = QDateTime::fromString(root[QStringLiteral("created")].toString(), Qt::ISODate);
    backup.finished = root[QStringLiteral("finished")].toBool();
    for (const QJsonValue& v : root[QStringLiteral("files")].toArray()) {
        std::optional<BackupEntry> e = entryFromJson(v.toObject());
        if (!e) return std::nullopt;
        backup.entries.push_back(*e);
    }
    return backup;
}

// A new folder named after the time; a second backup within the same second gets a suffix.
QString newBackupFolder(const QString& root, const QDateTime& now) {
    if (!QDir().mkpath(root))
        throw GameFileError(root, GameFileError::kNoOffset,
                            QStringLiteral("the backup folder cannot be created"));
    const QString name = now.toString(QLatin1String(kFolderFormat));
    QString folder = QDir(root).filePath(name);
    for (int n = 2; QFileInfo::exists(folder); ++n)
        folder = QDir(root).filePath(name + QStringLiteral("_%1").arg(n));
    if (!QDir().mkdir(folder))
        throw GameFileError(folder, GameFileError::kNoOffset,
                            QStringLiteral("the backup folder cannot be created"));
    return folder;
}

QString copyNameFor(const QString& path, int index) {
    return QStringLiteral("%1_%2")
        .arg(index, 2, 10, QLatin1Char('0'))
        .arg(QFileInfo(path).fileName());
}

}  // namespace

QString backupsFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("backups"));
}

QString Backup::gamePath(const BackupEntry& entry) const {
    if (QDir::isAbsolutePath(entry.path) || entry.path.contains(QLatin1String(".."))) return {};
    return QDir(gameFolder).filePath(entry.path);
}

Backup CreateBackup(const QString& root, const BackupPlan& plan) {
    Backup backup;
    backup.gameFolder = cleanFolder(plan.gameFolder);
    backup.created = QDateTime::currentDateTime();
    backup.folder = newBackupFolder(root, backup.created);
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
            saveFileAtomically(QDir(backup.folder).filePath(e.copyName), bytes);
            backup.entries.push_back(e);
        }
        if (plan.archiveRange) {
            const BackupPlan::ArchiveRange& r = *plan.archiveRange;
            BackupEntry e;
            e.kind = BackupEntry::Kind::Range;
            e.path = insideGame(backup.gameFolder, r.path).value_or(cleanFolder(r.path));
            const QFileInfo info(r.path);
            e.size = info.size();
            e.modified = info.lastModified();
            e.offset = r.offset;
            e.length = r.length;
            const QByteArray bytes = rangeOf(r.path, r.offset, r.length);
            e.copyName = copyNameFor(r.path, ++index) + QStringLiteral(".range");
            e.sha256Before = sha256(bytes);
            saveFileAtomically(QDir(backup.folder).filePath(e.copyName), bytes);
            backup.entries.push_back(e);
        }
        writeManifest(backup);
    } catch (const GameFileError& e) {
        QDir(backup.folder).removeRecursively();
        throw GameFileError(e.file(), e.offset(),
                            e.expected() + QStringLiteral(". The backup of the game files could "
                                                          "not be written: nothing has been "
                                                          "exported."));
    }
    return backup;
}

void RecordStateAfter(Backup& backup) {
    for (BackupEntry& e : backup.entries) {
        const std::optional<QByteArray> bytes = currentBytes(backup, e);
        e.sha256After = bytes ? sha256(*bytes) : QByteArray();
    }
    backup.finished = true;
    writeManifest(backup);
}

void PruneBackups(const QString& root, int keep) {
    QStringList folders = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    // The names sort as the times they were made.
    while (folders.size() > keep) {
        QDir(QDir(root).filePath(folders.takeFirst())).removeRecursively();
    }
}

std::vector<Backup> ListBackups(const QString& root, const QString& gameFolder) {
    std::vector<Backup> found;
    const QString game = cleanFolder(gameFolder);
    const QStringList folders =
        QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    for (const QString& name : folders) {
        std::optional<Backup> b = readManifest(QDir(root).filePath(name));
        if (b && cleanFolder(b->gameFolder) == game) found.push_back(*b);
    }
    return found;
}

bool MatchesStateAfter(const Backup& backup, const BackupEntry& entry) {
    if (!backup.finished) return false;
    const std::optional<QByteArray> bytes = currentBytes(backup, entry);
    // An empty hash after: the export left no file there.
    if (entry.sha256After.isEmpty()) return !bytes;
    return bytes && sha256(*bytes) == entry.sha256After;
}

RestoreReport RestoreBackup(const Backup& backup) {
    RestoreReport report;
    for (const BackupEntry& e : backup.entries) {
        const QString target = backup.gamePath(e);
        if (target.isEmpty()) {
            report.skipped << QStringLiteral(
                                  "%1 lies outside the game folder and was left as it is.")
                                  .arg(QDir::toNativeSeparators(e.path));
            continue;
        }
        const QString shown = QDir::toNativeSeparators(target);
        switch (e.kind) {
            case BackupEntry::Kind::Absent:
                if (QFileInfo(target).isFile() && !QFile::remove(target))
                    throw GameFileError(shown, GameFileError::kNoOffset,
                                        QStringLiteral("cannot be removed"));
                report.restored << target;
                break;
            case BackupEntry::Kind::Whole: {
                const QByteArray bytes = readWholeFile(QDir(backup.folder).filePath(e.copyName));
                if (sha256(bytes) != e.sha256Before)
                    throw GameFileError(QDir(backup.folder).filePath(e.copyName),
                                        GameFileError::kNoOffset,
                                        QStringLiteral("the saved copy is damaged"));
                saveFileAtomically(target, bytes);
                report.restored << target;
                break;
            }
            case BackupEntry::Kind::Range: {
                if (!QFileInfo(target).isFile() || QFileInfo(target).size() != e.size) {
                    report.skipped << QStringLiteral(
                                          "%1 no longer has the size it had (%2 bytes): its "
                                          "wheel positions were left as they are.")
                                          .arg(shown)
                                          .arg(e.size);
                    continue;
                }
                const QByteArray bytes = readWholeFile(QDir(backup.folder).filePath(e.copyName));
                if (bytes.size() != e.length || sha256(bytes) != e.sha256Before)
                    throw GameFileError(QDir(backup.folder).filePath(e.copyName),
                                        GameFileError::kNoOffset,
                                        QStringLiteral("the saved copy is damaged"));
                model::GameFile archive(target);
                archive.write(e.offset, bytes, "the wheel positions");
                archive.close();
                report.restored << target;
                break;
            }
        }
    }
    return report;
}

}  // namespace pw::backup
