#include "core/archive/WadArchive.h"

#include <QFile>
#include <QFileInfo>

#include "core/archive/WadDirectory.h"
#include "core/bytes/ByteIO.h"
#include "core/bytes/GamePaths.h"

namespace pw::wad {

using model::GameFile;
using model::GameFileError;

void MakeWritable(const QString& path) {
    // Asking for the owner's write bit alone reads the file's status once; the full set of
    // permissions would also test access for the current user.
    if (!QFileInfo(path).permission(QFile::WriteOwner))
        QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
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

std::optional<WadArchive> WadArchive::OpenArchive(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    const QString resolved = model::resolvePath(path);
    if (!QFileInfo(resolved).isFile()) return std::nullopt;
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

std::shared_ptr<const WadDirectory> WadArchive::directory() {
    return cachedDirectory(*file_);
}

std::optional<WadEntry> WadArchive::FindEntry(const QString& name) {
    return cachedDirectory(*file_)->findByName(name);
}

std::optional<WadEntry> WadArchive::FindFirstCollisionMeshEntry() {
    return cachedDirectory(*file_)->firstCollisionMesh();
}

std::optional<uint32_t> WadArchive::FindFirstCollisionMesh() {
    const auto entry = FindFirstCollisionMeshEntry();
    return entry ? std::optional<uint32_t>(entry->offset) : std::nullopt;
}

}  // namespace pw::wad
