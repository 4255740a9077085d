#include "core/archive/WadDirectory.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cstring>
#include <map>

#include "core/archive/WadNameKey.h"
#include "core/bytes/ByteIO.h"
#include "core/bytes/FileStamp.h"
#include "core/bytes/GamePaths.h"
#include "core/bytes/Text.h"

namespace pw::wad {

using model::GameFile;
using model::GameFileError;

namespace {

uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(u[0]) | uint32_t(u[1]) << 8 | uint32_t(u[2]) << 16 | uint32_t(u[3]) << 24;
}

}  // namespace

WadDirectory WadDirectory::read(GameFile& file) {
    const int32_t count = int32_t(file.readU32(layout::kCountOffset, "directory entry count"));
    const qint64 available = (file.size() - layout::kDirectoryOffset) / layout::kRecordSize;
    if (count < 0 || count > available)
        throw GameFileError(file.displayName(), layout::kCountOffset,
                            QStringLiteral("a directory of %1 entries does not fit in the file "
                                           "(room for %2)")
                                .arg(count)
                                .arg(std::max<qint64>(available, 0)));
    WadDirectory d;
    d.records_ = file.read(layout::kDirectoryOffset, count * layout::kRecordSize, "directory");
    if (d.records_.size() != count * layout::kRecordSize)
        throw GameFileError(file.displayName(), layout::kDirectoryOffset,
                            QStringLiteral("the directory could not be read whole"));
    d.count_ = count;
    return d;
}

size_t WadDirectory::nameLength(int i) const {
    static_assert(layout::kNameSize == 128);
    // Mostly the text before the first NUL, the rest NULs; once its NULs are moved, any name is.
    const namekey::NameField field = namekey::nameField(record(i));
    if (field.plain) return field.firstNul;
    char* own = records_.data() + i * layout::kRecordSize;
    char* end = std::remove(own + field.firstNul, own + layout::kNameSize, '\0');
    std::fill(end, own + layout::kNameSize, '\0');
    return size_t(end - own);
}

WadEntry WadDirectory::entryOf(int i) const {
    return {le32(record(i) + layout::kDataOffsetInRecord),
            le32(record(i) + layout::kDataLengthInRecord)};
}

std::optional<WadEntry> WadDirectory::walk(const std::string& key) const {
    // A file name holds no "\": such a key names nothing.
    if (key.find('\\') != std::string::npos) return std::nullopt;
    const size_t k = key.size();
    for (int i = 0; i < count_; ++i) {
        const size_t length = nameLength(i);
        if (length < k) continue;
        const char* name = record(i);
        if (length > k && name[length - k - 1] != '\\') continue;
        if (namekey::sameLowered(name + length - k, key.data(), k)) return entryOf(i);
    }
    return std::nullopt;
}

void WadDirectory::index() const {
    if (indexed_) return;
    indexed_ = true;
    items_.reserve(size_t(count_));
    size_t capacity = 16;
    while (capacity < size_t(count_) * 2) capacity *= 2;
    slots_.assign(capacity, -1);
    for (int i = 0; i < count_; ++i) {
        const size_t length = nameLength(i);
        const char* name = record(i);
        if (!collisionMesh_ && length >= 3 && std::memcmp(name + length - 3, ".ct", 3) == 0)
            collisionMesh_ = entryOf(i);
        const size_t start = namekey::fileNameStart(name, length);
        const size_t keyLength = length - start;
        const uint64_t hash = namekey::hash(name + start, keyLength);
        // The first entry of a name wins, as in a walk in directory order.
        if (find(name + start, keyLength, hash)) continue;
        size_t slot = size_t(hash) & (capacity - 1);
        while (slots_[slot] >= 0) slot = (slot + 1) & (capacity - 1);
        slots_[slot] = int32_t(items_.size());
        items_.push_back(
            Item{uint32_t(i), uint32_t(start), uint32_t(keyLength), uint32_t(hash), entryOf(i)});
    }
}

const WadDirectory::Item* WadDirectory::find(const char* key, size_t length, uint64_t hash) const {
    if (slots_.empty()) return nullptr;
    const size_t mask = slots_.size() - 1;
    for (size_t slot = size_t(hash) & mask; slots_[slot] >= 0; slot = (slot + 1) & mask) {
        const Item& item = items_[size_t(slots_[slot])];
        if (item.hash == uint32_t(hash) && item.keyLength == length &&
            namekey::sameLowered(record(int(item.record)) + item.keyStart, key, length))
            return &item;
    }
    return nullptr;
}

std::optional<WadEntry> WadDirectory::findByName(const QString& name) const {
    // The stored names are Latin-1: a name that lower-cases to anything beyond cannot match.
    const QString lower = name.toLower();
    std::string key(size_t(lower.size()), '\0');
    for (qsizetype k = 0; k < lower.size(); ++k) {
        const char16_t c = lower.at(k).unicode();
        if (c > 0xFF) return std::nullopt;
        key[size_t(k)] = char(c);
    }
    if (lookups_++ == 0) return walk(key);
    index();
    const Item* item = find(key.data(), key.size(), namekey::hash(key.data(), key.size()));
    return item ? std::optional<WadEntry>(item->entry) : std::nullopt;
}

std::optional<WadEntry> WadDirectory::firstCollisionMesh() const {
    index();
    return collisionMesh_;
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
    const FileStamp stamp = file.stamp();
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
