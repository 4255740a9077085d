#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstring>
#include <functional>

#include "GameFileFixtures.h"
#include "core/tables/ExeTables.h"
#include "core/bytes/GameFileError.h"

using namespace pw::model;
using namespace pw::test;

namespace {

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN,
              "the field table below copies host values as file bytes");

// The game's offsets, written out here on their own so that a wrong constant in the code shows.
struct Offsets {
    qint64 cockpit, rim4, rimLink, rimTable, shapeNames, wheels, helmets, tcams, arms, base, k;
    uint32_t kRim;
};
constexpr Offsets kA{453316,  572299,  572317,  572325,  2352688, 2356344,
                     2356520, 2356696, 2356808, 2356860, 2572840, 6552071};
constexpr Offsets kB{458212,  579211,  579229,  579237,  2374568, 2378224,
                     2378400, 2378576, 2378688, 2378740, 2595848, 6573951};
constexpr qint64 kExeSize = 2596200;  // a little past camera block K of layout B

// One value of a table: where it lies, and how to reach it in the model.
struct Field {
    const char* name;
    std::function<qint64(const Offsets&)> at;
    QByteArray value;  // file bytes of a distinctive value
    std::function<void*(EditorModel&)> ref;
};

template <typename T>
Field field(const char* name, std::function<qint64(const Offsets&)> at, T value,
            std::function<T&(EditorModel&)> ref) {
    QByteArray bytes(sizeof(T), '\0');
    std::memcpy(bytes.data(), &value, sizeof(T));
    return {name, std::move(at), bytes, [ref](EditorModel& m) -> void* { return &ref(m); }};
}

QByteArray modelBytes(const Field& f, EditorModel& m) {
    return QByteArray(static_cast<const char*>(f.ref(m)), f.value.size());
}
void setModelBytes(const Field& f, EditorModel& m, const QByteArray& bytes) {
    std::memcpy(f.ref(m), bytes.constData(), size_t(bytes.size()));
}

const std::vector<Field>& fields() {
    using O = const Offsets&;
    using M = EditorModel&;
    static const std::vector<Field> all{
        field<float>(
            "dashX", [](O o) { return o.cockpit; }, 1.25f,
            [](M m) -> float& { return m.cockpit.dashX; }),
        field<float>(
            "dashZ", [](O o) { return o.cockpit + 16; }, -2.5f,
            [](M m) -> float& { return m.cockpit.dashZ; }),
        field<float>(
            "dashY", [](O o) { return o.cockpit + 26; }, 0.375f,
            [](M m) -> float& { return m.cockpit.dashY; }),
        field<float>(
            "wheelX", [](O o) { return o.cockpit + 36; }, 3.5f,
            [](M m) -> float& { return m.cockpit.wheelX; }),
        field<float>(
            "wheelZ", [](O o) { return o.cockpit + 46; }, -0.125f,
            [](M m) -> float& { return m.cockpit.wheelZ; }),
        field<float>(
            "wheelY", [](O o) { return o.cockpit + 56; }, 7.75f,
            [](M m) -> float& { return m.cockpit.wheelY; }),
        field<uint32_t>(
            "rim team 4", [](O o) { return o.rim4; }, 0x00112233u,
            [](M m) -> uint32_t& { return m.teams[4].rimColour; }),
        field<uint32_t>(
            "rim team 0", [](O o) { return o.rimTable; }, 0x00A1B2C3u,
            [](M m) -> uint32_t& { return m.teams[0].rimColour; }),
        field<uint32_t>(
            "rim team 3", [](O o) { return o.rimTable + 24; }, 0x00040506u,
            [](M m) -> uint32_t& { return m.teams[3].rimColour; }),
        field<uint32_t>(
            "rim team 5", [](O o) { return o.rimTable + 32; }, 0x00070809u,
            [](M m) -> uint32_t& { return m.teams[5].rimColour; }),
        field<uint32_t>(
            "rim team 10", [](O o) { return o.rimTable + 72; }, 0x00FFEEDDu,
            [](M m) -> uint32_t& { return m.teams[10].rimColour; }),
        field<float>(
            "helmet Z team 2", [](O o) { return o.helmets + 16; }, 0.5f,
            [](M m) -> float& { return m.teams[2].helmetZ; }),
        field<float>(
            "helmet Y team 2", [](O o) { return o.helmets + 20; }, -0.75f,
            [](M m) -> float& { return m.teams[2].helmetY; }),
        field<int16_t>(
            "T-Cam Z team 10", [](O o) { return o.tcams + 40; }, int16_t(-122),
            [](M m) -> int16_t& { return m.teams[10].tcamZ; }),
        field<int16_t>(
            "T-Cam Y team 10", [](O o) { return o.tcams + 42; }, int16_t(160),
            [](M m) -> int16_t& { return m.teams[10].tcamY; }),
        field<uint32_t>(
            "arm team 7", [](O o) { return o.arms + 28; }, 0xFF102030u,
            [](M m) -> uint32_t& { return m.teams[7].armColour; }),
        field<float>(
            "wheel base Y", [](O o) { return o.base; }, 0.0625f,
            [](M m) -> float& { return m.wheelBaseY; }),
        field<float>(
            "wheel base Z", [](O o) { return o.base + 4; }, 1.0625f,
            [](M m) -> float& { return m.wheelBaseZ; }),
        field<float>(
            "wheel Z team 1", [](O o) { return o.wheels + 8; }, 0.875f,
            [](M m) -> float& { return m.teams[1].wheelZ; }),
        field<float>(
            "wheel Y team 1", [](O o) { return o.wheels + 12; }, -0.3125f,
            [](M m) -> float& { return m.teams[1].wheelY; }),
        field<int16_t>(
            "chaseY", [](O o) { return o.k; }, int16_t(-300),
            [](M m) -> int16_t& { return m.chaseY; }),
        field<int16_t>(
            "chaseZ", [](O o) { return o.k + 24; }, int16_t(1234),
            [](M m) -> int16_t& { return m.chaseZ; }),
        field<int16_t>(
            "camera 0 x", [](O o) { return o.k + 32; }, int16_t(-7),
            [](M m) -> int16_t& { return m.cameras[0].field[CamX]; }),
        field<int16_t>(
            "camera 5 pitch", [](O o) { return o.k + 32 + 5 * 20 + 8; }, int16_t(-5460),
            [](M m) -> int16_t& { return m.cameras[5].field[CamPitch]; }),
        field<int16_t>(
            "camera 11 wheel detail front", [](O o) { return o.k + 32 + 11 * 20 + 18; }, int16_t(3),
            [](M m) -> int16_t& { return m.cameras[11].field[CamWheelDetailFront]; }),
    };
    return all;
}

class ExeFile {
public:
    explicit ExeFile(uint8_t versionByte, qint64 size = kExeSize) : bytes(patternBytes(size)) {
        if (size > 312) bytes[312] = char(versionByte);
    }
    void save() { writeFile(path(), bytes); }
    QString path() const { return dir_.filePath(QStringLiteral("GP4.exe")); }
    QByteArray onDisk() const { return readFile(path()); }
    // The file as a write without edits must leave it: only the rim link word differs.
    QByteArray withLinkWord(const Offsets& o) const {
        QByteArray b = bytes;
        uint32_t rim4;
        std::memcpy(&rim4, bytes.constData() + o.rim4, 4);
        poke(b, o.rimLink, u32le(o.kRim + rim4));
        return b;
    }

    QByteArray bytes;

private:
    QTemporaryDir dir_;
};

// Canonical names (first byte upper, then lower case, no NULs inside) survive a read unchanged.
const char* const kNames[11] = {"Ferrari", "Mclaren", "Williams", "Benetton", "Bar",       "Jordan",
                                "Arrows",  "Sauber",  "Jaguar",   "Minardi",  "Prost team"};
void pokeNames(QByteArray& b, const Offsets& o) {
    for (int t = 0; t < 11; ++t) poke(b, o.shapeNames + 32 * t, record(kNames[t], 32));
}

struct VersionCase {
    uint8_t versionByte;
    const Offsets* layout;
    bool namesKnown;
};
std::ostream& operator<<(std::ostream& os, const VersionCase& c) {
    return os << "version byte " << int(c.versionByte);
}

// What Import All reads from the executable.
EditorModel importTables(const QString& path) {
    EditorModel m;
    ReadExeTables(path, m);
    GetNames(path, m);
    return m;
}

class ExeTablesByVersion : public ::testing::TestWithParam<VersionCase> {};

INSTANTIATE_TEST_SUITE_P(Versions, ExeTablesByVersion,
                         ::testing::Values(VersionCase{0, &kA, true}, VersionCase{70, &kA, false},
                                           VersionCase{1, &kA, false}, VersionCase{255, &kA, false},
                                           VersionCase{102, &kB, true}),
                         [](const auto& info) {
                             return "version" + std::to_string(info.param.versionByte);
                         });

}  // namespace

TEST_P(ExeTablesByVersion, ReadsEveryTableOfItsLayout) {
    const VersionCase c = GetParam();
    ExeFile exe(c.versionByte);
    for (const Field& f : fields()) poke(exe.bytes, f.at(*c.layout), f.value);
    exe.save();

    EditorModel m;
    ReadExeTables(exe.path(), m);
    EXPECT_EQ(m.versionByte, c.versionByte);
    for (const Field& f : fields()) EXPECT_EQ(modelBytes(f, m).toHex(), f.value.toHex()) << f.name;
}

TEST_P(ExeTablesByVersion, WriteWithoutEditsChangesOnlyTheRimLinkWord) {
    const VersionCase c = GetParam();
    ExeFile exe(c.versionByte);
    pokeNames(exe.bytes, *c.layout);
    exe.save();

    EditorModel m;
    ReadExeTables(exe.path(), m);
    EXPECT_EQ(GetNames(exe.path(), m),
              c.namesKnown ? ShapeNamesStatus::Done : ShapeNamesStatus::UnknownVersion);
    EXPECT_EQ(WriteExeTables(exe.path(), m),
              c.namesKnown ? ShapeNamesStatus::Done : ShapeNamesStatus::UnknownVersion);
    EXPECT_EQ(exe.onDisk(), exe.withLinkWord(*c.layout));
}

TEST_P(ExeTablesByVersion, EachEditChangesOnlyItsOwnBytes) {
    const VersionCase c = GetParam();
    ExeFile exe(c.versionByte);
    pokeNames(exe.bytes, *c.layout);
    exe.save();
    const EditorModel read = importTables(exe.path());

    for (const Field& f : fields()) {
        if (QByteArray(f.name).startsWith("wheel base")) continue;  // never written
        SCOPED_TRACE(f.name);
        exe.save();
        EditorModel m = read;
        setModelBytes(f, m, f.value);
        WriteExeTables(exe.path(), m);
        QByteArray expected = exe.withLinkWord(*c.layout);
        poke(expected, f.at(*c.layout), f.value);
        if (QByteArray(f.name) == "rim team 4")
            poke(expected, c.layout->rimLink, u32le(c.layout->kRim + 0x00112233u));
        EXPECT_EQ(exe.onDisk(), expected);
    }
}

TEST_P(ExeTablesByVersion, TheSteeringWheelBaseIsNeverWritten) {
    const VersionCase c = GetParam();
    ExeFile exe(c.versionByte);
    pokeNames(exe.bytes, *c.layout);
    exe.save();
    EditorModel m = importTables(exe.path());
    m.wheelBaseY = 99.0f;
    m.wheelBaseZ = -99.0f;
    WriteExeTables(exe.path(), m);
    EXPECT_EQ(exe.onDisk(), exe.withLinkWord(*c.layout));
}

TEST_P(ExeTablesByVersion, CarShapeNamesAreReadAndWrittenOnlyForAKnownVersion) {
    const VersionCase c = GetParam();
    ExeFile exe(c.versionByte);
    pokeNames(exe.bytes, *c.layout);
    poke(exe.bytes, c.layout->shapeNames, record("FERRARI", 32));
    exe.save();

    EditorModel m;
    for (auto& t : m.teams) t.carShapeName = "Kept";
    ReadExeTables(exe.path(), m);
    const ShapeNamesStatus status = GetNames(exe.path(), m);
    if (!c.namesKnown) {
        EXPECT_EQ(status, ShapeNamesStatus::UnknownVersion);
        EXPECT_EQ(m.teams[0].carShapeName, "Kept");
        EXPECT_EQ(m.teams[10].carShapeName, "Kept");
        EXPECT_EQ(m.currentShapeName, QStringLiteral("Kept"));
        m.teams[3].carShapeName = "Renamed";
        EXPECT_EQ(WriteExeTables(exe.path(), m), ShapeNamesStatus::UnknownVersion);
        EXPECT_EQ(exe.onDisk(), exe.withLinkWord(*c.layout));
        return;
    }
    EXPECT_EQ(status, ShapeNamesStatus::Done);
    EXPECT_EQ(m.teams[0].carShapeName, "Ferrari");
    EXPECT_EQ(m.teams[10].carShapeName, "Prost team");
    EXPECT_EQ(m.currentShapeName, QStringLiteral("Ferrari"));

    m.teams[3].carShapeName = "Renault";                           // 7 bytes, 25 NULs
    m.teams[5].carShapeName = QByteArray(40, 'x');                 // cut at 32
    m.teams[6].carShapeName = "abcdefghijklmnopqrstuvwxyz012345";  // exactly 32
    EXPECT_EQ(WriteExeTables(exe.path(), m), ShapeNamesStatus::Done);
    QByteArray expected = exe.withLinkWord(*c.layout);
    poke(expected, c.layout->shapeNames, record("Ferrari", 32));
    poke(expected, c.layout->shapeNames + 3 * 32, record("Renault", 32));
    poke(expected, c.layout->shapeNames + 5 * 32, QByteArray(32, 'x'));
    poke(expected, c.layout->shapeNames + 6 * 32, QByteArray("abcdefghijklmnopqrstuvwxyz012345"));
    EXPECT_EQ(exe.onDisk(), expected);
}

namespace {
struct ShortCase {
    const char* name;
    uint8_t versionByte;
    qint64 size;
};
std::ostream& operator<<(std::ostream& os, const ShortCase& c) {
    return os << c.name;
}
class ShortExecutable : public ::testing::TestWithParam<ShortCase> {};
INSTANTIATE_TEST_SUITE_P(Sizes, ShortExecutable,
                         ::testing::Values(ShortCase{"empty", 0, 0},
                                           ShortCase{"versionByteOnly", 0, 313},
                                           ShortCase{"endsInsideCameraBlockA", 0, 2573111},
                                           ShortCase{"bigEnoughForAButNotB", 102, 2573200}),
                         [](const auto& info) { return std::string(info.param.name); });
}  // namespace

TEST_P(ShortExecutable, FailsNamingTheFileAndChangesNothing) {
    const ShortCase c = GetParam();
    ExeFile exe(c.versionByte, c.size);
    exe.save();
    const QString shown = QDir::toNativeSeparators(exe.path());

    EditorModel m;
    m.chaseY = 42;
    try {
        ReadExeTables(exe.path(), m);
        FAIL() << "read a short executable";
    } catch (const GameFileError& e) {
        EXPECT_EQ(e.file(), shown);
    }
    EXPECT_EQ(m.chaseY, 42);
    EXPECT_EQ(m.versionByte, 0);

    m.versionByte = c.versionByte;
    try {
        WriteExeTables(exe.path(), m);
        FAIL() << "wrote a short executable";
    } catch (const GameFileError& e) {
        EXPECT_EQ(e.file(), shown);
        EXPECT_TRUE(e.message().contains(QStringLiteral("file ends before")))
            << e.message().toStdString();
    }
    EXPECT_EQ(exe.onDisk(), exe.bytes);
}

TEST(ExeTables, MissingExecutableFails) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("GP4.exe"));
    EditorModel m;
    EXPECT_THROW(ReadExeTables(path, m), GameFileError);
    EXPECT_THROW(GetNames(path, m), GameFileError);
    EXPECT_THROW(WriteExeTables(path, m), GameFileError);
    EXPECT_FALSE(QFile::exists(path));
}
