#include "core/transfer/GameFiles.h"

#include "core/location/GameInstall.h"
#include "core/location/SettingsStore.h"

namespace pw::transfer {

GameFiles LocateGameFiles(const model::GameInstall& game, const model::SettingsStore& settings) {
    GameFiles files;
    files.folder = game.folder;
    files.exe = model::GameExecutablePath(game, settings);
    files.saveState = model::SaveStatePath(game);
    files.carsArchive = model::CarsArchivePath(game, settings);
    files.imagesFolder = model::GameImagesFolder(game);
    return files;
}

}  // namespace pw::transfer
