#pragma once

#include <QString>
#include <functional>

#include "preview/GlSink.h"
#include "preview/PreviewMessages.h"
#include "preview/SceneParts.h"
#include "preview/ShapeLoader.h"
#include "preview/TextureSet.h"

namespace pw::preview {

// Camera rows and their FieldId bases.
constexpr int kChaseRow = 101;
constexpr int kVirtualRow = 104;
constexpr int kCockpitRow = 105;
constexpr int kTcamRow = 106;

// The row of the Cameras tab that FieldId n belongs to: 1..60 give n mod 10 (0 counts as 10),
// 101 and 102 the chase row, 104/105/106 + 10k their rows. Other values are returned as they are.
int CameraRow(int n);

// Display-list slots, offsets from the list base.
enum Slot { kTyreSlot = 2, kSceneryList = 3, kWheelSlot = 4, kHelmetSlot = 5, kArmsSlot = 6,
            kCockpitWheelSlot = 7, kShadowSlot = 12, kSlotCount = 13 };

// What one paint reads, taken by the window at the start of the paint (after it added 1 to the
// paint counter).
struct PreviewInputs {
    int paintCounter = 1;
    int selectedCamera = kCockpitRow;
    bool chaseFront = false;
    // v(n): the integer value of camera field n. May throw to stop the paint (a field that does
    // not hold an integer); nothing after that point is drawn.
    std::function<int(int fieldId)> field;
    int tcamY = 0, tcamZ = 0;            // T-cam inputs of the selected team
    int team0TcamY = 0, team0TcamZ = 0;  // team 0's T-cam fields, used while both inputs are 0
    SceneInputs scene;                   // steering wheel, helmet, cockpit, rim, brand, wheels
    float team0WheelOffsetY = 0, team0WheelOffsetZ = 0;  // used while both offsets are exactly 0
    Rgba armColour;
    QString currentShapeName;
    bool tyresChanged = false, dashboardChanged = false, shapeChanged = false;
};

// What a paint changed that the window keeps: the row it stored as SelectedCamera, the T-cam
// inputs when it took them from team 0, whether it fell back to team 0's steering wheel (the
// window then runs its team-position operation for team 0's steering-wheel field), and the
// reasons shapes could not be read. The three rebuild flags are consumed by every paint.
struct PaintOutcome {
    int selectedCamera = kCockpitRow;
    bool tcamTakenFromTeam0 = false;
    int tcamY = 0, tcamZ = 0;
    bool usedTeam0SteeringWheel = false;
    QStringList shapeErrors;
};

// Set-up and paint of the preview's scene, through GlSink. Holds the list base, the fixed
// textures, the two shape slots and the view flags that live as long as the rendering context.
class PreviewRenderer {
public:
    PreviewRenderer(GlSink& gl, MessageSink& messages, ShapeLookup lookup, QString startFolder);

    // Lights and fixed state, 13 list names, the texture set, then the slots 2, 6, 3, 5, 4, 7, 12
    // built from in. False when the tread texture yielded no pixels: the caller ends the program
    // with images::kBmpNoPixelsExitCode.
    bool setup(const SceneInputs& in);

    // One paint: projection and camera of the selected row, stale lists rebuilt, lists drawn.
    // The buffers were cleared and the model-view matrix reset by the caller.
    PaintOutcome paint(const PreviewInputs& in);

    // The inputs with every camera field the paint of their row reads taken now, once: a field
    // that is not a number throws here, before the caller clears the frame, so a paint that
    // cannot be drawn leaves the previous frame on show.
    static PreviewInputs withCameraFieldsRead(const PreviewInputs& in);

    ListName listBase() const { return base_; }
    ListName list(int slot) const { return base_ + ListName(slot); }
    const TextureSet& textures() const { return textures_; }
    bool cockpitView() const { return cockpitView_; }

private:
    void cameraTransform(const PreviewInputs& in, int row, PaintOutcome& out);
    void loadShape(const QString& name, ShapeSlot& slot, const PreviewInputs& in, PaintOutcome& out);

    GlSink& gl_;
    MessageSink& messages_;
    ShapeLookup lookup_;
    QString startFolder_;
    ListName base_ = 0;
    TextureSet textures_;
    ShapeSlot dashboard_;
    ShapeSlot car_;
    bool cockpitView_ = false;
    // A change of view whose shapes a stopped paint did not load yet; the next paint loads them.
    bool shapePending_ = false, dashboardPending_ = false;
    bool dashboardView_ = false;
    // The tyre meshes' batch lists (CompileTyreBatches), once a paint rebuilt the tyres; 0 before.
    ListName tyreBatches_ = 0;
};

}  // namespace pw::preview
