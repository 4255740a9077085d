#include "preview/BuiltinMeshes.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace pw::preview {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct V3 {
    double x = 0, y = 0, z = 0;
};
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V3 normalised(V3 a) {
    const double l = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return l > 0 ? V3{a.x / l, a.y / l, a.z / l} : V3{0, 1, 0};
}

MeshVertex vertex(V3 p, V3 n, double u, double v) {
    return {float(p.x), float(p.y), float(p.z), float(n.x), float(n.y), float(n.z), float(u), float(v)};
}

using Surface = std::function<V3(double s, double t)>;

// Normal of a parametric surface by central differences.
V3 surfaceNormal(const Surface& f, double s, double t) {
    const double e = 1e-4;
    return normalised(cross(f(s + e, t) - f(s - e, t), f(s, t + e) - f(s, t - e)));
}

// Two triangles per cell of an ns x nt grid over [s0, s1] x [t0, t1]; skip(i, j) leaves cells out.
void addPatch(MeshBatch& b, const Surface& f, int ns, int nt, double s0, double s1, double t0, double t1,
              const std::function<bool(int, int)>& skip = nullptr) {
    auto at = [&](int i, int j) {
        const double s = s0 + (s1 - s0) * i / ns, t = t0 + (t1 - t0) * j / nt;
        return vertex(f(s, t), surfaceNormal(f, s, t), double(i) / ns, double(j) / nt);
    };
    for (int j = 0; j < nt; ++j) {
        for (int i = 0; i < ns; ++i) {
            if (skip && skip(i, j)) continue;
            const MeshVertex a = at(i, j), c = at(i + 1, j), d = at(i + 1, j + 1), e = at(i, j + 1);
            b.vertices.insert(b.vertices.end(), {a, c, d, a, d, e});
        }
    }
}

// Maps the batch linearly onto the box (lo, hi) per axis; normals follow the inverse scale.
void fitToBox(MeshBatch& b, V3 lo, V3 hi) {
    V3 mn{1e9, 1e9, 1e9}, mx{-1e9, -1e9, -1e9};
    for (const MeshVertex& v : b.vertices) {
        mn = {std::min(mn.x, double(v.x)), std::min(mn.y, double(v.y)), std::min(mn.z, double(v.z))};
        mx = {std::max(mx.x, double(v.x)), std::max(mx.y, double(v.y)), std::max(mx.z, double(v.z))};
    }
    const V3 k{(hi.x - lo.x) / (mx.x - mn.x), (hi.y - lo.y) / (mx.y - mn.y), (hi.z - lo.z) / (mx.z - mn.z)};
    for (MeshVertex& v : b.vertices) {
        v.x = float(lo.x + (v.x - mn.x) * k.x);
        v.y = float(lo.y + (v.y - mn.y) * k.y);
        v.z = float(lo.z + (v.z - mn.z) * k.z);
        const V3 n = normalised({v.nx / k.x, v.ny / k.y, v.nz / k.z});
        v.nx = float(n.x);
        v.ny = float(n.y);
        v.nz = float(n.z);
    }
}

BuiltinMesh makeHelmet() {
    BuiltinMesh m;
    // Shell: a dome over rings from the crown down below the ears, with a lip at the lower edge
    // left open in front of the face.
    MeshBatch shell;
    const int segments = 16;
    const double rings[] = {0, 30, 60, 90, 115, 140};  // degrees from the crown
    auto dome = [](double phi, double theta) {
        const double p = phi * kPi / 180, t = theta * kPi / 180;
        return V3{std::sin(t) * std::cos(p), std::cos(t), std::sin(t) * std::sin(p)};
    };
    const Surface domeSurface = [&](double s, double t) { return dome(s, t); };
    for (int r = 0; r + 1 < 6; ++r) {
        if (r == 0) {
            // Crown: one triangle per segment.
            for (int i = 0; i < segments; ++i) {
                const double p0 = 360.0 * i / segments, p1 = 360.0 * (i + 1) / segments;
                const V3 a = dome(0, 0), b = dome(p0, rings[1]), c = dome(p1, rings[1]);
                shell.vertices.insert(shell.vertices.end(),
                                      {vertex(a, normalised(a), 0.5, 0), vertex(b, normalised(b), double(i) / segments, 0.2),
                                       vertex(c, normalised(c), double(i + 1) / segments, 0.2)});
            }
        } else {
            addPatch(shell, domeSurface, segments, 1, 0, 360, rings[r], rings[r + 1]);
        }
    }
    // Lip: the lower edge turned inwards, open over the two front segments (around +z).
    const Surface lip = [&](double s, double t) {
        const V3 outer = dome(s, rings[5]);
        return V3{outer.x * (1 - 0.18 * t), outer.y, outer.z * (1 - 0.18 * t)};
    };
    addPatch(shell, lip, segments, 1, 0, 360, 0, 1, [](int i, int) { return i == 3 || i == 4; });
    fitToBox(shell, {-0.133, -0.108, -0.150}, {0.134, 0.171, 0.195});

    // Top panel: a saddle over the crown reaching down the sides.
    MeshBatch top;
    const Surface saddle = [](double s, double t) {
        return V3{std::sin(s * 1.2), std::cos(s * 1.2) - 0.25 * t * t, t};
    };
    addPatch(top, saddle, 7, 7, -1, 1, -1, 1);
    fitToBox(top, {-0.098, -0.011, -0.094}, {0.099, 0.198, 0.165});

    // Visor: a curved band across the front.
    MeshBatch visor;
    const Surface band = [](double s, double t) { return V3{std::sin(s), t, std::cos(s)}; };
    addPatch(visor, band, 6, 1, -1.0, 1.0, 0, 1);
    fitToBox(visor, {-0.108, -0.016, 0.104}, {0.108, 0.110, 0.195});

    m.batches = {shell, top, visor};
    return m;
}

struct TyreSize {
    double rimInner, rimOuter;      // x range of batch 1 (inner end) and hub/rim edge
    double barrel;                  // half width of batch 2
    double hubInner;                // x of the hub cap centre (batch 3)
    double hubRadius;               // radius of batch 3
    double tread;                   // half width of the tread
    double sideInner, sideOuter;    // |x| range of the sidewalls
    double sideRadius;              // outer radius of the sidewalls
    double rimFront;                // x of batch 1's far end
    int extraSideTriangles;         // triangles added to batch 7
};

// Texture coordinates of the rim batches: the middle of the sidewall image.
void rimTexture(MeshVertex& v) {
    v.u = float(0.5 + 0.3 * v.y / 0.182);
    v.v = float(0.5 + 0.3 * v.z / 0.182);
}

// A surface of revolution about x from (x0, r0) to (x1, r1).
MeshBatch band(int segments, double x0, double r0, double x1, double r1, bool rimCoordinates) {
    MeshBatch b;
    const Surface f = [=](double s, double t) {
        const double a = s * 2 * kPi, x = x0 + (x1 - x0) * t, r = r0 + (r1 - r0) * t;
        return V3{x, r * std::cos(a), r * std::sin(a)};
    };
    addPatch(b, f, segments, 1, 0, 1, 0, 1);
    if (rimCoordinates)
        for (MeshVertex& v : b.vertices) rimTexture(v);
    return b;
}

BuiltinMesh makeTyre(const TyreSize& t) {
    BuiltinMesh m;
    // 1: rim shell from the hub edge out to the far side.
    m.batches.push_back(band(20, t.rimInner, 0.120, t.rimFront, 0.164, true));
    // 2: barrel across the whole rim.
    m.batches.push_back(band(40, -t.barrel, 0.182, t.barrel, 0.182, true));
    // 3: hub cap, four triangles from its centre.
    MeshBatch hub;
    for (int i = 0; i < 4; ++i) {
        const double a0 = i * kPi / 2, a1 = (i + 1) * kPi / 2;
        const V3 c{t.hubInner, 0, 0};
        const V3 p{t.rimInner, t.hubRadius * std::cos(a0), t.hubRadius * std::sin(a0)};
        const V3 q{t.rimInner, t.hubRadius * std::cos(a1), t.hubRadius * std::sin(a1)};
        const V3 n = normalised(cross(p - c, q - c));
        for (const V3& v : {c, p, q}) {
            MeshVertex mv = vertex(v, n, 0, 0);
            rimTexture(mv);
            hub.vertices.push_back(mv);
        }
    }
    m.batches.push_back(hub);
    // 4: outer rim face from the barrel's edge in to the hub.
    m.batches.push_back(band(20, -t.barrel, 0.164, t.rimInner, 0.120, true));
    // 5: tread; u across the tyre, v around it from -0.9 to 1.7 (the image repeats).
    MeshBatch tread = band(60, -t.tread, 0.326, t.tread, 0.326, false);
    for (MeshVertex& v : tread.vertices) {
        double a = std::atan2(v.z, v.y);
        if (a < 0) a += 2 * kPi;
        v.u = float((v.x + t.tread) / (2 * t.tread));
        v.v = float(-0.9 + 2.6 * a / (2 * kPi));
    }
    // The seam: vertices at angle 0 that close the last segment continue at v = 1.7.
    for (size_t i = 0; i < tread.vertices.size(); i += 6) {
        const bool lastSegment = i / 6 == 59;
        if (!lastSegment) continue;
        for (size_t k = i; k < i + 6; ++k)
            if (tread.vertices[k].v < -0.8f) tread.vertices[k].v = 1.7f;
    }
    m.batches.push_back(tread);
    // 6 and 7: sidewalls, an annulus from the rim out to the shoulder; the whole image.
    auto side = [&](double sign) {
        MeshBatch b = band(40, sign * t.sideOuter, 0.182, sign * t.sideInner, t.sideRadius, false);
        for (MeshVertex& v : b.vertices) {
            v.u = float(0.5 + 0.5 * v.y / t.sideRadius);
            v.v = float(0.5 + 0.5 * v.z / t.sideRadius);
        }
        return b;
    };
    m.batches.push_back(side(+1));
    MeshBatch minus = side(-1);
    // The front tyre's -x sidewall carries one more triangle, a copy of its first one.
    for (int k = 0; k < t.extraSideTriangles; ++k)
        minus.vertices.insert(minus.vertices.end(), minus.vertices.begin(), minus.vertices.begin() + 3);
    m.batches.push_back(minus);
    return m;
}

}  // namespace

const BuiltinMesh& helmetMesh() {
    static const BuiltinMesh mesh = makeHelmet();
    return mesh;
}

const BuiltinMesh& rearTyreMesh() {
    // rimInner, rimOuter, barrel, hubInner, hubRadius, tread, sideInner, sideOuter, sideRadius,
    // rimFront, extra
    static const BuiltinMesh mesh =
        makeTyre({-0.063, 0.164, 0.180, -0.026, 0.142, 0.164, 0.164, 0.187, 0.304, 0.180, 0});
    return mesh;
}

const BuiltinMesh& frontTyreMesh() {
    static const BuiltinMesh mesh =
        makeTyre({-0.091, 0.164, 0.158, -0.054, 0.144, 0.130, 0.130, 0.164, 0.307, 0.158, 1});
    return mesh;
}

}  // namespace pw::preview
