#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "core/archive/WadArchive.h"

namespace pw::wad {

// One entry of an archive to build. The name is stored as given (up to 128 bytes, zero-padded),
// so it may carry folder parts separated by "\" and even embedded NULs.
struct WadFileEntry {
    QByteArray name;
    QByteArray data;
};

struct BuiltWad {
    QByteArray bytes;
    std::vector<WadEntry> entries;  // where each entry's data landed, in the order given
};

// The archive bytes: the count, the directory, then every entry's data in the order given.
// Throws std::invalid_argument for a name longer than the 128-byte name field.
BuiltWad BuildWad(const std::vector<WadFileEntry>& entries);
// BuildWad written to path (created or replaced); throws GameFileError when it cannot be written.
std::vector<WadEntry> WriteWad(const QString& path, const std::vector<WadFileEntry>& entries);

}  // namespace pw::wad
