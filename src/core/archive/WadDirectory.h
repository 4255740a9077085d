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

// The directory of a cars archive, read in one piece, answering both lookups: by file name (the
// stored name without NULs, cut after its last "\", lower-cased; the first entry of a name wins)
// and the first entry whose stored name ends in ".ct". Answers exactly as a walk of the directory
// in order would. The first name lookup is such a walk, stopping at its entry; the next ones go
// through an index of every name, built at the second lookup: most directories read are asked
// once. Not for use from several threads at once.
class WadDirectory {
public:
    // Reads the count and the whole directory. Throws GameFileError when the count does not fit
    // in the file or the file cannot be read.
    static WadDirectory read(model::GameFile& file);

    std::optional<WadEntry> findByName(const QString& name) const;
    std::optional<WadEntry> firstCollisionMesh() const;
    int entryCount() const { return count_; }

private:
    struct Item {
        uint32_t record;    // index of the entry's record
        uint32_t keyStart;  // the file name's start and length within the record
        uint32_t keyLength;
        uint32_t hash;  // the low bits of the name's hash, to pass over other names quickly
        WadEntry entry;
    };
    // The length of record i's name, its NULs taken out first where any stand between
    // characters (they are moved to its end, in place, the first time).
    size_t nameLength(int i) const;
    const char* record(int i) const { return records_.constData() + i * layout::kRecordSize; }
    WadEntry entryOf(int i) const;
    std::optional<WadEntry> walk(const std::string& key) const;
    void index() const;
    const Item* find(const char* key, size_t length, uint64_t hash) const;

    // The directory's records as read, but for the NULs moved (see nameLength).
    mutable QByteArray records_;
    mutable int lookups_ = 0;
    mutable bool indexed_ = false;
    // The first entry of each name, and an open-addressing table of item indexes (-1: empty), a
    // power of two long.
    mutable std::vector<Item> items_;
    mutable std::vector<int32_t> slots_;
    mutable std::optional<WadEntry> collisionMesh_;
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
