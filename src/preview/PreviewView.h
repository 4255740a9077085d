#pragma once

#include <QColor>
#include <QOpenGLWidget>
#include <functional>
#include <memory>

#include "preview/OpenGlSink.h"
#include "preview/PreviewMessages.h"
#include "preview/PreviewRenderer.h"

namespace pw::preview {

inline const QString kNoContextMessage = QStringLiteral("Erzeugung des Renderingkontexts schlug fehl.");
inline const QString kOutdatedGlMessage = QStringLiteral("Diese OpenGL version ist veraltet.");

// The 3D pane: an OpenGL widget with a compatibility-profile context (display lists, immediate
// mode, fixed-function lighting) that sets the scene up once and paints it from the inputs the
// window supplies. The window connects:
//  - setupInputs: the scene inputs in force when the context is set up (arms are built from
//    them once);
//  - inputs: called at the start of every paint (the place to add 1 to the paint counter);
//  - shapeLookup: finds car shapes in the cars archive;
//  - the signals below, to apply what a paint changed and to report failures.
// Create it only when openGlAvailable(): a platform without OpenGL (the offscreen platform)
// cannot show the widget at all; the window then leaves the pane empty and shows
// kNoContextMessage in its error box. A context that fails later is reported once through
// failed(); the rest of the window works on.
class PreviewView : public QOpenGLWidget {
    Q_OBJECT

public:
    static constexpr int kInitialSize = 150;

    explicit PreviewView(QWidget* parent = nullptr);

    // Whether this platform can make an OpenGL context the widget can draw with.
    static bool openGlAvailable();
    ~PreviewView() override;

    void setSetupInputs(std::function<SceneInputs()> provider) { setupInputs_ = std::move(provider); }
    void setInputs(std::function<PreviewInputs()> provider) { inputs_ = std::move(provider); }
    void setShapeLookup(ShapeLookup lookup) { lookup_ = std::move(lookup); }
    // Asked before every paint: while it answers false the view shows only its background and
    // asks for no inputs (there is nothing to show yet).
    void setSceneShown(std::function<bool()> shown) { sceneShown_ = std::move(shown); }
    // Where the loaders' messages go (texture files, a missing cars archive); by default a
    // message box each. Set it before the view is first shown.
    void setMessageSink(MessageSink* sink);
    // The folder that holds "CamTextures" (see textureStartFolder).
    void setStartFolder(const QString& folder) { startFolder_ = folder; }

    QColor background() const { return background_; }
    void setBackground(const QColor& colour);

    // Paints at once, before returning (a field change's repaint).
    void paintNow();

    // False until the context was set up, and for good when it could not be made.
    bool ready() const { return renderer_ != nullptr; }
    const PreviewRenderer* renderer() const { return renderer_.get(); }

signals:
    // Setup ran: the window fills team 0's inputs, sets the paint counter to 0 and selects the
    // cockpit camera.
    void setUpDone();
    void painted(const pw::preview::PaintOutcome& outcome);
    // For the application's standard error box: context failures, a paint stopped by a field
    // that does not hold a number, a car shape that could not be read.
    void failed(const QString& message);
    // The tread texture yielded no pixels; its messages were shown. The program ends with
    // exitCode.
    void texturesUnusable(int exitCode);
    // Mouse on the view, for the camera drag.
    void mousePressed(Qt::MouseButton button, const QPoint& position);
    void mouseMoved(const QPoint& position);
    void mouseReleased(Qt::MouseButton button, const QPoint& position);

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    class BoxMessages;

    void fail(const QString& message);
    void drawFrame();

    OpenGlSink gl_;
    std::unique_ptr<BoxMessages> messages_;
    MessageSink* sink_ = nullptr;
    std::unique_ptr<PreviewRenderer> renderer_;
    std::function<SceneInputs()> setupInputs_;
    std::function<PreviewInputs()> inputs_;
    std::function<bool()> sceneShown_;
    ShapeLookup lookup_;
    QString startFolder_;
    QColor background_ = Qt::black;
    bool contextFailed_ = false;
    bool frameReady_ = false;
};

}  // namespace pw::preview
