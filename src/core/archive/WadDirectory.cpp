#include "core/archive/WadDirectory.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>

#include "core/bytes/ByteIO.h"
#include "core/bytes/FileStamp.h"
#include "core/bytes/GamePaths.h"
#include "core/bytes/Text.h"

namespace pw::wad {

using model::GameFile;
using model::GameFileError;

WadDirectory WadDirectory::read(GameFile& file) {
    const int32_t count = int32_t(file.readU32(layout::kCountOffset, "directory entry count"));
    const qint64 available = (file.size() - layout::kDirectoryOffset) / layout::kRecordSize;
    if (count < 0 || count > available)
        throw GameFileError(file.displayName(), layout::kCountOffset,
                            QStringLiteral("a directory of %1 entries does not fit in the file "
                                           "(room for %2)")
                                .arg(count)
                                .arg(std::max<qint64>(available, 0)));
    const model::ByteReader directory(
        file.read(layout::kDirectoryOffset, count * layout::kRecordSize, "directory"),
        file.displayName());
    WadDirectory d;
    d.count_ = count;
    d.byName_.reserve(count);
    for (qint64 i = 0; i < count; ++i) {
        const qint64 record = i * layout::kRecordSize;
        const QByteArray name =
            model::StripNul(directory.bytesAt(record, layout::kNameSize, "entry name"));
        const WadEntry entry{
            directory.u32At(record + layout::kDataOffsetInRecord, "entry data offset"),
            directory.u32At(record + layout::kDataLengthInRecord, "entry data length")};
        // The first entry of a name wins, as in a walk in directory order.
        const QString key = QString::fromLatin1(name.mid(name.lastIndexOf('\\') + 1)).toLower();
        if (!d.byName_.contains(key)) d.byName_.insert(key, entry);
        if (!d.collisionMesh_ && name.endsWith(".ct")) d.collisionMesh_ = entry;
    }
    return d;
}

std::optional<WadEntry> WadDirectory::findByName(const QString& name) const {
    const auto it = byName_.constFind(name.toLower());
    return it == byName_.constEnd() ? std::nullopt : std::optional<WadEntry>(*it);
}

namespace {

using model::FileStamp;

struct Cached {
    FileStamp stamp;
    std::shared_ptr<const WadDirectory> directory;
};

// A handful of archives at most are used in one session.
constexpr size_t kMaxCached = 8;
std::map<QString, Cached>& cache() {
    static std::map<QString, Cached> entries;
    return entries;
}
long long reads = 0;

QString cacheKey(const QString& path) {
    return QDir::isAbsolutePath(path) ? path : QFileInfo(path).absoluteFilePath();
}

}  // namespace

std::shared_ptr<const WadDirectory> cachedDirectory(GameFile& file) {
    // The stamp is taken before the read: a change during the read shows at the next lookup.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const QString key = cacheKey(file.path());
    const FileStamp stamp = model::fileStampOf(key);
    auto& entries = cache();
    const auto it = entries.find(key);
    if (it != entries.end() && it->second.stamp == stamp && stamp.size == file.size())
        return it->second.directory;
    if (it != entries.end()) entries.erase(it);
    auto directory = std::make_shared<const WadDirectory>(WadDirectory::read(file));
    ++reads;
    // A file changed moments ago may change again within the resolution of its time stamps
    // without changing its stamp: its directory is kept only once the file has settled.
    if (model::stampSettled(stamp, now)) {
        if (entries.size() >= kMaxCached) entries.clear();
        entries[key] = Cached{stamp, directory};
    }
    return directory;
}

std::shared_ptr<const WadDirectory> keptDirectory(const QString& path) {
    if (path.isEmpty()) return nullptr;
    const QString key = cacheKey(model::resolvePath(path));
    const auto it = cache().find(key);
    if (it == cache().end() || it->second.stamp != model::fileStampOf(key)) return nullptr;
    return it->second.directory;
}

void clearDirectoryCache() {
    cache().clear();
}

long long directoryReads() {
    return reads;
}

void setDirectorySettleTime(qint64 milliseconds) {
    model::setSettleTime(milliseconds);
}

}  // namespace pw::wad
