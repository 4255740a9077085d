#include "core/transfer/ImportRecord.h"

#include "core/bytes/GamePaths.h"

namespace pw::transfer {

ImportRecord RecordImport(const GameFiles& files) {
    ImportRecord record;
    record.game.folder = files.folder;
    record.game.exePath = files.exe;
    record.game.savePath = files.saveState;
    record.exe = model::readFingerprinted(files.exe).fingerprint;
    record.saveState = model::readFingerprinted(files.saveState).fingerprint;
    record.game.saveStateFound = record.saveState.exists();
    RecordArchive(record, files.carsArchive);
    return record;
}

void RecordArchive(ImportRecord& record, const QString& carsArchive) {
    record.carsArchive = carsArchive;
    record.archive = carsArchive.isEmpty() ? model::FileFingerprint{}
                                           : model::readFingerprinted(carsArchive).fingerprint;
}

}  // namespace pw::transfer
