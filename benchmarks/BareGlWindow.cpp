// The start-up floor: a bare Qt window holding an empty compatibility-profile OpenGL widget of
// the preview's size, ending after its first frame is on the screen.
#include <QApplication>
#include <QMainWindow>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QSurfaceFormat>

namespace {
class EmptyGlWidget : public QOpenGLWidget, protected QOpenGLFunctions {
protected:
    void initializeGL() override { initializeOpenGLFunctions(); }
    void paintGL() override { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The editor's window size, the view where the editor's preview pane puts its view.
    QMainWindow window;
    auto* central = new QWidget;
    auto* view = new EmptyGlWidget;
    view->setParent(central);
    view->setGeometry(343, 83, 424, 317);
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    view->setFormat(format);
    window.setCentralWidget(central);
    window.resize(780, 560);
    QObject::connect(view, &QOpenGLWidget::frameSwapped, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return app.exec();
}
