#include "preview/PreviewView.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QMouseEvent>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

#include <GL/gl.h>
#include <cstdio>

#include "core/images/BmpImage.h"

namespace pw::preview {

namespace {

const QString& kNoContext = kNoContextMessage;
const QString& kTooOld = kOutdatedGlMessage;

// OpenGL 1.1 or later, from the version text "major.minor...".
bool offersVersion11() {
    const auto* text = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (!text) return false;
    int major = 0, minor = 0;
    if (std::sscanf(text, "%d.%d", &major, &minor) < 1) return false;
    return major > 1 || (major == 1 && minor >= 1);
}

}  // namespace

class PreviewView::BoxMessages : public MessageSink {
public:
    explicit BoxMessages(QWidget* parent) : parent_(parent) {}
    void show(const images::ImageMessage& m) override {
        // Without a caption of its own a message is the window's: it carries the window's title.
        QString caption = m.caption;
        if (caption.isEmpty() && parent_) caption = parent_->window()->windowTitle();
        if (caption.isEmpty()) caption = QCoreApplication::applicationName();
        QMessageBox::information(parent_, caption, m.text);
    }

private:
    QWidget* parent_;
};

PreviewView::PreviewView(QWidget* parent)
    : QOpenGLWidget(parent), messages_(std::make_unique<BoxMessages>(this)), sink_(messages_.get()) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(0);
    setFormat(format);
    // Keep the framebuffer between compositions: paintNow draws into it outside paintGL.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    resize(kInitialSize, kInitialSize);
    startFolder_ = QDir::currentPath();
}

PreviewView::~PreviewView() {
    // Lists and textures belong to the context; delete what needs it while it is current.
    if (renderer_) {
        makeCurrent();
        renderer_.reset();
        doneCurrent();
    }
}

bool PreviewView::openGlAvailable() {
    // The same test the widget makes before it draws: a context and a surface to make it
    // current on. The offscreen platform fails here instead of in the widget.
    if (QGuiApplication::platformName() == QLatin1String("offscreen") ||
        QGuiApplication::platformName() == QLatin1String("minimal"))
        return false;
    QOpenGLContext context;
    if (!context.create()) return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    const bool ok = surface.isValid() && context.makeCurrent(&surface);
    if (ok) context.doneCurrent();
    return ok;
}

void PreviewView::setMessageSink(MessageSink* sink) {
    if (sink)
        sink_ = sink;
    else
        sink_ = messages_.get();
}

void PreviewView::fail(const QString& message) { emit failed(message); }

void PreviewView::setBackground(const QColor& colour) {
    if (colour == background_) return;
    background_ = colour;
    if (!renderer_) return;
    makeCurrent();
    gl_.clearColour({float(colour.redF()), float(colour.greenF()), float(colour.blueF()), 1.0f});
    doneCurrent();
    update();
}

void PreviewView::resizeEvent(QResizeEvent* event) {
    QOpenGLWidget::resizeEvent(event);
    // The context is made with the first resize of a shown widget.
    if (isVisible() && !isValid() && !contextFailed_) {
        contextFailed_ = true;
        fail(kNoContext);
    }
}

void PreviewView::initializeGL() {
    if (!context() || !context()->isValid()) {
        contextFailed_ = true;
        fail(kNoContext);
        return;
    }
    if (!offersVersion11()) {
        contextFailed_ = true;
        fail(kTooOld);
        return;
    }
    gl_.clearColour({float(background_.redF()), float(background_.greenF()), float(background_.blueF()), 1.0f});
    auto renderer = std::make_unique<PreviewRenderer>(gl_, *sink_, lookup_, startFolder_);
    const SceneInputs in = setupInputs_ ? setupInputs_() : SceneInputs();
    if (!renderer->setup(in)) {
        emit texturesUnusable(images::kBmpNoPixelsExitCode);
        return;
    }
    renderer_ = std::move(renderer);
    emit setUpDone();
}

void PreviewView::resizeGL(int width, int height) {
    frameReady_ = false;  // a new framebuffer
    if (!renderer_) return;
    // The window's own projection; every paint replaces it, the viewport stays.
    gl_.matrixMode(MatrixStack::Projection);
    gl_.loadIdentity();
    gl_.perspective(35, double(width) / double(std::max(height, 1)), 1, 100);
    gl_.matrixMode(MatrixStack::ModelView);
    gl_.viewport(0, 0, width, std::max(height, 1));
}

void PreviewView::paintGL() {
    if (frameReady_) {
        // Drawn already by paintNow: the framebuffer holds the frame.
        frameReady_ = false;
        return;
    }
    drawFrame();
}

void PreviewView::drawFrame() {
    if (!renderer_ || !inputs_) return;
    if (sceneShown_ && !sceneShown_()) {
        gl_.clear();
        return;
    }
    try {
        // Read before anything is drawn: a paint that stops on a field leaves the last frame.
        const PreviewInputs in = PreviewRenderer::withCameraFieldsRead(inputs_());
        gl_.clear();
        gl_.matrixMode(MatrixStack::ModelView);
        gl_.loadIdentity();
        const PaintOutcome outcome = renderer_->paint(in);
        emit painted(outcome);
        for (const QString& e : outcome.shapeErrors) fail(e);
    } catch (const std::exception& e) {
        fail(QString::fromUtf8(e.what()));
    }
}

void PreviewView::paintNow() {
    if (!renderer_) return;
    // Draw into the widget's framebuffer now, so the paint has run when the caller goes on;
    // the widget shows that frame at its next composition.
    makeCurrent();
    drawFrame();
    doneCurrent();
    frameReady_ = true;
    update();
}

void PreviewView::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->button(), event->position().toPoint());
}
void PreviewView::mouseMoveEvent(QMouseEvent* event) { emit mouseMoved(event->position().toPoint()); }
void PreviewView::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->button(), event->position().toPoint());
}

}  // namespace pw::preview
