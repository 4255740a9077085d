#include "DemoArchive.h"

#include "model/ByteIO.h"
#include "model/Defaults.h"
#include "wad/TyrePositions.h"
#include "wad/WadWriter.h"

namespace pw::demo {

namespace {

constexpr int kCollisionMeshSize = 256;

QByteArray collisionMesh() {
    // Bytes around the wheels stand for the rest of the mesh; only the wheels are ever read.
    QByteArray mesh(kCollisionMeshSize, '\0');
    for (int i = 0; i < kCollisionMeshSize; ++i) mesh[i] = char(0x5A ^ (i * 7));
    for (int w = 0; w < model::kWheelCount; ++w) {
        for (int axis = 0; axis < 3; ++axis) {
            const QByteArray f = model::le::bytesF32(model::DefaultTables::kTyreFloats[size_t(w)][size_t(axis)]);
            mesh.replace(int(wad::kWheelOffsets[size_t(w)]) + 4 * axis, 4, f);
        }
    }
    return mesh;
}

}  // namespace

void writeDemoArchive(const QString& path, const model::EditorModel&) {
    std::vector<wad::WadFileEntry> entries;
    entries.push_back({"cars\\readme.txt", "Demo cars archive written by make-demo-game.\r\n"});
    entries.push_back({"cars\\car_collision_mesh.ct", collisionMesh()});
    entries.push_back({"cars\\setups\\notes.txt", QByteArray(64, 'n')});
    wad::WriteWad(path, entries);
}

}  // namespace pw::demo
