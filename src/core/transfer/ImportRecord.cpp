#include "core/transfer/ImportRecord.h"

#include "core/archive/TyrePositions.h"
#include "core/archive/WadDirectory.h"
#include "core/bytes/ByteIO.h"
#include "core/bytes/GamePaths.h"

namespace pw::transfer {

model::FileFingerprint ArchiveFingerprint(const QString& carsArchive) {
    model::FileFingerprint fingerprint;
    fingerprint.stamp = model::fileStampOf(carsArchive);
    if (!fingerprint.exists()) return fingerprint;
    try {
        model::GameFile file(carsArchive, model::GameFile::Access::ReadOnly);
        const wad::WadDirectory directory = wad::WadDirectory::read(file);
        QByteArray covered =
            file.read(wad::layout::kDirectoryOffset,
                      directory.entryCount() * wad::layout::kRecordSize, "the directory");
        if (const auto mesh = directory.firstCollisionMesh()) {
            const qint64 from = qint64(mesh->offset) + wad::kWheelOffsets.front();
            const qint64 length = wad::kWheelsEnd - wad::kWheelOffsets.front();
            if (from + length <= file.size()) covered += file.read(from, length, "the wheels");
        }
        fingerprint.sha256 = model::sha256Hex(covered);
    } catch (const model::GameFileError&) {
        fingerprint = model::fingerprintOf(carsArchive);
    }
    return fingerprint;
}

ImportRecord RecordImport(const GameFiles& files) {
    ImportRecord record;
    record.game.folder = files.folder;
    record.game.exePath = files.exe;
    record.game.savePath = files.saveState;
    record.exe = model::fingerprintOf(files.exe);
    record.saveState = model::fingerprintOf(files.saveState);
    record.game.saveStateFound = record.saveState.exists();
    RecordArchive(record, files.carsArchive);
    return record;
}

void RecordArchive(ImportRecord& record, const QString& carsArchive) {
    record.carsArchive = carsArchive;
    record.archive =
        carsArchive.isEmpty() ? model::FileFingerprint{} : ArchiveFingerprint(carsArchive);
}

}  // namespace pw::transfer
