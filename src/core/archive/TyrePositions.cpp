#include "core/archive/TyrePositions.h"

#include "core/archive/WadArchive.h"
#include "core/bytes/ByteIO.h"
#include "core/tables/ExportChecks.h"
#include "core/bytes/GamePaths.h"

namespace pw::wad {

static_assert(kWheelOffsets.size() == model::kWheelCount);

TyreReadResult ReadTyrePositions(const QString& archivePath, model::EditorModel& model) {
    // Whatever offset an earlier archive gave no longer belongs to the archive at this path: it
    // is forgotten before anything can fail, so a failed read never leaves an export writing at
    // another archive's offset.
    model.tyres.collisionMeshOffset.reset();
    std::optional<WadArchive> archive = WadArchive::OpenArchive(archivePath);
    if (!archive) return TyreReadResult::ArchiveMissing;
    return ReadTyrePositions(*archive, model);
}

TyreReadResult ReadTyrePositions(WadArchive& archive, model::EditorModel& model) {
    model.tyres.collisionMeshOffset.reset();
    const std::optional<WadEntry> mesh = archive.FindFirstCollisionMeshEntry();
    if (!mesh) return TyreReadResult::NoCollisionMesh;
    decltype(model.tyres.wheel) wheels{};
    for (size_t w = 0; w < wheels.size(); ++w) {
        const QByteArray bytes =
            archive.file().read(mesh->offset + kWheelOffsets[w], kWheelSize, "wheel position");
        for (size_t i = 0; i < 3; ++i) wheels[w][i] = model::le::f32(bytes.constData() + 4 * i);
    }
    // Bytes past the entry's end belong to the next entry; writing the wheels there later would
    // damage it.
    if (mesh->length < kWheelsEnd)
        throw model::GameFileError(
            archive.file().displayName(), mesh->offset,
            QStringLiteral("a collision mesh of at least %1 bytes for the wheel positions, not %2")
                .arg(kWheelsEnd)
                .arg(mesh->length));
    archive.close();
    model.tyres.wheel = wheels;
    model.tyres.collisionMeshOffset = mesh->offset;
    return TyreReadResult::Read;
}

TyreWriteResult WriteTyrePositions(const QString& archivePath, const model::EditorModel& model) {
    // Writing at a guessed place would damage the archive.
    if (!model.tyres.collisionMeshOffset)
        return archivePath.isEmpty() || !model::fileExists(archivePath)
                   ? TyreWriteResult::ArchiveMissing
                   : TyreWriteResult::NoOffsetKnown;
    std::optional<WadArchive> archive = WadArchive::OpenArchive(archivePath);
    if (!archive) return TyreWriteResult::ArchiveMissing;
    const qint64 mesh = *model.tyres.collisionMeshOffset;
    // All four wheels or none: a short archive is reported before anything is written.
    const qint64 end = mesh + kWheelsEnd;
    if (end > archive->file().size())
        throw model::GameFileError(archive->file().displayName(), mesh + kWheelOffsets.front(),
                                   QStringLiteral("file ends before the wheel positions"));
    for (size_t w = 0; w < kWheelOffsets.size(); ++w) {
        QByteArray bytes;
        for (float p : model.tyres.wheel[w]) bytes.append(model::le::bytesF32(p));
        archive->file().write(mesh + kWheelOffsets[w], bytes, "wheel position");
    }
    archive->close();
    return TyreWriteResult::Written;
}

void CheckTyrePositionsForExport(const QString& archivePath, const model::EditorModel& model) {
    if (archivePath.isEmpty() || !model::fileExists(archivePath)) return;
    if (!model.tyres.collisionMeshOffset) return;
    const qint64 imported = *model.tyres.collisionMeshOffset;
    std::optional<WadEntry> mesh;
    qint64 size = 0;
    try {
        std::optional<WadArchive> archive = WadArchive::OpenArchive(archivePath);
        if (!archive) return;
        size = archive->file().size();
        mesh = archive->FindFirstCollisionMeshEntry();
        archive->close();
    } catch (const model::GameFileError& e) {
        throw model::changedSinceImport(archivePath, e.expected());
    }
    if (!mesh)
        throw model::changedSinceImport(archivePath,
                                        QStringLiteral("it holds no collision mesh any more"));
    if (qint64(mesh->offset) != imported)
        throw model::changedSinceImport(
            archivePath, QStringLiteral("its collision mesh lies at offset %1, not %2")
                             .arg(mesh->offset)
                             .arg(imported));
    if (mesh->length < kWheelsEnd || imported + kWheelsEnd > size)
        throw model::changedSinceImport(
            archivePath, QStringLiteral("its collision mesh no longer holds the wheel positions"));
}

}  // namespace pw::wad
