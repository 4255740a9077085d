#include "core/location/WineGameLocation.h"

#include <QDateTime>
#include <QFileInfo>
#include <map>
#include <mutex>

#include "core/bytes/FileStamp.h"
#include "core/bytes/ForeignFile.h"
#include "core/location/GameInstall.h"
#include "core/bytes/GamePaths.h"
#include "core/location/WineRegistry.h"

namespace pw::model {

namespace {
// The installation key without its leading separator, as the registry file writes keys.
QString installKey() {
    return QString::fromLatin1(install::kKeyPath).mid(1);
}

QString wow64InstallKey() {
    QString key = installKey();
    const QString software = QStringLiteral("Software\\");
    return software + QStringLiteral("Wow6432Node\\") + key.mid(software.size());
}

}  // namespace

QStringList installDirectoriesInRegistry(const WineRegistry& registry) {
    const QString value = QString::fromLatin1(install::kValueName);
    QStringList directories;
    for (const QString& key : {wow64InstallKey(), installKey()})
        if (std::optional<QString> directory = registry.text(key, value)) directories << *directory;
    return directories;
}

namespace {
// A fresh prefix's system registry holds 2 to 3 MB, one used for years some tens.
constexpr qint64 kMaxRegistryBytes = 256 * 1024 * 1024;

// The directories a registry file records. The game is looked for before every file access and
// a prefix's registry runs to megabytes, so what a file held is kept while its stamp stays the
// same: a changed file is read again.
QStringList installDirectoriesInFile(const QString& path) {
    struct Read {
        FileStamp stamp;
        QStringList directories;
    };
    static std::mutex mutex;
    static std::map<QString, Read> reads;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!QFileInfo(path).isFile()) return {};
    const FileStamp stamp = fileStampOf(path);
    const std::lock_guard<std::mutex> lock(mutex);
    const auto known = reads.find(path);
    if (known != reads.end() && known->second.stamp == stamp) return known->second.directories;
    if (known != reads.end()) reads.erase(known);
    const std::optional<QByteArray> bytes = readForeignFile(path, kMaxRegistryBytes);
    if (!bytes) return {};
    const std::optional<WineRegistry> registry =
        parseWineRegistry(*bytes, {wow64InstallKey(), installKey()});
    const QStringList directories =
        registry ? installDirectoriesInRegistry(*registry) : QStringList();
    // A file changed moments ago may change again without changing its stamp.
    if (stampSettled(stamp, now)) reads[path] = Read{stamp, directories};
    return directories;
}
}  // namespace

QString unixPathInPrefix(const QString& prefix, const QString& windowsPath) {
    const QString path = windowsPath.trimmed();
    if (path.size() < 2 || path[1] != QLatin1Char(':') || !path[0].isLetter() ||
        path[0].unicode() > 127)
        return QString();
    if (path.size() > 2 && path[2] != QLatin1Char('\\') && path[2] != QLatin1Char('/'))
        return QString();  // "C:Games" is relative to the drive's current folder
    // Wine names its links "c:", "d:"...; resolvePath finds "C:" too.
    const QString link =
        resolvePath(joinPath(prefix, QStringLiteral("dosdevices/") + path[0].toLower() + ':'));
    const QString drive = QFileInfo(link).canonicalFilePath();
    if (drive.isEmpty() || !QFileInfo(drive).isDir()) return QString();
    return resolvePath(joinPath(drive, path.mid(2)));
}

QStringList installFoldersInPrefix(const QString& prefix) {
    QStringList folders;
    for (const QString& directory :
         installDirectoriesInFile(joinPath(prefix, QStringLiteral("system.reg")))) {
        const QString folder = unixPathInPrefix(prefix, directory);
        if (!folder.isEmpty()) folders << folder;
    }
    return folders;
}

}  // namespace pw::model
