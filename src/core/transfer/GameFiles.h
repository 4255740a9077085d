#pragma once

#include <QString>

namespace pw::model {
struct GameInstall;
class SettingsStore;
}  // namespace pw::model

namespace pw::transfer {

// The game files Import All reads and Export All writes, resolved once for one command.
struct GameFiles {
    QString folder;
    QString exe;
    QString saveState;
    QString carsArchive;   // empty when none is known
    QString imagesFolder;  // the game's own: the game reads its pictures there
};

GameFiles LocateGameFiles(const model::GameInstall& game, const model::SettingsStore& settings);

}  // namespace pw::transfer
