#include "core/archive/SampleShapes.h"

namespace pw::wad {

namespace {

// Appends an axis-aligned box (12 triangles) to the object and one batch for it.
void addBox(ShapeObject& o, float x0, float y0, float z0, float x1, float y1, float z1, int32_t texture) {
    struct Face {
        float n[3];
        float c[4][3];
    };
    const Face faces[] = {
        {{0, 0, -1}, {{x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0}}},
        {{0, 0, 1}, {{x0, y0, z1}, {x0, y1, z1}, {x1, y1, z1}, {x1, y0, z1}}},
        {{-1, 0, 0}, {{x0, y0, z0}, {x0, y1, z0}, {x0, y1, z1}, {x0, y0, z1}}},
        {{1, 0, 0}, {{x1, y0, z0}, {x1, y0, z1}, {x1, y1, z1}, {x1, y1, z0}}},
        {{0, 1, 0}, {{x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}}},
        {{0, -1, 0}, {{x0, y0, z0}, {x0, y0, z1}, {x1, y0, z1}, {x1, y0, z0}}},
    };
    const int32_t firstTriangle = int32_t(o.triangles.size());
    const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const Face& f : faces) {
        const int32_t base = int32_t(o.vertices.size());
        for (int k = 0; k < 4; ++k)
            o.vertices.push_back({f.c[k][0], f.c[k][1], f.c[k][2], f.n[0], f.n[1], f.n[2], uv[k][0], uv[k][1]});
        // Counter-clockwise seen from outside, as the face's normal points.
        o.triangles.push_back({base, base + 2, base + 1});
        o.triangles.push_back({base, base + 3, base + 2});
    }
    o.batches.push_back({firstTriangle, 12, texture});
}

}  // namespace

CarShape sampleCarBodyShape() {
    CarShape s;
    s.version = 7;
    s.textureNames = {"demo_body.bmp", "demo_wing.bmp"};
    ShapeObject body;
    body.format = 23;
    addBox(body, -0.16f, -0.50f, -1.30f, 0.16f, -0.30f, 0.60f, 0);   // tub
    addBox(body, -0.08f, -0.48f, 0.60f, 0.08f, -0.36f, 1.60f, 0);    // nose
    addBox(body, -0.45f, -0.52f, -1.00f, -0.16f, -0.34f, -0.20f, 0); // side pods
    addBox(body, 0.16f, -0.52f, -1.00f, 0.45f, -0.34f, -0.20f, 0);
    addBox(body, -0.10f, -0.30f, -1.60f, 0.10f, -0.10f, -0.40f, 0);  // engine cover
    ShapeObject wings;
    wings.format = 17;
    addBox(wings, -0.55f, -0.53f, 1.55f, 0.55f, -0.50f, 1.75f, 1);   // front wing
    addBox(wings, -0.45f, -0.08f, -2.10f, 0.45f, -0.04f, -1.85f, 1); // rear wing
    s.objects = {body, wings};
    return s;
}

CarShape sampleCockpitShape() {
    CarShape s;
    s.version = 4;
    s.textureNames = {"demo_cockpit.bmp"};
    ShapeObject tub;
    tub.format = 23;
    addBox(tub, -0.30f, -0.50f, -0.60f, -0.24f, 0.02f, 0.20f, 0);  // side walls beside the driver
    addBox(tub, 0.24f, -0.50f, -0.60f, 0.30f, 0.02f, 0.20f, 0);
    addBox(tub, -0.30f, -0.50f, 0.20f, 0.30f, -0.10f, 0.90f, 0);   // front cowl
    s.objects = {tub};
    return s;
}

CarShape sampleDashboardShape() {
    CarShape s;
    s.version = 7;
    s.textureNames = {"demo_displays.bmp"};
    ShapeObject panel;
    panel.format = 39;
    const float z = -0.3775f;
    panel.vertices = {{-0.06f, -0.055f, z, 0, 0, -1, 0, 1},
                      {0.06f, -0.055f, z, 0, 0, -1, 1, 1},
                      {0.06f, 0.005f, z, 0, 0, -1, 1, 0},
                      {-0.06f, 0.005f, z, 0, 0, -1, 0, 0}};
    panel.triangles = {{0, 2, 1}, {0, 3, 2}};  // counter-clockwise seen from the driver
    panel.batches = {{0, 2, 0}};
    s.objects = {panel};
    return s;
}

}  // namespace pw::wad
