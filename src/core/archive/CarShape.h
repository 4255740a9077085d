#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>
#include <vector>

#include "core/bytes/ByteIO.h"

namespace pw::wad {

// The most triangles one object of a shape may hold.
constexpr int kMaxObjectTriangles = 60000;

struct ShapeVertex {
    float x = 0, y = 0, z = 0;
    float nx = 0, ny = 0, nz = 0;
    float u = 0, v = 0;
};

// A run of an object's triangles drawn with one texture.
struct ShapeBatch {
    int32_t firstTriangle = 0;
    int32_t triangleCount = 0;
    int32_t textureIndex = 0;
};

struct ShapeObject {
    int32_t format = 0;  // vertex format F: decides the size of the batch records
    std::vector<ShapeVertex> vertices;
    std::vector<std::array<int32_t, 3>> triangles;  // indices into vertices
    std::vector<ShapeBatch> batches;
};

// What the preview draws of a ".gp4" car shape: its texture file names and, per object, the
// vertices, triangles and texture batches. Every other table of the format is stepped over.
struct CarShape {
    int version = 0;
    std::vector<QByteArray> textureNames;
    std::vector<ShapeObject> objects;
};

// Parses the shape that starts at the reader's position. Throws model::GameFileError when the
// data end early, the version is not a digit, or the shape is inconsistent: an object of more
// than kMaxObjectTriangles triangles, a batch whose triangles leave its object, a triangle whose
// vertices leave its object, or a texture index not below the number of texture names. Nothing
// outside the reader's bytes is read.
CarShape parseCarShape(pw::model::ByteReader& reader);

// Size of one batch record for vertex format F.
int batchRecordSize(int32_t format);

}  // namespace pw::wad
