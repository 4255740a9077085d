#include <gtest/gtest.h>

#include "core/archive/SampleShapes.h"

using namespace pw::wad;

// The preview draws shapes mirrored in x with two-sided lighting, and its lights are placed for
// shapes whose triangles run counter-clockwise seen from the side their normals point to: the
// mirror turns those into back faces, whose normals the lighting turns round. Demo shapes wound
// the other way came out dark on top. Each triangle's winding must agree with its normals.
TEST(SampleShapes, TrianglesRunCounterClockwiseSeenFromTheirNormals) {
    struct Case {
        const char* name;
        CarShape shape;
    };
    const Case cases[] = {{"car body", sampleCarBodyShape()},
                          {"cockpit", sampleCockpitShape()},
                          {"dashboard", sampleDashboardShape()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int triangles = 0;
        for (const ShapeObject& o : c.shape.objects) {
            for (const auto& t : o.triangles) {
                const ShapeVertex& a = o.vertices.at(size_t(t[0]));
                const ShapeVertex& b = o.vertices.at(size_t(t[1]));
                const ShapeVertex& d = o.vertices.at(size_t(t[2]));
                const float e1[3] = {b.x - a.x, b.y - a.y, b.z - a.z};
                const float e2[3] = {d.x - a.x, d.y - a.y, d.z - a.z};
                const float w[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                    e1[0] * e2[1] - e1[1] * e2[0]};
                for (const ShapeVertex* v : {&a, &b, &d})
                    EXPECT_GT(w[0] * v->nx + w[1] * v->ny + w[2] * v->nz, 0.0f)
                        << "triangle " << triangles << " winds against its normal";
                ++triangles;
            }
        }
        EXPECT_GT(triangles, 0);
    }
}
