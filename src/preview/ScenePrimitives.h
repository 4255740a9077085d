#pragma once

#include "preview/GlSink.h"

namespace pw::preview {

// One upward-facing quad at height y over the x and z ranges given (in either order).
void FlatQuad(GlSink& gl, float x1, float z1, float x2, float z2, float y);

// An axis-aligned box between two corners with five faces (no bottom), as quads. Only the face
// towards -z carries texture coordinates; the faces after it keep its last one.
void OpenBox(GlSink& gl, float x1, float y1, float z1, float x2, float y2, float z2);

// One quad from the edge (x1..x2, y1, z1) to the edge (x2..x1, y2, z2), normal up.
void SlantQuad(GlSink& gl, float x1, float y1, float z1, float x2, float y2, float z2);

}  // namespace pw::preview
