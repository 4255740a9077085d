#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace pw::model {

// Where Wine prefixes are looked for: the user's home folder and the WINEPREFIX variable.
struct WineEnvironment {
    QString home;
    QString winePrefix;  // empty when the variable is unset

    // The running process's: $HOME and $WINEPREFIX.
    static WineEnvironment fromProcess();
};

// The environment the game search uses: the one set below, else the process's.
WineEnvironment wineEnvironment();
// Replaces the process's environment for the game search (nothing goes back to it); returns
// the replacement it replaces. Tests use it so that they never look into the user's own prefixes.
std::optional<WineEnvironment> setWineEnvironment(
    const std::optional<WineEnvironment>& environment);

// The Wine prefixes of the environment that exist, in the order they are searched, each once:
// WINEPREFIX; ~/.wine; the prefixes named by Lutris game files; the bottles of Bottles (native
// and Flatpak); PlayOnLinux's prefixes; the compatibility prefixes of every Steam library
// (native, ~/.steam/steam and Flatpak). Within one place, folders come in name order. Only
// folders are listed and read; nothing is created or written.
QStringList findWinePrefixes(const WineEnvironment& environment);

}  // namespace pw::model
