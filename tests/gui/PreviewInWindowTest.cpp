#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QtEndian>
#include <functional>

#include "EditorHarness.h"
#include "app/PreviewBinding.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/Stepper.h"
#include "app/window/CommandStrip.h"
#include "app/window/ComponentNames.h"
#include "app/window/PreviewPane.h"
#include "app/window/QuickCamBar.h"
#include "app/window/WindowFields.h"
#include "preview/PreviewView.h"

using namespace pw;
using pw::test::EditorHarness;

namespace {

QString repositoryFolder() {
    return QStringLiteral(PITWRIGHT_SOURCE_DIR);
}

// What a pixel of the default scene shows.
bool isSky(QRgb p) {  // the clear colour (0.85, 0.94, 1)
    return std::abs(qRed(p) - 217) <= 6 && std::abs(qGreen(p) - 240) <= 6 && qBlue(p) >= 249;
}
bool isGrass(QRgb p) {
    return qGreen(p) > qRed(p) + 15 && qGreen(p) > qBlue(p) + 15;
}
bool isAsphalt(QRgb p) {  // grey: the track's material is (0.18, 0.195, 0.195) lit
    return std::abs(qRed(p) - qGreen(p)) <= 12 && std::abs(qGreen(p) - qBlue(p)) <= 12 &&
           qRed(p) > 40 && qRed(p) < 200;
}
bool isRed(QRgb p) {
    return qRed(p) > qGreen(p) + 50 && qRed(p) > qBlue(p) + 50;
}

// Red pixels below the height fy of the frame, every fourth pixel of every fourth row.
int redPixels(const QImage& image, double fy) {
    int red = 0;
    for (int y = int(fy * image.height()); y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4) red += isRed(image.pixel(x, y));
    return red;
}

std::string hex(QRgb p) {
    return QString::number(p & 0xFFFFFF, 16).toStdString();
}

// The whole editor on a demo game, imported, with the OpenGL preview in its pane.
class PreviewWindow {
public:
    explicit PreviewWindow(const QString& startFolder = repositoryFolder())
        : startFolder_(startFolder) {}

    // Imports, puts the preview in and shows the window. False when there is no OpenGL here.
    bool start() {
        h.importAll();
        binding = app::PreviewBinding::install(h.editor(), startFolder_, [this](int code) {
            exitCode = code;
            messagesBeforeEnd = h.messages.shown.size();
        });
        if (!binding) return false;
        QObject::connect(binding, &app::PreviewBinding::shapeLookedUp,
                         [this](const QString& name) { lookedUp << name; });
        paints = std::make_unique<QSignalSpy>(view(), &preview::PreviewView::painted);
        h.window().resize(app::MainWindow::kWidth, app::MainWindow::kHeight);
        h.window().show();
        if (!QTest::qWaitForWindowExposed(&h.window())) return false;
        // The first paint follows set-up; queued messages follow the paint.
        QTest::qWait(0);
        for (int i = 0; i < 50 && paints->isEmpty(); ++i) QTest::qWait(20);
        QCoreApplication::processEvents();
        return view()->ready();
    }

    preview::PreviewView* view() const { return binding->view(); }
    // The frame of the last paint.
    QImage frame() {
        const QImage image = view()->grabFramebuffer();
        if (qEnvironmentVariableIsSet("PITWRIGHT_SAVE_FRAMES"))
            image.save(QStringLiteral("/tmp/%1-%2.png")
                           .arg(QLatin1String(
                               testing::UnitTest::GetInstance()->current_test_info()->name()))
                           .arg(++saved_));
        // The grab took the frame a paint left for the next composition; let the widget settle.
        QCoreApplication::processEvents();
        return image;
    }
    QRgb at(const QImage& image, double fx, double fy) const {
        return image.pixel(int(fx * (image.width() - 1)), int(fy * (image.height() - 1)));
    }
    void pressQuickCam(int b) {
        QTest::mouseClick(h.window().commandStrip()->quickCams()->button(b), Qt::LeftButton);
    }

    EditorHarness h;
    app::PreviewBinding* binding = nullptr;
    std::unique_ptr<QSignalSpy> paints;
    QStringList lookedUp;
    int exitCode = -1;
    qsizetype messagesBeforeEnd = -1;

private:
    QString startFolder_;
    int saved_ = 0;
};

#define START_OR_SKIP(w)                                                                \
    do {                                                                                \
        if (!preview::PreviewView::openGlAvailable()) GTEST_SKIP() << "no OpenGL here"; \
        ASSERT_TRUE((w).start()) << "the preview was not set up";                       \
    } while (0)

}  // namespace

TEST(PreviewInWindow, FirstPaintShowsTheCockpitOverTrackGrassAndSky) {
    PreviewWindow w;
    START_OR_SKIP(w);
    EXPECT_TRUE(w.h.messages.errors.isEmpty()) << w.h.messages.errors.join('\n').toStdString();
    EXPECT_TRUE(w.h.messages.shown.isEmpty()) << w.h.messages.shown.join('\n').toStdString();
    // Set-up left the counter at 0 and selected the cockpit; each paint since added 1.
    EXPECT_EQ(w.h.model().EditsLive, w.paints->count());
    EXPECT_EQ(w.h.model().SelectedCamera, 105);
    EXPECT_EQ(w.lookedUp, QStringList({"cockpit_dash.gp4", "car_cockpit_00.gp4"}));
    // Set-up filled team 0's inputs: its steering wheel is no longer at 0.
    EXPECT_NE(w.h.editor().previewInputs().wheelY, 0.0f);
    // Filling them is no click of the user's: the start-up import's message stays.
    EXPECT_EQ(w.h.editor().status(), "Import Done");

    const QImage f = w.frame();
    ASSERT_EQ(f.size(), w.view()->size() * w.view()->devicePixelRatio());
    EXPECT_TRUE(isSky(w.at(f, 0.02, 0.02))) << hex(w.at(f, 0.02, 0.02));
    EXPECT_TRUE(isSky(w.at(f, 0.5, 0.1))) << hex(w.at(f, 0.5, 0.1));
    // Grass right of the track near the horizon, asphalt ahead between the front tyres.
    EXPECT_TRUE(isGrass(w.at(f, 0.98, 0.52))) << hex(w.at(f, 0.98, 0.52));
    EXPECT_TRUE(isAsphalt(w.at(f, 0.5, 0.55))) << hex(w.at(f, 0.5, 0.55));
    // The cockpit tub beside the driver, in team 0's (red) arm colour: it has no texture.
    EXPECT_TRUE(isRed(w.at(f, 0.31, 0.9))) << hex(w.at(f, 0.31, 0.9));
    EXPECT_GT(redPixels(f, 0.6), 150);
}

TEST(PreviewInWindow, CameraTwoReloadsCarAndDashboardInTheOnePaintOfThePress) {
    PreviewWindow w;
    START_OR_SKIP(w);
    const QString car =
        QStringLiteral("car_") + w.h.model().currentShapeName + QStringLiteral("_car1_lod_0.gp4");
    const int before = w.h.model().EditsLive;
    w.lookedUp.clear();
    w.pressQuickCam(3);  // "2"
    // Painted before the press returned: one paint, both shapes loaded in it.
    EXPECT_EQ(w.h.model().EditsLive, before + 1);
    EXPECT_EQ(w.lookedUp, QStringList({"cockpit_dash.gp4", car}));
    EXPECT_EQ(w.h.model().SelectedCamera, 3);
    const QImage outside = w.frame();
    EXPECT_TRUE(isSky(w.at(outside, 0.02, 0.02))) << hex(w.at(outside, 0.02, 0.02));
    // The demo car's body ahead of camera 2, in the arm colour.
    EXPECT_GT(redPixels(outside, 0.5), 100);

    w.lookedUp.clear();
    const int counter = w.h.model().EditsLive;
    w.pressQuickCam(0);  // "C"
    EXPECT_EQ(w.lookedUp, QStringList({"cockpit_dash.gp4", "car_cockpit_00.gp4"}));
    EXPECT_EQ(w.h.model().EditsLive, counter + 1);
    // Other rows load nothing.
    w.lookedUp.clear();
    w.pressQuickCam(4);
    w.pressQuickCam(5);
    EXPECT_EQ(w.lookedUp, QStringList({"cockpit_dash.gp4", car}));
    EXPECT_TRUE(w.h.messages.errors.isEmpty()) << w.h.messages.errors.join('\n').toStdString();
}

TEST(PreviewInWindow, TypedCameraValueIsPaintedBeforeTheChangeReturns) {
    PreviewWindow w;
    START_OR_SKIP(w);
    const QImage before = w.frame();
    const int counter = w.h.model().EditsLive;
    // The cockpit camera 40 units higher: the horizon moves down.
    const int y = w.h.editor().fields().cameraField(115);
    w.h.setText(app::names::cameraField(115), QString::number(y + 40));
    EXPECT_EQ(w.h.model().EditsLive, counter + 1);
    const QImage after = w.frame();
    EXPECT_NE(before, after);
    EXPECT_TRUE(w.h.messages.errors.isEmpty()) << w.h.messages.errors.join('\n').toStdString();
}

TEST(PreviewInWindow, FieldThatIsNotANumberStopsThePaintWithAMessage) {
    PreviewWindow w;
    START_OR_SKIP(w);
    // The chase camera reads its fields 101 and 102 when it paints; the key filter lets "1-2"
    // through.
    w.pressQuickCam(12);
    w.h.setText(app::names::cameraField(102), QStringLiteral("1-2"));
    ASSERT_EQ(w.h.messages.errors.size(), 1);
    EXPECT_TRUE(w.h.messages.errors[0].contains(QStringLiteral("\"1-2\"")))
        << w.h.messages.errors[0].toStdString();
    // Mended, the next paint draws again without a message.
    w.h.setText(app::names::cameraField(102), QStringLiteral("20"));
    EXPECT_EQ(w.h.messages.errors.size(), 1);
}

// "Camera 3" cannot be painted while its X field holds no number: the cockpit frame stays on
// show, and once the field is mended the outside view gets its car again.
TEST(PreviewInWindow, AStoppedPaintLeavesTheLastFrameAndItsShapesToTheNext) {
    PreviewWindow w;
    START_OR_SKIP(w);
    const QImage cockpit = w.frame();
    w.h.setText(app::names::cameraField(4), QStringLiteral("1-2"));
    ASSERT_TRUE(w.h.messages.errors.isEmpty());
    w.lookedUp.clear();
    w.pressQuickCam(4);  // "3"
    ASSERT_EQ(w.h.messages.errors.size(), 1);
    EXPECT_EQ(w.h.model().SelectedCamera, 4);
    EXPECT_TRUE(w.frame() == cockpit);
    w.h.setText(app::names::cameraField(4), QStringLiteral("30"));
    w.pressQuickCam(4);
    // Grabbing the frame painted once more while the field was bad, with a box of its own; once
    // mended, no paint fails.
    for (const QString& error : w.h.messages.errors)
        EXPECT_TRUE(error.contains(QStringLiteral("\"1-2\""))) << error.toStdString();
    EXPECT_EQ(w.lookedUp.filter(QStringLiteral("_car1_lod_0.gp4")).size(), 1)
        << w.lookedUp.join(' ').toStdString();
    EXPECT_FALSE(w.frame() == cockpit);
}

// The tyres are built again only from other colours, brands or positions; every change of one
// of them shows, and every change back shows the frame of before again.
TEST(PreviewInWindow, TyresFollowTheirColourBrandAndPositionsThroughTeamSelections) {
    PreviewWindow w;
    START_OR_SKIP(w);
    namespace names = app::names;
    const app::WindowFields& f = w.h.editor().fields();
    w.pressQuickCam(12);  // the chase view, the car's tyres in sight
    const auto changeAndBack = [&](const char* what, const std::function<void()>& change,
                                   const std::function<void()>& back) {
        SCOPED_TRACE(what);
        const QImage before = w.frame();
        change();
        EXPECT_FALSE(w.frame() == before);
        back();
        EXPECT_TRUE(w.frame() == before);
    };
    const QString helmet = w.h.text(names::helmetY(0));
    changeAndBack(
        "helmet", [&] { w.h.setText(names::helmetY(0), QString::number(helmet.toInt() + 30)); },
        [&] { w.h.setText(names::helmetY(0), helmet); });
    app::ColourSwatch* rim = f.swatch(names::rimSwatch(0, 0));
    const uint32_t colour = rim->colourValue();
    const auto rimColour = [&](uint32_t c) {
        rim->setColourValue(c);
        QTest::mouseClick(rim, Qt::LeftButton);
    };
    changeAndBack(
        "rim colour", [&] { rimColour(0x00FF00); }, [&] { rimColour(colour); });
    app::Stepper* brand = f.stepper(names::brandStepper(0));
    const int step = brand->position() == 0 ? 1 : -1;
    changeAndBack(
        "brand", [&] { brand->step(step); }, [&] { brand->step(-step); });
    // Through another team (its own colours and brand) and back.
    changeAndBack(
        "team", [&] { w.h.click(names::teamsCaption(3)); },
        [&] { w.h.click(names::teamsCaption(0)); });
    // The field shows the archive's position rounded: once typed, the model holds the rounded one.
    const QString wheel = w.h.text(names::tyrePosition(1));
    const auto wheelAt = [&](int shown) {
        w.h.setText(names::tyrePosition(1), QString::number(shown));
    };
    wheelAt(wheel.toInt() + 1);
    wheelAt(wheel.toInt());
    changeAndBack(
        "wheel position", [&] { wheelAt(wheel.toInt() + 20); }, [&] { wheelAt(wheel.toInt()); });
    EXPECT_TRUE(w.h.messages.errors.isEmpty()) << w.h.messages.errors.join('\n').toStdString();
}

TEST(PreviewInWindow, MouseOnTheViewReachesThePaneSignals) {
    PreviewWindow w;
    START_OR_SKIP(w);
    app::PreviewPane* pane = w.h.window().previewPane();
    QSignalSpy pressed(pane, &app::PreviewPane::mousePressed);
    QSignalSpy moved(pane, &app::PreviewPane::mouseMoved);
    QSignalSpy released(pane, &app::PreviewPane::mouseReleased);
    QTest::mousePress(w.view(), Qt::MiddleButton, {}, QPoint(40, 50));
    QTest::mouseMove(w.view(), QPoint(55, 45));
    QTest::mouseRelease(w.view(), Qt::MiddleButton, {}, QPoint(55, 45));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed[0][0].value<Qt::MouseButton>(), Qt::MiddleButton);
    EXPECT_EQ(pressed[0][1].toPoint(), w.view()->mapToGlobal(QPoint(40, 50)));
    ASSERT_GE(moved.count(), 1);
    EXPECT_EQ(moved.last()[0].toPoint(), w.view()->mapToGlobal(QPoint(55, 45)));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released[0][0].value<Qt::MouseButton>(), Qt::MiddleButton);
    EXPECT_EQ(released[0][1].toPoint(), w.view()->mapToGlobal(QPoint(55, 45)));
}

TEST(PreviewInWindow, MissingCarsArchiveIsToldInTheFirstPaintOnly) {
    PreviewWindow w;
    ASSERT_TRUE(QFile::remove(w.h.game().carsWad()));
    START_OR_SKIP(w);
    const QString text =
        QStringLiteral("Sorry but as the cars wad can't be found, car shapes won't be displayed");
    // Both shape loads of the first paint tell it.
    EXPECT_EQ(w.h.messages.shown.count(text), 2) << w.h.messages.shown.join('\n').toStdString();
    w.pressQuickCam(3);
    w.pressQuickCam(0);
    EXPECT_EQ(w.h.messages.shown.count(text), 2);
    EXPECT_TRUE(w.h.messages.errors.isEmpty()) << w.h.messages.errors.join('\n').toStdString();
    // The rest of the scene is drawn.
    const QImage f = w.frame();
    EXPECT_TRUE(isSky(w.at(f, 0.02, 0.02))) << hex(w.at(f, 0.02, 0.02));
}

TEST(PreviewInWindow, ShapeEntryBeyondTheArchiveIsRefusedAndTheRestIsDrawn) {
    PreviewWindow w;
    {
        // Point the cockpit shape's directory record past the end of the archive.
        QFile wad(w.h.game().carsWad());
        ASSERT_TRUE(wad.open(QIODevice::ReadWrite));
        QByteArray bytes = wad.readAll();
        const qint64 count = qFromLittleEndian<quint32>(bytes.constData());
        bool patched = false;
        for (qint64 i = 0; i < count; ++i) {
            const qint64 record = 4 + 136 * i;
            if (!bytes.mid(record, 128).startsWith("cars\\cockpit\\car_cockpit_00.gp4")) continue;
            const quint32 beyond = quint32(bytes.size() + 1000);
            qToLittleEndian(beyond, bytes.data() + record + 128);
            patched = true;
        }
        ASSERT_TRUE(patched);
        wad.seek(0);
        ASSERT_EQ(wad.write(bytes), bytes.size());
    }
    START_OR_SKIP(w);
    ASSERT_EQ(w.h.messages.errors.size(), 1) << w.h.messages.errors.join('\n').toStdString();
    EXPECT_TRUE(w.h.messages.errors[0].contains(QStringLiteral("cars.wad")))
        << w.h.messages.errors[0].toStdString();
    EXPECT_EQ(w.lookedUp, QStringList({"cockpit_dash.gp4", "car_cockpit_00.gp4"}));
    const QImage f = w.frame();
    EXPECT_TRUE(isSky(w.at(f, 0.02, 0.02))) << hex(w.at(f, 0.02, 0.02));
    EXPECT_TRUE(isGrass(w.at(f, 0.98, 0.52))) << hex(w.at(f, 0.98, 0.52));
    EXPECT_FALSE(isRed(w.at(f, 0.31, 0.9))) << hex(w.at(f, 0.31, 0.9));  // no cockpit tub
}

TEST(PreviewInWindow, TreadImageWithoutPixelsEndsTheProgramAfterItsMessages) {
    QTemporaryDir start;
    ASSERT_TRUE(QDir(start.path()).mkdir(QStringLiteral("CamTextures")));
    const QDir source(repositoryFolder() + QStringLiteral("/CamTextures"));
    for (const QString& name : source.entryList(QDir::Files)) {
        if (name != QLatin1String("TE-Tread.bmp")) {
            ASSERT_TRUE(QFile::copy(source.filePath(name),
                                    start.filePath(QStringLiteral("CamTextures/") + name)));
        }
    }
    PreviewWindow w(start.path());
    if (!preview::PreviewView::openGlAvailable()) {
        GTEST_SKIP() << "no OpenGL here";
    }
    w.start();
    for (int i = 0; i < 50 && w.exitCode < 0; ++i) QTest::qWait(20);
    EXPECT_EQ(w.exitCode, 1);
    ASSERT_FALSE(w.h.messages.shown.isEmpty());
    EXPECT_TRUE(w.h.messages.shown.last().startsWith(QStringLiteral("Unable to load ")))
        << w.h.messages.shown.join('\n').toStdString();
    EXPECT_EQ(w.messagesBeforeEnd, w.h.messages.shown.size());
    EXPECT_FALSE(w.view()->ready());
}

// Where Qt has no OpenGL (the offscreen platform) the window starts without a preview and says so.
TEST(PreviewWithoutOpenGl, EditorStartsAndShowsTheContextError) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "not the offscreen platform";
    EditorHarness h;
    h.importAll();
    EXPECT_EQ(app::PreviewBinding::install(h.editor(), repositoryFolder(), [](int) { FAIL(); }),
              nullptr);
    EXPECT_EQ(h.messages.errors, QStringList({preview::kNoContextMessage}));
    h.window().show();
    QCoreApplication::processEvents();
    EXPECT_EQ(h.window().previewPane()->view(), nullptr);
    // The window works on: a camera edit still reaches the (empty) pane.
    const int requests = h.window().previewPane()->repaintRequests();
    h.setText(app::names::cameraField(115), QStringLiteral("12"));
    EXPECT_EQ(h.window().previewPane()->repaintRequests(), requests + 1);
    EXPECT_EQ(h.messages.errors.size(), 1);
}
