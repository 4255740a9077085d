#include "core/archive/WadArchive.h"

#include <QFile>
#include <QFileInfo>

#include "core/archive/WadDirectory.h"
#include "core/bytes/ByteIO.h"
#include "core/bytes/GamePaths.h"

namespace pw::wad {

using model::GameFile;
using model::GameFileError;

namespace {
void makeWritable(const QFileInfo& info) {
    // Asking for the owner's write bit alone reads the file's status once (and the info keeps
    // it); the full set of permissions would also test access for the current user.
    if (!info.permission(QFile::WriteOwner)) {
        const QString path = info.filePath();
        QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
    }
}
}  // namespace

void MakeWritable(const QString& path) {
    makeWritable(QFileInfo(path));
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
    // A path that names its file as it is (the usual case) needs no resolving: one status call
    // tells both that the file is there and whether it is writable.
    if (!path.contains(QLatin1Char('\\'))) {
        const QFileInfo info(path);
        if (info.isFile()) {
            makeWritable(info);
            return WadArchive(std::make_unique<GameFile>(path));
        }
    }
    const QString resolved = model::resolvePath(path);
    const QFileInfo info(resolved);
    if (!info.isFile()) return std::nullopt;
    makeWritable(info);
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
