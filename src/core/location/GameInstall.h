#pragma once

#include <QString>
#include <optional>

namespace pw::model {

class SettingsStore;

// Where the game is. Recomputed for every command, never cached: a changed installation entry or
// setting takes effect at the next command.
struct GameInstall {
    bool found = false;
    QString folder;  // the game folder as it exists on disk, no trailing separator; empty when not
                     // found
};

// The game's own installation entry, written by the game's installer.
// Windows: this key below HKEY_LOCAL_MACHINE (the 32-bit view, where the game's installer puts it);
// where writing there is refused (no administrator rights), the same key below HKEY_CURRENT_USER,
// which then comes first.
// Elsewhere: our own stand-in, the same key path and value name in the INI file
// "Quillon's Tools/GameInstall.ini" of userConfigFolder().
namespace install {
inline constexpr char kKeyPath[] = "\\Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir";
inline constexpr char kValueName[] = "Directory";
}  // namespace install

// The value "Directory", or nothing when the entry or the value is missing. Never creates it.
std::optional<QString> ReadInstallDirectory();
// Creates the entry when missing and stores folder as "Directory"; false when that failed.
bool WriteInstallDirectory(const QString& folder);
// Where the entry lives (registry path or file), for messages and tests.
QString InstallEntryLocation();

// The game folder: "Directory" of the installation entry joined with the file-name part of the
// setting "GP4Path" (default "GP4.exe"); found when that file exists (in any letter case).
// Without an installation entry, the same entry in the registry of each Wine prefix of
// wineEnvironment(), in the order of findWinePrefixes: the first whose folder holds the file.
// The prefixes are searched once (knownWinePrefixes) and each registry read once while it stays
// the same; whether the folder holds the executable is looked at on every call.
GameInstall ResolveGameFolder(const SettingsStore& settings);

// Where the user starts looking for the game executable when it was not found: the C: drive of
// the first Wine prefix that has one, else the home folder (of wineEnvironment()).
QString GameSearchStartFolder();

// The paths of the game's files, each resolved to its spelling on disk so that "GP4.EXE" or
// "menudata/pc/gp2001/Images" are found. Paths from the settings may use "\" or "/". Folders come
// without a trailing separator. A path that needs the game folder is empty when the game was not
// found, so that nothing is ever looked up relative to the current folder.

// The setting "GP4Path" when set, else folder + "GP4.exe".
QString GameExecutablePath(const GameInstall& game, const SettingsStore& settings);
// folder + "f1gstate.sav".
QString SaveStatePath(const GameInstall& game);
// The setting "CarsWadPath" when set, else folder + "cars.wad".
QString CarsArchivePath(const GameInstall& game, const SettingsStore& settings);
// The setting "GpiPath" when set, else the game's own images folder.
QString TeamImagesFolder(const GameInstall& game, const SettingsStore& settings);
// folder + "MenuData\PC\GP2001\images", whatever "GpiPath" says: the game reads its pictures here.
QString GameImagesFolder(const GameInstall& game);

// The user chose exePath as the game executable: store it as "GP4Path" and its folder as the
// installation entry, so that ResolveGameFolder finds the game there.
enum class ChosenExecutable {
    Missing,                    // no file at exePath: nothing stored
    Stored,                     // setting and installation entry written
    StoredWithoutInstallEntry,  // setting written; the installation entry could not be written
};
ChosenExecutable StoreChosenGameExecutable(SettingsStore& settings, const QString& exePath);

}  // namespace pw::model
