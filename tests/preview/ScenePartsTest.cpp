#include <gtest/gtest.h>

#include <QRegularExpression>
#include <algorithm>

#include "RecordingGlSink.h"
#include "preview/BuiltinMeshes.h"
#include "preview/SceneParts.h"
#include "preview/ScenePrimitives.h"

using namespace pw::preview;
using namespace pw::preview::fakes;

namespace {

constexpr ListName kList = 42;

TextureSet textureSet() {
    TextureSet t;
    for (int e = 0; e < TextureSet::kCount; ++e) t.names[size_t(e)] = TextureName(101 + e);
    return t;
}

// Wheel positions of the default table, (p0, p1, p2) per wheel.
SceneInputs defaults() {
    SceneInputs in;
    in.wheels = {{{0.6991f, -0.22925f, 1.1435f},
                  {-0.7156f, -0.22925f, 1.1435f},
                  {0.6967f, -0.2294f, -1.8051f},
                  {-0.7133f, -0.2294f, -1.8051f}}};
    in.rimColour = {0.2f, 0.4f, 0.6f, 1};
    in.wheelOffsetZ = 0.1f;
    in.wheelOffsetY = 0.2f;
    in.cockpit = {-0.006f, -0.45f, 0.03f, -0.006f, -0.005f, 0.05f};
    return in;
}

struct Box {
    QVector3D lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
    void add(const QVector3D& p) {
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], p[k]);
            hi[k] = std::max(hi[k], p[k]);
        }
    }
};

Box worldBox(const std::vector<RecordedVertex>& vs, int primitive = -1) {
    Box b;
    for (const RecordedVertex& v : vs)
        if (primitive < 0 || v.primitive == primitive) b.add(v.world);
    return b;
}

void expectBox(const Box& b, QVector3D lo, QVector3D hi, float tolerance = 1e-3f) {
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(b.lo[k], lo[k], tolerance) << "axis " << k;
        EXPECT_NEAR(b.hi[k], hi[k], tolerance) << "axis " << k;
    }
}

}  // namespace

TEST(ScenePrimitives, QuadsAndBoxesEmitTheirCornersInOrder) {
    RecordingGlSink gl;
    gl.newList(kList);
    FlatQuad(gl, 5, 20, -5, 10, 3);
    SlantQuad(gl, 1, 2, 3, 4, 5, 6);
    gl.texCoord(0.5f, 0.5f);
    OpenBox(gl, 2, 20, 200, 1, 10, 100);
    gl.endList();
    const QStringList expected{
        "begin Quads", "normal 0 1 0", "vertex -5 3 10", "vertex -5 3 20", "vertex 5 3 20", "vertex 5 3 10", "end",
        "begin Quads", "normal 0 1 0", "texcoord 1 1", "vertex 1 2 3", "texcoord 1 0", "vertex 4 2 3",
        "texcoord 0 0", "vertex 4 5 6", "texcoord 0 1", "vertex 1 5 6", "end",
        "texcoord 0.5 0.5",
        "begin Quads",
        "normal -1 0 0", "vertex 1 10 100", "vertex 1 20 100", "vertex 1 20 200", "vertex 1 10 200",
        "normal 0 0 -1", "texcoord 1 1", "vertex 1 10 100", "texcoord 0 1", "vertex 2 10 100",
        "texcoord 0 0", "vertex 2 20 100", "texcoord 1 0", "vertex 1 20 100",
        "normal 1 0 0", "vertex 2 10 100", "vertex 2 10 200", "vertex 2 20 200", "vertex 2 20 100",
        "normal 0 0 1", "vertex 1 10 200", "vertex 1 20 200", "vertex 2 20 200", "vertex 2 10 200",
        "normal 0 1 0", "vertex 1 20 100", "vertex 2 20 100", "vertex 2 20 200", "vertex 1 20 200",
        "end"};
    EXPECT_EQ(gl.allCalls(kList), expected);
    // Faces 3 to 5 keep the last coordinate of face 2; face 1 keeps whatever was current.
    const auto& v = gl.vertices(kList);
    EXPECT_EQ(v[8].tex, QVector2D(0.5f, 0.5f));
    EXPECT_EQ(v[16].tex, QVector2D(1, 0));
    EXPECT_EQ(v[27].tex, QVector2D(1, 0));
}

TEST(BuiltinMeshes, CountsAndBoundsOfEveryBatch) {
    struct Expect {
        const char* mesh;
        int batch;
        int triangles;
        float xlo, xhi, radius;  // tyres: radius is the largest distance from the axle
    };
    const Expect tyres[] = {
        {"rear", 0, 40, -0.063f, 0.180f, 0.164f},  {"rear", 1, 80, -0.180f, 0.180f, 0.182f},
        {"rear", 2, 4, -0.063f, -0.026f, 0.142f},  {"rear", 3, 40, -0.180f, -0.063f, 0.164f},
        {"rear", 4, 120, -0.164f, 0.164f, 0.326f}, {"rear", 5, 80, 0.164f, 0.187f, 0.304f},
        {"rear", 6, 80, -0.187f, -0.164f, 0.304f}, {"front", 0, 40, -0.091f, 0.158f, 0.164f},
        {"front", 1, 80, -0.158f, 0.158f, 0.182f}, {"front", 2, 4, -0.091f, -0.054f, 0.144f},
        {"front", 3, 40, -0.158f, -0.091f, 0.164f}, {"front", 4, 120, -0.130f, 0.130f, 0.326f},
        {"front", 5, 80, 0.130f, 0.164f, 0.307f},  {"front", 6, 81, -0.164f, -0.130f, 0.307f},
    };
    for (const Expect& e : tyres) {
        SCOPED_TRACE(testing::Message() << e.mesh << " batch " << e.batch + 1);
        const BuiltinMesh& m = std::string(e.mesh) == "rear" ? rearTyreMesh() : frontTyreMesh();
        ASSERT_EQ(m.batches.size(), 7u);
        const MeshBatch& b = m.batches[size_t(e.batch)];
        EXPECT_EQ(b.triangleCount(), e.triangles);
        EXPECT_EQ(b.vertices.size() % 3, 0u);
        float xlo = 1e9f, xhi = -1e9f, r = 0;
        for (const MeshVertex& v : b.vertices) {
            xlo = std::min(xlo, v.x);
            xhi = std::max(xhi, v.x);
            r = std::max(r, std::hypot(v.y, v.z));
            EXPECT_NEAR(std::hypot(std::hypot(v.nx, v.ny), v.nz), 1.0f, 1e-4f);
            if (e.batch < 4) {  // the middle of the brand image
                EXPECT_GE(v.u, 0.19f);
                EXPECT_LE(v.u, 0.81f);
                EXPECT_GE(v.v, 0.19f);
                EXPECT_LE(v.v, 0.81f);
            }
        }
        EXPECT_NEAR(xlo, e.xlo, 1e-5f);
        EXPECT_NEAR(xhi, e.xhi, 1e-5f);
        EXPECT_NEAR(r, e.radius, 1e-5f);
    }
    // The tread wraps its image: u 0 .. 1 across, v -0.9 .. 1.7 around.
    for (const BuiltinMesh* m : {&rearTyreMesh(), &frontTyreMesh()}) {
        const auto& t = m->batches[4].vertices;
        auto [umin, umax] = std::minmax_element(t.begin(), t.end(), [](auto& a, auto& b) { return a.u < b.u; });
        auto [vmin, vmax] = std::minmax_element(t.begin(), t.end(), [](auto& a, auto& b) { return a.v < b.v; });
        EXPECT_NEAR(umin->u, 0, 1e-5f);
        EXPECT_NEAR(umax->u, 1, 1e-5f);
        EXPECT_NEAR(vmin->v, -0.9f, 1e-5f);
        EXPECT_NEAR(vmax->v, 1.7f, 1e-5f);
    }

    struct HelmetBatch {
        int triangles;
        QVector3D lo, hi;
    };
    const HelmetBatch helmet[] = {
        {172, {-0.133f, -0.108f, -0.150f}, {0.134f, 0.171f, 0.195f}},
        {98, {-0.098f, -0.011f, -0.094f}, {0.099f, 0.198f, 0.165f}},
        {12, {-0.108f, -0.016f, 0.104f}, {0.108f, 0.110f, 0.195f}},
    };
    ASSERT_EQ(helmetMesh().batches.size(), 3u);
    for (int b = 0; b < 3; ++b) {
        SCOPED_TRACE(testing::Message() << "helmet batch " << b + 1);
        const MeshBatch& batch = helmetMesh().batches[size_t(b)];
        EXPECT_EQ(batch.triangleCount(), helmet[b].triangles);
        Box box;
        for (const MeshVertex& v : batch.vertices) box.add({v.x, v.y, v.z});
        expectBox(box, helmet[b].lo, helmet[b].hi, 1e-5f);
    }
}

TEST(SceneParts, TyresSitAtTheirWheelPositionsWithTheirInnerSideInwards) {
    RecordingGlSink gl;
    const SceneInputs in = defaults();
    Buildtyres(gl, kList, in, textureSet());
    const auto& v = gl.vertices(kList);
    // Tyres in drawing order: wheel 3, wheel 1, wheel 4, wheel 2; seven batches each.
    const int wheelOfTyre[] = {2, 0, 3, 1};
    const QVector3D centres[] = {{-139.82f, -45.85f, 228.7f}, {143.12f, -45.85f, 228.7f},
                                 {-139.34f, -45.88f, -361.02f}, {142.66f, -45.88f, -361.02f}};
    for (int tyre = 0; tyre < 4; ++tyre) {
        const int wheel = wheelOfTyre[tyre];
        SCOPED_TRACE(testing::Message() << "wheel " << wheel + 1);
        QVector3D sum;
        int n = 0;
        for (const RecordedVertex& r : v)
            if (r.primitive == tyre * 7 + 4) {
                sum += r.world;
                ++n;
            }
        ASSERT_EQ(n, 360);
        const QVector3D centre = sum / float(n);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(centre[k], centres[wheel][k], 2e-3f);
        // The tread's radius is 0.326 x 200 around the centre.
        const Box tread = worldBox(v, tyre * 7 + 4);
        EXPECT_NEAR(tread.hi.y() - centre.y(), 65.2f, 1e-2f);
        // The +x sidewall (batch 6) is on the side of the car's centre line.
        const Box inner = worldBox(v, tyre * 7 + 5);
        const float innerX = (inner.lo.x() + inner.hi.x()) / 2;
        EXPECT_LT(std::abs(innerX), std::abs(centre.x())) << innerX;
    }
}

TEST(SceneParts, TyreBatchesTakeBrandTreadAndRimColour) {
    for (int brand : {0, 1, 2}) {
        RecordingGlSink gl;
        SceneInputs in = defaults();
        in.brandIndex = brand;
        const TextureSet t = textureSet();
        Buildtyres(gl, kList, in, t);
        const TextureName expectedBrand =
            brand == 0 ? t[TextureSet::Bridgestone] : brand == 1 ? t[TextureSet::Michelin] : t[TextureSet::McLaren];
        for (const RecordedVertex& r : gl.vertices(kList)) {
            const int batch = r.primitive % 7;
            EXPECT_EQ(r.texture, batch == 4 ? t[TextureSet::Tread] : expectedBrand) << brand << " " << batch;
            EXPECT_TRUE(r.texturing);
            EXPECT_EQ(r.diffuse, batch < 4 ? in.rimColour : Rgba({1, 1, 1, 1}));
            EXPECT_EQ(r.ambient, batch < 4 ? Rgba({0.1f, 0.1f, 0.1f, 1}) : Rgba({1, 1, 1, 1}));
        }
    }
}

TEST(SceneParts, TyreListSwitchesLightsAndMatricesInOrder) {
    RecordingGlSink gl;
    const SceneInputs in = defaults();
    const TextureSet t = textureSet();
    Buildtyres(gl, kList, in, t);
    auto tyre = [&](bool rear, float x, float y, float z) {
        QStringList c{"translate " + num(x) + ' ' + num(y) + ' ' + num(z), "scale 200 200 200", "light 5 on"};
        if (rear) c << "light 2 off";
        c << "bind 108" << "material Diffuse 0.2 0.4 0.6 1" << "material Ambient 0.1 0.1 0.1 1";
        for (int b = 0; b < 4; ++b) c << "begin Triangles" << "end";
        c << "light 4 off" << "light 5 off" << "bind 109" << "material Ambient 1 1 1 1" << "material Diffuse 1 1 1 1"
          << "begin Triangles" << "end" << "bind 108" << "begin Triangles" << "end" << "begin Triangles" << "end"
          << "scale 0.005 0.005 0.005" << "translate " + num(-x) + ' ' + num(-y) + ' ' + num(-z);
        return c;
    };
    const auto& w = in.wheels;
    QStringList expected{"AlphaTest on", "Texture2D on", "scale 1 1 -1"};
    expected << tyre(true, -200 * w[2][0], 200 * w[2][1], -200 * w[2][2])
             << tyre(false, -200 * w[0][0], 200 * w[0][1], -200 * w[0][2]) << "scale -1 1 1" << "rotate -180 1 0 0"
             << tyre(true, 200 * w[3][0], -200 * w[3][1], 200 * w[3][2])
             << tyre(false, 200 * w[1][0], -200 * w[1][1], 200 * w[1][2]) << "rotate 180 1 0 0" << "AlphaTest off"
             << "scale -1 1 -1" << "material Ambient 1 1 1 1" << "material Diffuse 1 1 1 1";
    EXPECT_EQ(gl.stateCalls(kList), expected);
}

TEST(SceneParts, SteeringWheelsArmsAndGlovesFollowTheOffsets) {
    const SceneInputs in = defaults();  // h = 0.1, d = 0.2
    const TextureSet t = textureSet();
    RecordingGlSink gl;
    Buildstwheel(gl, 4, in, t);
    expectBox(worldBox(gl.vertices(4)), {-27.5f, -1, 40}, {27.5f, 39, 41});
    const QStringList wheelState{"AlphaTest on", "light 5 on", "Texture2D on", "material Ambient 1 1 1 1",
                                 "material Diffuse 1 1 1 1", "bind 104", "begin Quads", "end", "Texture2D off",
                                 "AlphaTest off", "light 5 off"};
    EXPECT_EQ(gl.stateCalls(4), wheelState);

    Buildcockpitwheel(gl, 7, in, t);
    // wheelX -0.006, wheelY -0.45, wheelZ 0.03: a flat panel at z 90.
    expectBox(worldBox(gl.vertices(7)), {-43.8f, -46, 90}, {46.2f, 12, 90});
    EXPECT_EQ(gl.stateCalls(7), wheelState);

    Buildarms(gl, 6, in, t);
    const auto& v = gl.vertices(6);
    // Arms: primitive 0 at negative x, 1 at positive x; they end at y 13, z 40.
    expectBox(worldBox(v, 0), {-36, -10, -50}, {-18, 13, 40});
    expectBox(worldBox(v, 1), {18, -10, -50}, {36, 13, 40});
    // Gloves: x +-16 .. +-33, y 200h - 15 .. 200h + 11, z 200d - 1 .. 200d.
    expectBox(worldBox(v, 2), {-33, 5, 39}, {-16, 31, 40});
    expectBox(worldBox(v, 3), {16, 5, 39}, {33, 31, 40});
    EXPECT_EQ(v[0].texture, t[TextureSet::Arm]);
    EXPECT_EQ(v[10].texture, t[TextureSet::Glove]);
    const QStringList armState{
        "AlphaTest on", "light 0 off", "light 1 off", "light 2 off", "light 4 off", "light 5 off", "light 3 on",
        "light 6 on", "Texture2D on", "material Ambient 0.1 0.1 0.1 1", "bind 102", "scale -1 1 1", "begin Quads",
        "end", "scale -1 1 1", "begin Quads", "end", "light 0 on", "light 1 on", "light 2 on", "light 3 off",
        "light 6 off", "light 5 on", "Texture2D on", "material Ambient 1 1 1 1", "material Diffuse 1 1 1 1",
        "bind 103", "scale -1 -1 1", "begin Quads", "end", "scale -1 1 1", "begin Quads", "end", "scale 1 -1 1",
        "Texture2D off", "AlphaTest off", "light 5 off"};
    EXPECT_EQ(gl.stateCalls(6), armState);
}

TEST(SceneParts, ShadowScenerySequenceAndBanner) {
    RecordingGlSink gl;
    BuildShadow(gl, 12, textureSet());
    expectBox(worldBox(gl.vertices(12)), {-175, -108, -575}, {235, -108, 415});
    EXPECT_EQ(gl.stateCalls(12), QStringList({"AlphaTest on", "Texture2D on", "bind 101", "translate 35 0 -45",
                                              "begin Quads", "end", "translate -35 0 45", "Texture2D off",
                                              "AlphaTest off"}));

    Buildlandscape(gl, 3);
    const auto& v = gl.vertices(3);
    // Primitive 2 is the banner across the track.
    expectBox(worldBox(v, 2), {-1700, 500, 3010}, {700, 800, 3020});
    expectBox(worldBox(v, 9), {-1500, -110, -40000}, {500, -110, 40000});  // track surface
    const QStringList materials = gl.stateCalls(3).filter(QRegularExpression("^(material|light|Texture|Alpha)"));
    EXPECT_EQ(materials, QStringList({"light 6 on", "Texture2D off", "AlphaTest off", "material Ambient 1 1 1 1",
                                      "material Diffuse 1 1 1 1", "material Diffuse 0.74 0.74 0.74 1",
                                      "material Ambient 0.18 0.195 0.195 1", "material Diffuse 0.9 0.55 0 1",
                                      "material Ambient 0.18 0.195 0.195 1", "material Diffuse 0.18 0.195 0.195 1",
                                      "material Diffuse 0.3 0.3 0.3 1", "material Ambient 0.4 0.4 0.4 1",
                                      "material Diffuse 0.1 0.22 0 1", "material Ambient 0.18 0.195 0.195 1",
                                      "material Diffuse 1 1 1 1", "light 6 off"}));
    auto firstOf = [&](int primitive) {
        return *std::find_if(v.begin(), v.end(), [&](const RecordedVertex& r) { return r.primitive == primitive; });
    };
    // Markings (primitives 3 to 7) in grey; the orange strip (8) in its own colour over the
    // markings' ambient, just above them.
    EXPECT_EQ(firstOf(7).diffuse, Rgba({0.74f, 0.74f, 0.74f, 1}));
    EXPECT_EQ(firstOf(8).diffuse, Rgba({0.9f, 0.55f, 0, 1}));
    EXPECT_EQ(firstOf(8).ambient, Rgba({0.18f, 0.195f, 0.195f, 1}));
    expectBox(worldBox(v, 8), {-480, -109.5f, 281}, {-100, -109.5f, 300});
    expectBox(worldBox(v, 14), {540, -110, -40000}, {12000, -110, 40000});  // grass at positive x
}

TEST(SceneParts, HelmetFollowsItsOffsetsAndTurnsEveryLightOn) {
    SceneInputs in = defaults();
    in.helmetY = 0.1f;
    in.helmetZ = -0.05f;
    RecordingGlSink gl;
    BuildHelmet(gl, 5, in);
    const auto& v = gl.vertices(5);
    // Mirrored in x, scaled by 200, moved to (0, 200 Z, 200 Y).
    expectBox(worldBox(v), {-26.8f, -31.6f, -10}, {26.6f, 29.6f, 59}, 1e-3f);
    EXPECT_EQ(v.front().diffuse, Rgba({1, 1, 1, 1}));
    EXPECT_EQ(v[172 * 3].diffuse, Rgba({0, 0, 0.4f, 1}));
    EXPECT_EQ(v[172 * 3].ambient, Rgba({0, 0, 0.4f, 1}));
    EXPECT_EQ(v.back().diffuse, Rgba({0.4f, 0.4f, 0.4f, 1}));
    EXPECT_FALSE(v.front().texturing);
    EXPECT_EQ(v.size(), size_t(3 * (172 + 98 + 12)));
    const QStringList calls = gl.stateCalls(5);
    EXPECT_EQ(calls.mid(0, 9), QStringList({"Texture2D off", "light 0 off", "light 2 off", "light 3 off",
                                            "light 4 off", "light 5 off", "light 6 off", "translate 0 -10 20",
                                            "scale -200 200 200"}));
    EXPECT_EQ(calls.mid(calls.size() - 9),
              QStringList({"scale -0.005 0.005 0.005", "translate 0 10 -20", "light 0 on", "light 1 on", "light 2 on",
                           "light 3 on", "light 4 on", "light 5 on", "light 6 on"}));
}
