#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace pw::model {

// Where Wine prefixes are looked for: the user's home folder and the variables WINEPREFIX and
// XDG_DATA_HOME.
struct WineEnvironment {
    QString home;
    QString winePrefix;  // empty when the variable is unset
    QString dataHome;    // XDG_DATA_HOME; empty when unset (then ~/.local/share alone)

    // The running process's: $HOME, $WINEPREFIX and $XDG_DATA_HOME.
    static WineEnvironment fromProcess();
    bool operator==(const WineEnvironment& o) const {
        return home == o.home && winePrefix == o.winePrefix && dataHome == o.dataHome;
    }
    bool operator!=(const WineEnvironment& o) const { return !(*this == o); }
};

// The environment the game search uses: the one set below, else the process's.
WineEnvironment wineEnvironment();
// Replaces the process's environment for the game search (nothing goes back to it); returns
// the replacement it replaces. Tests use it so that they never look into the user's own prefixes.
std::optional<WineEnvironment> setWineEnvironment(
    const std::optional<WineEnvironment>& environment);

// The Wine prefixes of the environment that exist, in the order they are searched, each once:
// WINEPREFIX; ~/.wine; the prefixes named by Lutris game files (its configuration folder, its
// data folder under XDG_DATA_HOME and ~/.local/share, and that of Lutris from Flathub); the
// bottles of Bottles (the same data folders, and Flatpak); PlayOnLinux's prefixes; the
// compatibility prefixes of every Steam library (native, ~/.steam/steam and Flatpak). Within one
// place, folders come in name order. Only folders are listed and only regular files of a
// bounded size read; nothing is created or written.
QStringList findWinePrefixes(const WineEnvironment& environment);

// findWinePrefixes, searched once and answered again from what was found while nothing the
// search looked at (each folder it listed or tested, each file it read) has changed, and the
// environment is the same. Start-up asks for the game many times; a Steam user has dozens of
// prefixes.
QStringList knownWinePrefixes(const WineEnvironment& environment);
// The next knownWinePrefixes searches again, changed or not: the user asked for it.
void searchWinePrefixesAgain();
// How many times knownWinePrefixes has searched since the program started.
int winePrefixSearchCount();

// The largest Lutris game file or Steam library list that is read.
inline constexpr qint64 kMaxListFileBytes = 4 * 1024 * 1024;

}  // namespace pw::model
