#include "preview/ShapeCompiler.h"

namespace pw::preview {

namespace {
constexpr float kShapeScale = 200.0f;
const Rgba kWhite{1, 1, 1, 1};
const Rgba kShapeSpecular{0.4f, 0.4f, 0.4f, 1};
const Rgba kShapeAmbient{0.1f, 0.1f, 0.1f, 1};
}  // namespace

namespace {

void placeShape(GlSink& gl, int slot, const ShapeCompileInputs& in) {
    const bool dashboard = slot == kDashboardSlot;
    const auto& c = in.cockpit;
    gl.material(MaterialColour::Specular, dashboard ? kWhite : kShapeSpecular);
    gl.material(MaterialColour::Ambient, dashboard ? kWhite : kShapeAmbient);
    gl.enable(Feature::AlphaTest, dashboard);
    gl.shininess(4);
    gl.enable(Feature::Texture2D, true);
    if (in.cockpitView) gl.translate(0, -18, 170);
    if (dashboard) gl.translate(0.6f - 200 * c.dashX, 200 * c.dashZ + 3, 100 * c.dashY - 5);
    gl.scale(-kShapeScale, kShapeScale, kShapeScale);
}

void unplaceShape(GlSink& gl, int slot, const ShapeCompileInputs& in) {
    const auto& c = in.cockpit;
    gl.scale(-1 / kShapeScale, 1 / kShapeScale, 1 / kShapeScale);
    if (in.cockpitView) gl.translate(0, 18, -170);
    if (slot == kDashboardSlot) {
        gl.translate(200 * c.dashX - 0.6f, 3 - 200 * c.dashZ, 5 - 100 * c.dashY);
        gl.enable(Feature::AlphaTest, false);
        gl.material(MaterialColour::Specular, kShapeSpecular);
        gl.material(MaterialColour::Ambient, kShapeAmbient);
    }
}

void drawBatches(GlSink& gl, int slot, const pw::wad::CarShape& shape,
                 const ShapeTextures& textures, const ShapeCompileInputs& in) {
    const bool dashboard = slot == kDashboardSlot;
    for (const pw::wad::ShapeObject& object : shape.objects) {
        for (const pw::wad::ShapeBatch& batch : object.batches) {
            // The parser guarantees every index is inside its table; the spare entry of the
            // texture table is never reached.
            const size_t t = size_t(batch.textureIndex);
            const bool known = t < textures.texture.size();
            gl.bindTexture(dashboard ? in.dashboardTexture : known ? textures.texture[t] : 0);
            gl.begin(Primitive::Triangles);
            gl.material(MaterialColour::Diffuse,
                        known && textures.plainImage[t] ? kWhite : in.armColour);
            const bool flip = known && textures.flip[t];
            const int32_t last = batch.firstTriangle + batch.triangleCount;
            for (int32_t k = batch.firstTriangle; k < last; ++k) {
                for (int32_t index : object.triangles[size_t(k)]) {
                    const pw::wad::ShapeVertex& v = object.vertices[size_t(index)];
                    gl.texCoord(v.u, flip ? 1 - v.v : v.v);
                    gl.normal(v.nx, v.ny, v.nz);
                    gl.vertex(v.x, v.y, v.z);
                }
            }
            gl.end();
        }
    }
}

}  // namespace

void compileShape(GlSink& gl, ListName list, int slot, const pw::wad::CarShape& shape,
                  const ShapeTextures& textures, const ShapeCompileInputs& in) {
    gl.newList(list);
    placeShape(gl, slot, in);
    drawBatches(gl, slot, shape, textures, in);
    unplaceShape(gl, slot, in);
    gl.endList();
}

void compileShapeBatches(GlSink& gl, ListName batches, int slot, const pw::wad::CarShape& shape,
                         const ShapeTextures& textures, const ShapeCompileInputs& in) {
    gl.newList(batches);
    drawBatches(gl, slot, shape, textures, in);
    gl.endList();
}

void compileShapePlacement(GlSink& gl, ListName list, int slot, ListName batches,
                           const ShapeCompileInputs& in) {
    gl.newList(list);
    placeShape(gl, slot, in);
    gl.callList(batches);
    unplaceShape(gl, slot, in);
    gl.endList();
}

}  // namespace pw::preview
