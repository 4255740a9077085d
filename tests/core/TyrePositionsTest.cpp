#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/bytes/ByteIO.h"
#include "core/tables/EditorModel.h"
#include "core/archive/TyrePositions.h"
#include "core/archive/WadWriter.h"

using namespace pw::wad;
using pw::model::EditorModel;
using pw::model::GameFileError;
namespace le = pw::model::le;

namespace {
QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

using Wheels = std::array<std::array<float, 3>, 4>;
const Wheels kStored = {{{0.6991f, -0.22925f, 1.1435f},
                         {-0.6991f, -0.22925f, 1.1435f},
                         {0.7125f, -0.23f, -1.6f},
                         {-0.7125f, -0.23f, -1.6f}}};

// Where the game keeps the wheels, from the mesh's data offset.
const qint64 kWheelAt[4] = {84, 108, 168, 192};

// A collision mesh holding kStored at the wheel offsets and a counting pattern everywhere else,
// so a write at a wrong place shows.
QByteArray meshData(qint64 size = 256) {
    QByteArray data(int(size), '\0');
    for (int i = 0; i < data.size(); ++i) data[i] = char(i * 7 + 3);
    for (size_t w = 0; w < 4; ++w)
        for (size_t i = 0; i < 3; ++i)
            if (kWheelAt[w] + 4 * qint64(i) + 4 <= size)
                data.replace(int(kWheelAt[w] + 4 * i), 4, le::bytesF32(kStored[w][i]));
    return data;
}

class Tyres : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("cars.wad")); }
    // An archive whose collision mesh (named name) comes after other entries; returns its offset.
    uint32_t writeArchive(const QByteArray& name = "cars\\car_collision_mesh.ct",
                          const QByteArray& mesh = meshData()) {
        const auto placed = WriteWad(path(), {{"cars\\car_x_car1_lod_0.gp4", QByteArray(300, 'g')},
                                              {name, mesh},
                                              {"cars\\later.ct", meshData()},
                                              {"cockpit_dash.gp4", QByteArray(40, 'd')}});
        return placed[1].offset;
    }

    QTemporaryDir dir;
    EditorModel model;
};
}  // namespace

TEST_F(Tyres, ReadTakesTheFourWheelsOfTheFirstCollisionMesh) {
    for (const QByteArray& name :
         {QByteArray("cars\\car_collision_mesh.ct"), QByteArray("my_mesh.ct")}) {
        SCOPED_TRACE(name.toStdString());
        model = EditorModel{};
        const uint32_t mesh = writeArchive(name);
        EXPECT_EQ(ReadTyrePositions(path(), model), TyreReadResult::Read);
        EXPECT_EQ(model.tyres.collisionMeshOffset, mesh);
        for (size_t w = 0; w < 4; ++w)
            for (size_t i = 0; i < 3; ++i)
                EXPECT_EQ(model.tyres.wheel[w][i], kStored[w][i]) << w << i;
    }
}

TEST_F(Tyres, ReadWithoutCollisionMeshKeepsThePositionsAndForgetsTheOffset) {
    WriteWad(path(), {{"cars\\x.gp4", "x"}, {QByteArray("car.ct\0x", 8), meshData()}});
    model.tyres.wheel[2] = {1.f, 2.f, 3.f};
    model.tyres.collisionMeshOffset = 500;  // from an earlier archive
    const auto before = model.tyres.wheel;
    EXPECT_EQ(ReadTyrePositions(path(), model), TyreReadResult::NoCollisionMesh);
    EXPECT_EQ(model.tyres.wheel, before);
    EXPECT_FALSE(model.tyres.collisionMeshOffset.has_value());
}

TEST_F(Tyres, MissingArchiveChangesNoPositionAndNoFile) {
    model.tyres.wheel[0] = {0.5f, 0.25f, 1.f};
    model.tyres.collisionMeshOffset = 500;
    const auto before = model.tyres.wheel;
    EXPECT_EQ(ReadTyrePositions(path(), model), TyreReadResult::ArchiveMissing);
    EXPECT_EQ(model.tyres.wheel, before);
    EXPECT_FALSE(model.tyres.collisionMeshOffset.has_value());
    model.tyres.collisionMeshOffset = 500;
    EXPECT_EQ(WriteTyrePositions(path(), model), TyreWriteResult::ArchiveMissing);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(Tyres, TruncatedCollisionMeshIsAnErrorAndLeavesTheModelAlone) {
    // The mesh is the last entry and ends inside wheel 4.
    WriteWad(path(), {{"cars\\x.gp4", "x"}, {"car_collision_mesh.ct", meshData(200)}});
    model.tyres.collisionMeshOffset = 500;
    const auto before = model.tyres.wheel;
    try {
        ReadTyrePositions(path(), model);
        FAIL() << "no error";
    } catch (const GameFileError& e) {
        EXPECT_TRUE(e.expected().startsWith(QStringLiteral("file ends before wheel position")))
            << e.message().toStdString();
    }
    EXPECT_EQ(model.tyres.wheel, before);
    // 500 was the offset of an earlier archive; this one's is not known.
    EXPECT_FALSE(model.tyres.collisionMeshOffset.has_value());
}

// After a read of another archive fails, Export must not write the wheels at the offset the
// earlier archive had: in this archive other data lie there.
TEST_F(Tyres, AFailedReadOfAnotherArchiveLeavesNoOffsetToWriteAt) {
    const QString other = dir.filePath(QStringLiteral("other.wad"));
    WriteWad(other, {{"car_collision_mesh.ct", meshData()}, {"cars\\x.gp4", QByteArray(600, 'x')}});
    ASSERT_EQ(ReadTyrePositions(other, model), TyreReadResult::Read);
    // The chosen archive's mesh is cut short: its read fails.
    WriteWad(path(),
             {{"cars\\x.gp4", QByteArray(600, 'x')}, {"car_collision_mesh.ct", meshData(150)}});
    const QByteArray original = readFile(path());
    EXPECT_THROW(ReadTyrePositions(path(), model), GameFileError);
    EXPECT_EQ(WriteTyrePositions(path(), model), TyreWriteResult::NoOffsetKnown);
    EXPECT_EQ(readFile(path()), original);
}

// A collision mesh too short for the wheels is refused even where the file goes on: the bytes
// after it belong to the next entry, and writing the wheels there would damage that entry.
TEST_F(Tyres, ACollisionMeshTooShortForTheWheelsIsRefusedAndNothingIsWritten) {
    const uint32_t mesh = writeArchive("car_collision_mesh.ct", meshData(200));
    const QByteArray original = readFile(path());
    model.tyres.collisionMeshOffset = 500;
    const auto before = model.tyres.wheel;
    try {
        ReadTyrePositions(path(), model);
        FAIL() << "a mesh of 200 bytes was read";
    } catch (const GameFileError& e) {
        EXPECT_EQ(e.offset(), mesh);
        EXPECT_TRUE(e.expected().contains(QStringLiteral("at least 204 bytes")))
            << e.message().toStdString();
        EXPECT_TRUE(e.expected().endsWith(QStringLiteral("not 200"))) << e.message().toStdString();
    }
    EXPECT_EQ(model.tyres.wheel, before);
    EXPECT_EQ(WriteTyrePositions(path(), model), TyreWriteResult::NoOffsetKnown);
    EXPECT_EQ(readFile(path()), original);
}

TEST_F(Tyres, WriteChangesOnlyTheFortyEightWheelBytes) {
    const uint32_t mesh = writeArchive();
    ASSERT_EQ(ReadTyrePositions(path(), model), TyreReadResult::Read);
    const QByteArray original = readFile(path());

    // X = 75 typed for wheel 1, and every float of wheel 4 changed.
    model.tyres.wheel[0][0] = 75 / 100.f;
    model.tyres.wheel[3] = {-0.8f, -0.3f, -1.7f};
    EXPECT_EQ(WriteTyrePositions(path(), model), TyreWriteResult::Written);

    QByteArray expected = original;
    expected.replace(int(mesh + 84), 4, QByteArray("\x00\x00\x40\x3f", 4));  // 0.75f
    expected.replace(int(mesh + 192), 12,
                     le::bytesF32(-0.8f) + le::bytesF32(-0.3f) + le::bytesF32(-1.7f));
    const QByteArray written = readFile(path());
    EXPECT_EQ(written, expected);
    EXPECT_EQ(written.mid(int(mesh + 88), 8),
              original.mid(int(mesh + 88), 8));  // p1, p2 of wheel 1
}

TEST_F(Tyres, WriteRoundTripsEveryWheelAtItsOffset) {
    writeArchive();
    ASSERT_EQ(ReadTyrePositions(path(), model), TyreReadResult::Read);
    const Wheels edited = {
        {{0.1f, 0.2f, 0.3f}, {0.4f, 0.5f, 0.6f}, {0.7f, 0.8f, 0.9f}, {1.0f, 1.1f, 1.2f}}};
    model.tyres.wheel = edited;
    ASSERT_EQ(WriteTyrePositions(path(), model), TyreWriteResult::Written);
    const qint64 size = readFile(path()).size();

    EditorModel reread;
    ASSERT_EQ(ReadTyrePositions(path(), reread), TyreReadResult::Read);
    EXPECT_EQ(reread.tyres.wheel, edited);
    EXPECT_EQ(readFile(path()).size(), size);
}

TEST_F(Tyres, NothingIsWrittenWithoutAKnownOffset) {
    writeArchive();
    const QByteArray original = readFile(path());
    model.tyres.wheel[0] = {9.f, 9.f, 9.f};
    EXPECT_EQ(WriteTyrePositions(path(), model), TyreWriteResult::NoOffsetKnown);
    EXPECT_EQ(readFile(path()), original);
}

TEST_F(Tyres, OffsetPastTheArchiveEndWritesNothing) {
    writeArchive();
    const QByteArray original = readFile(path());
    model.tyres.collisionMeshOffset = uint32_t(original.size() - 100);  // wheel 1 fits, wheel 4 not
    EXPECT_THROW(WriteTyrePositions(path(), model), GameFileError);
    EXPECT_EQ(readFile(path()), original);
}

TEST_F(Tyres, ReadOnlyArchiveIsWritableAfterTheRead) {
    writeArchive();
    ASSERT_TRUE(QFile::setPermissions(path(), QFile::ReadOwner));
    ASSERT_EQ(ReadTyrePositions(path(), model), TyreReadResult::Read);
    EXPECT_TRUE(QFile::permissions(path()) & QFile::WriteOwner);
    EXPECT_EQ(WriteTyrePositions(path(), model), TyreWriteResult::Written);
}
