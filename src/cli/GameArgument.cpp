#include "cli/GameArgument.h"

#include <QDir>
#include <QFileInfo>

#include "cli/CliError.h"
#include "core/bytes/GamePaths.h"
#include "core/location/GameInstall.h"
#include "core/location/SettingsStore.h"

namespace pw::cli {

transfer::GameFiles gameInFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) throw CliError(QStringLiteral("%1: no such folder").arg(folder));
    model::GameInstall game;
    game.found = true;
    game.folder = model::resolvePath(QDir::cleanPath(info.absoluteFilePath()));
    transfer::GameFiles files;
    files.folder = game.folder;
    files.exe = model::resolvePath(model::joinPath(game.folder, QStringLiteral("GP4.exe")));
    files.saveState = model::SaveStatePath(game);
    files.carsArchive =
        model::resolvePath(model::joinPath(game.folder, QStringLiteral("cars.wad")));
    files.imagesFolder = model::GameImagesFolder(game);
    if (!model::fileExists(files.exe))
        throw CliError(QStringLiteral("%1: the folder holds no game (no GP4.exe)").arg(folder));
    return files;
}

transfer::GameFiles gameOfEditor() {
    const model::SettingsStore settings;
    const model::GameInstall game = model::ResolveGameFolder(settings);
    if (!game.found)
        throw CliError(QStringLiteral(
            "no game found: give its folder, or choose it once in the window (Options > \"Change "
            "GP4 Path\")"));
    return transfer::LocateGameFiles(game, settings);
}

ImportedGame readGame(const transfer::GameFiles& files, QStringList& notes, ReadFor purpose) {
    try {
        // What each file is before it is read: an export writes only into the same bytes.
        transfer::ImportRecord record;
        if (purpose == ReadFor::Export) record = transfer::RecordImport(files);
        values::GameRead read = values::ReadGame(
            values::GameFilePaths{files.folder, files.exe, files.saveState, files.carsArchive});
        if (read.archiveError) throw *read.archiveError;
        record.game.versionByte = read.model.versionByte;
        for (const QString& note : read.notes)
            notes << QString(note)
                         .replace(QLatin1String("\r\n"), QLatin1String(" "))
                         .replace(QLatin1Char('\n'), QLatin1Char(' '));
        return ImportedGame{files, std::move(record), std::move(read)};
    } catch (const model::GameFileError& e) {
        throw CliError(e.message());
    }
}

}  // namespace pw::cli
