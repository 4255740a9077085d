#include <gtest/gtest.h>

#include "core/archive/CarShape.h"
#include "core/archive/CarShapeWriter.h"

using namespace pw::wad;
using pw::model::ByteReader;
using pw::model::GameFileError;

namespace {

ShapeVertex vtx(float x, float y, float z, float u, float v) { return {x, y, z, 0, 0, 1, u, v}; }

// Two objects: the first with F = 23, the second with the given format.
CarShape sampleShape(int version, int32_t secondFormat) {
    CarShape s;
    s.version = version;
    s.textureNames = {"body.bmp", "seat.tga", "hi.bmp"};
    ShapeObject a;
    a.format = 23;
    a.vertices = {vtx(0, 0, 0, 0, 0), vtx(1, 0, 0, 1, 0), vtx(0, 1, 0, 0, 1), vtx(1, 1, 0.5f, 1, 1)};
    a.triangles = {{0, 1, 2}, {1, 3, 2}};
    a.batches = {{0, 1, 2}, {1, 1, 0}};
    ShapeObject b;
    b.format = secondFormat;
    b.vertices = {vtx(-1, -2, -3, 0.25f, 0.1f), vtx(4, 5, 6, 0.5f, 0.5f), vtx(7, 8, 9, 0.75f, 0.9f)};
    b.triangles = {{2, 1, 0}};
    b.batches = {{0, 1, 1}, {0, 0, 2}};
    s.objects = {a, b};
    return s;
}

CarShape parse(const QByteArray& bytes, qint64 start = 0) {
    ByteReader r(bytes, QStringLiteral("cars.wad"));
    r.seek(start, "shape");
    return parseCarShape(r);
}

void expectSameShape(const CarShape& got, const CarShape& want) {
    EXPECT_EQ(got.version, want.version);
    EXPECT_EQ(got.textureNames, want.textureNames);
    ASSERT_EQ(got.objects.size(), want.objects.size());
    for (size_t i = 0; i < want.objects.size(); ++i) {
        const ShapeObject& g = got.objects[i];
        const ShapeObject& w = want.objects[i];
        EXPECT_EQ(g.format, w.format);
        ASSERT_EQ(g.vertices.size(), w.vertices.size());
        for (size_t k = 0; k < w.vertices.size(); ++k) {
            const ShapeVertex& a = g.vertices[k];
            const ShapeVertex& b = w.vertices[k];
            EXPECT_EQ((std::array<float, 8>{a.x, a.y, a.z, a.nx, a.ny, a.nz, a.u, a.v}),
                      (std::array<float, 8>{b.x, b.y, b.z, b.nx, b.ny, b.nz, b.u, b.v}));
        }
        EXPECT_EQ(g.triangles, w.triangles);
        ASSERT_EQ(g.batches.size(), w.batches.size());
        for (size_t k = 0; k < w.batches.size(); ++k) {
            EXPECT_EQ(g.batches[k].firstTriangle, w.batches[k].firstTriangle);
            EXPECT_EQ(g.batches[k].triangleCount, w.batches[k].triangleCount);
            EXPECT_EQ(g.batches[k].textureIndex, w.batches[k].textureIndex);
        }
    }
}

// Byte size of the sample shape, worked out field by field from the format's layout (independently of the writer).
qint64 expectedSize(int v, int32_t secondFormat) {
    auto quoted = [](qint64 n) { return 2 + n; };
    qint64 size = 14 + quoted(9) /* "pitwright" */ + (v == 7 ? 4 : 0) + 20;
    size += 4 + quoted(8) + 24 + 64 + (v > 4 ? 16 : 0) + 16 + 8 + 28 + 16 + (v == 7 ? 16 : 8);
    if (v == 7) size += 16 + 80;
    if (v > 4) size += 16 + 4 + quoted(6) + 72;
    size += 16 + quoted(8) + quoted(8) + quoted(6);
    size += 16 + quoted(5) + 64 + (v == 4 ? 76 : 80);
    auto object = [&](qint64 head, int32_t f, qint64 vertices, qint64 extra, qint64 triangles, qint64 batches) {
        const qint64 r = f == 23 ? 20 : f == 39 ? 24 : 28;
        return head + 24 + vertices * (32 + extra * 8) + 8 + triangles * 16 + 12 + 4 + batches * r + 12 + 4 +
               (8 + 12) + 8;
    };
    size += object(8, 23, 4, 0, 2, 2);
    size += object(12, secondFormat, 3, secondFormat == 23 ? 0 : 1, 1, 2);  // the writer adds extra data to F != 23
    return size;
}

}  // namespace

TEST(CarShape, EveryVersionAndVertexFormatReadsBackWhatWasWritten) {
    for (int version : {4, 5, 6, 7}) {
        for (int32_t format : {23, 39, 17}) {
            SCOPED_TRACE(testing::Message() << "version " << version << " format " << format);
            const CarShape shape = sampleShape(version, format);
            const QByteArray bytes = writeCarShape(shape);
            EXPECT_EQ(bytes.size(), expectedSize(version, format));
            expectSameShape(parse(bytes), shape);
            // The shape ends exactly where its data end: one byte less cannot be read.
            EXPECT_THROW(parse(bytes.left(bytes.size() - 1)), GameFileError);
        }
    }
}

TEST(CarShape, ShapeIsReadFromItsDataOffset) {
    const CarShape shape = sampleShape(7, 39);
    const QByteArray archive = QByteArray(100, '\x22') + writeCarShape(shape) + QByteArray(10, '\0');
    expectSameShape(parse(archive, 100), shape);
}

TEST(CarShape, NamesEndAtTheirQuoteOrAfterOneHundredCharacters) {
    for (int length : {0, 99, 100, 130}) {
        CarShape shape = sampleShape(4, 23);
        shape.textureNames[1] = QByteArray(length, 'n');
        const CarShape got = parse(writeCarShape(shape, QByteArray(length, 's')));
        EXPECT_EQ(got.textureNames[1], QByteArray(std::min(length, 100), 'n')) << length;
        EXPECT_EQ(got.textureNames[2], QByteArray("hi.bmp")) << length;
        EXPECT_EQ(got.objects.size(), 2u) << length;
    }
}

TEST(CarShape, InconsistentShapesAreRefusedWithTheReason) {
    struct Case {
        const char* name;
        std::function<void(CarShape&)> spoil;
        const char* message;
    };
    const Case cases[] = {
        {"vertex index past the vertices", [](CarShape& s) { s.objects[1].triangles[0][1] = 3; },
         "vertex indices below 3 in object 1, not 3"},
        {"negative vertex index", [](CarShape& s) { s.objects[0].triangles[1][2] = -1; },
         "vertex indices below 4 in object 0, not -1"},
        {"batch past the triangles", [](CarShape& s) { s.objects[0].batches[1] = {1, 2, 0}; },
         "a batch inside the 2 triangles of object 0, not triangles 1 + 2"},
        {"batch with a negative start", [](CarShape& s) { s.objects[1].batches[0] = {-1, 1, 0}; },
         "a batch inside the 1 triangles of object 1, not triangles -1 + 1"},
        {"texture index equal to the texture count", [](CarShape& s) { s.objects[1].batches[1].textureIndex = 3; },
         "a texture index below 3 in object 1, not 3"},
        {"negative texture index", [](CarShape& s) { s.objects[0].batches[0].textureIndex = -2; },
         "a texture index below 3 in object 0, not -2"},
        {"too many triangles",
         [](CarShape& s) {
             s.objects[0].triangles.assign(kMaxObjectTriangles + 1, {0, 1, 2});
         },
         "object 0 with at most 60000 triangles, not 60001"},
    };
    for (const Case& c : cases) {
        CarShape shape = sampleShape(7, 39);
        c.spoil(shape);
        try {
            parse(writeCarShape(shape));
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const GameFileError& e) {
            EXPECT_EQ(e.file(), QStringLiteral("cars.wad")) << c.name;
            EXPECT_EQ(e.expected(), QLatin1String(c.message)) << c.name;
        }
    }
    // Exactly 60000 triangles are fine.
    CarShape full = sampleShape(4, 23);
    full.objects[0].triangles.assign(kMaxObjectTriangles, {0, 1, 2});
    EXPECT_EQ(parse(writeCarShape(full)).objects[0].triangles.size(), size_t(kMaxObjectTriangles));
}

TEST(CarShape, BrokenHeadersAndCountsAreRefusedWithoutReadingOutside) {
    const QByteArray good = writeCarShape(sampleShape(4, 23));
    QByteArray notDigit = good;
    notDigit[13] = 'x';
    try {
        parse(notDigit);
        ADD_FAILURE() << "non-digit version accepted";
    } catch (const GameFileError& e) {
        EXPECT_EQ(e.offset(), 13);
        EXPECT_EQ(e.expected(), QStringLiteral("a version digit in the shape header"));
    }
    EXPECT_THROW(parse(good.left(10)), GameFileError);

    // A huge vertex count with little data behind it fails before anything is allocated.
    CarShape shape = sampleShape(4, 23);
    QByteArray bytes = writeCarShape(shape);
    // The first object's counts: 2 triangles, 4 vertices, format 23, no extra data.
    const int countsAt = bytes.indexOf(QByteArray::fromHex("02000000040000001700000000000000"));
    ASSERT_GT(countsAt, 0);
    bytes.replace(countsAt + 4, 4, QByteArray::fromHex("ffffff7f"));
    EXPECT_THROW(parse(bytes), GameFileError);
    bytes.replace(countsAt + 4, 4, QByteArray::fromHex("ffffffff"));
    EXPECT_THROW(parse(bytes), GameFileError);

    // Every truncation of a valid shape fails cleanly.
    for (int n = 0; n < good.size(); n += 7) EXPECT_THROW(parse(good.left(n)), GameFileError) << n;
}

#include "core/archive/SampleShapes.h"

TEST(CarShape, SampleShapesOfTheDemoGameReadBack) {
    struct Case {
        const char* name;
        CarShape shape;
        int version;
    };
    const Case cases[] = {{"car body", sampleCarBodyShape(), 7},
                          {"cockpit", sampleCockpitShape(), 4},
                          {"dashboard", sampleDashboardShape(), 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.shape.version, c.version);
        expectSameShape(parse(writeCarShape(c.shape)), c.shape);
    }
}
