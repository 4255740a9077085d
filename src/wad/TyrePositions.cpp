#include "TyrePositions.h"

#include "WadArchive.h"
#include "model/ByteIO.h"
#include "model/GamePaths.h"

namespace pw::wad {

static_assert(kWheelOffsets.size() == model::kWheelCount);

TyreReadResult ReadTyrePositions(const QString& archivePath, model::EditorModel& model) {
    std::optional<WadArchive> archive = WadArchive::OpenArchive(archivePath);
    // Whatever offset an earlier archive gave no longer belongs to the archive at this path.
    if (!archive) {
        model.tyres.collisionMeshOffset.reset();
        return TyreReadResult::ArchiveMissing;
    }
    const std::optional<uint32_t> mesh = archive->FindFirstCollisionMesh();
    if (!mesh) {
        model.tyres.collisionMeshOffset.reset();
        return TyreReadResult::NoCollisionMesh;
    }
    decltype(model.tyres.wheel) wheels{};
    for (size_t w = 0; w < wheels.size(); ++w) {
        const QByteArray bytes =
            archive->file().read(*mesh + kWheelOffsets[w], kWheelSize, "wheel position");
        for (size_t i = 0; i < 3; ++i) wheels[w][i] = model::le::f32(bytes.constData() + 4 * i);
    }
    archive->close();
    model.tyres.wheel = wheels;
    model.tyres.collisionMeshOffset = *mesh;
    return TyreReadResult::Read;
}

TyreWriteResult WriteTyrePositions(const QString& archivePath, const model::EditorModel& model) {
    if (archivePath.isEmpty() || !model::fileExists(archivePath))
        return TyreWriteResult::ArchiveMissing;
    // Writing at a guessed place would damage the archive.
    if (!model.tyres.collisionMeshOffset) return TyreWriteResult::NoOffsetKnown;
    std::optional<WadArchive> archive = WadArchive::OpenArchive(archivePath);
    if (!archive) return TyreWriteResult::ArchiveMissing;
    const qint64 mesh = *model.tyres.collisionMeshOffset;
    // All four wheels or none: a short archive is reported before anything is written.
    const qint64 end = mesh + kWheelOffsets.back() + kWheelSize;
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

}  // namespace pw::wad
