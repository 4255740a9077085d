#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <filesystem>

#include "core/bytes/ByteIO.h"
#include "core/archive/EntryBytes.h"
#include "core/archive/WadArchive.h"
#include "core/archive/WadDirectory.h"
#include "core/archive/WadWriter.h"

using namespace pw::wad;
using pw::model::GameFileError;

namespace {
QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Whether this process holds the archive open and mapped. On Windows, where another program then
// cannot replace it, by replacing it with a copy of itself (the same bytes and time); elsewhere
// from the process's list of mappings.
bool mappedByUs(const QString& path) {
#ifdef _WIN32
    const QString copy = path + QStringLiteral(".copy");
    QFile::remove(copy);
    if (!QFile::copy(path, copy)) throw std::runtime_error("archive not copied");
    {
        QFile f(copy);
        if (!f.open(QIODevice::ReadWrite) ||
            !f.setFileTime(QFileInfo(path).lastModified(), QFileDevice::FileModificationTime))
            throw std::runtime_error("copy's time not set");
    }
    std::error_code refused;
    std::filesystem::rename(copy.toStdWString(), path.toStdWString(), refused);
    QFile::remove(copy);
    return bool(refused);
#else
    return readFile(QStringLiteral("/proc/self/maps")).contains(
        QFileInfo(path).canonicalFilePath().toLocal8Bit());
#endif
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class Wad : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("cars.wad")); }
    // Writes the archive and opens it.
    WadArchive open(const std::vector<WadFileEntry>& entries) {
        placed = WriteWad(path(), entries);
        std::optional<WadArchive> archive = WadArchive::OpenArchive(path());
        if (!archive) throw std::runtime_error("archive not opened");
        return std::move(*archive);
    }

    QTemporaryDir dir;
    std::vector<WadEntry> placed;
};

const std::vector<WadFileEntry> kCars = {
    {"cars\\car_ferrari_car1_lod_0.gp4", "ferrari"},
    {"cars\\Car_X_Car1_LOD_0.gp4", "car x shape"},
    {"a\\cockpit_dash.gp4", "first dash"},
    {"b\\cockpit_dash.gp4", "second dash"},
    {"cars\\collision\\car_collision_mesh.ct", QByteArray(256, '\x11')},
    {"Helmet.GP4", "helmet"},
    {QByteArray("split\0name.gp4", 14), "joined"},
};
}  // namespace

TEST_F(Wad, FindEntryComparesTheFileNamePartWithoutLetterCase) {
    WadArchive archive = open(kCars);
    const struct {
        const char* request;
        int index;  // into kCars; -1: not found
    } cases[] = {
        {"car_x_car1_lod_0.gp4", 1},
        {"CAR_X_CAR1_LOD_0.GP4", 1},
        {"cockpit_dash.gp4", 2},  // the first of two wins
        {"helmet.gp4", 5},        // no folder part
        {"splitname.gp4", 6},     // NULs inside the name are removed
        {"car_collision_mesh.ct", 4},
        {"cars\\car_x_car1_lod_0.gp4", -1},  // only the file name part is compared
        {"car_x_car1_lod_0", -1},
        {"", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request);
        const std::optional<WadEntry> entry = archive.FindEntry(QString::fromLatin1(c.request));
        ASSERT_EQ(entry.has_value(), c.index >= 0);
        if (!entry) continue;
        EXPECT_EQ(entry->offset, placed[size_t(c.index)].offset);
        EXPECT_EQ(entry->length, placed[size_t(c.index)].length);
        EXPECT_EQ(readFile(path()).mid(entry->offset, entry->length), kCars[size_t(c.index)].data);
    }
}

TEST_F(Wad, CollisionMeshIsTheFirstNameEndingInDotCtExactly) {
    const QByteArray mesh(16, 'm');
    const struct {
        const char* what;
        std::vector<WadFileEntry> entries;
        int index;  // -1: none
    } cases[] = {
        {"the game's name", {{"cars\\x.gp4", "x"}, {"cars\\car_collision_mesh.ct", mesh}}, 1},
        {"any name ending in .ct", {{"other_mesh.ct", mesh}, {"car_collision_mesh.ct", mesh}}, 0},
        {"NUL then x joins on", {{QByteArray("car.ct\0x", 8), mesh}}, -1},
        {"letter case counts", {{"car_collision_mesh.CT", mesh}, {"mesh.Ct", mesh}}, -1},
        {"not just contained", {{"car.ct.bak", mesh}, {"cars\\z.ct", mesh}}, 1},
        {"empty directory", {}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WadArchive archive = open(c.entries);
        const std::optional<uint32_t> offset = archive.FindFirstCollisionMesh();
        ASSERT_EQ(offset.has_value(), c.index >= 0);
        if (offset) {
            EXPECT_EQ(*offset, placed[size_t(c.index)].offset);
        }
    }
}

TEST_F(Wad, EmptyDirectoryFindsNothing) {
    WadArchive archive = open({});
    EXPECT_EQ(readFile(path()).size(), 4);
    EXPECT_FALSE(archive.FindEntry(QStringLiteral("cockpit_dash.gp4")).has_value());
    EXPECT_FALSE(archive.FindFirstCollisionMesh().has_value());
}

TEST_F(Wad, DirectoryCountThatDoesNotFitIsAnError) {
    const QByteArray good = BuildWad({{"car.gp4", "abc"}, {"b.ct", "def"}}).bytes;
    const struct {
        const char* what;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"count larger than the file", pw::model::le::bytesU32(0x7FFFFFFF) + good.mid(4),
         "a directory of 2147483647 entries does not fit in the file (room for 2)"},
        {"one entry too many", pw::model::le::bytesU32(3) + good.mid(4),
         "a directory of 3 entries does not fit in the file (room for 2)"},
        {"negative count", pw::model::le::bytesU32(0xFFFFFFFF) + good.mid(4),
         "a directory of -1 entries does not fit in the file (room for 2)"},
        {"directory cut short", good.left(4 + 136 + 100),
         "a directory of 2 entries does not fit in the file (room for 1)"},
        {"no count at all", QByteArray("\x01\x00", 2),
         "file ends before directory entry count (needs 4 bytes, 2 left)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(path(), c.bytes);
        std::optional<WadArchive> archive = WadArchive::OpenArchive(path());
        ASSERT_TRUE(archive.has_value());
        for (int lookup = 0; lookup < 2; ++lookup) {
            try {
                if (lookup == 0)
                    archive->FindEntry(QStringLiteral("car.gp4"));
                else
                    archive->FindFirstCollisionMesh();
                ADD_FAILURE() << "no error";
            } catch (const GameFileError& e) {
                EXPECT_EQ(e.expected(), QString::fromLatin1(c.message));
                EXPECT_EQ(e.offset(), 0);
            }
        }
    }
}

TEST_F(Wad, MissingArchiveIsReportedAndAnyLetterCaseOpens) {
    EXPECT_FALSE(WadArchive::OpenArchive(path()).has_value());
    EXPECT_FALSE(WadArchive::OpenArchive(QString()).has_value());
    EXPECT_FALSE(WadArchive::OpenArchive(dir.path()).has_value());  // a folder is no archive

    WriteWad(dir.filePath(QStringLiteral("CARS.WAD")), kCars);
    std::optional<WadArchive> archive = WadArchive::OpenArchive(path());
    ASSERT_TRUE(archive.has_value());
    EXPECT_TRUE(archive->FindEntry(QStringLiteral("helmet.gp4")).has_value());
}

TEST_F(Wad, ReadOnlyArchiveIsMadeWritableWhenOpenedOrChecked) {
    for (int viaCheck = 0; viaCheck < 2; ++viaCheck) {
        WriteWad(path(), kCars);
        ASSERT_TRUE(QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup));
        ASSERT_FALSE(QFile::permissions(path()) & QFile::WriteOwner);
        if (viaCheck)
            EXPECT_TRUE(IsCarsArchive(path()));
        else
            EXPECT_TRUE(WadArchive::OpenArchive(path()).has_value());
        EXPECT_TRUE(QFile::permissions(path()) & QFile::WriteOwner);
        EXPECT_TRUE(QFile::permissions(path()) & QFile::ReadGroup);  // other permissions kept
    }
}

TEST_F(Wad, ArchiveCheckLooksAtTheFifthByte) {
    const struct {
        const char* what;
        QByteArray bytes;
        bool archive;
    } cases[] = {
        {"first name starts with c", BuildWad({{"cars\\a.gp4", "a"}}).bytes, true},
        {"first name starts with C", BuildWad({{"Cars\\a.gp4", "a"}}).bytes, false},
        {"empty directory", BuildWad({}).bytes, false},
        {"only the count and a c",
         QByteArray("\x01\x00\x00\x00"
                    "c",
                    5),
         true},
        {"too short to tell", QByteArray("\x01\x00\x00\x00", 4), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(path(), c.bytes);
        EXPECT_EQ(IsCarsArchive(path()), c.archive);
    }
    EXPECT_THROW(IsCarsArchive(dir.filePath(QStringLiteral("none.wad"))), GameFileError);
}

TEST(WadWriter, LaysOutCountDirectoryThenData) {
    const BuiltWad wad = BuildWad({{"a\\one.gp4", "12345"}, {"two.ct", "xy"}});
    QByteArray expected;
    expected += QByteArray("\x02\x00\x00\x00", 4);
    expected += QByteArray("a\\one.gp4") + QByteArray(128 - 9, '\0');
    expected += QByteArray(
        "\x14\x01\x00\x00"
        "\x05\x00\x00\x00",
        8);  // offset 276, length 5
    expected += QByteArray("two.ct") + QByteArray(128 - 6, '\0');
    expected += QByteArray(
        "\x19\x01\x00\x00"
        "\x02\x00\x00\x00",
        8);  // offset 281, length 2
    expected += "12345xy";
    EXPECT_EQ(wad.bytes, expected);
    ASSERT_EQ(wad.entries.size(), 2u);
    EXPECT_EQ(wad.entries[1].offset, 281u);
    EXPECT_EQ(wad.entries[1].length, 2u);

    EXPECT_NO_THROW(BuildWad({{QByteArray(128, 'n'), "ok"}}));
    EXPECT_THROW(BuildWad({{QByteArray(129, 'n'), "too long"}}), std::invalid_argument);
}

namespace {
// The lookups as the directory describes them, walked record by record over the file's bytes.
std::optional<WadEntry> scanForName(const QByteArray& file, const QString& name) {
    const uint32_t count = pw::model::le::u32(file.constData());
    for (uint32_t i = 0; i < count; ++i) {
        const char* record = file.constData() + 4 + 136 * qsizetype(i);
        QByteArray stored(record, 128);
        stored.erase(std::remove(stored.begin(), stored.end(), '\0'), stored.end());
        const QByteArray tail = stored.mid(stored.lastIndexOf('\\') + 1);
        if (QString::fromLatin1(tail).toLower() == name.toLower())
            return WadEntry{pw::model::le::u32(record + 128), pw::model::le::u32(record + 132)};
    }
    return std::nullopt;
}
std::optional<WadEntry> scanForMesh(const QByteArray& file) {
    const uint32_t count = pw::model::le::u32(file.constData());
    for (uint32_t i = 0; i < count; ++i) {
        const char* record = file.constData() + 4 + 136 * qsizetype(i);
        QByteArray stored(record, 128);
        stored.erase(std::remove(stored.begin(), stored.end(), '\0'), stored.end());
        if (stored.endsWith(".ct"))
            return WadEntry{pw::model::le::u32(record + 128), pw::model::le::u32(record + 132)};
    }
    return std::nullopt;
}

bool sameEntry(const std::optional<WadEntry>& a, const std::optional<WadEntry>& b) {
    return a.has_value() == b.has_value() &&
           (!a || (a->offset == b->offset && a->length == b->length));
}

// Decoys: the same file name in other folders, names that only contain or extend a wanted one,
// upper-case names, NULs inside a name.
const std::vector<WadFileEntry> kFirst = {
    {"cars\\cockpit_dash.gp4.bak", "decoy"},
    {"cars\\xcockpit_dash.gp4", "decoy"},
    {"a\\COCKPIT_DASH.GP4", "first dash"},
    {"b\\cockpit_dash.gp4", "second dash"},
    {"cars\\Car_X_Car1_LOD_0.gp4", "car x"},
    {QByteArray("cars\\car_\0y_car1_lod_0.gp4", 26), "car y"},
    {"car_collision_mesh.CT", "not the mesh"},
    {"cars\\car_collision_mesh.ct", QByteArray(64, 'm')},
    {"later.ct", "later mesh"},
};
// Another size: the order changed, so other entries win.
const std::vector<WadFileEntry> kSecond = {
    {"later.ct", "later mesh, now first"},
    {"b\\cockpit_dash.gp4", "second dash, now first"},
    {"a\\COCKPIT_DASH.GP4", "first dash"},
    {"cars\\CAR_Z_CAR1_LOD_0.GP4", "car z"},
};
// The size of kSecond, other names and places.
const std::vector<WadFileEntry> kThird = {
    {"cars\\car_collision_mesh.ct", "later mesh, now first"},
    {"cars\\CAR_Y_CAR1_LOD_0.GP4", "second dash, now first"},
    {"a\\cockpit_dash.gp4", "first dash"},
    {"cars\\car_x_car1_lod_0.gp4", "car z"},
};

const QStringList kRequests = {
    "cockpit_dash.gp4", "COCKPIT_DASH.GP4", "cockpit_dash.gp4.bak", "xcockpit_dash.gp4",
    "car_x_car1_lod_0.gp4", "car_y_car1_lod_0.gp4", "car_z_car1_lod_0.gp4",
    "car_collision_mesh.ct", "car_collision_mesh.CT", "later.ct", "cars\\car_x_car1_lod_0.gp4",
    "", "missing.gp4"};

class CachedDirectory : public Wad {
protected:
    void SetUp() override { setDirectorySettleTime(0); }
    void TearDown() override { setDirectorySettleTime(kDefaultSettleMs); }

    // Every request and the collision mesh, through a newly opened archive each, against a walk
    // of the file's bytes; returns how many directory reads the lookups took.
    long long expectAnswersOfAFreshScan(const char* what) {
        SCOPED_TRACE(what);
        const QByteArray bytes = readFile(path());
        const long long before = directoryReads();
        for (const QString& request : kRequests) {
            SCOPED_TRACE(request.toStdString());
            std::optional<WadArchive> archive = WadArchive::OpenArchive(path());
            EXPECT_TRUE(archive.has_value());
            if (!archive) continue;
            EXPECT_TRUE(sameEntry(archive->FindEntry(request), scanForName(bytes, request)));
            EXPECT_TRUE(sameEntry(archive->FindFirstCollisionMeshEntry(), scanForMesh(bytes)));
        }
        return directoryReads() - before;
    }
    void setModified(const QDateTime& time) {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
    }
};
}  // namespace

TEST_F(CachedDirectory, AnswersAsAFreshScanAfterTheArchiveIsReplaced) {
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    WriteWad(path(), kFirst);
    setModified(past);
    EXPECT_EQ(expectAnswersOfAFreshScan("first archive"), 1);
    EXPECT_EQ(expectAnswersOfAFreshScan("first archive again"), 0);

    WriteWad(path(), kSecond);
    setModified(past);
    EXPECT_EQ(expectAnswersOfAFreshScan("new size"), 1);

    WriteWad(path(), kThird);
    ASSERT_EQ(readFile(path()).size(), BuildWad(kSecond).bytes.size());
    setModified(past.addSecs(1));
    EXPECT_EQ(expectAnswersOfAFreshScan("same size, new time"), 1);
    EXPECT_EQ(expectAnswersOfAFreshScan("same size, new time, again"), 0);

    // Another archive at another path has its own directory; the first stays kept.
    const QString other = dir.filePath(QStringLiteral("other.wad"));
    WriteWad(other, kFirst);
    std::optional<WadArchive> archive = WadArchive::OpenArchive(other);
    ASSERT_TRUE(archive.has_value());
    EXPECT_TRUE(sameEntry(archive->FindEntry(QStringLiteral("cockpit_dash.gp4")),
                          scanForName(readFile(other), QStringLiteral("cockpit_dash.gp4"))));
    EXPECT_EQ(expectAnswersOfAFreshScan("after another archive"), 0);
}

TEST_F(CachedDirectory, AFileChangedMomentsAgoIsReadAgainAtEveryLookup) {
    setDirectorySettleTime(kDefaultSettleMs);
    WriteWad(path(), kSecond);
    EXPECT_EQ(expectAnswersOfAFreshScan("just written"), qsizetype(2 * kRequests.size()));
    // Same size, written within the time stamps' resolution: still the new answers.
    WriteWad(path(), kThird);
    EXPECT_EQ(expectAnswersOfAFreshScan("rewritten at once"), qsizetype(2 * kRequests.size()));
}

// The entry's bytes as the preview draws them: the same answer while the archive is unchanged,
// the new file's bytes once it is replaced (another size, or the same size at another time).
TEST_F(CachedDirectory, EntryBytesFollowTheArchiveOnDisk) {
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    const QString dash = QStringLiteral("cockpit_dash.gp4");
    const auto expectFreshBytes = [&](const char* what) {
        SCOPED_TRACE(what);
        const QByteArray file = readFile(path());
        const std::optional<WadEntry> entry = scanForName(file, dash);
        const EntryBytes found = FindEntryBytes(path(), dash);
        EXPECT_EQ(found.status, entry ? EntryBytes::Status::Found : EntryBytes::Status::NotFound);
        if (entry) {
            EXPECT_EQ(found.bytes, file.mid(entry->offset));
        }
        return found.stamp;
    };
    WriteWad(path(), kFirst);
    setModified(past);
    const auto first = expectFreshBytes("first archive");
    EXPECT_EQ(expectFreshBytes("first archive again"), first);

    WriteWad(path(), kSecond);
    setModified(past);
    const auto second = expectFreshBytes("new size");
    EXPECT_NE(second, first);

    WriteWad(path(), kThird);
    setModified(past.addSecs(1));
    const auto third = expectFreshBytes("same size, new time");
    EXPECT_NE(third, second);

    WriteWad(path(), {{"cars\\car_x_car1_lod_0.gp4", "car x"}});
    setModified(past);
    EXPECT_NE(expectFreshBytes("no dashboard"), third);
    ASSERT_TRUE(QFile::remove(path()));
    EXPECT_EQ(FindEntryBytes(path(), dash).status, EntryBytes::Status::ArchiveMissing);
}

// The preview holds an entry's bytes while it parses a shape, not between paints: a kept answer
// must not keep the archive open, or another tool could not replace it (Windows refuses to replace
// a mapped file).
TEST_F(CachedDirectory, TheArchiveIsHeldOnlyWhileAnAnswersBytesAre) {
    const QString dash = QStringLiteral("cockpit_dash.gp4");
    WriteWad(path(), kFirst);
    setModified(QDateTime::currentDateTime().addSecs(-3600));
    const std::optional<WadEntry> entry = scanForName(readFile(path()), dash);
    ASSERT_TRUE(entry.has_value());
    const QByteArray expected = readFile(path()).mid(entry->offset);

    std::shared_ptr<const void> stamp;
    {
        const EntryBytes first = FindEntryBytes(path(), dash);
        ASSERT_EQ(first.bytes, expected);
        ASSERT_TRUE(first.keepAlive) << "the bytes were read, not mapped: nothing to check";
        stamp = first.stamp;
        EXPECT_TRUE(mappedByUs(path()));
        // Asked again while the first answer is held: the same mapping.
        const EntryBytes again = FindEntryBytes(path(), dash);
        EXPECT_EQ(again.bytes.constData(), first.bytes.constData());
    }
    EXPECT_FALSE(mappedByUs(path())) << "the archive stays mapped after its bytes were let go";
    {
        // The directory is still kept: the same answer, mapped again.
        const EntryBytes kept = FindEntryBytes(path(), dash);
        EXPECT_EQ(kept.stamp, stamp);
        EXPECT_EQ(kept.bytes, expected);
    }
    EXPECT_FALSE(mappedByUs(path()));
}
