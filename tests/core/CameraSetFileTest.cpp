#include <gtest/gtest.h>

#include "OwnFileSamples.h"
#include "core/ownfiles/CameraSet.h"
#include "core/ownfiles/TyreSet.h"
#include "core/bytes/ByteIO.h"

using namespace pw::files;
using namespace pw::model;
using pw::files::testing::sampleModel;
using pw::files::testing::sampleShown;

namespace {
// A file whose 16-bit word at byte offset o holds o / 2 + 1, so every word says where it was.
QByteArray numberedWords(int size) {
    ByteWriter w;
    for (int o = 0; o < size; o += 2) w.i16(int16_t(o / 2 + 1));
    return w.data().left(size);
}
}  // namespace

TEST(CameraSet, SizeChoosesTheRecordsAndTheChases) {
    const struct {
        int size, first, last;
        bool chases;
    } cases[] = {
        {200, 1, 10, false}, {204, 1, 10, true}, {224, 0, 10, true}, {244, 0, 11, true},
        {180, 1, 9, false},  {203, 1, 9, false}, {210, 1, 9, true},  {223, 1, 9, true},
        {230, 0, 9, true},   {300, 0, 9, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const CameraSetContent s = readCameraSet(numberedWords(c.size), QStringLiteral("set.cam"));
        int word = 1;  // records follow one another from offset 0
        for (int r = 0; r < kCameraCount; ++r) {
            const bool read = r >= c.first && r <= c.last;
            EXPECT_EQ(bool(s.presentCameras & (1 << r)), read) << "record " << r;
            if (!read) continue;
            for (int f = 0; f < kCameraFieldCount; ++f) EXPECT_EQ(s.cameras[r].field[f], word++);
        }
        EXPECT_EQ(s.hasChases, c.chases);
        if (c.chases) {
            EXPECT_EQ(s.chaseY, word);
        }
    }
}

TEST(CameraSet, WrittenSetIs244BytesInTheGameEncodingAndReadsBack) {
    const ShownCameras shown = sampleShown();
    const QByteArray file = writeCameraSet(shown);
    ASSERT_EQ(file.size(), 244);
    // Record 0: positions doubled, no Y offset, angles times 182.
    EXPECT_EQ(int16_t(le::u16(file.constData() + 4)), 2 * shown.records[0][CamY]);
    EXPECT_EQ(int16_t(le::u16(file.constData() + 6)), 182 * shown.records[0][CamDir]);
    EXPECT_EQ(int16_t(le::u16(file.constData() + 12)), shown.records[0][CamCarDetailRear]);
    EXPECT_EQ(int16_t(le::u16(file.constData() + 240)), 22);

    const CameraSetContent back = readCameraSet(file, QStringLiteral("set.cam"));
    for (int r = 0; r < kCameraCount; ++r) EXPECT_EQ(back.shownCamera(r), shown.records[r]) << r;
    EXPECT_EQ(back.shownChaseY(), 11);
    EXPECT_EQ(back.shownChaseZ(), -13);
}

TEST(CameraSet, A200ByteSetLeavesRecords0And11AndTheChases) {
    EditorModel m = sampleModel();
    m.cameras[0].field[CamX] = 55;
    m.cameras[11].field[CamX] = 66;
    applyCameraSet(readCameraSet(numberedWords(200), QStringLiteral("set.cam")), m);
    EXPECT_EQ(m.cameras[0].field[CamX], 55);
    EXPECT_EQ(m.cameras[11].field[CamX], 66);
    EXPECT_EQ(m.chaseY, 40);
    EXPECT_EQ(m.chaseZ, -60);
    EXPECT_EQ(m.cameras[1].field[CamX], 1 / 2);
    EXPECT_EQ(m.cameras[10].field[CamZ], 92 / 2) << "record 10 in display units";
}

TEST(CameraSet, FilesShorterThanTheirRowAreRefused) {
    for (int size : {0, 1, 100, 179}) {
        SCOPED_TRACE(size);
        EXPECT_THROW(readCameraSet(numberedWords(size), QStringLiteral("set.cam")), GameFileError);
    }
    try {
        readCameraSet(numberedWords(150), QStringLiteral("set.cam"));
        FAIL();
    } catch (const GameFileError& e) {
        EXPECT_EQ(e.file(), QStringLiteral("set.cam"));
        EXPECT_TRUE(e.expected().contains(QStringLiteral("180 bytes")))
            << e.message().toStdString();
    }
}

TEST(TyreSet, ElevenIndexesAndTrailingBytesIgnored) {
    ByteWriter w;
    for (int i = 0; i < kTeamCount; ++i) w.i16(int16_t(i == 1 ? 2 : i % 2));
    w.i16(7);  // past the eleven: not read
    EditorModel m = sampleModel();
    applyTyreSet(readTyreSet(w.data(), QStringLiteral("t.tyr")), m);
    for (int i = 0; i < kTeamCount; ++i) EXPECT_EQ(m.teams[i].tyreBrand, i == 1 ? 2 : i % 2);
}

TEST(TyreSet, ShortFilesAndIndexesOutsideTheBrandsAreRefused) {
    const QByteArray good(22, '\0');
    const struct {
        QByteArray bytes;
        qint64 offset;
    } cases[] = {
        {QByteArray(), 0},
        {good.left(21), 0},
        {QByteArray(good).replace(6, 2, le::bytesU16(3)), 6},
        {QByteArray(good).replace(20, 2, le::bytesU16(0xFFFF)), 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        EditorModel m = sampleModel();
        try {
            applyTyreSet(readTyreSet(c.bytes, QStringLiteral("t.tyr")), m);
            ADD_FAILURE() << "accepted";
        } catch (const GameFileError& e) {
            EXPECT_EQ(e.offset(), c.offset);
        }
        for (int i = 0; i < kTeamCount; ++i)
            EXPECT_EQ(m.teams[i].tyreBrand, sampleModel().teams[i].tyreBrand);
    }
}
