#include "preview/SceneParts.h"

#include <vector>

#include "preview/ScenePrimitives.h"

namespace pw::preview {

namespace {

constexpr float kMeshScale = 200.0f;
// A tyre's batches by the texture they are drawn with: the rim and sidewall (brand), the tread,
// the brand again.
const std::vector<int> kTyreRuns[3] = {{0, 1, 2, 3}, {4}, {5, 6}};
const Rgba kWhite{1, 1, 1, 1};
const Rgba kDark{0.1f, 0.1f, 0.1f, 1};

void emitBatch(GlSink& gl, const MeshBatch& batch) {
    gl.begin(Primitive::Triangles);
    for (const MeshVertex& v : batch.vertices) {
        gl.texCoord(v.u, v.v);
        gl.normal(v.nx, v.ny, v.nz);
        gl.vertex(v.x, v.y, v.z);
    }
    gl.end();
}

void ambientAndDiffuse(GlSink& gl, const Rgba& c) {
    gl.material(MaterialColour::Ambient, c);
    gl.material(MaterialColour::Diffuse, c);
}

void lights(GlSink& gl, std::initializer_list<int> indices, bool on) {
    for (int i : indices) gl.light(i, on);
}

// The steering-wheel lists share everything but their box.
void steeringWheel(GlSink& gl, ListName list, const TextureSet& textures, float x1, float y1, float z1, float x2,
                   float y2, float z2) {
    gl.newList(list);
    gl.enable(Feature::AlphaTest, true);
    gl.light(5, true);
    gl.enable(Feature::Texture2D, true);
    ambientAndDiffuse(gl, kWhite);
    gl.bindTexture(textures[TextureSet::SteeringWheel]);
    OpenBox(gl, x1, y1, z1, x2, y2, z2);
    gl.enable(Feature::Texture2D, false);
    gl.enable(Feature::AlphaTest, false);
    gl.light(5, false);
    gl.endList();
}

}  // namespace

void DrawTyre(GlSink& gl, TyreKind kind, float x, float y, float z, const SceneInputs& in,
              const TextureSet& textures, ListName batches) {
    const BuiltinMesh& mesh = kind == TyreKind::Rear ? rearTyreMesh() : frontTyreMesh();
    const TextureName brand = textures.brand(in.brandIndex);
    // The batches of one texture: from their lists where compiled, else vertex by vertex.
    const ListName runs = batches ? batches + (kind == TyreKind::Rear ? 0 : 3) : 0;
    const auto draw = [&](int run) {
        if (runs) {
            gl.callList(runs + ListName(run));
            return;
        }
        for (int b : kTyreRuns[size_t(run)]) emitBatch(gl, mesh.batches[size_t(b)]);
    };
    gl.translate(x, y, z);
    gl.scale(kMeshScale, kMeshScale, kMeshScale);
    gl.light(5, true);
    if (kind == TyreKind::Rear) gl.light(2, false);
    gl.bindTexture(brand);
    gl.material(MaterialColour::Diffuse, in.rimColour);
    gl.material(MaterialColour::Ambient, kDark);
    draw(0);
    lights(gl, {4, 5}, false);
    gl.bindTexture(textures[TextureSet::Tread]);
    ambientAndDiffuse(gl, kWhite);
    draw(1);
    gl.bindTexture(brand);
    draw(2);
    gl.scale(1 / kMeshScale, 1 / kMeshScale, 1 / kMeshScale);
    gl.translate(-x, -y, -z);
}

ListName CompileTyreBatches(GlSink& gl) {
    const ListName first = gl.genLists(6);
    const BuiltinMesh* meshes[] = {&rearTyreMesh(), &frontTyreMesh()};
    for (int m = 0; m < 2; ++m)
        for (int run = 0; run < 3; ++run) {
            gl.newList(first + ListName(3 * m + run));
            for (int b : kTyreRuns[size_t(run)]) emitBatch(gl, meshes[m]->batches[size_t(b)]);
            gl.endList();
        }
    return first;
}

void BuildShadow(GlSink& gl, ListName list, const TextureSet& textures) {
    gl.newList(list);
    gl.enable(Feature::AlphaTest, true);
    gl.enable(Feature::Texture2D, true);
    gl.bindTexture(textures[TextureSet::Shadow]);
    gl.translate(35, 0, -45);
    gl.begin(Primitive::Quads);
    gl.normal(0, 1, 0);
    gl.texCoord(1, 1);
    gl.vertex(-210, -108, 460);
    gl.texCoord(1, 0);
    gl.vertex(-210, -108, -530);
    gl.texCoord(0, 0);
    gl.vertex(200, -108, -530);
    gl.texCoord(0, 1);
    gl.vertex(200, -108, 460);
    gl.end();
    gl.translate(-35, 0, 45);
    gl.enable(Feature::Texture2D, false);
    gl.enable(Feature::AlphaTest, false);
    gl.endList();
}

void Buildtyres(GlSink& gl, ListName list, const SceneInputs& in, const TextureSet& textures,
                ListName batches) {
    // Wheels 1 and 3 are drawn mirrored in z, wheels 2 and 4 turned half a turn about z, so the
    // mesh's +x side faces the car's centre line on both sides.
    const auto& w = in.wheels;
    gl.newList(list);
    gl.enable(Feature::AlphaTest, true);
    gl.enable(Feature::Texture2D, true);
    gl.scale(1, 1, -1);
    DrawTyre(gl, TyreKind::Rear, -200 * w[2][0], 200 * w[2][1], -200 * w[2][2], in, textures,
             batches);
    DrawTyre(gl, TyreKind::Front, -200 * w[0][0], 200 * w[0][1], -200 * w[0][2], in, textures,
             batches);
    gl.scale(-1, 1, 1);
    gl.rotate(-180, 1, 0, 0);
    DrawTyre(gl, TyreKind::Rear, 200 * w[3][0], -200 * w[3][1], 200 * w[3][2], in, textures,
             batches);
    DrawTyre(gl, TyreKind::Front, 200 * w[1][0], -200 * w[1][1], 200 * w[1][2], in, textures,
             batches);
    gl.rotate(180, 1, 0, 0);
    gl.enable(Feature::AlphaTest, false);
    gl.scale(-1, 1, -1);
    ambientAndDiffuse(gl, kWhite);
    gl.endList();
}

void Buildarms(GlSink& gl, ListName list, const SceneInputs& in, const TextureSet& textures) {
    const float h = in.wheelOffsetZ, d = in.wheelOffsetY;
    gl.newList(list);
    gl.enable(Feature::AlphaTest, true);
    lights(gl, {0, 1, 2, 4, 5}, false);
    lights(gl, {3, 6}, true);
    gl.enable(Feature::Texture2D, true);
    gl.material(MaterialColour::Ambient, kDark);
    gl.bindTexture(textures[TextureSet::Arm]);
    // The diffuse colour is the arm colour, set by the paint just before it draws this list.
    gl.scale(-1, 1, 1);
    SlantQuad(gl, 36, -10, -50, 18, 200 * h - 7, 200 * d);
    gl.scale(-1, 1, 1);
    SlantQuad(gl, 36, -10, -50, 18, 200 * h - 7, 200 * d);

    lights(gl, {0, 1, 2}, true);
    lights(gl, {3, 6}, false);
    gl.light(5, true);
    gl.enable(Feature::Texture2D, true);
    ambientAndDiffuse(gl, kWhite);
    gl.bindTexture(textures[TextureSet::Glove]);
    gl.scale(-1, -1, 1);
    OpenBox(gl, 33, -11 - 200 * h, 200 * d - 1, 16, 15 - 200 * h, 200 * d);
    gl.scale(-1, 1, 1);
    OpenBox(gl, 33, -11 - 200 * h, 200 * d - 1, 16, 15 - 200 * h, 200 * d);
    gl.scale(1, -1, 1);
    gl.enable(Feature::Texture2D, false);
    gl.enable(Feature::AlphaTest, false);
    gl.light(5, false);
    gl.endList();
}

void Buildstwheel(GlSink& gl, ListName list, const SceneInputs& in, const TextureSet& textures) {
    const float h = in.wheelOffsetZ, d = in.wheelOffsetY;
    steeringWheel(gl, list, textures, -27.5f, 200 * h - 21, 200 * d, 27.5f, 200 * h + 19, 200 * d + 1);
}

void Buildcockpitwheel(GlSink& gl, ListName list, const SceneInputs& in, const TextureSet& textures) {
    const auto& c = in.cockpit;
    steeringWheel(gl, list, textures, -45 - 200 * c.wheelX, 200 * c.wheelZ - 52, 200 * c.wheelY + 180,
                  45 - 200 * c.wheelX, 200 * c.wheelZ + 6, 200 * c.wheelY + 180);
}

void Buildlandscape(GlSink& gl, ListName list) {
    const Rgba markingGrey{0.74f, 0.74f, 0.74f, 1};
    const Rgba asphalt{0.18f, 0.195f, 0.195f, 1};
    gl.newList(list);
    gl.light(6, true);
    gl.enable(Feature::Texture2D, false);
    gl.enable(Feature::AlphaTest, false);

    ambientAndDiffuse(gl, kWhite);
    FlatQuad(gl, -1500, -40000, -1540, 40000, -110);  // track lines
    FlatQuad(gl, 500, -40000, 540, 40000, -110);
    OpenBox(gl, -1700, 500, 3010, 700, 800, 3020);  // banner across the track

    gl.material(MaterialColour::Diffuse, markingGrey);
    gl.material(MaterialColour::Ambient, asphalt);
    FlatQuad(gl, -240, 350, 240, 380, -109);  // box marking around the car
    FlatQuad(gl, -240, 280, -190, 380, -109);
    FlatQuad(gl, 240, 280, 190, 380, -109);
    FlatQuad(gl, -225, -120, -240, 280, -109);
    FlatQuad(gl, 225, -120, 240, 280, -109);

    gl.material(MaterialColour::Diffuse, {0.9f, 0.55f, 0, 1});
    FlatQuad(gl, -100, 281, -480, 300, -109.5f);  // orange strip

    ambientAndDiffuse(gl, asphalt);
    FlatQuad(gl, -1500, -40000, 500, 40000, -110);  // track surface

    gl.material(MaterialColour::Diffuse, {0.3f, 0.3f, 0.3f, 1});
    OpenBox(gl, 1000, -110, -40000, 950, 80, 40000);  // wall along the track

    gl.material(MaterialColour::Ambient, {0.4f, 0.4f, 0.4f, 1});
    OpenBox(gl, 700, -110, 3000, 730, 800, 3030);  // banner posts
    OpenBox(gl, -1700, -110, 3000, -1730, 800, 3030);

    gl.material(MaterialColour::Diffuse, {0.1f, 0.22f, 0, 1});
    gl.material(MaterialColour::Ambient, asphalt);
    FlatQuad(gl, -1540, -40000, -12300, 40000, -110);  // grass
    FlatQuad(gl, 12000, -40000, 540, 40000, -110);

    gl.material(MaterialColour::Diffuse, kWhite);
    gl.light(6, false);
    gl.endList();
}

void BuildHelmet(GlSink& gl, ListName list, const SceneInputs& in) {
    const Rgba colours[] = {kWhite, {0, 0, 0.4f, 1}, {0.4f, 0.4f, 0.4f, 1}};
    const BuiltinMesh& mesh = helmetMesh();
    gl.newList(list);
    gl.enable(Feature::Texture2D, false);
    lights(gl, {0, 2, 3, 4, 5, 6}, false);
    gl.translate(0, 200 * in.helmetZ, 200 * in.helmetY);
    gl.scale(-kMeshScale, kMeshScale, kMeshScale);
    for (size_t b = 0; b < mesh.batches.size(); ++b) {
        ambientAndDiffuse(gl, colours[b]);
        emitBatch(gl, mesh.batches[b]);
    }
    gl.scale(-1 / kMeshScale, 1 / kMeshScale, 1 / kMeshScale);
    gl.translate(0, -200 * in.helmetZ, -200 * in.helmetY);
    lights(gl, {0, 1, 2, 3, 4, 5, 6}, true);
    gl.endList();
}

}  // namespace pw::preview
