#include "WadArchive.h"

#include <QFile>

#include "model/ByteIO.h"
#include "model/GamePaths.h"
#include "model/Text.h"

namespace pw::wad {

using model::GameFile;
using model::GameFileError;

void MakeWritable(const QString& path) {
    const QFile::Permissions permissions = QFile::permissions(path);
    if (!(permissions & QFile::WriteOwner))
        QFile::setPermissions(path, permissions | QFile::WriteOwner);
}

bool IsCarsArchive(const QString& path) {
    const QString resolved = model::resolvePath(path);
    MakeWritable(resolved);
    GameFile file(resolved);
    return IsCarsArchive(file);
}

bool IsCarsArchive(GameFile& file) {
    if (file.size() <= layout::kMarkerOffset) return false;
    return file.readU8(layout::kMarkerOffset, "archive check byte") == layout::kMarker;
}

namespace {
// The first directory record whose name (NULs removed) satisfies match. The count is checked
// against the file size first, then the whole directory is read at once.
template <typename Match>
std::optional<WadEntry> findFirst(GameFile& file, Match match) {
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
    for (qint64 i = 0; i < count; ++i) {
        const qint64 record = i * layout::kRecordSize;
        const QByteArray name =
            model::StripNul(directory.bytesAt(record, layout::kNameSize, "entry name"));
        if (match(name))
            return WadEntry{
                directory.u32At(record + layout::kDataOffsetInRecord, "entry data offset"),
                directory.u32At(record + layout::kDataLengthInRecord, "entry data length")};
    }
    return std::nullopt;
}
}  // namespace

std::optional<WadArchive> WadArchive::OpenArchive(const QString& path) {
    if (path.isEmpty() || !model::fileExists(path)) return std::nullopt;
    const QString resolved = model::resolvePath(path);
    MakeWritable(resolved);
    return WadArchive(std::make_unique<GameFile>(resolved));
}

WadArchive::WadArchive(std::unique_ptr<GameFile> file) : file_(std::move(file)) {}
WadArchive::WadArchive(WadArchive&&) noexcept = default;
WadArchive& WadArchive::operator=(WadArchive&&) noexcept = default;
WadArchive::~WadArchive() = default;

void WadArchive::close() {
    file_->close();
}

std::optional<WadEntry> WadArchive::FindEntry(const QString& name) {
    const QString wanted = name.toLower();
    return findFirst(*file_, [&](const QByteArray& stored) {
        return QString::fromLatin1(stored.mid(stored.lastIndexOf('\\') + 1)).toLower() == wanted;
    });
}

std::optional<WadEntry> WadArchive::FindFirstCollisionMeshEntry() {
    return findFirst(*file_, [](const QByteArray& stored) { return stored.endsWith(".ct"); });
}

std::optional<uint32_t> WadArchive::FindFirstCollisionMesh() {
    const auto entry = FindFirstCollisionMeshEntry();
    return entry ? std::optional<uint32_t>(entry->offset) : std::nullopt;
}

}  // namespace pw::wad
