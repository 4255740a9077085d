#pragma once

#include "core/tables/EditorModel.h"
#include "preview/BuiltinMeshes.h"
#include "preview/GlSink.h"
#include "preview/TextureSet.h"

namespace pw::preview {

// What the scene parts are built from, in file units unless said otherwise.
struct SceneInputs {
    float wheelOffsetZ = 0;  // h: steering wheel height of the selected racing team
    float wheelOffsetY = 0;  // d: steering wheel distance
    float helmetY = 0, helmetZ = 0;
    pw::model::CockpitPositions cockpit;
    Rgba rimColour{1, 1, 1, 1};
    int brandIndex = 0;  // 0 Bridgestone, 1 Michelin, 2 McLaren
    std::array<std::array<float, 3>, pw::model::kWheelCount> wheels{};  // (p0, p1, p2) per wheel
};

enum class TyreKind { Rear, Front };

// Draws one tyre mesh with its centre at (x, y, z) into the list being compiled: its batches
// vertex by vertex, or as calls of the lists from batches (CompileTyreBatches) when given.
void DrawTyre(GlSink& gl, TyreKind kind, float x, float y, float z, const SceneInputs& in,
              const TextureSet& textures, ListName batches = 0);
// The tyre meshes' batches as six lists of their own, one per run of batches drawn with one
// texture (rear tyre, then front), returning the first. Compiled once, they make a rebuild of the
// tyres for another rim colour, brand or wheel positions a matter of states and calls.
ListName CompileTyreBatches(GlSink& gl);

// Slot builders: each compiles its own list (without executing it).
void BuildShadow(GlSink& gl, ListName list, const TextureSet& textures);
void Buildtyres(GlSink& gl, ListName list, const SceneInputs& in, const TextureSet& textures,
                ListName batches = 0);
void Buildarms(GlSink& gl, ListName list, const SceneInputs& in, const TextureSet& textures);
void Buildstwheel(GlSink& gl, ListName list, const SceneInputs& in, const TextureSet& textures);
void Buildcockpitwheel(GlSink& gl, ListName list, const SceneInputs& in, const TextureSet& textures);
void Buildlandscape(GlSink& gl, ListName list);
void BuildHelmet(GlSink& gl, ListName list, const SceneInputs& in);

}  // namespace pw::preview
