// The cars archive: its check byte, directory lookups and the wheel positions in the first
// collision mesh. Input: the archive.

#include <memory>

#include "Harness.h"
#include "core/bytes/ByteIO.h"
#include "core/archive/TyrePositions.h"
#include "core/archive/WadArchive.h"

namespace pw::fuzz {

namespace {
const QString kName = QStringLiteral("cars.wad");

wad::WadArchive archiveOf(const QByteArray& bytes) {
    return wad::WadArchive(std::make_unique<model::GameFile>(bytes, kName));
}
}  // namespace

void fuzzCarsArchive(const uint8_t* data, size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    accepted([&] {
        model::GameFile file(bytes, kName);
        wad::IsCarsArchive(file);
    });
    accepted([&] {
        wad::WadArchive archive = archiveOf(bytes);
        archive.FindEntry(QStringLiteral("car_cockpit_00.gp4"));
        archive.FindEntry(QStringLiteral("CAR_BODY_00.GP4"));
        archive.FindFirstCollisionMesh();
    });
    model::EditorModel m;
    wad::TyreReadResult result = wad::TyreReadResult::ArchiveMissing;
    if (accepted([&] {
            wad::WadArchive archive = archiveOf(bytes);
            result = wad::ReadTyrePositions(archive, m);
        })) {
        promise(result != wad::TyreReadResult::ArchiveMissing, "an open archive is never missing");
        promise((result == wad::TyreReadResult::Read) == m.tyres.collisionMeshOffset.has_value(),
                "an offset is known exactly when the wheels were read");
        if (m.tyres.collisionMeshOffset)
            promise(qint64(*m.tyres.collisionMeshOffset) + wad::kWheelsEnd <= bytes.size(),
                    "the wheels lie inside the archive");
    }
}

}  // namespace pw::fuzz
