#include "DemoArchive.h"

#include "core/bytes/ByteIO.h"
#include "core/tables/Defaults.h"
#include "core/archive/CarShapeWriter.h"
#include "core/archive/SampleShapes.h"
#include "core/archive/TyrePositions.h"
#include "core/archive/WadWriter.h"

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

void writeDemoArchive(const QString& path, const model::EditorModel& model) {
    std::vector<wad::WadFileEntry> entries;
    entries.push_back({"cars\\readme.txt", "Demo cars archive written by make-demo-game.\r\n"});
    entries.push_back({"cars\\car_collision_mesh.ct", collisionMesh()});
    entries.push_back({"cars\\cockpit\\cockpit_dash.gp4", wad::writeCarShape(wad::sampleDashboardShape())});
    entries.push_back({"cars\\cockpit\\car_cockpit_00.gp4", wad::writeCarShape(wad::sampleCockpitShape())});
    // One body per team, stored under the name the preview asks for.
    const QByteArray body = wad::writeCarShape(wad::sampleCarBodyShape());
    for (const auto& team : model.teams) {
        const QByteArray name = team.carShapeName.toLower();
        entries.push_back({"cars\\" + name + "\\car_" + name + "_car1_lod_0.gp4", body});
    }
    wad::WriteWad(path, entries);
}

}  // namespace pw::demo
