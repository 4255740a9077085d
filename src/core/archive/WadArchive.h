#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace pw::model {
class GameFile;
}

namespace pw::wad {

class WadDirectory;

// Directory layout of the cars archive: a 32-bit entry count, then one 136-byte record per
// entry (NUL-padded name, absolute data offset, data length), all little-endian.
namespace layout {
inline constexpr qint64 kCountOffset = 0;
inline constexpr qint64 kDirectoryOffset = 4;
inline constexpr qint64 kRecordSize = 136;
inline constexpr qint64 kNameSize = 128;
inline constexpr qint64 kDataOffsetInRecord = 128;
inline constexpr qint64 kDataLengthInRecord = 132;
// The archive check: the first character of the first entry's name is "c".
inline constexpr qint64 kMarkerOffset = 4;
inline constexpr uint8_t kMarker = 99;
}  // namespace layout

struct WadEntry {
    uint32_t offset = 0;  // absolute file offset of the entry's first byte
    uint32_t length = 0;
};

// Makes the file writable for its owner (the counterpart of clearing a file's attributes);
// nothing when it already is. The later read-write open reports a failure.
void MakeWritable(const QString& path);

// Whether the file at path is a cars archive: its byte at offset 4 is 99. The file is made
// writable first, so a chosen read-only archive can take the tyre positions later. A file too
// short to hold that byte is no archive. Throws GameFileError when the file cannot be opened.
bool IsCarsArchive(const QString& path);
// The same test over an open file (on disk or in memory); the path form calls it.
bool IsCarsArchive(model::GameFile& file);

// The cars archive, open for reading and writing while the object lives. Entry lookups use the
// directory as read once per archive file (see cachedDirectory); car shapes and tyre positions are
// read and written in place through file().
class WadArchive {
public:
    // Nothing when no file is at path ("missing"; letter case does not matter). Otherwise the file
    // is made writable and opened read-write; throws GameFileError when that fails.
    static std::optional<WadArchive> OpenArchive(const QString& path);
    // An archive over a file already open (on disk or in memory).
    explicit WadArchive(std::unique_ptr<model::GameFile> file);

    WadArchive(WadArchive&&) noexcept;
    WadArchive& operator=(WadArchive&&) noexcept;
    ~WadArchive();

    // The first entry whose stored name (NULs removed, cut after its last "\", lower-cased)
    // equals name lower-cased.
    std::optional<WadEntry> FindEntry(const QString& name);
    // The first entry whose stored name (NULs removed) ends in ".ct", case counting.
    std::optional<WadEntry> FindFirstCollisionMeshEntry();
    // That entry's data offset.
    std::optional<uint32_t> FindFirstCollisionMesh();
    // The directory the lookups answer from (see cachedDirectory).
    std::shared_ptr<const WadDirectory> directory();

    model::GameFile& file() { return *file_; }
    void close();

private:
    std::unique_ptr<model::GameFile> file_;
};

}  // namespace pw::wad
