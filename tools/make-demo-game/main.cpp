// make-demo-game: writes a complete synthetic game folder (no real game needed).
//
//   make-demo-game [--layout A|B] [--register] FOLDER
//
// --layout picks the executable's table layout (A: version byte 0, B: version byte 102);
// --register records FOLDER as the installed game for the current user, so the editor finds it.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "DemoGame.h"
#include "core/bytes/GameFileError.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a synthetic game folder for Pitwright."));
    parser.addHelpOption();
    const QCommandLineOption layout(QStringLiteral("layout"),
                                    QStringLiteral("Executable table layout: A (default) or B."),
                                    QStringLiteral("A|B"), QStringLiteral("A"));
    const QCommandLineOption registerOption(
        QStringLiteral("register"), QStringLiteral("Record the folder as the installed game."));
    parser.addOption(layout);
    parser.addOption(registerOption);
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Folder to write."));
    parser.process(app);

    const QStringList folders = parser.positionalArguments();
    const QString layoutName = parser.value(layout).toUpper();
    if (folders.size() != 1 || (layoutName != QLatin1String("A") && layoutName != QLatin1String("B"))) {
        parser.showHelp(2);
    }
    pw::demo::DemoOptions options;
    options.versionByte = layoutName == QLatin1String("B") ? 102 : 0;
    const QString folder = QDir(folders.first()).absolutePath();
    try {
        pw::demo::writeDemoGame(folder, options);
        if (parser.isSet(registerOption)) pw::demo::registerDemoGame(folder);
    } catch (const pw::model::GameFileError& e) {
        std::fprintf(stderr, "make-demo-game: %s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("Demo game written to %s\n", qPrintable(QDir::toNativeSeparators(folder)));
    return 0;
}
