#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "FileTimes.h"
#include "PreviewFixtures.h"
#include "RecordingGlSink.h"
#include "core/images/TgaImage.h"
#include "core/bytes/ByteIO.h"
#include "core/bytes/FileStamp.h"
#include "preview/ShapeLoader.h"
#include "core/archive/CarShapeWriter.h"

using namespace pw::preview;
using namespace pw::preview::fakes;
using pw::wad::CarShape;
using pw::wad::ShapeObject;
using pw::wad::ShapeVertex;

namespace {

const Rgba kArm{0.5f, 0.25f, 0.75f, 1};

// Two objects (formats 23 and the given one); texture 0 "dash.bmp", 1 "body.bmp", 2 "none.bmp".
CarShape shapeOf(int version, int32_t secondFormat) {
    CarShape s;
    s.version = version;
    s.textureNames = {"dash.bmp", "body.bmp", "none.bmp"};
    ShapeObject a;
    a.format = 23;
    a.vertices = {{1, 2, 3, 0, 1, 0, 0.25f, 0.1f}, {2, 2, 3, 0, 1, 0, 0.5f, 0.5f}, {1, 3, 3, 0, 1, 0, 0.75f, 1}};
    a.triangles = {{0, 1, 2}, {2, 1, 0}};
    a.batches = {{0, 1, 0}, {1, 1, 1}};
    ShapeObject b;
    b.format = secondFormat;
    b.vertices = a.vertices;
    b.triangles = {{1, 2, 0}, {0, 0, 0}, {2, 2, 2}};
    b.batches = {{0, 3, 2}};
    s.objects = {a, b};
    return s;
}

// A start-up folder with hi_dash.tga (no dash.tga) and body.tga carrying the TGA 2.0 footer.
struct TextureFolder {
    TextureFolder() {
        writeFile(dir.path(), QStringLiteral("CamTextures/hi_dash.tga"),
                  pw::images::encodeTga(solidImage(1, 1, 9, 9, 9)));
        writeFile(dir.path(), QStringLiteral("CamTextures/body.tga"),
                  pw::images::encodeTga(solidImage(1, 1, 8, 8, 8), false, true));
    }
    QTemporaryDir dir;
};

ShapeLookup archiveWith(const QString& entry, const QByteArray& shapeBytes) {
    return [=](const QString& name) {
        ShapeSource s;
        if (name != entry) {
            s.status = ShapeSource::Status::NotFound;
            return s;
        }
        s.status = ShapeSource::Status::Found;
        s.bytes = QByteArray(64, '\x22') + shapeBytes;
        s.offset = 64;
        s.sourceName = QStringLiteral("cars.wad");
        return s;
    };
}

ShapeCompileInputs inputs(bool cockpit) {
    ShapeCompileInputs in;
    in.cockpitView = cockpit;
    in.cockpit.dashX = -0.006f;
    in.cockpit.dashY = -0.005f;
    in.cockpit.dashZ = 0.05f;
    in.armColour = kArm;
    in.dashboardTexture = 77;
    return in;
}

}  // namespace

TEST(ShapeCompile, CarSlotOfEveryVersionAndBatchSize) {
    for (int version : {4, 7}) {
        for (int32_t format : {23, 39, 5}) {
            SCOPED_TRACE(testing::Message() << "version " << version << " format " << format);
            TextureFolder folder;
            RecordingGlSink gl;
            CollectedMessages messages;
            ShapeSlot slot{kCarSlot, 110, ShapeTextures()};
            const QString name = QStringLiteral("car_x_car1_lod_0.gp4");
            const ShapeLoadResult r =
                LoadShape(gl, messages, archiveWith(name, pw::wad::writeCarShape(shapeOf(version, format))), name,
                          slot, inputs(false), folder.dir.path(), 1);
            ASSERT_EQ(r.status, ShapeLoadStatus::Loaded) << r.error.toStdString();
            EXPECT_TRUE(messages.shown.isEmpty());
            // Texture 0 is the hi_ image, texture 1 the plain one with its flip flag.
            const TextureName hiDash = slot.textures.texture[0], body = slot.textures.texture[1];
            ASSERT_NE(hiDash, 0u);
            ASSERT_NE(body, 0u);
            EXPECT_EQ(slot.textures.texture[2], 0u);

            const QStringList expected{
                "material Specular 0.4 0.4 0.4 1",
                "material Ambient 0.1 0.1 0.1 1",
                "AlphaTest off",
                "shininess 4",
                "Texture2D on",
                "scale -200 200 200",
                QStringLiteral("bind %1").arg(hiDash),
                "begin Triangles",
                "material Diffuse 0.5 0.25 0.75 1",  // only the hi_ image: arm colour
                "end",
                QStringLiteral("bind %1").arg(body),
                "begin Triangles",
                "material Diffuse 1 1 1 1",
                "end",
                "bind 0",
                "begin Triangles",
                "material Diffuse 0.5 0.25 0.75 1",
                "end",
                "scale -0.005 0.005 0.005",
            };
            EXPECT_EQ(gl.stateCalls(110), expected);

            const auto& v = gl.vertices(110);
            ASSERT_EQ(v.size(), 3u * 5);
            // Triangle order and stored vertex order; mirrored in x, scaled by 200.
            EXPECT_EQ(v[0].world, QVector3D(-200, 400, 600));
            EXPECT_EQ(v[1].world, QVector3D(-400, 400, 600));
            EXPECT_EQ(v[3].world, QVector3D(-200, 600, 600));  // second batch: triangle 1 = (2, 1, 0)
            EXPECT_EQ(v[0].normal, QVector3D(0, 1, 0));
            // No flip on the hi_ image; the footer image is drawn with 1 - v.
            EXPECT_EQ(v[0].tex, QVector2D(0.25f, 0.1f));
            EXPECT_EQ(v[5].tex, QVector2D(0.25f, 0.9f));
            EXPECT_EQ(v[6].local, QVector3D(2, 2, 3));  // object 2 starts at its triangle (1, 2, 0)
        }
    }
}

TEST(ShapeCompile, CockpitViewAndDashboardTranslations) {
    TextureFolder folder;
    const QByteArray bytes = pw::wad::writeCarShape(shapeOf(7, 39));
    const QString dash = QStringLiteral("cockpit_dash.gp4");
    for (bool cockpit : {false, true}) {
        RecordingGlSink gl;
        CollectedMessages messages;
        ShapeSlot slot{kDashboardSlot, 108, ShapeTextures()};
        ASSERT_EQ(LoadShape(gl, messages, archiveWith(dash, bytes), dash, slot, inputs(cockpit), folder.dir.path(), 2)
                      .status,
                  ShapeLoadStatus::Loaded);
        const QStringList calls = gl.stateCalls(108);
        QStringList head{"material Specular 1 1 1 1", "material Ambient 1 1 1 1", "AlphaTest on", "shininess 4",
                         "Texture2D on"};
        if (cockpit) head << "translate 0 -18 170";
        head << "translate 1.8 13 -5.5"
             << "scale -200 200 200";
        EXPECT_EQ(calls.mid(0, head.size()), head);
        QStringList tail{"scale -0.005 0.005 0.005"};
        if (cockpit) tail << "translate 0 18 -170";
        tail << "translate -1.8 -7 5.5"
             << "AlphaTest off"
             << "material Specular 0.4 0.4 0.4 1"
             << "material Ambient 0.1 0.1 0.1 1";
        EXPECT_EQ(calls.mid(calls.size() - tail.size()), tail);
        // Every batch is drawn with the displays texture; the diffuse rule still follows the
        // shape's own texture names.
        EXPECT_EQ(calls.filter(QStringLiteral("bind ")), QStringList({"bind 77", "bind 77", "bind 77"}));
        EXPECT_EQ(calls.filter(QStringLiteral("material Diffuse")),
                  QStringList({"material Diffuse 0.5 0.25 0.75 1", "material Diffuse 1 1 1 1",
                               "material Diffuse 0.5 0.25 0.75 1"}));
        const QVector3D first = gl.vertices(108)[0].world;
        const QVector3D expected = cockpit ? QVector3D(1.8f - 200, 13 + 400 - 18, -5.5f + 600 + 170)
                                           : QVector3D(1.8f - 200, 13 + 400, -5.5f + 600);
        EXPECT_NEAR(first.x(), expected.x(), 1e-3);
        EXPECT_NEAR(first.y(), expected.y(), 1e-3);
        EXPECT_NEAR(first.z(), expected.z(), 1e-3);
    }
}

TEST(ShapeLoad, MissingArchiveSpeaksOnlyInTheFirstPaint) {
    RecordingGlSink gl;
    CollectedMessages messages;
    ShapeSlot slot{kCarSlot, 110, ShapeTextures()};
    const ShapeLookup none = [](const QString&) { return ShapeSource{}; };
    for (int counter : {1, 1, 2, 5})
        EXPECT_EQ(LoadShape(gl, messages, none, "car_cockpit_00.gp4", slot, inputs(true), ".", counter).status,
                  ShapeLoadStatus::ArchiveMissing);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Sorry but as the cars wad can't be found, car shapes won't be displayed"));
    EXPECT_FALSE(gl.hasList(110));
}

TEST(ShapeLoad, MissingEntryEmptiesTheSlotAndBadShapeKeepsIt) {
    TextureFolder folder;
    RecordingGlSink gl;
    CollectedMessages messages;
    ShapeSlot slot{kCarSlot, 110, ShapeTextures()};
    const QString name = QStringLiteral("car_a_car1_lod_0.gp4");
    const QByteArray good = pw::wad::writeCarShape(shapeOf(4, 23));
    ASSERT_EQ(LoadShape(gl, messages, archiveWith(name, good), name, slot, inputs(false), folder.dir.path(), 1).status,
              ShapeLoadStatus::Loaded);
    const QStringList loaded = gl.allCalls(110);
    const TextureName body = slot.textures.texture[1];

    // A broken shape: the slot keeps its list and its textures, the reason comes back.
    CarShape bad = shapeOf(4, 23);
    bad.objects[1].batches[0].textureIndex = 3;
    const ShapeLoadResult refused = LoadShape(gl, messages, archiveWith(name, pw::wad::writeCarShape(bad)), name,
                                              slot, inputs(false), folder.dir.path(), 2);
    EXPECT_EQ(refused.status, ShapeLoadStatus::Refused);
    EXPECT_TRUE(refused.error.startsWith(QStringLiteral("cars.wad: a texture index below 3 in object 1, not 3")))
        << refused.error.toStdString();
    EXPECT_EQ(gl.compileCount(110), 1);
    EXPECT_EQ(gl.allCalls(110), loaded);
    EXPECT_TRUE(gl.deleted.empty());

    // An entry that is not there: nothing else is parsed in its place, the slot draws nothing,
    // and the old textures go.
    const ShapeLoadResult missing =
        LoadShape(gl, messages, archiveWith(QStringLiteral("other.gp4"), good), name, slot, inputs(false),
                  folder.dir.path(), 3);
    EXPECT_EQ(missing.status, ShapeLoadStatus::NotFound);
    EXPECT_EQ(gl.compileCount(110), 2);
    EXPECT_TRUE(gl.allCalls(110).isEmpty());
    EXPECT_NE(std::find(gl.deleted.begin(), gl.deleted.end(), body), gl.deleted.end());
    EXPECT_TRUE(messages.shown.isEmpty());
}

// A drag of the dashboard loads the same entry again and again: with the same stamp the shape
// is neither parsed nor given its textures again, yet the slot draws exactly what a full compile
// of it would; another arm colour, another stamp (the archive replaced) or a changed texture
// folder each redo what depends on them.
TEST(ShapeLoad, TheSameStampPlacesTheKeptShapeAgain) {
    pw::model::setSettleTime(0);
    TextureFolder folder;
    // Older than any change the test makes, so that adding a texture changes the folder's stamp.
    const QString textures = folder.dir.filePath(QStringLiteral("CamTextures"));
    const QString failed =
        pw::test::setModifiedTime(textures, QDateTime::currentDateTimeUtc().addYears(-10));
    ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();

    const QString dash = QStringLiteral("cockpit_dash.gp4");
    QByteArray bytes = pw::wad::writeCarShape(shapeOf(7, 39));
    auto stamp = std::make_shared<int>(1);
    int lookups = 0;
    const ShapeLookup lookup = [&](const QString& name) {
        ++lookups;
        ShapeSource s = archiveWith(dash, bytes)(name);
        s.stamp = stamp;
        return s;
    };
    RecordingGlSink gl;
    CollectedMessages messages;
    ShapeSlot slot{kDashboardSlot, 108, ShapeTextures(), 109};
    ShapeCompileInputs in = inputs(true);
    // What the slot must draw: the shape as the bytes hold it, compiled in one list.
    const auto expectDrawnAsAFullCompile = [&](const char* what) {
        SCOPED_TRACE(what);
        ASSERT_EQ(LoadShape(gl, messages, lookup, dash, slot, in, folder.dir.path(), 2).status,
                  ShapeLoadStatus::Loaded);
        pw::model::ByteReader reader(QByteArray(64, '\x22') + bytes, QStringLiteral("cars.wad"));
        reader.seek(64, "the car shape");
        compileShape(gl, 200, kDashboardSlot, pw::wad::parseCarShape(reader), slot.textures, in);
        EXPECT_EQ(gl.allCalls(108), gl.allCalls(200));
    };

    expectDrawnAsAFullCompile("first load");
    const size_t uploads = gl.uploads.size();
    in.cockpit.dashX = 0.01f;
    in.cockpit.dashZ = -0.02f;
    expectDrawnAsAFullCompile("a drag step");
    EXPECT_EQ(gl.uploads.size(), uploads);
    EXPECT_TRUE(gl.deleted.empty());
    EXPECT_EQ(gl.compileCount(109), 1);

    in.armColour = {0.1f, 0.2f, 0.3f, 1};
    expectDrawnAsAFullCompile("another arm colour");
    EXPECT_EQ(gl.compileCount(109), 2);
    EXPECT_EQ(gl.uploads.size(), uploads);

    bytes = pw::wad::writeCarShape(shapeOf(4, 5));
    stamp = std::make_shared<int>(2);
    expectDrawnAsAFullCompile("the archive replaced");
    EXPECT_GT(gl.uploads.size(), uploads);

    // Texture 2 ("none.bmp") had no image; one is added.
    EXPECT_FALSE(slot.textures.plainImage[2]);
    writeFile(folder.dir.path(), QStringLiteral("CamTextures/none.tga"),
              pw::images::encodeTga(solidImage(1, 1, 7, 7, 7)));
    expectDrawnAsAFullCompile("a texture added");
    EXPECT_TRUE(slot.textures.plainImage[2]);
    EXPECT_EQ(lookups, 5);
    pw::model::setSettleTime(pw::model::kDefaultSettleMs);
}
