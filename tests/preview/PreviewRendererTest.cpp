#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>

#include "PreviewFixtures.h"
#include "RecordingGlSink.h"
#include "preview/PreviewRenderer.h"
#include "core/archive/CarShapeWriter.h"

using namespace pw::preview;
using namespace pw::preview::fakes;

namespace {

QString repositoryFolder() { return QStringLiteral(PITWRIGHT_SOURCE_DIR); }

pw::wad::CarShape triangleShape(int version) {
    pw::wad::CarShape s;
    s.version = version;
    s.textureNames = {"paint.bmp"};
    pw::wad::ShapeObject o;
    o.format = 23;
    o.vertices = {{0, 0, 0, 0, 1, 0, 0, 0}, {1, 0, 0, 0, 1, 0, 1, 0}, {0, 0, 1, 0, 1, 0, 0, 1}};
    o.triangles = {{0, 1, 2}};
    o.batches = {{0, 1, 0}};
    s.objects = {o};
    return s;
}

// An archive holding the three shapes the preview asks for, counting the lookups.
struct FakeArchive {
    bool present = true;
    QStringList asked;
    ShapeLookup lookup() {
        return [this](const QString& name) {
            asked << name;
            ShapeSource s;
            if (!present) return s;
            const QStringList known{"cockpit_dash.gp4", "car_cockpit_00.gp4", "car_demo_car1_lod_0.gp4"};
            s.status = known.contains(name) ? ShapeSource::Status::Found : ShapeSource::Status::NotFound;
            s.bytes = pw::wad::writeCarShape(triangleShape(name.startsWith("car_cockpit") ? 4 : 7));
            s.sourceName = QStringLiteral("cars.wad");
            return s;
        };
    }
};

struct Fixture {
    RecordingGlSink gl;
    CollectedMessages messages;
    FakeArchive archive;
    PreviewRenderer renderer{gl, messages, archive.lookup(), repositoryFolder()};
    std::map<int, int> fields;
    int counter = 0;

    SceneInputs scene() const {
        SceneInputs in;
        in.wheelOffsetY = 0.2f;
        in.wheelOffsetZ = 0.1f;
        return in;
    }
    PreviewInputs inputs(int camera) {
        PreviewInputs in;
        in.paintCounter = ++counter;
        in.selectedCamera = camera;
        in.field = [this](int n) { return fields.count(n) ? fields[n] : 0; };
        in.scene = scene();
        in.currentShapeName = QStringLiteral("demo");
        in.tcamY = 7;
        in.tcamZ = 3;
        return in;
    }
};

QStringList projectionOf(const QStringList& calls) {
    return calls.filter(QStringLiteral("perspective"));
}

}  // namespace

TEST(PreviewRenderer, SetupSetsLightsReservesListsAndBuildsSlotsInOrder) {
    Fixture f;
    ASSERT_TRUE(f.renderer.setup(f.scene()));
    const QStringList& c = f.gl.immediate;
    EXPECT_EQ(c.mid(0, 6), QStringList({"clearColour 0.85 0.94 1 0", "smoothShading", "clearDepth 1", "Lighting on",
                                        "twoSided on", "separateSpecular on"}));
    EXPECT_TRUE(c.contains("lightPosition 0 -300 -3000 -1000 0"));
    EXPECT_TRUE(c.contains("lightColour 0 Specular 1 1 1 1"));
    EXPECT_TRUE(c.contains("lightPosition 1 -500 -200 -200 1"));
    EXPECT_TRUE(c.contains("lightColour 1 Ambient 0.5 0.5 0.5 1"));
    EXPECT_TRUE(c.contains("lightColour 2 Diffuse 0.2 0.2 0.2 1"));
    EXPECT_TRUE(c.contains("lightColour 4 Diffuse 0.7 0.7 0.7 1"));
    EXPECT_EQ(c.filter(QRegularExpression("^light \\d")),
              QStringList({"light 0 on", "light 1 on", "light 2 on", "light 3 off", "light 4 off", "light 5 off",
                           "light 6 off"}));
    EXPECT_TRUE(c.contains("DepthTest on"));
    EXPECT_TRUE(c.contains("alphaFuncGreater 0.4"));
    EXPECT_TRUE(c.contains("genLists 13"));
    EXPECT_EQ(f.gl.uploads.size(), 10u);
    EXPECT_TRUE(f.messages.shown.isEmpty());
    const ListName b = f.renderer.listBase();
    EXPECT_EQ(f.gl.compileOrder, (std::vector<ListName>{b + 2, b + 6, b + 3, b + 5, b + 4, b + 7, b + 12}));
}

TEST(PreviewRenderer, ProjectionFollowsTheRowAndTheFieldIsStoredAsItsRow) {
    struct Case {
        int selected;
        int row;
        const char* projection;
    };
    const Case cases[] = {{115, 105, "perspective 58 1.33333 80 40000"},
                          {126, 106, "perspective 64 1.33333 80 40000"},
                          {104, 104, "perspective 35 1.33333 30 40000"},
                          {13, 3, "perspective 35 1.33333 30 40000"},
                          {102, 101, "perspective 35 1.33333 30 40000"}};
    for (const Case& c : cases) {
        Fixture f;
        f.fields[101] = 40;
        f.renderer.setup(f.scene());
        f.gl.immediate.clear();
        const PaintOutcome out = f.renderer.paint(f.inputs(c.selected));
        EXPECT_EQ(out.selectedCamera, c.row) << c.selected;
        EXPECT_EQ(projectionOf(f.gl.immediate), QStringList({c.projection})) << c.selected;
        EXPECT_EQ(f.gl.immediate.mid(0, 2), QStringList({"matrixMode Projection", "loadIdentity"}));
    }
}

TEST(PreviewRenderer, CameraTransformOfOnboardAndTcamRows) {
    Fixture f;
    f.renderer.setup(f.scene());
    f.fields = {{3, 10}, {13, -20}, {23, 30}, {33, 15}, {43, 5}, {53, -2}};
    f.gl.immediate.clear();
    f.renderer.paint(f.inputs(23));
    EXPECT_EQ(f.gl.immediate.mid(3, 4), QStringList({"rotate -2 0 0 1", "rotate 5 -1 0 0", "rotate 165 0 -1 0",
                                                     "translate 20 -60 40"}));
    f.fields = {{106, 12}, {136, 0}, {146, 0}, {156, 0}};
    f.gl.immediate.clear();
    const PaintOutcome tcam = f.renderer.paint(f.inputs(106));
    EXPECT_FALSE(tcam.tcamTakenFromTeam0);
    EXPECT_EQ(f.gl.immediate.mid(3, 4),
              QStringList({"rotate 0 0 0 1", "rotate 0 -1 0 0", "rotate 180 0 -1 0", "translate 24 -6 -14"}));
    // Both T-cam inputs 0: team 0's fields are used and handed back.
    PreviewInputs in = f.inputs(106);
    in.tcamY = in.tcamZ = 0;
    in.team0TcamY = 50;
    in.team0TcamZ = 60;
    f.gl.immediate.clear();
    const PaintOutcome fallback = f.renderer.paint(in);
    EXPECT_TRUE(fallback.tcamTakenFromTeam0);
    EXPECT_EQ(fallback.tcamY, 50);
    EXPECT_EQ(fallback.tcamZ, 60);
    EXPECT_EQ(f.gl.immediate[6], QStringLiteral("translate 24 -120 -100"));
}

TEST(PreviewRenderer, ChaseCameraFromBehindAndInFront) {
    struct Case {
        int y, z;
        bool front;
        QStringList transform;
    };
    const Case cases[] = {
        {40, 20, false, {"rotate -49.2538 -1 0 0", "translate 0 -40 20"}},
        {40, 20, true, {"rotate -49.2538 -1 0 0", "rotate 180 0 -1 0", "translate 0 -40 80"}},
        {-40, 20, false, {"rotate -49.2538 -1 0 0", "rotate 180 0 -1 0", "translate 0 -40 180"}},
        // Y at 0: the angle is the limit of the quotient, the camera looks straight down.
        {0, 20, false, {"rotate -90 -1 0 0", "translate 0 -40 100"}},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.renderer.setup(f.scene());
        f.fields = {{101, c.y}, {102, c.z}};
        PreviewInputs in = f.inputs(101);
        in.chaseFront = c.front;
        f.gl.immediate.clear();
        f.renderer.paint(in);
        EXPECT_EQ(f.gl.immediate.mid(3, c.transform.size()), c.transform) << c.y << " " << c.front;
    }
}

TEST(PreviewRenderer, ViewChangesReloadBothShapesInOnePaint) {
    Fixture f;
    f.renderer.setup(f.scene());
    const ListName b = f.renderer.listBase();
    f.renderer.paint(f.inputs(105));
    EXPECT_EQ(f.archive.asked, QStringList({"cockpit_dash.gp4", "car_cockpit_00.gp4"}));
    EXPECT_TRUE(f.renderer.cockpitView());
    f.archive.asked.clear();
    f.renderer.paint(f.inputs(115));
    EXPECT_TRUE(f.archive.asked.isEmpty());

    f.renderer.paint(f.inputs(3));  // "Camera 2"
    EXPECT_EQ(f.archive.asked, QStringList({"cockpit_dash.gp4", "car_demo_car1_lod_0.gp4"}));
    EXPECT_FALSE(f.renderer.cockpitView());
    EXPECT_EQ(f.gl.compileCount(b + 10), 2);
    // The car out of the cockpit is not moved by the cockpit translation.
    EXPECT_FALSE(f.gl.stateCalls(b + 10).contains("translate 0 -18 170"));

    f.archive.asked.clear();
    PreviewInputs team = f.inputs(3);
    team.shapeChanged = true;  // a team change
    f.renderer.paint(team);
    EXPECT_EQ(f.archive.asked, QStringList({"car_demo_car1_lod_0.gp4"}));
    f.archive.asked.clear();
    f.renderer.paint(f.inputs(105));
    EXPECT_EQ(f.archive.asked, QStringList({"cockpit_dash.gp4", "car_cockpit_00.gp4"}));
    EXPECT_TRUE(f.gl.stateCalls(b + 10).contains("translate 0 -18 170"));
}

TEST(PreviewRenderer, DrawOrderPerViewAndRowsWithoutTheCar) {
    Fixture f;
    f.renderer.setup(f.scene());
    const ListName b = f.renderer.listBase();
    auto drawn = [&](int camera) {
        f.gl.immediate.clear();
        PreviewInputs in = f.inputs(camera);
        in.armColour = {0.25f, 0.5f, 0.75f, 1};
        f.renderer.paint(in);
        return f.gl.immediate.filter(QRegularExpression("^(call|material)"));
    };
    auto call = [&](int slot) { return QStringLiteral("call %1").arg(b + ListName(slot)); };
    EXPECT_EQ(drawn(105), QStringList({call(2), call(10), call(7), call(8), call(12), call(3)}));
    EXPECT_EQ(drawn(2), QStringList({call(2), call(10), call(4), call(5), "material Diffuse 0.25 0.5 0.75 1", call(6),
                                     call(12), call(3)}));
    EXPECT_EQ(drawn(5), QStringList({call(12), call(3)}));
    EXPECT_EQ(drawn(49), QStringList({call(12), call(3)}));
}

TEST(PreviewRenderer, ArmsKeepTheirSetupOffsetsWhileTheWheelFollows) {
    Fixture f;
    f.renderer.setup(f.scene());
    const ListName b = f.renderer.listBase();
    PreviewInputs in = f.inputs(2);
    in.scene.wheelOffsetY = 0.3f;  // another team selected after setup
    in.scene.wheelOffsetZ = 0.2f;
    f.renderer.paint(in);
    EXPECT_EQ(f.gl.compileCount(b + 6), 1);
    EXPECT_EQ(f.gl.compileCount(b + 4), 2);
    EXPECT_EQ(f.gl.compileCount(b + 7), 2);
    EXPECT_EQ(f.gl.compileCount(b + 5), 2);
    float zMax = -1e9f;
    for (const auto& v : f.gl.vertices(b + 4)) zMax = std::max(zMax, v.world.z());
    EXPECT_FLOAT_EQ(zMax, 61);
    float armEnd = -1e9f;
    for (const auto& v : f.gl.vertices(b + 6))
        if (v.primitive == 0) armEnd = std::max(armEnd, v.world.z());
    EXPECT_FLOAT_EQ(armEnd, 40);
    // Tyres are rebuilt only when asked.
    EXPECT_EQ(f.gl.compileCount(b + 2), 1);
    PreviewInputs tyres = f.inputs(2);
    tyres.tyresChanged = true;
    f.renderer.paint(tyres);
    EXPECT_EQ(f.gl.compileCount(b + 2), 2);
}

TEST(PreviewRenderer, SteeringWheelFallsBackToTeamZeroWhenBothOffsetsAreZero) {
    Fixture f;
    f.renderer.setup(f.scene());
    PreviewInputs in = f.inputs(2);
    in.scene.wheelOffsetY = 0;
    in.scene.wheelOffsetZ = 0;
    in.team0WheelOffsetY = 0.25f;
    in.team0WheelOffsetZ = 0;
    EXPECT_TRUE(f.renderer.paint(in).usedTeam0SteeringWheel);
    float zMin = 1e9f;
    for (const auto& v : f.gl.vertices(f.renderer.list(kWheelSlot))) zMin = std::min(zMin, v.world.z());
    EXPECT_FLOAT_EQ(zMin, 50);
    in.scene.wheelOffsetZ = 0.01f;
    EXPECT_FALSE(f.renderer.paint(in).usedTeam0SteeringWheel);
}

TEST(PreviewRenderer, MissingArchiveIsReportedInTheFirstPaintOnly) {
    Fixture f;
    f.archive.present = false;
    f.renderer.setup(f.scene());
    f.renderer.paint(f.inputs(105));
    EXPECT_EQ(f.messages.shown.size(), 2);
    f.renderer.paint(f.inputs(3));
    EXPECT_EQ(f.messages.shown.size(), 2);
}

TEST(PreviewRenderer, FieldThatIsNotANumberStopsThePaint) {
    Fixture f;
    f.renderer.setup(f.scene());
    PreviewInputs in = f.inputs(3);
    in.field = [](int n) -> int {
        if (n == 33) throw std::runtime_error("'x' is not a valid integer value");
        return 0;
    };
    f.gl.immediate.clear();
    EXPECT_THROW(f.renderer.paint(in), std::runtime_error);
    EXPECT_TRUE(f.gl.immediate.filter("call").isEmpty());
}

// The view changed in a paint that stopped on a field: the next paint still loads its shapes.
TEST(PreviewRenderer, AStoppedPaintLeavesTheViewChangeToTheNext) {
    Fixture f;
    f.renderer.setup(f.scene());
    f.renderer.paint(f.inputs(105));
    PreviewInputs bad = f.inputs(3);
    bad.field = [](int n) -> int {
        if (n == 33) throw std::runtime_error("'x' is not a valid integer value");
        return 0;
    };
    EXPECT_THROW(f.renderer.paint(bad), std::runtime_error);
    EXPECT_THROW(PreviewRenderer::withCameraFieldsRead(bad), std::runtime_error);
    f.archive.asked.clear();
    f.renderer.paint(f.inputs(3));
    EXPECT_EQ(f.archive.asked, QStringList({"cockpit_dash.gp4", "car_demo_car1_lod_0.gp4"}));
    EXPECT_FALSE(f.renderer.cockpitView());
}

TEST(PreviewRenderer, CameraRowOfEveryKindOfField) {
    const std::pair<int, int> cases[] = {{1, 1},     {10, 10},   {20, 10},   {60, 10},   {59, 9},  {13, 3},
                                         {101, 101}, {102, 101}, {104, 104}, {154, 104}, {105, 105}, {125, 105},
                                         {106, 106}, {156, 106}};
    for (auto [field, row] : cases) EXPECT_EQ(CameraRow(field), row) << field;
}

// A paint that rebuilds the tyres calls the tyre meshes' batches from lists of their own,
// compiled at the first rebuild only; the tyre list holds the same calls and vertices as one
// built vertex by vertex from the same inputs.
TEST(PreviewRenderer, RebuiltTyresCallTheirBatchListsAndDrawTheSame) {
    Fixture f;
    f.renderer.setup(f.scene());
    const ListName tyres = f.renderer.list(kTyreSlot);
    const QStringList atSetup = f.gl.allCalls(tyres);
    ASSERT_GT(f.gl.vertices(tyres).size(), 1000u);
    // The lists compiled by a paint that are none of the renderer's slots.
    const auto batchListsCompiledBy = [&](const PreviewInputs& in) {
        const size_t before = f.gl.compileOrder.size();
        f.renderer.paint(in);
        std::vector<ListName> lists;
        for (size_t i = before; i < f.gl.compileOrder.size(); ++i)
            if (f.gl.compileOrder[i] >= f.renderer.list(kSlotCount))
                lists.push_back(f.gl.compileOrder[i]);
        return lists;
    };

    PreviewInputs same = f.inputs(2);
    same.tyresChanged = true;
    EXPECT_EQ(batchListsCompiledBy(same).size(), 6u);
    EXPECT_EQ(f.gl.allCalls(tyres), atSetup);
    EXPECT_EQ(f.gl.compileCount(tyres), 2);

    PreviewInputs other = f.inputs(2);
    other.tyresChanged = true;
    other.scene.rimColour = {0.9f, 0.1f, 0.2f, 1};
    other.scene.brandIndex = 1;
    other.scene.wheels[1] = {0.7f, -0.2f, 1.1f};
    EXPECT_TRUE(batchListsCompiledBy(other).empty());
    EXPECT_EQ(f.gl.compileCount(tyres), 3);
    RecordingGlSink direct;
    const ListName alone = direct.genLists(1);
    Buildtyres(direct, alone, other.scene, f.renderer.textures());
    EXPECT_EQ(f.gl.allCalls(tyres), direct.allCalls(alone));
    EXPECT_NE(f.gl.allCalls(tyres), atSetup);
    ASSERT_EQ(f.gl.vertices(tyres).size(), direct.vertices(alone).size());
    for (size_t i = 0; i < direct.vertices(alone).size(); ++i)
        ASSERT_EQ(f.gl.vertices(tyres)[i].world, direct.vertices(alone)[i].world) << i;
}
