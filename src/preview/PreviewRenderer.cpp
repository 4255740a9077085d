#include "preview/PreviewRenderer.h"

#include <cmath>
#include <map>
#include <vector>

namespace pw::preview {

int CameraRow(int n) {
    if (n >= 1 && n <= 60) return n % 10 == 0 ? 10 : n % 10;
    if (n == 101 || n == 102) return kChaseRow;
    for (int row : {kVirtualRow, kCockpitRow, kTcamRow})
        if (n >= row && n <= row + 50 && (n - row) % 10 == 0) return row;
    return n;
}

PreviewRenderer::PreviewRenderer(GlSink& gl, MessageSink& messages, ShapeLookup lookup, QString startFolder)
    : gl_(gl), messages_(messages), lookup_(std::move(lookup)), startFolder_(std::move(startFolder)) {}

bool PreviewRenderer::setup(const SceneInputs& in) {
    gl_.clearColour({0.85f, 0.94f, 1.0f, 0.0f});
    gl_.smoothShading();
    gl_.clearDepth(1.0);
    gl_.enable(Feature::Lighting, true);
    gl_.twoSidedLighting(true);
    gl_.separateSpecularColour(true);

    // Light positions are given with the identity model-view matrix.
    gl_.matrixMode(MatrixStack::ModelView);
    gl_.loadIdentity();
    struct Light {
        Vec4 position;
        const Rgba* ambient;
        Rgba diffuse;
        const Rgba* specular;
        bool on;
    };
    const Rgba white{1, 1, 1, 1}, half{0.5f, 0.5f, 0.5f, 1};
    const Light lights[] = {
        {{-300, -3000, -1000, 0}, &white, half, &white, true},
        {{-500, -200, -200, 1}, &half, half, nullptr, true},
        {{300, 3000, 1000, 0}, nullptr, {0.2f, 0.2f, 0.2f, 1}, nullptr, true},
        {{0, -10000, 200, 0}, nullptr, white, nullptr, false},
        {{300, -3000, -1000, 0}, nullptr, {0.7f, 0.7f, 0.7f, 1}, nullptr, false},
        {{300, -3000, -1000, 0}, nullptr, white, nullptr, false},
        {{300, 3000, -1000, 0}, nullptr, white, nullptr, false},
    };
    for (int i = 0; i < 7; ++i) {
        const Light& l = lights[i];
        gl_.lightPosition(i, l.position);
        if (l.ambient) gl_.lightColour(i, LightColour::Ambient, *l.ambient);
        gl_.lightColour(i, LightColour::Diffuse, l.diffuse);
        if (l.specular) gl_.lightColour(i, LightColour::Specular, *l.specular);
        gl_.light(i, l.on);
    }
    gl_.enable(Feature::DepthTest, true);
    gl_.alphaFuncGreater(0.4f);

    base_ = gl_.genLists(kSlotCount);
    dashboard_ = ShapeSlot{kDashboardSlot, list(kDashboardSlot), ShapeTextures(), list(kDashboardBatchesSlot)};
    car_ = ShapeSlot{kCarSlot, list(kCarSlot), ShapeTextures(), list(kCarBatchesSlot)};

    const TextureSetLoad load = LoadTextureSet(gl_, messages_, startFolder_);
    textures_ = load.set;
    if (load.mustEndProgram) return false;

    Buildtyres(gl_, list(kTyreSlot), in, textures_);
    Buildarms(gl_, list(kArmsSlot), in, textures_);
    Buildlandscape(gl_, list(kSceneryList));
    BuildHelmet(gl_, list(kHelmetSlot), in);
    Buildstwheel(gl_, list(kWheelSlot), in, textures_);
    Buildcockpitwheel(gl_, list(kCockpitWheelSlot), in, textures_);
    BuildShadow(gl_, list(kShadowSlot), textures_);
    return true;
}

void PreviewRenderer::cameraTransform(const PreviewInputs& in, int m, PaintOutcome& out) {
    const auto v = [&](int n) { return in.field(n); };
    if (m != kChaseRow) {
        gl_.rotate(float(v(m + 50)), 0, 0, 1);
        gl_.rotate(float(v(m + 40)), -1, 0, 0);
        gl_.rotate(float(180 - v(m + 30)), 0, -1, 0);
        int tcamY = in.tcamY, tcamZ = in.tcamZ;
        if (tcamY == 0 && tcamZ == 0) {
            tcamY = in.team0TcamY;
            tcamZ = in.team0TcamZ;
            out.tcamTakenFromTeam0 = true;
            out.tcamY = tcamY;
            out.tcamZ = tcamZ;
        }
        if (m == kTcamRow)
            gl_.translate(float(2 * v(kTcamRow)), float(-2 * tcamZ), float(-2 * tcamY));
        else
            gl_.translate(float(2 * v(m)), float(-2 * v(m + 20)), float(-2 * v(m + 10)));
        return;
    }
    const double a = v(101), b = v(102);
    const double A = std::abs(2 * a), B = std::abs(2 * b);
    // atan2 is the angle whose tangent is the quotient; with Y at 0 it gives the limit, +-90
    // degrees (the camera looks straight down or up), instead of dividing by zero.
    const double phi = std::atan2(B - ((A + B) / 7 - 70), A) * 180.0 / 3.14159265358979323846;
    gl_.rotate(float(-phi), -1, 0, 0);
    if ((!in.chaseFront && 2 * a < 0) || (in.chaseFront && 2 * a > 0)) gl_.rotate(180, 0, -1, 0);
    if (!in.chaseFront)
        gl_.translate(0, float(-2 * b), float(100 - 2 * a));
    else
        gl_.translate(0, float(-2 * b), float(2 * a));
}

void PreviewRenderer::loadShape(const QString& name, ShapeSlot& slot, const PreviewInputs& in, PaintOutcome& out) {
    ShapeCompileInputs c;
    c.cockpitView = cockpitView_;
    c.cockpit = in.scene.cockpit;
    c.armColour = in.armColour;
    c.dashboardTexture = textures_[TextureSet::DashboardDisplays];
    const ShapeLoadResult r = LoadShape(gl_, messages_, lookup_, name, slot, c, startFolder_, in.paintCounter);
    if (r.status == ShapeLoadStatus::Refused) out.shapeErrors << r.error;
}

PreviewInputs PreviewRenderer::withCameraFieldsRead(const PreviewInputs& in) {
    const int m = CameraRow(in.selectedCamera);
    std::vector<int> ids;
    if (m == kChaseRow)
        ids = {101, 102};
    else if (m == kTcamRow)
        ids = {m, m + 30, m + 40, m + 50};
    else
        ids = {m, m + 10, m + 20, m + 30, m + 40, m + 50};
    std::map<int, int> values;
    for (int id : ids) values[id] = in.field(id);
    PreviewInputs read = in;
    read.field = [values = std::move(values), field = in.field](int n) {
        const auto found = values.find(n);
        return found != values.end() ? found->second : field(n);
    };
    return read;
}

PaintOutcome PreviewRenderer::paint(const PreviewInputs& in) {
    PaintOutcome out;
    const int row = CameraRow(in.selectedCamera);
    const double fov = row == kCockpitRow ? 58 : row == kTcamRow ? 64 : 35;
    const double zNear = row == kCockpitRow || row == kTcamRow ? 80 : 30;
    gl_.matrixMode(MatrixStack::Projection);
    gl_.loadIdentity();
    gl_.perspective(fov, 4.0 / 3.0, zNear, 40000);
    out.selectedCamera = row;

    const bool cockpit = row == kCockpitRow;
    if (cockpit != cockpitView_) shapePending_ = true;
    cockpitView_ = cockpit;
    if (cockpit != dashboardView_) dashboardPending_ = true;
    dashboardView_ = cockpit;

    cameraTransform(in, row, out);
    const bool shapeChanged = in.shapeChanged || shapePending_;
    const bool dashboardChanged = in.dashboardChanged || dashboardPending_;
    shapePending_ = dashboardPending_ = false;

    SceneInputs scene = in.scene;
    if (in.tyresChanged) {
        // Set-up built the first tyres vertex by vertex; rebuilds call the batches' lists.
        if (!tyreBatches_) tyreBatches_ = CompileTyreBatches(gl_);
        Buildtyres(gl_, list(kTyreSlot), scene, textures_, tyreBatches_);
    }
    if (dashboardChanged) loadShape(QStringLiteral("cockpit_dash.gp4"), dashboard_, in, out);
    if (shapeChanged) {
        const QString name = cockpitView_ ? QStringLiteral("car_cockpit_00.gp4")
                                          : QStringLiteral("car_") + in.currentShapeName + QStringLiteral("_car1_lod_0.gp4");
        loadShape(name, car_, in, out);
    }
    if (scene.wheelOffsetY == 0.0f && scene.wheelOffsetZ == 0.0f) {
        scene.wheelOffsetY = in.team0WheelOffsetY;
        scene.wheelOffsetZ = in.team0WheelOffsetZ;
        out.usedTeam0SteeringWheel = true;
    }
    Buildstwheel(gl_, list(kWheelSlot), scene, textures_);
    Buildcockpitwheel(gl_, list(kCockpitWheelSlot), scene, textures_);

    if (row != 5 && row != 9) {
        gl_.callList(list(kTyreSlot));
        gl_.callList(list(kCarSlot));
        BuildHelmet(gl_, list(kHelmetSlot), scene);
        if (cockpitView_) {
            gl_.callList(list(kCockpitWheelSlot));
            gl_.callList(list(kDashboardSlot));
        } else {
            gl_.callList(list(kWheelSlot));
            gl_.callList(list(kHelmetSlot));
            gl_.material(MaterialColour::Diffuse, in.armColour);
            gl_.callList(list(kArmsSlot));
        }
    }
    gl_.callList(list(kShadowSlot));
    gl_.callList(list(kSceneryList));
    return out;
}

}  // namespace pw::preview
