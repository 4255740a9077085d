#include <gtest/gtest.h>

#include "OwnFileSamples.h"
#include "core/ownfiles/TeamFile.h"
#include "core/bytes/ByteIO.h"
#include "core/tables/TyreBrands.h"

using namespace pw::files;
using namespace pw::model;
using pw::files::testing::sampleModel;
using pw::files::testing::sampleShown;

namespace {

const QString kName = QStringLiteral("team.car");

// Everything a team file can carry, as bytes: equal outputs mean equal values.
QByteArray everything(const EditorModel& m, const ShownCameras& s = sampleShown()) {
    return writeTeamFile(m, s, TeamFileSelection::all());
}

uint16_t u16At(const QByteArray& b, int offset) {
    return le::u16(b.constData() + offset);
}
float f32At(const QByteArray& b, int offset) {
    return le::f32(b.constData() + offset);
}

// Reading a bad file must throw and leave the model as it was.
GameFileError loadFails(const QByteArray& bytes) {
    EditorModel m = sampleModel();
    const QByteArray before = everything(m);
    try {
        applyTeamFile(readTeamFile(bytes, kName), m);
    } catch (const GameFileError& e) {
        EXPECT_EQ(everything(m), before) << "a refused file changed the model";
        EXPECT_EQ(e.file(), kName);
        return e;
    }
    ADD_FAILURE() << "the file of " << bytes.size() << " bytes was accepted";
    return GameFileError(QString(), 0, QString());
}

}  // namespace

TEST(TeamFileSelection, MasksListTheirBitsHighestFirst) {
    const struct {
        uint16_t mask;
        std::vector<int> indexes;
    } cases[] = {
        {0x0000, {}},
        {0x0001, {0}},
        {0x0005, {2, 0}},
        {0x0809, {11, 3, 0}},
        {0x07FF, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(maskIndexes(c.mask), c.indexes) << c.mask;
}

TEST(TeamFile, AllTickedVersion4FileIs1040BytesWithItsMasksInTheHeader) {
    const QByteArray file = everything(sampleModel());
    ASSERT_EQ(file.size(), 1040);
    EXPECT_EQ(teamFileSize(TeamFileSelection::all()), 1040);
    const uint16_t header[] = {4,      0x0FFF, 0x07FF, 0x07FF, 0x07FF,
                               0x07FF, 0x07FF, 0x000F, 0x07FF, 0x07FF};
    for (int k = 0; k < 10; ++k) EXPECT_EQ(u16At(file, 2 * k), header[k]) << "header word " << k;
}

TEST(TeamFile, EmptySelectionIsA20ByteFileThatOnlyRenewsTheCurrentShape) {
    const QByteArray file = writeTeamFile(sampleModel(), sampleShown(), TeamFileSelection());
    EXPECT_EQ(file, QByteArray::fromHex("0400") + QByteArray(18, '\0'));

    EditorModel m = sampleModel();
    m.currentShapeName = QStringLiteral("Other");
    applyTeamFile(readTeamFile(file, kName), m);
    EXPECT_EQ(everything(m), everything(sampleModel()));
    EXPECT_EQ(m.currentShapeName, QStringLiteral("Shape0"));
}

TEST(TeamFile, SectionsListTheirBlocksHighestIndexFirst) {
    const EditorModel m = sampleModel();
    const ShownCameras shown = sampleShown();

    TeamFileSelection cams;  // "Cockpit" and "Camera 1"
    cams.cameras = 0x0005;
    const QByteArray c = writeTeamFile(m, shown, cams);
    ASSERT_EQ(c.size(), 20 + 40);
    EXPECT_EQ(int16_t(u16At(c, 20)), shown.records[2][CamX]) << "record 2 comes first";
    EXPECT_EQ(int16_t(u16At(c, 40)), shown.records[0][CamX]);

    TeamFileSelection helmets;
    helmets.helmets = 0x0009;  // teams 0 and 3
    const QByteArray h = writeTeamFile(m, shown, helmets);
    ASSERT_EQ(h.size(), 20 + 16);
    EXPECT_EQ(f32At(h, 20), m.teams[3].helmetZ);
    EXPECT_EQ(f32At(h, 24), m.teams[3].helmetY);
    EXPECT_EQ(f32At(h, 28), m.teams[0].helmetZ);
}

TEST(TeamFile, CameraRecordsUseShownUnitsWithTheCockpitYOffsetAndTeam0TCamInRecord11) {
    ShownCameras shown = sampleShown();
    shown.records[0] = {7, -3, 12, 2, -1, 90, 1, 2, 3, 4};  // x z y dir pitch roll details
    shown.records[11][CamY] = 21;  // team 0's T-Cam Y and Z as the window shows them
    shown.records[11][CamZ] = -8;
    TeamFileSelection sel;
    sel.cameras = 0x0801;
    const QByteArray file = writeTeamFile(sampleModel(), shown, sel);
    ASSERT_EQ(file.size(), 60);
    // Record 11 first: its z and y words carry the T-Cam values.
    EXPECT_EQ(int16_t(u16At(file, 22)), -8);
    EXPECT_EQ(int16_t(u16At(file, 24)), 21);
    const int16_t r0[] = {7, -3, 12 - 5, 2 * 182, -182, int16_t(90 * 182), 1, 2, 3, 4};
    for (int f = 0; f < 10; ++f)
        EXPECT_EQ(int16_t(u16At(file, 40 + 2 * f)), r0[f]) << "field " << f;

    const TeamFileContent back = readTeamFile(file, kName);
    EXPECT_EQ(back.shownCamera(0), shown.records[0]) << "record 0's Y survives the round trip";
    EXPECT_EQ(back.shownCamera(11), shown.records[11]);
}

TEST(TeamFile, Version4RoundTripRestoresEveryValue) {
    const EditorModel source = sampleModel();
    const ShownCameras shown = sampleShown();
    const TeamFileContent content = readTeamFile(everything(source, shown), kName);
    EXPECT_EQ(content.layout, TeamFileLayout::Version4);
    EXPECT_EQ(content.present, TeamFileSelection::all());
    EXPECT_EQ(content.shapeNameCount, 11);
    for (int r = 0; r < kCameraCount; ++r) EXPECT_EQ(content.shownCamera(r), shown.records[r]);
    EXPECT_EQ(content.chaseY, 11);
    EXPECT_EQ(content.chaseZ, -13);

    EditorModel m;  // defaults everywhere
    applyTeamFile(content, m);
    EXPECT_EQ(everything(m), everything(source));
    for (int i = 0; i < kTeamCount; ++i)
        EXPECT_EQ(m.teams[i].carShapeName, source.teams[i].carShapeName);
    EXPECT_EQ(m.currentShapeName, QStringLiteral("Shape0"));
    EXPECT_EQ(m.chaseY, 22) << "the model keeps chases doubled";
    EXPECT_EQ(m.cameras[3].field[CamX], shown.records[3][CamX]) << "cameras in display units";
}

TEST(TeamFile, NamesAreThoseOfTheFirstTeamsWhicheverAreTicked) {
    EditorModel source = sampleModel();
    source.teams[0].carShapeName = "FERRARI";
    TeamFileSelection sel;
    sel.shapeNames = 1 << 7;
    const QByteArray file = writeTeamFile(source, sampleShown(), sel);
    ASSERT_EQ(file.size(), 20 + 32);
    EXPECT_EQ(file.mid(20), QByteArray("FERRARI") + QByteArray(25, '\0'));

    EditorModel m = sampleModel();
    applyTeamFile(readTeamFile(file, kName), m);
    EXPECT_EQ(m.teams[0].carShapeName, QByteArray("Ferrari"))
        << "first byte kept, rest lower-cased";
    EXPECT_EQ(m.teams[7].carShapeName, QByteArray("Shape7"));
    EXPECT_EQ(m.currentShapeName, QStringLiteral("Ferrari"));

    source.teams[0].carShapeName = QByteArray("Abcdefghijklmnopqrstuvwxyz012345");  // 32 bytes
    const QByteArray full = writeTeamFile(source, sampleShown(), sel);
    EXPECT_EQ(full.mid(20), source.teams[0].carShapeName) << "no zero byte after 32 bytes";
}

TEST(TeamFile, Version3FileHasNoSteeringWheelsOrNames) {
    ByteWriter w;
    for (uint16_t v : {3, 0x0002, 0, 0x0001, 0, 0, 0x0002, int(GlobalCockpitWheel)})
        w.u16(uint16_t(v));
    for (int f = 0; f < 10; ++f) w.i16(int16_t(100 + f));  // record 1
    w.f32(-1.5f);                                          // helmet Z of team 0
    w.f32(2.5f);                                           // helmet Y
    w.i32(2);                                              // tyre brand of team 1
    w.f32(0.5f);                                           // cockpit wheel X, Z, Y
    w.f32(0.75f);
    w.f32(0.25f);
    w.bytes(QByteArray(64, '\x7f'));  // trailing bytes are not read
    const TeamFileContent c = readTeamFile(w.data(), kName);
    EXPECT_EQ(c.layout, TeamFileLayout::Version3);
    EXPECT_EQ(c.present.wheels, 0);
    EXPECT_EQ(c.shapeNameCount, 0);

    EditorModel m = sampleModel();
    applyTeamFile(c, m);
    EXPECT_EQ(m.cameras[1].field[CamDir], 103 / 182);
    EXPECT_EQ(m.teams[0].helmetZ, -1.5f);
    EXPECT_EQ(m.teams[0].helmetY, 2.5f);
    EXPECT_EQ(m.teams[1].tyreBrand, 2);
    EXPECT_EQ(m.cockpit.wheelX, 0.5f);
    EXPECT_EQ(m.cockpit.wheelZ, 0.75f);
    EXPECT_EQ(m.cockpit.wheelY, 0.25f);
    EXPECT_EQ(m.cockpit.dashX, sampleModel().cockpit.dashX);
    for (int i = 0; i < kTeamCount; ++i) {
        EXPECT_EQ(m.teams[i].wheelY, sampleModel().teams[i].wheelY);
        EXPECT_EQ(m.teams[i].carShapeName, sampleModel().teams[i].carShapeName);
    }
}

namespace {
// A headerless file of the given size from known values, the camera records in team file units.
QByteArray headerless(int size, int16_t firstWord = 9) {
    ByteWriter w;
    for (int r = 0; r < kCameraCount; ++r)
        for (int f = 0; f < 10; ++f) w.i16(r == 0 && f == 0 ? firstWord : int16_t(r * 10 + f));
    w.i16(31);  // chases
    w.i16(-32);
    for (int i = 0; i < kTeamCount; ++i) {
        w.i16(int16_t(-10 * i));  // T-Cam Z, Y
        w.i16(int16_t(10 * i));
    }
    for (int i = 0; i < kTeamCount; ++i) {
        w.f32(-float(i));  // helmet Z, Y
        w.f32(float(i));
    }
    for (int i = 0; i < kTeamCount; ++i) w.u32(0xFF000000u + uint32_t(i));
    for (int i = 0; i < kTeamCount; ++i) w.u32(0x00000100u * uint32_t(i));
    for (int k = 0; k < 12; ++k) w.f32(float(k) / 4);
    const uint32_t codes[] = {0x03350335u, 0x03340334u, 0x00020000u, 0u};
    for (int i = 0; i < kTeamCount; ++i) w.u32(codes[i % 4]);
    for (int k = 0; k < 6; ++k) w.f32(float(k) + 0.5f);  // dashboard, cockpit wheel
    return w.data().left(size);
}
}  // namespace

TEST(TeamFile, HeaderlessFilesOfBothSizes) {
    const struct {
        int size;
        bool cockpit;
    } cases[] = {{556, false}, {580, true}};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.size);
        const TeamFileContent c = readTeamFile(headerless(t.size), kName);
        EXPECT_EQ(c.layout, TeamFileLayout::Headerless);
        EXPECT_EQ(c.shownCamera(0)[CamY], 2 + 5);
        EXPECT_EQ(c.shownCamera(11)[CamWheelDetailFront], 119);
        EXPECT_EQ(c.chaseY, 31);
        EXPECT_EQ(c.chaseZ, -32);

        EditorModel m = sampleModel();
        applyTeamFile(c, m);
        for (int i = 0; i < kTeamCount; ++i) {
            EXPECT_EQ(m.teams[i].tcamZ, -10 * i);
            EXPECT_EQ(m.teams[i].tcamY, 10 * i);
            EXPECT_EQ(m.teams[i].helmetY, float(i));
            EXPECT_EQ(m.teams[i].armColour, 0xFF000000u + uint32_t(i));
            EXPECT_EQ(m.teams[i].rimColour, 0x100u * uint32_t(i));
            EXPECT_EQ(m.teams[i].tyreBrand, i % 4 == 0 ? 0 : 1) << "only 0x03350335 is Bridgestone";
            EXPECT_EQ(m.teams[i].wheelY, sampleModel().teams[i].wheelY);
            EXPECT_EQ(m.teams[i].carShapeName, sampleModel().teams[i].carShapeName);
        }
        EXPECT_EQ(m.tyres.wheel[3][2], 11.0f / 4);
        EXPECT_EQ(m.cockpit.dashX, t.cockpit ? 0.5f : sampleModel().cockpit.dashX);
        EXPECT_EQ(m.cockpit.dashZ, t.cockpit ? 1.5f : sampleModel().cockpit.dashZ);
        EXPECT_EQ(m.cockpit.wheelY, t.cockpit ? 5.5f : sampleModel().cockpit.wheelY);
        EXPECT_EQ(m.currentShapeName, sampleModel().currentShapeName);
    }
}

TEST(TeamFile, HeaderlessFileStartingWith3Or4IsReadAsVersioned) {
    const struct {
        int16_t firstWord;
        int headerSize;
        TeamFileLayout layout;
    } cases[] = {{3, 16, TeamFileLayout::Version3}, {4, 20, TeamFileLayout::Version4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firstWord);
        QByteArray file = headerless(556, c.firstWord);
        file.replace(2, c.headerSize - 2, QByteArray(c.headerSize - 2, '\0'));  // no blocks
        EXPECT_EQ(readTeamFile(file, kName).layout, c.layout);
    }
}

TEST(TeamFileBadInput, EveryTruncationOfAVersion4FileIsRefused) {
    const QByteArray file = everything(sampleModel());
    for (int size = 0; size < file.size(); ++size) {
        SCOPED_TRACE(size);
        loadFails(file.left(size));
    }
    const GameFileError e = loadFails(file.left(1039));
    EXPECT_EQ(e.offset(), 1008);
    EXPECT_TRUE(e.expected().contains(QStringLiteral("car-shape name 10")))
        << e.message().toStdString();
}

TEST(TeamFileBadInput, ShortHeadersAndHeaderlessFilesAreRefused) {
    for (int size : {0, 1, 2, 100, 555}) {
        SCOPED_TRACE(size);
        loadFails(headerless(size));
    }
    loadFails(QByteArray::fromHex("0300") + QByteArray(12, '\0'));  // 14 of 16 header bytes
    loadFails(QByteArray::fromHex("0400") + QByteArray(16, '\0'));  // 18 of 20
}

TEST(TeamFileBadInput, MaskBitsOutsideTheirRangesRefuseTheFile) {
    const struct {
        int offset;
        uint16_t value;
        const char* mask;
    } cases[] = {
        {2, 0x1000, "camera"},     {4, 0x0800, "T-Cam"},           {6, 0x8000, "helmet"},
        {8, 0x0800, "arm colour"}, {10, 0x0800, "rim colour"},     {12, 0x4000, "tyre brand"},
        {14, 0x0010, "global"},    {16, 0x0800, "steering wheel"}, {18, 0x0801, "car-shape name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        QByteArray file =
            QByteArray::fromHex("0400") + QByteArray(18, '\0') + QByteArray(2000, '\0');
        file.replace(c.offset, 2, le::bytesU16(c.value));
        const GameFileError e = loadFails(file);
        EXPECT_EQ(e.offset(), c.offset);
        EXPECT_TRUE(e.expected().contains(QLatin1String(c.mask))) << e.message().toStdString();
    }
}

TEST(TeamFileBadInput, TyreBrandIndexOutsideItsRangeRefusesTheFile) {
    for (int32_t brand : {3, -1, 0x7FFFFFFF}) {
        SCOPED_TRACE(brand);
        TeamFileSelection sel;
        sel.tyreBrands = 0x0003;
        QByteArray file = writeTeamFile(sampleModel(), sampleShown(), sel);
        file.replace(24, 4, le::bytesU32(uint32_t(brand)));  // team 0, after team 1
        const GameFileError e = loadFails(file);
        EXPECT_EQ(e.offset(), 24);
        // Numbered as the window numbers the teams: the first team is team 1.
        EXPECT_TRUE(e.expected().contains(QStringLiteral("for team 1,"))) << e.message().toStdString();
    }
}
