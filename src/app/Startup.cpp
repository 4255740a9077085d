#include "app/Startup.h"

#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

#include "app/AppInfo.h"
#include "app/Editor.h"
#include "app/PreviewBinding.h"
#include "app/dialogs/SaveSelectionDialog.h"
#include "app/dialogs/UserPrompts.h"
#include "app/window/MainWindow.h"
#include "core/location/SettingsStore.h"

namespace pw::app {

PitwrightApplication::PitwrightApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool PitwrightApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QLatin1String(kApplicationTitle),
                              QString::fromLocal8Bit(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QLatin1String(kApplicationTitle),
                              QStringLiteral("Unknown error."));
    }
    return false;
}

int runPitwright(QApplication& app) {
    app.setApplicationName(QLatin1String(kApplicationName));
    app.setApplicationVersion(QLatin1String(kApplicationVersion));
    app.setDesktopFileName(QLatin1String(kApplicationId));
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/pitwright.png").arg(size));
    app.setWindowIcon(icon);

    MainWindow window;
    // The preview looks for car-shape textures below the folder the program started in.
    window.setProperty("startupFolder", QDir::currentPath());
    WidgetMessageSink messages(&window);
    WidgetDialogRunner dialogs(&window);

    model::SettingsStore settings;
    Editor editor(window, settings, messages, dialogs);
    // Created once, hidden: "Save Team File" shows it, its ticks persist between saves.
    auto* saveSelection = new SaveSelectionDialog(&window);
    editor.setSaveSelection(saveSelection);
    // Import All runs before the window is first shown, so its messages appear on their own.
    editor.importAll();
    if (editor.terminated()) return 0;

    // The preview finds "CamTextures" in the start-up folder, else beside the program (started
    // from a menu the current folder is seldom the program's).
    PreviewBinding* binding = PreviewBinding::install(
        editor,
        preview::textureStartFolder(window.property("startupFolder").toString(),
                                    QCoreApplication::applicationDirPath()),
        [&window](int exitCode) {
            window.hide();
            QCoreApplication::exit(exitCode);
        });

    // Start-up measurements: end once the first preview frame is on the screen.
    if (QCoreApplication::arguments().contains(QLatin1String(kQuitAfterFirstFrameOption))) {
        if (binding && binding->view())
            QObject::connect(binding->view(), &QOpenGLWidget::frameSwapped, &app,
                             &QCoreApplication::quit, Qt::QueuedConnection);
        else
            QTimer::singleShot(0, &app, &QCoreApplication::quit);
    }

    window.centreOnScreen();
    window.show();
    return app.exec();
}

}  // namespace pw::app
