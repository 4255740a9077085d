#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/archive/WadArchive.h"
#include "core/bytes/FileStamp.h"

namespace pw::model {
class GameFile;
}

namespace pw::wad {

// The directory of a cars archive, read in one piece and indexed for both lookups: by file name
// (the stored name without NULs, cut after its last "\", lower-cased; the first entry of a name
// wins) and the first entry whose stored name ends in ".ct". Answers exactly as a walk of the
// directory in order would.
class WadDirectory {
public:
    // Reads the count and the whole directory. Throws GameFileError when the count does not fit
    // in the file or the file cannot be read.
    static WadDirectory read(model::GameFile& file);

    std::optional<WadEntry> findByName(const QString& name) const;
    std::optional<WadEntry> firstCollisionMesh() const { return collisionMesh_; }
    int entryCount() const { return count_; }

private:
    struct Item {
        uint32_t keyOffset;  // into keys_
        uint32_t keyLength;
        WadEntry entry;
    };
    const Item* find(const char* key, size_t length, size_t hash) const;

    // The lower-cased file names one after another, the first entry of each name, and an
    // open-addressing table of item indexes (-1: empty), a power of two long.
    std::string keys_;
    std::vector<Item> items_;
    std::vector<int32_t> slots_;
    std::optional<WadEntry> collisionMesh_;
    int count_ = 0;
};

// The directory of the open archive, read again only when the file at its path is another one
// than at the last read: another size, modification time or status-change time. Every lookup of
// an unchanged archive reuses one read. A file changed less than the settle time before the
// lookup is read again every time (its time stamps might not yet tell a further change), and a
// directory that cannot be read is not kept.
std::shared_ptr<const WadDirectory> cachedDirectory(model::GameFile& file);
// The directory kept for the archive at path (letter case does not matter) while the file there
// still has the stamp it was read under; nothing otherwise. Neither opens nor reads the file: a
// caller that kept something found through this directory may use it again while the same
// directory comes back.
std::shared_ptr<const WadDirectory> keptDirectory(const QString& path);

inline constexpr qint64 kDefaultSettleMs = model::kDefaultSettleMs;
// Tests that write archives and look them up at once shorten it (0: trusted at once); the same
// settle time holds for everything kept under a file's stamp.
void setDirectorySettleTime(qint64 milliseconds);

// Forgets every directory read so far.
void clearDirectoryCache();
// How many directories were read from files since the program started (for tests and benchmarks).
long long directoryReads();

}  // namespace pw::wad
