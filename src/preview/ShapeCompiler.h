#pragma once

#include "core/tables/EditorModel.h"
#include "preview/GlSink.h"
#include "preview/TextureSet.h"
#include "core/archive/CarShape.h"

namespace pw::preview {

// Display-list slots of the two car shapes.
constexpr int kDashboardSlot = 8;
constexpr int kCarSlot = 10;

struct ShapeCompileInputs {
    bool cockpitView = false;
    pw::model::CockpitPositions cockpit;  // dashX, dashY, dashZ place the dashboard
    Rgba armColour;                       // diffuse colour of batches without their plain image
    TextureName dashboardTexture = 0;     // every batch of the dashboard uses it
};

// The lists that hold each slot's batches (see compileShapeBatches).
constexpr int kDashboardBatchesSlot = 9;
constexpr int kCarBatchesSlot = 11;

// Compiles list (slot kDashboardSlot or kCarSlot) to draw the shape. Shapes are stored in
// units of 1/200 and mirrored in x; in the cockpit view they sit 18 lower and 170 further
// forward. Leaves texturing on and shininess 4.
void compileShape(GlSink& gl, ListName list, int slot, const pw::wad::CarShape& shape,
                  const ShapeTextures& textures, const ShapeCompileInputs& inputs);

// The same in two lists: batches holds the shape's batches (textures, diffuse colours and
// triangles: what depends on the shape, its textures, the arm colour and the dashboard texture),
// list the state and placement around a call of batches (what depends on the view and the
// cockpit positions). Drawing list draws what compileShape's list draws; a change of placement
// compiles list alone.
void compileShapeBatches(GlSink& gl, ListName batches, int slot, const pw::wad::CarShape& shape,
                         const ShapeTextures& textures, const ShapeCompileInputs& inputs);
void compileShapePlacement(GlSink& gl, ListName list, int slot, ListName batches,
                           const ShapeCompileInputs& inputs);

}  // namespace pw::preview
