#include <QCoreApplication>

#include "app/AppInfo.h"
#include "app/Startup.h"
#include "cli/CallersConsole.h"
#include "cli/CommandLine.h"

int main(int argc, char** argv) {
    // A command runs without a window: no display, no platform plugin, no OpenGL.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (pw::cli::wantsCommandLine(arguments)) {
        pw::cli::useCallersConsole();
        QCoreApplication app(argc, argv);
        // The same name as the window's, so that both find the same backups.
        QCoreApplication::setApplicationName(QLatin1String(pw::app::kApplicationName));
        QCoreApplication::setApplicationVersion(QLatin1String(pw::app::kApplicationVersion));
        return pw::cli::run(QCoreApplication::arguments());
    }
    pw::app::PitwrightApplication app(argc, argv);
    return pw::app::runPitwright(app);
}
