// The preview's costs on a real OpenGL context (run under Xvfb), each beside its floor on the
// same context: a frame of each kind of view against a frame that only clears, a drag step
// against a bare repaint of the same view, a car shape parsed and compiled against its triangles
// put into a display list straight from arrays. The editor runs on a demo game whose cars
// archive holds 4,000 entries. Run through scripts/bench.sh.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <functional>
#include <stdexcept>

#include "DemoGame.h"
#include "GlBenchEditor.h"
#include "app/Editor.h"
#include "app/PreviewBinding.h"
#include "app/SelectionState.h"
#include "app/commands/MouseActions.h"
#include "app/dialogs/UserPrompts.h"
#include "app/window/CameraRows.h"
#include "app/window/ComponentNames.h"
#include "app/window/MainWindow.h"
#include "core/bytes/ByteIO.h"
#include "core/location/SettingsStore.h"
#include "preview/OpenGlSink.h"
#include "preview/ShapeCompiler.h"
#include "core/archive/CarShape.h"
#include "core/archive/CarShapeWriter.h"
#include "core/archive/WadDirectory.h"
#include "core/archive/WadWriter.h"

using namespace pw;
using namespace pw::bench;
namespace camrows = pw::app::camrows;

namespace pw::bench {

Editor* editor = nullptr;

void frame(benchmark::State& state, int row) {
    editor->select(row);
    for (auto _ : state) {
        editor->binding->requestRepaint();
        editor->finish();
    }
}

void dragSteps(benchmark::State& state, const std::function<void(QPoint)>& press,
               const std::function<void(QPoint)>& move, const std::function<void()>& release) {
    const QPoint start(500, 500);
    press(start);
    int i = 0;
    for (auto _ : state) {
        ++i;
        move(start + QPoint(i % 2 + 1, -(i % 2) - 1));
        editor->finish();
    }
    release();
}

// One object of n triangles over a grid of vertices, one texture batch.
QByteArray shapeOf(int triangles) {
    wad::CarShape shape;
    shape.version = 7;
    shape.textureNames = {"body.bmp"};
    wad::ShapeObject object;
    object.format = 23;
    const int side = 200;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            object.vertices.push_back({float(x) / side, float(y) / side,
                                       float(x * y) / (side * side), 0, 0, 1, float(x) / side,
                                       float(y) / side});
    for (int t = 0; t < triangles; ++t) {
        const int cell = (t / 2) % ((side - 1) * (side - 1));
        const int v = cell / (side - 1) * side + cell % (side - 1);
        object.triangles.push_back(t % 2 ? std::array<int32_t, 3>{v, v + 1, v + side}
                                         : std::array<int32_t, 3>{v + 1, v + side + 1, v + side});
    }
    object.batches.push_back({0, triangles, 0});
    shape.objects.push_back(object);
    return wad::writeCarShape(shape);
}

}  // namespace pw::bench

namespace {

constexpr int kArchiveEntries = 4000;

// The demo archive's entries after enough others to make kArchiveEntries: every lookup of the
// preview's shapes walks past all of them.
void enlargeArchive(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("no demo archive");
    const QByteArray bytes = f.readAll();
    f.close();
    const uint32_t count = model::le::u32(bytes.constData());
    std::vector<wad::WadFileEntry> entries;
    for (int i = 0; i < kArchiveEntries - int(count); ++i)
        entries.push_back({"cars\\other" + QByteArray::number(i) + "\\car_other" +
                               QByteArray::number(i) + "_car1_lod_0.gp4",
                           QByteArray(8, 'x')});
    for (wad::WadFileEntry& entry : teamBenchmarkEntries()) entries.push_back(std::move(entry));
    for (uint32_t i = 0; i < count; ++i) {
        const char* record = bytes.constData() + 4 + 136 * i;
        const QByteArray name(record, int(qstrnlen(record, 128)));
        entries.push_back(
            {name, bytes.mid(model::le::u32(record + 128), model::le::u32(record + 132))});
    }
    wad::WriteWad(path, entries);
}



void clearFrame(benchmark::State& state) {
    editor->select(camrows::kCockpit);
    for (auto _ : state) {
        editor->view().makeCurrent();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
        editor->view().doneCurrent();
    }
}


void dragDirectionField(benchmark::State& state) {
    editor->select(2);  // "Camera 1", whose Dir. field is 32
    app::MouseActions& mouse = editor->editor->mouse();
    dragSteps(
        state, [&](QPoint p) { mouse.cameraFieldPressed(32, p); },
        [&](QPoint p) { mouse.fieldMoved(p, Qt::LeftButton); }, [&] { mouse.fieldReleased(); });
}

void dragInPreview(benchmark::State& state) {
    editor->select(camrows::kCockpit);
    app::MouseActions& mouse = editor->editor->mouse();
    dragSteps(
        state, [&](QPoint p) { mouse.previewPressed(Qt::LeftButton, p); },
        [&](QPoint p) { mouse.previewMoved(p); }, [&] { mouse.previewReleased(); });
}

void dragDashboard(benchmark::State& state) {
    editor->select(camrows::kCockpit);
    app::MouseActions& mouse = editor->editor->mouse();
    const long long readsBefore = wad::directoryReads();
    dragSteps(
        state, [&](QPoint p) { mouse.decimalFieldPressed(app::names::cockpitDash(0), p); },
        [&](QPoint p) { mouse.fieldMoved(p, Qt::LeftButton); }, [&] { mouse.fieldReleased(); });
    // Only a changed archive is read again; this one never changes.
    if (wad::directoryReads() != readsBefore)
        state.SkipWithError("the archive directory was read again during the drag");
}

void shapeParseAndCompile(benchmark::State& state, int triangles) {
    const QByteArray bytes = shapeOf(triangles);
    editor->view().makeCurrent();
    preview::OpenGlSink gl;
    const preview::ListName list = gl.genLists(1);
    const preview::ShapeTextures textures(1);
    const preview::ShapeCompileInputs inputs;
    for (auto _ : state) {
        model::ByteReader reader(bytes, QStringLiteral("cars.wad"));
        const wad::CarShape shape = wad::parseCarShape(reader);
        preview::compileShape(gl, list, preview::kCarSlot, shape, textures, inputs);
        glFinish();
    }
    glDeleteLists(list, 1);
    editor->view().doneCurrent();
}

void rawCompile(benchmark::State& state, int triangles) {
    const QByteArray bytes = shapeOf(triangles);
    model::ByteReader reader(bytes, QStringLiteral("cars.wad"));
    const wad::CarShape shape = wad::parseCarShape(reader);
    std::vector<float> flat;  // u, v, normal, position per corner
    for (const auto& t : shape.objects[0].triangles)
        for (int32_t i : t) {
            const wad::ShapeVertex& v = shape.objects[0].vertices[size_t(i)];
            flat.insert(flat.end(), {v.u, v.v, v.nx, v.ny, v.nz, v.x, v.y, v.z});
        }
    editor->view().makeCurrent();
    const GLuint list = glGenLists(1);
    for (auto _ : state) {
        glNewList(list, GL_COMPILE);
        glBegin(GL_TRIANGLES);
        for (size_t k = 0; k < flat.size(); k += 8) {
            glTexCoord2f(flat[k], flat[k + 1]);
            glNormal3f(flat[k + 2], flat[k + 3], flat[k + 4]);
            glVertex3f(flat[k + 5], flat[k + 6], flat[k + 7]);
        }
        glEnd();
        glEndList();
        glFinish();
    }
    glDeleteLists(list, 1);
    editor->view().doneCurrent();
}

void registerAll() {
    using benchmark::RegisterBenchmark;
    const struct {
        const char* name;
        int row;
    } views[] = {{"frame_cockpit@clear_frame", camrows::kCockpit},
                 {"frame_tcam@clear_frame", camrows::kTCam},
                 {"frame_chase@clear_frame", camrows::kChase},
                 {"frame_camera1@clear_frame", 2},
                 {"frame_camera4_no_car@clear_frame", 5}};
    for (const auto& v : views) {
        const int row = v.row;
        RegisterBenchmark(v.name, [row](benchmark::State& s) {
            frame(s, row);
        })->Unit(benchmark::kMicrosecond);
    }
    RegisterBenchmark("clear_frame", clearFrame)->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("repaint_camera1", [](benchmark::State& s) {
        frame(s, 2);
    })->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("repaint_cockpit", [](benchmark::State& s) {
        frame(s, camrows::kCockpit);
    })->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("drag_direction_field@repaint_camera1", dragDirectionField)
        ->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("drag_preview_left@repaint_cockpit", dragInPreview)
        ->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("drag_dashboard_4000@repaint_cockpit", dragDashboard)
        ->Unit(benchmark::kMicrosecond);
    for (int n : {20000, 60000}) {
        const std::string suffix = std::to_string(n);
        RegisterBenchmark(("shape_parse_compile_" + suffix + "@raw_compile_" + suffix).c_str(),
                          [n](benchmark::State& s) { shapeParseAndCompile(s, n); })
            ->Unit(benchmark::kMicrosecond);
        RegisterBenchmark(("raw_compile_" + suffix).c_str(), [n](benchmark::State& s) {
            rawCompile(s, n);
        })->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Settings of their own, the demo game registered there.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    QTemporaryDir game;
    demo::writeDemoGame(game.path());
    demo::registerDemoGame(game.path());
    enlargeArchive(game.filePath(QStringLiteral("cars.wad")));
    // Old enough for its directory to be kept, as a game's archive is.
    QThread::msleep(wad::kDefaultSettleMs + 200);

    Editor e;
    editor = &e;
    registerAll();
    registerTeamBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    editor = nullptr;
    return 0;
}
