#pragma once

#include <vector>

namespace pw::preview {

struct MeshVertex {
    float x = 0, y = 0, z = 0;
    float nx = 0, ny = 0, nz = 0;
    float u = 0, v = 0;
};

// A triangle list: every three vertices make one triangle.
struct MeshBatch {
    std::vector<MeshVertex> vertices;
    int triangleCount() const { return int(vertices.size() / 3); }
};

// The preview's own meshes, in mesh units (drawn scaled by 200).
struct BuiltinMesh {
    std::vector<MeshBatch> batches;
};

// Helmet: shell (172 triangles), top panel (98) and visor (12); the front faces +z.
const BuiltinMesh& helmetMesh();
// Tyres turned about the x axis and centred on the origin: batches 1 to 4 rim and hub (their
// texture coordinates in the middle of the sidewall image), 5 the tread, 6 the sidewall at +x,
// 7 the sidewall at -x.
const BuiltinMesh& rearTyreMesh();
const BuiltinMesh& frontTyreMesh();

}  // namespace pw::preview
