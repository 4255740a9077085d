#include "core/archive/WadWriter.h"

#include <QDir>
#include <QSaveFile>
#include <stdexcept>

#include "core/bytes/ByteIO.h"

namespace pw::wad {

BuiltWad BuildWad(const std::vector<WadFileEntry>& entries) {
    BuiltWad wad;
    qint64 dataOffset = layout::kDirectoryOffset + qint64(entries.size()) * layout::kRecordSize;
    model::ByteWriter out;
    out.i32(int32_t(entries.size()));
    for (const WadFileEntry& e : entries) {
        if (e.name.size() > layout::kNameSize)
            throw std::invalid_argument("archive entry name longer than 128 bytes: " +
                                        e.name.toStdString());
        const WadEntry placed{uint32_t(dataOffset), uint32_t(e.data.size())};
        out.padded(e.name, int(layout::kNameSize));
        out.u32(placed.offset);
        out.u32(placed.length);
        wad.entries.push_back(placed);
        dataOffset += e.data.size();
    }
    for (const WadFileEntry& e : entries) out.bytes(e.data);
    wad.bytes = out.data();
    return wad;
}

std::vector<WadEntry> WriteWad(const QString& path, const std::vector<WadFileEntry>& entries) {
    BuiltWad wad = BuildWad(entries);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(wad.bytes) != wad.bytes.size() ||
        !file.commit())
        throw model::GameFileError(
            QDir::toNativeSeparators(path), model::GameFileError::kNoOffset,
            QStringLiteral("cannot be written (%1)").arg(file.errorString()));
    return wad.entries;
}

}  // namespace pw::wad
