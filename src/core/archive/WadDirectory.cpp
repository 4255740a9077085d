#include "core/archive/WadDirectory.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cstring>
#include <map>

#include "core/bytes/ByteIO.h"
#include "core/bytes/FileStamp.h"
#include "core/bytes/GamePaths.h"
#include "core/bytes/Text.h"

namespace pw::wad {

using model::GameFile;
using model::GameFileError;

namespace {

// Lower case of a Latin-1 byte, as QChar::toLower gives it: A-Z and the accented capitals
// (0xC0-0xDE but the multiplication sign 0xD7) become their small letters.
constexpr std::array<unsigned char, 256> kLatin1Lower = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[size_t(c)] = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)
                           ? static_cast<unsigned char>(c + 0x20)
                           : static_cast<unsigned char>(c);
    return t;
}();

static_assert(layout::kNameSize % 8 == 0);
constexpr uint64_t kFnvOffset = 1469598103934665603ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;

// Spreads FNV-1a's weak low bits over the whole word before the table takes them.
size_t mixed(uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return size_t(h);
}

uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(u[0]) | uint32_t(u[1]) << 8 | uint32_t(u[2]) << 16 | uint32_t(u[3]) << 24;
}

// Whether [begin, end) holds only NULs; end - recordStart is a multiple of 8.
bool allNul(const char* recordStart, const char* begin, const char* end) {
    for (; begin != end && (begin - recordStart) % 8 != 0; ++begin)
        if (*begin) return false;
    for (; begin != end; begin += 8) {
        uint64_t word;
        std::memcpy(&word, begin, 8);
        if (word) return false;
    }
    return true;
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
    const QByteArray directory =
        file.read(layout::kDirectoryOffset, count * layout::kRecordSize, "directory");
    if (directory.size() != count * layout::kRecordSize)
        throw GameFileError(file.displayName(), layout::kDirectoryOffset,
                            QStringLiteral("the directory could not be read whole"));
    WadDirectory d;
    d.count_ = count;
    d.items_.reserve(size_t(count));
    size_t capacity = 16;
    while (capacity < size_t(count) * 2) capacity *= 2;
    d.slots_.assign(capacity, -1);
    d.keys_.reserve(size_t(count) * 32);
    char stripped[layout::kNameSize];
    for (qint64 i = 0; i < count; ++i) {
        const char* record = directory.constData() + i * layout::kRecordSize;
        const char* recordEnd = record + layout::kNameSize;
        // The stored name without its NULs: mostly the text before the first NUL, the rest NULs.
        const char* name = record;
        size_t length = layout::kNameSize;
        if (const auto* nul = static_cast<const char*>(std::memchr(record, 0, layout::kNameSize))) {
            length = size_t(nul - record);
            if (!allNul(record, nul, recordEnd)) {
                char* o = std::copy(record, nul, stripped);
                o = std::remove_copy(nul, recordEnd, o, '\0');
                name = stripped;
                length = size_t(o - stripped);
            }
        }
        const WadEntry entry{le32(record + layout::kDataOffsetInRecord),
                             le32(record + layout::kDataLengthInRecord)};
        if (!d.collisionMesh_ && length >= 3 && std::memcmp(name + length - 3, ".ct", 3) == 0)
            d.collisionMesh_ = entry;
        // The file name: after the last "\", lower-cased.
        size_t start = length;
        while (start > 0 && name[start - 1] != '\\') --start;
        const size_t keyOffset = d.keys_.size();
        const size_t keyLength = length - start;
        d.keys_.resize(keyOffset + keyLength);
        char* key = d.keys_.data() + keyOffset;
        uint64_t hash = kFnvOffset;
        for (size_t k = 0; k < keyLength; ++k) {
            const unsigned char c = kLatin1Lower[static_cast<unsigned char>(name[start + k])];
            key[k] = char(c);
            hash = (hash ^ c) * kFnvPrime;
        }
        // The first entry of a name wins, as in a walk in directory order.
        size_t slot = mixed(hash) & (capacity - 1);
        bool seen = false;
        for (; d.slots_[slot] >= 0; slot = (slot + 1) & (capacity - 1)) {
            const Item& other = d.items_[size_t(d.slots_[slot])];
            if (other.keyLength == keyLength &&
                std::memcmp(d.keys_.data() + other.keyOffset, key, keyLength) == 0) {
                seen = true;
                break;
            }
        }
        if (seen) {
            d.keys_.resize(keyOffset);
            continue;
        }
        d.slots_[slot] = int32_t(d.items_.size());
        d.items_.push_back(Item{uint32_t(keyOffset), uint32_t(keyLength), entry});
    }
    return d;
}

const WadDirectory::Item* WadDirectory::find(const char* key, size_t length, size_t hash) const {
    if (slots_.empty()) return nullptr;
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask; slots_[slot] >= 0; slot = (slot + 1) & mask) {
        const Item& item = items_[size_t(slots_[slot])];
        if (item.keyLength == length && std::memcmp(keys_.data() + item.keyOffset, key, length) == 0)
            return &item;
    }
    return nullptr;
}

std::optional<WadEntry> WadDirectory::findByName(const QString& name) const {
    // The stored names are Latin-1: a name that lower-cases to anything beyond cannot match.
    const QString lower = name.toLower();
    std::string key(size_t(lower.size()), '\0');
    uint64_t hash = kFnvOffset;
    for (qsizetype k = 0; k < lower.size(); ++k) {
        const char16_t c = lower.at(k).unicode();
        if (c > 0xFF) return std::nullopt;
        key[size_t(k)] = char(c);
        hash = (hash ^ c) * kFnvPrime;
    }
    const Item* item = find(key.data(), key.size(), mixed(hash));
    return item ? std::optional<WadEntry>(item->entry) : std::nullopt;
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
