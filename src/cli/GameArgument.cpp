#include "cli/GameArgument.h"

#include <QDir>
#include <QFileInfo>

#include "cli/CliError.h"
#include "core/bytes/GamePaths.h"
#include "core/location/GameInstall.h"
#include "core/location/SettingsStore.h"

namespace pw::cli {

values::GameFilePaths gameInFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir())
        throw CliError(QStringLiteral("%1: no such folder").arg(folder));
    values::GameFilePaths paths;
    paths.folder = QDir::cleanPath(info.absoluteFilePath());
    paths.exe = model::resolvePath(model::joinPath(paths.folder, QStringLiteral("GP4.exe")));
    paths.saveState = model::resolvePath(model::joinPath(paths.folder, QStringLiteral("f1gstate.sav")));
    paths.archive = model::resolvePath(model::joinPath(paths.folder, QStringLiteral("cars.wad")));
    if (!model::fileExists(paths.exe))
        throw CliError(QStringLiteral("%1: the folder holds no game (no GP4.exe)").arg(folder));
    return paths;
}

values::GameFilePaths gameOfEditor() {
    const model::SettingsStore settings;
    const model::GameInstall game = model::ResolveGameFolder(settings);
    if (!game.found)
        throw CliError(QStringLiteral(
            "no game found: give its folder, or choose it once in the window (Options > \"Change "
            "GP4 Path\")"));
    return values::GameFilePaths{game.folder, model::GameExecutablePath(game, settings),
                                 model::SaveStatePath(game), model::CarsArchivePath(game, settings)};
}

values::GameRead readGame(const values::GameFilePaths& paths, QStringList& notes) {
    try {
        values::GameRead read = values::ReadGame(paths);
        if (read.archiveError) throw *read.archiveError;
        for (const QString& note : read.notes)
            notes << QString(note).replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
        return read;
    } catch (const model::GameFileError& e) {
        throw CliError(e.message());
    }
}

}  // namespace pw::cli
