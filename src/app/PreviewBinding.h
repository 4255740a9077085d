#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/Editor.h"
#include "app/PreviewInputs.h"
#include "preview/PreviewMessages.h"
#include "preview/PreviewView.h"

namespace pw::app {

// The OpenGL view in the window's preview pane, wired to the editor: it hands the view the
// inputs of every paint (the paint counter is the model's EditsLive), applies what a paint
// changed, finds car shapes in the cars archive, sends the view's mouse events on as the pane's
// own, and is the editor's PreviewSurface, so that a field change paints before it returns.
//
// Messages of the preview (texture files, a missing cars archive, a paint stopped by a field that
// is not a number) are shown once the GL work that raised them is over: a modal box inside a
// paint would let the view paint again in the middle of it.
class PreviewBinding : public QObject, public PreviewSurface {
    Q_OBJECT
public:
    // Ends the program with an exit code (the tread image yielded no pixels).
    using EndProgram = std::function<void(int exitCode)>;

    // Puts a PreviewView into the window's pane and makes the binding the editor's preview.
    // Where this platform cannot make an OpenGL context the pane stays empty, the context
    // failure is shown in the error box and nullptr is returned: the window works on without a
    // preview. startFolder holds "CamTextures". The binding lives as long as the view.
    static PreviewBinding* install(Editor& editor, const QString& startFolder,
                                   EndProgram endProgram);

    ~PreviewBinding() override;

    preview::PreviewView* view() const { return view_; }

    // Paints now when the view is set up (and is not painting already), otherwise asks for a paint.
    void requestRepaint() override;

    // Shows the preview's messages that are waiting, then ends the program if it must.
    void flushMessages();

signals:
    // A paint asked the cars archive for a shape (the archive may be missing).
    void shapeLookedUp(const QString& entryName);

private:
    PreviewBinding(Editor& editor, preview::PreviewView* view, EndProgram endProgram);

    class QueuedMessages;
    struct Message {
        bool error = false;
        QString caption;
        QString text;
    };

    void connectView();
    preview::SceneInputs sceneInputs() const;
    preview::PreviewInputs paintInputs();
    void setUpDone();
    void painted(const preview::PaintOutcome& outcome);
    preview::ShapeSource findShape(const QString& entryName);
    void queue(Message message);
    void scheduleFlush();

    Editor& editor_;
    QPointer<Editor> editorAlive_;
    QPointer<preview::PreviewView> view_;
    EndProgram endProgram_;
    std::unique_ptr<QueuedMessages> sink_;
    std::vector<Message> pending_;
    int exitCode_ = 0;
    bool mustEnd_ = false;
    bool busy_ = false;  // inside setup, a paint or its aftermath: repaint requests are dropped
    bool flushScheduled_ = false;
    bool flushing_ = false;
    // The scene the view's tyre list was last built from by a paint that ran to its end (none:
    // not known), and the one the paint under way builds it from. A team selection asks for new
    // tyres; built from the same rim colour, brand and wheel positions they would be the same.
    std::optional<preview::SceneInputs> tyresBuilt_, tyresBuilding_;
};

}  // namespace pw::app
