// The editor the OpenGL benchmarks share: the demo game imported into a shown window whose
// preview is set up. One instance lives for the whole run (see GlBenchmarks.cpp).
#pragma once

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPoint>
#include <QThread>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <vector>

#include "app/Editor.h"
#include "app/PreviewBinding.h"
#include "app/SelectionState.h"
#include "app/dialogs/UserPrompts.h"
#include "app/window/MainWindow.h"
#include "core/archive/WadWriter.h"
#include "core/location/SettingsStore.h"
#include "preview/PreviewView.h"

namespace pw::bench {

class PrintedMessages : public app::MessageSink {
public:
    void show(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void showError(const QString& text) override { show(text); }
    void beep() override {}
};

struct Editor {
    model::SettingsStore settings;
    app::MainWindow window;
    PrintedMessages messages;
    app::WidgetDialogRunner dialogs{&window};
    app::Editor* editor = nullptr;
    app::PreviewBinding* binding = nullptr;

    Editor() {
        editor = new app::Editor(window, settings, messages, dialogs);
        editor->importAll();
        binding =
            app::PreviewBinding::install(*editor, QStringLiteral(PITWRIGHT_SOURCE_DIR),
                                         [](int) { throw std::runtime_error("no textures"); });
        if (!binding) throw std::runtime_error("no OpenGL");
        window.show();
        for (int i = 0; i < 2000 && !binding->view()->ready(); ++i) {
            QApplication::processEvents();
            QThread::msleep(1);
        }
        if (!binding->view()->ready()) throw std::runtime_error("the preview was not set up");
        QApplication::processEvents();
    }
    preview::PreviewView& view() { return *binding->view(); }
    void finish() {
        view().makeCurrent();
        glFinish();
        view().doneCurrent();
    }
    // Shows the row (a field of it selected) and paints it once, so its shapes are loaded.
    void select(int row) {
        editor->selection().SelectedField = row;
        editor->model().SelectedCamera = row;
        binding->requestRepaint();
        finish();
    }
};

extern Editor* editor;

// Repaints of the view of camera row `row`, each waited for.
void frame(benchmark::State& state, int row);
// Each step moves one pixel to and fro, so every step changes the texts it writes.
void dragSteps(benchmark::State& state, const std::function<void(QPoint)>& press,
               const std::function<void(QPoint)>& move, const std::function<void()>& release);

// A car shape of one object of n triangles over a grid of vertices, one texture batch.
QByteArray shapeOf(int triangles);

// The team benchmarks (TeamBenchmarks.cpp): the archive entries they add, and their registration.
std::vector<wad::WadFileEntry> teamBenchmarkEntries();
void registerTeamBenchmarks();

}  // namespace pw::bench
