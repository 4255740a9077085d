#include "preview/ScenePrimitives.h"

#include <algorithm>

namespace pw::preview {

void FlatQuad(GlSink& gl, float x1, float z1, float x2, float z2, float y) {
    const float xl = std::min(x1, x2), xh = std::max(x1, x2);
    const float zl = std::min(z1, z2), zh = std::max(z1, z2);
    gl.begin(Primitive::Quads);
    gl.normal(0, 1, 0);
    gl.vertex(xl, y, zl);
    gl.vertex(xl, y, zh);
    gl.vertex(xh, y, zh);
    gl.vertex(xh, y, zl);
    gl.end();
}

void OpenBox(GlSink& gl, float x1, float y1, float z1, float x2, float y2, float z2) {
    const float xl = std::min(x1, x2), xh = std::max(x1, x2);
    const float yl = std::min(y1, y2), yh = std::max(y1, y2);
    const float zl = std::min(z1, z2), zh = std::max(z1, z2);
    gl.begin(Primitive::Quads);
    gl.normal(-1, 0, 0);
    gl.vertex(xl, yl, zl);
    gl.vertex(xl, yh, zl);
    gl.vertex(xl, yh, zh);
    gl.vertex(xl, yl, zh);

    gl.normal(0, 0, -1);
    gl.texCoord(1, 1);
    gl.vertex(xl, yl, zl);
    gl.texCoord(0, 1);
    gl.vertex(xh, yl, zl);
    gl.texCoord(0, 0);
    gl.vertex(xh, yh, zl);
    gl.texCoord(1, 0);
    gl.vertex(xl, yh, zl);

    gl.normal(1, 0, 0);
    gl.vertex(xh, yl, zl);
    gl.vertex(xh, yl, zh);
    gl.vertex(xh, yh, zh);
    gl.vertex(xh, yh, zl);

    gl.normal(0, 0, 1);
    gl.vertex(xl, yl, zh);
    gl.vertex(xl, yh, zh);
    gl.vertex(xh, yh, zh);
    gl.vertex(xh, yl, zh);

    gl.normal(0, 1, 0);
    gl.vertex(xl, yh, zl);
    gl.vertex(xh, yh, zl);
    gl.vertex(xh, yh, zh);
    gl.vertex(xl, yh, zh);
    gl.end();
}

void SlantQuad(GlSink& gl, float x1, float y1, float z1, float x2, float y2, float z2) {
    gl.begin(Primitive::Quads);
    gl.normal(0, 1, 0);
    gl.texCoord(1, 1);
    gl.vertex(x1, y1, z1);
    gl.texCoord(1, 0);
    gl.vertex(x2, y1, z1);
    gl.texCoord(0, 0);
    gl.vertex(x2, y2, z2);
    gl.texCoord(0, 1);
    gl.vertex(x1, y2, z2);
    gl.end();
}

}  // namespace pw::preview
