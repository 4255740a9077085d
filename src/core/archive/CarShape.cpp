#include "core/archive/CarShape.h"

namespace pw::wad {

using pw::model::ByteReader;
using pw::model::GameFileError;

namespace {

constexpr int kHeaderSize = 14;
constexpr int kVersionAt = 13;
constexpr int kMaxNameLength = 100;
constexpr char kQuote = 34;
constexpr int kTableHeadSize = 16;
constexpr int kTableCountAt = 12;
constexpr int kVertexSize = 32;
constexpr int kExtraVertexBytes = 8;
constexpr int kTriangleSize = 16;
constexpr int kGroupHeadSize = 8;

[[noreturn]] void refuse(const ByteReader& r, qint64 offset, const QString& what) {
    throw GameFileError(r.sourceName(), offset, what);
}

// An opening byte (any value), then up to 100 characters ending at a quotation mark; after 100
// characters without one, the name ends and the next byte belongs to the next field.
QByteArray quotedName(ByteReader& r, const char* what) {
    r.skip(1, what);
    QByteArray name;
    while (name.size() < kMaxNameLength) {
        const char c = char(r.u8(what));
        if (c == kQuote) break;
        name.append(c);
    }
    return name;
}

int32_t count(ByteReader& r, const char* what) {
    const qint64 at = r.pos();
    const int32_t n = r.i32(what);
    if (n < 0) refuse(r, at, QStringLiteral("a count of %1, not %2").arg(QLatin1String(what)).arg(n));
    return n;
}

// A 16-byte table head; its count is the integer at offset 12.
int32_t tableHead(ByteReader& r, const char* what) {
    r.skip(kTableCountAt, what);
    return count(r, what);
}

// Throws unless n records of size bytes each are there.
void requireRecords(ByteReader& r, qint64 n, qint64 size, const char* what) {
    if (size > 0 && n > r.remaining() / size)
        refuse(r, r.pos(), QStringLiteral("%1 %2 of %3 bytes each (%4 bytes left)")
                               .arg(n).arg(QLatin1String(what)).arg(size).arg(r.remaining()));
}

void skipMaterial(ByteReader& r, int version) {
    r.skip(4, "material");
    quotedName(r, "material name");
    r.skip(24 + 64, "material");
    if (version > 4) r.skip(16, "material");
    r.skip(16 + 8 + 28 + 16, "material");
    r.skip(version == 7 ? 16 : 8, "material");
}

ShapeObject parseObject(ByteReader& r, int index, int32_t textureCount) {
    r.skip(index == 0 ? 8 : 12, "object head");
    const qint64 countsAt = r.pos();
    ShapeObject object;
    const int32_t triangleCount = count(r, "triangles");
    const int32_t vertexCount = count(r, "vertices");
    object.format = r.i32("vertex format");
    const int32_t extra = count(r, "extra vertex data");
    r.skip(8, "object counts");
    if (triangleCount > kMaxObjectTriangles)
        refuse(r, countsAt, QStringLiteral("object %1 with at most %2 triangles, not %3")
                                .arg(index).arg(kMaxObjectTriangles).arg(triangleCount));

    if (qint64(extra) > r.remaining() / kExtraVertexBytes)
        refuse(r, countsAt, QStringLiteral("vertices of %1 extra entries").arg(extra));
    const qint64 vertexSize = kVertexSize + qint64(extra) * kExtraVertexBytes;
    requireRecords(r, vertexCount, vertexSize, "vertices");
    object.vertices.resize(size_t(vertexCount));
    for (ShapeVertex& v : object.vertices) {
        v.x = r.f32("vertex");
        v.y = r.f32("vertex");
        v.z = r.f32("vertex");
        v.nx = r.f32("vertex normal");
        v.ny = r.f32("vertex normal");
        v.nz = r.f32("vertex normal");
        v.u = r.f32("texture coordinates");
        v.v = r.f32("texture coordinates");
        r.skip(vertexSize - kVertexSize, "vertex data");
    }
    r.skip(8, "object");

    requireRecords(r, triangleCount, kTriangleSize, "triangles");
    object.triangles.resize(size_t(triangleCount));
    for (auto& t : object.triangles) {
        const qint64 at = r.pos();
        for (int32_t& i : t) {
            i = r.i32("triangle");
            if (i < 0 || i >= vertexCount)
                refuse(r, at, QStringLiteral("vertex indices below %1 in object %2, not %3")
                                  .arg(vertexCount).arg(index).arg(i));
        }
        r.skip(4, "triangle");
    }
    r.skip(12, "object");

    const int32_t batchCount = count(r, "batches");
    const int recordSize = batchRecordSize(object.format);
    requireRecords(r, batchCount, recordSize, "batches");
    object.batches.resize(size_t(batchCount));
    for (ShapeBatch& b : object.batches) {
        const qint64 at = r.pos();
        b.firstTriangle = r.i32("batch");
        b.triangleCount = r.i32("batch");
        r.skip(8, "batch");
        b.textureIndex = r.i32("batch texture");
        r.skip(recordSize - 20, "batch");
        if (b.firstTriangle < 0 || b.triangleCount < 0 ||
            qint64(b.firstTriangle) + b.triangleCount > triangleCount)
            refuse(r, at, QStringLiteral("a batch inside the %1 triangles of object %2, not triangles %3 + %4")
                              .arg(triangleCount).arg(index).arg(b.firstTriangle).arg(b.triangleCount));
        if (b.textureIndex < 0 || b.textureIndex >= textureCount)
            refuse(r, at, QStringLiteral("a texture index below %1 in object %2, not %3")
                              .arg(textureCount).arg(index).arg(b.textureIndex));
    }
    r.skip(12, "object");

    const int32_t groupCount = count(r, "groups");
    requireRecords(r, groupCount, kGroupHeadSize, "groups");
    for (int32_t g = 0; g < groupCount; ++g) {
        r.skip(4, "group");
        const int32_t n = r.i32("group");
        if (n > 0) {
            requireRecords(r, n, 4, "group entries");
            r.skip(qint64(n) * 4, "group");
        }
    }
    return object;
}

}  // namespace

int batchRecordSize(int32_t format) { return format == 23 ? 20 : format == 39 ? 24 : 28; }

CarShape parseCarShape(ByteReader& r) {
    CarShape shape;
    const qint64 start = r.pos();
    r.require(start, kHeaderSize, "the shape header");
    const char digit = char(r.u8At(start + kVersionAt, "the shape version"));
    if (digit < '0' || digit > '9')
        refuse(r, start + kVersionAt, QStringLiteral("a version digit in the shape header"));
    shape.version = digit - '0';
    const int v = shape.version;
    r.skip(kHeaderSize, "the shape header");

    quotedName(r, "shape name");
    if (v == 7) r.skip(4, "shape");
    const int32_t objectCount = count(r, "objects");
    r.skip(12, "shape counts");
    const int32_t materialCount = count(r, "materials");

    for (int32_t m = 0; m < materialCount; ++m) skipMaterial(r, v);
    if (v == 7) {
        const int32_t n = tableHead(r, "table");
        requireRecords(r, n, 80, "records");
        r.skip(qint64(n) * 80, "table");
    }
    if (v > 4) {
        const int32_t n = tableHead(r, "table");
        for (int32_t i = 0; i < n; ++i) {
            r.skip(4, "record");
            quotedName(r, "record name");
            r.skip(72, "record");
        }
    }
    const int32_t textureCount = tableHead(r, "texture names");
    for (int32_t i = 0; i < textureCount; ++i) shape.textureNames.push_back(quotedName(r, "texture name"));
    const int32_t namedCount = tableHead(r, "named records");
    for (int32_t i = 0; i < namedCount; ++i) {
        quotedName(r, "record name");
        r.skip(64 + (v == 4 ? 76 : 80), "named record");
    }
    for (int32_t i = 0; i < objectCount; ++i) shape.objects.push_back(parseObject(r, i, textureCount));
    return shape;
}

}  // namespace pw::wad
