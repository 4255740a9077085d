#include "core/archive/CarShapeWriter.h"

namespace pw::wad {

namespace {

using pw::model::ByteWriter;

// Filler of the tables that are stepped over: not zero, so stepping wrongly reads large counts.
QByteArray filler(int n) { return QByteArray(n, '\x7F'); }

void quoted(ByteWriter& w, const QByteArray& name) {
    w.u8('"');
    if (name.size() >= 100) {
        w.bytes(name.left(100));
        return;
    }
    w.bytes(name);
    w.u8('"');
}

void tableHead(ByteWriter& w, int32_t count) {
    w.bytes(filler(12));
    w.i32(count);
}

}  // namespace

QByteArray writeCarShape(const CarShape& shape, const QByteArray& shapeName) {
    const int v = shape.version;
    ByteWriter w;
    w.bytes("PWSHAPE-GP4-");
    w.u8('v');
    w.u8(uint8_t('0' + v));
    quoted(w, shapeName);
    if (v == 7) w.bytes(filler(4));
    w.i32(int32_t(shape.objects.size()));
    w.bytes(filler(12));
    w.i32(1);  // one material

    w.i32(0);
    quoted(w, "material");
    w.bytes(filler(24 + 64));
    if (v > 4) w.bytes(filler(16));
    w.bytes(filler(16 + 8 + 28 + 16));
    w.bytes(filler(v == 7 ? 16 : 8));

    if (v == 7) {
        tableHead(w, 1);
        w.bytes(filler(80));
    }
    if (v > 4) {
        tableHead(w, 1);
        w.i32(0);
        quoted(w, "record");
        w.bytes(filler(72));
    }
    tableHead(w, int32_t(shape.textureNames.size()));
    for (const QByteArray& name : shape.textureNames) quoted(w, name);
    tableHead(w, 1);
    quoted(w, "named");
    w.bytes(filler(64 + (v == 4 ? 76 : 80)));

    for (size_t i = 0; i < shape.objects.size(); ++i) {
        const ShapeObject& o = shape.objects[i];
        w.bytes(filler(i == 0 ? 8 : 12));
        const int32_t extra = o.format == 23 ? 0 : 1;  // extra vertex data, stepped over
        w.i32(int32_t(o.triangles.size()));
        w.i32(int32_t(o.vertices.size()));
        w.i32(o.format);
        w.i32(extra);
        w.bytes(filler(8));
        for (const ShapeVertex& p : o.vertices) {
            for (float f : {p.x, p.y, p.z, p.nx, p.ny, p.nz, p.u, p.v}) w.f32(f);
            w.bytes(filler(extra * 8));
        }
        w.bytes(filler(8));
        for (const auto& t : o.triangles) {
            for (int32_t index : t) w.i32(index);
            w.bytes(filler(4));
        }
        w.bytes(filler(12));
        w.i32(int32_t(o.batches.size()));
        for (const ShapeBatch& b : o.batches) {
            w.i32(b.firstTriangle);
            w.i32(b.triangleCount);
            w.bytes(filler(8));
            w.i32(b.textureIndex);
            w.bytes(filler(batchRecordSize(o.format) - 20));
        }
        w.bytes(filler(12));
        w.i32(2);  // two groups: one with entries, one without
        w.bytes(filler(4));
        w.i32(3);
        for (int k = 0; k < 3; ++k) w.i32(k);
        w.bytes(filler(4));
        w.i32(0);
    }
    return w.data();
}

}  // namespace pw::wad
