// The save-state file's tables and checksum, with the executable's tyre-brand word and
// performance block. Input: where each file ends (two bytes each), then the executable's regions
// (version byte first), then the save-state file's.

#include "GameFileRegions.h"
#include "Harness.h"
#include "core/bytes/ByteIO.h"
#include "core/tables/SaveState.h"

namespace pw::fuzz {

void fuzzSaveState(const uint8_t* data, size_t size) {
    ByteSource in(data, size);
    FileEnd saveEnd, exeEnd;
    saveEnd.region = in.byte();
    saveEnd.offset = in.byte();
    exeEnd.region = in.byte();
    exeEnd.offset = in.byte();
    const unsigned version = size > 4 ? data[4] : 0;
    const QByteArray exe = sparseFile(exeBuffer(version), exeRegions(version), in, exeEnd);
    static QByteArray saveBuffer;
    const QByteArray save = sparseFile(saveBuffer, saveStateRegions(), in, saveEnd);
    const QString saveName = QStringLiteral("f1gstate.sav"), exeName = QStringLiteral("GP4.exe");

    model::EditorModel m;
    if (accepted([&] {
            model::GameFile s(save, saveName), e(exe, exeName);
            model::ReadTyreBrands(s, e, m);
        })) {
        for (const model::TeamRecord& t : m.teams)
            promise(t.tyreBrand >= 0 && t.tyreBrand <= 2, "every brand is 0, 1 or 2");
    }
    accepted([&] {
        model::GameFile s(save, saveName), e(exe, exeName);
        model::ReadSaveStateTables(s, e, m);
    });

    model::GameFile s(save, saveName);
    if (accepted([&] { model::SaveStateChecksum(s); })) {
        const QByteArray after = s.bytes();
        const qsizetype covered = save.size() - model::save::kChecksumSize;
        promise(after.size() == save.size() && after.left(covered) == save.left(covered),
                "the checksum changes only its own four bytes");
        promise(model::le::u32(after.constData() + covered) ==
                    model::saveStateChecksumOf(after.left(covered)),
                "the checksum stored is the one of the bytes before it");
    }
}

}  // namespace pw::fuzz
