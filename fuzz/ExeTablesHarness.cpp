// The executable's tables, both layouts and every version byte. Input: where the file ends (two
// bytes), then the version byte and the bytes of every other region, in file order.

#include "GameFileRegions.h"
#include "Harness.h"
#include "core/bytes/ByteIO.h"
#include "core/tables/ExeLayout.h"
#include "core/tables/ExeTables.h"
#include "core/tables/SaveState.h"

namespace pw::fuzz {

void fuzzExeTables(const uint8_t* data, size_t size) {
    ByteSource in(data, size);
    FileEnd end;
    end.region = in.byte();
    end.offset = in.byte();
    const unsigned version = size > 2 ? data[2] : 0;
    const QByteArray exe = sparseFile(exeBuffer(version), exeRegions(version), in, end);
    const QString name = QStringLiteral("GP4.exe");

    model::EditorModel m;
    m.versionByte = uint8_t(version + 1);
    if (accepted([&] {
            model::GameFile file(exe, name);
            model::ReadExeTables(file, m);
        }))
        promise(m.versionByte == version, "the version byte read is the model's");
    m.versionByte = uint8_t(version);

    model::ShapeNamesStatus names = model::ShapeNamesStatus::UnknownVersion;
    if (accepted([&] {
            model::GameFile file(exe, name);
            names = model::GetNames(file, m);
        })) {
        for (const model::TeamRecord& t : m.teams)
            promise(t.carShapeName.size() <= model::exe::kShapeNameSize,
                    "a car-shape name fits its record");
        promise(m.currentShapeName == QString::fromLatin1(m.teams[0].carShapeName),
                "the current shape is team 0's");
        promise((names == model::ShapeNamesStatus::Done) == model::exe::shapeNamesKnown(version),
                "names are read exactly for the builds that have them");
    }

    accepted([&] {
        model::GameFile file(exe, name);
        model::ReadPerformanceBlock(file, m);
    });
}

}  // namespace pw::fuzz
