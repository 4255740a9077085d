#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <map>

#include "preview/PreviewView.h"
#include "core/archive/CarShapeWriter.h"

using namespace pw::preview;

namespace {

QString repositoryFolder() { return QStringLiteral(PITWRIGHT_SOURCE_DIR); }

// A flat quad facing the camera, in shape units: x -0.3 .. 0.3, y 0.1 .. 0.4 at depth z.
pw::wad::CarShape wall(int version, float z) {
    pw::wad::CarShape s;
    s.version = version;
    s.textureNames = {"paint.bmp"};
    pw::wad::ShapeObject o;
    o.format = 39;
    o.vertices = {{-0.3f, 0.1f, z, 0, 0, -1, 0, 0},
                  {0.3f, 0.1f, z, 0, 0, -1, 1, 0},
                  {0.3f, 0.4f, z, 0, 0, -1, 1, 1},
                  {-0.3f, 0.4f, z, 0, 0, -1, 0, 1}};
    o.triangles = {{0, 1, 2}, {0, 2, 3}};
    o.batches = {{0, 2, 0}};
    s.objects = {o};
    return s;
}

// Steering wheel h = 0.1, d = 0.2, the default cockpit and wheel positions.
SceneInputs scene() {
    SceneInputs in;
    in.wheelOffsetY = 0.2f;
    in.wheelOffsetZ = 0.1f;
    in.cockpit = {-0.006f, -0.45f, 0.03f, -0.006f, -0.005f, 0.05f};
    in.wheels = {{{0.6991f, -0.22925f, 1.1435f},
                  {-0.7156f, -0.22925f, 1.1435f},
                  {0.6967f, -0.2294f, -1.8051f},
                  {-0.7133f, -0.2294f, -1.8051f}}};
    return in;
}

struct View {
    PreviewView view;
    std::map<int, int> fields{{105, 0}, {115, -48}, {125, 14}, {135, 0}, {145, 0}, {155, 0},
                              {3, 0},   {13, -48},  {23, 14},  {33, 0},  {43, 0},  {53, 0}};
    int camera = 105;
    int counter = 0;
    QStringList asked;
    bool shapeChanged = false;

    View() {
        view.setStartFolder(repositoryFolder());
        view.setShapeLookup([this](const QString& name) {
            asked << name;
            ShapeSource s;
            s.status = ShapeSource::Status::Found;
            // The cockpit shape (version 4) and the car (version 7): a red wall ahead of the camera.
            s.bytes = pw::wad::writeCarShape(name == "car_cockpit_00.gp4" ? wall(4, 0.65f)
                                                                            : wall(7, 1.5f));
            if (name == "cockpit_dash.gp4") s.status = ShapeSource::Status::NotFound;
            s.sourceName = QStringLiteral("cars.wad");
            return s;
        });
        view.setSetupInputs([] { return scene(); });
        view.setInputs([this] {
            PreviewInputs in;
            in.paintCounter = ++counter;
            in.selectedCamera = camera;
            in.field = [this](int n) { return fields.count(n) ? fields[n] : 0; };
            in.tcamY = in.tcamZ = 1;
            in.scene = scene();
            in.armColour = {1, 0, 0, 1};
            in.currentShapeName = QStringLiteral("demo");
            in.shapeChanged = shapeChanged;
            return in;
        });
        view.resize(400, 300);
    }
};

bool closeTo(QRgb p, int r, int g, int b, int tolerance = 6) {
    return std::abs(qRed(p) - r) <= tolerance && std::abs(qGreen(p) - g) <= tolerance &&
           std::abs(qBlue(p) - b) <= tolerance;
}

}  // namespace

TEST(PreviewViewRender, FrameShowsSkyTrackGrassAndTheCarShape) {
    if (!PreviewView::openGlAvailable()) GTEST_SKIP() << "no OpenGL on this platform";
    View v;
    QSignalSpy failures(&v.view, &PreviewView::failed);
    v.view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v.view));
    if (!v.view.ready()) GTEST_SKIP() << "no OpenGL context on this display";
    v.view.paintNow();
    const QImage frame = v.view.grabFramebuffer();
    if (qEnvironmentVariableIsSet("PITWRIGHT_SAVE_FRAMES")) frame.save(QStringLiteral("/tmp/preview-cockpit.png"));
    EXPECT_EQ(failures.count(), 0);
    ASSERT_EQ(frame.width(), 400);
    // Sky: the clear colour (0.85, 0.94, 1).
    EXPECT_TRUE(closeTo(frame.pixel(5, 5), 217, 240, 255)) << std::hex << frame.pixel(5, 5);
    // The cockpit shape's wall straight ahead, lit red (the arm colour: no texture of its own).
    const QRgb ahead = frame.pixel(200, 130);
    EXPECT_GT(qRed(ahead), qGreen(ahead) + 60) << std::hex << ahead;
    EXPECT_GT(qRed(ahead), qBlue(ahead) + 60) << std::hex << ahead;
    // Grass beside the track just below the horizon at the right edge; asphalt below.
    const QRgb grass = frame.pixel(395, 165);
    EXPECT_GT(qGreen(grass), qRed(grass)) << std::hex << grass;
    EXPECT_GT(qGreen(grass), qBlue(grass)) << std::hex << grass;
    EXPECT_EQ(v.asked, QStringList({"cockpit_dash.gp4", "car_cockpit_00.gp4"}));
}

TEST(PreviewViewRender, SwitchingToCameraTwoReloadsCarAndDashboardInOnePaint) {
    if (!PreviewView::openGlAvailable()) GTEST_SKIP() << "no OpenGL on this platform";
    View v;
    v.view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v.view));
    if (!v.view.ready()) GTEST_SKIP() << "no OpenGL context on this display";
    v.view.paintNow();
    v.asked.clear();
    v.camera = 3;
    v.view.paintNow();
    EXPECT_EQ(v.asked, QStringList({"cockpit_dash.gp4", "car_demo_car1_lod_0.gp4"}));
    const QImage frame = v.view.grabFramebuffer();
    if (qEnvironmentVariableIsSet("PITWRIGHT_SAVE_FRAMES")) frame.save(QStringLiteral("/tmp/preview-camera2.png"));
    EXPECT_TRUE(closeTo(frame.pixel(5, 5), 217, 240, 255)) << std::hex << frame.pixel(5, 5);
}

TEST(PreviewViewRender, OffscreenPlatformHasNoOpenGl) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) GTEST_SKIP() << "not the offscreen platform";
    EXPECT_FALSE(PreviewView::openGlAvailable());
}
