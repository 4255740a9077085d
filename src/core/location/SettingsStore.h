#pragma once

#include <QString>
#include <array>
#include <memory>
#include <utility>
#include <vector>

class QSettings;

namespace pw::model {

// Names and defaults of the values the program keeps between runs. Every value is text.
namespace settings {
// Section of the values that belong to this program alone; the others sit directly under the
// key and are shared with the other tools of the same author.
inline constexpr char kNoSection[] = "";
inline constexpr char kSection[] = "Pitwright";

// Directly under the key.
inline constexpr char kGP4Path[] = "GP4Path";
inline constexpr char kCarsWadPath[] = "CarsWadPath";
inline constexpr char kGpiPath[] = "GpiPath";
// "GP4Path" has a different default for each reader.
inline constexpr char kGP4PathResolveDefault[] = "\\GP4.exe";  // only its file name counts
inline constexpr char kGP4PathDialogDefault[] = "GP4.exe";
inline constexpr char kCarsWadDialogDefault[] = "cars.wad";

// In the section: the virtual camera, saved when the main window closes.
struct VirtualCamValue {
    const char* name;
    const char* defaultValue;
    int fieldId;  // the camera field of the window whose text is saved
};
inline constexpr std::array<VirtualCamValue, 6> kVirtualCam{{
    {"VirtualCamX", "69", 104},
    {"VirtualCamY", "-27", 114},
    {"VirtualCamZ", "65", 124},
    {"VirtualCamDir", "-90", 134},
    {"VirtualCamPitch", "-39", 144},
    {"VirtualCamRoll", "0", 154},
}};

// In the section: the last file of each file command (no default: the dialogs start empty).
inline constexpr char kLoadTeamPath[] = "LoadTeamPath";
inline constexpr char kSaveTeamPath[] = "SaveTeamPath";
inline constexpr char kLoadPerfsPath[] = "LoadPerfsPath";
inline constexpr char kSavePerfsPath[] = "SavePerfsPath";
}  // namespace settings

// The per-user store of text values under "Software\Quillon's Tools".
//
// Windows: that registry key below HKEY_CURRENT_USER, the section as its sub-key "Pitwright".
// Elsewhere: the INI file "Quillon's Tools.ini" in userConfigFolder() ($XDG_CONFIG_HOME or
// ~/.config), values of no section in its [General] group.
// The key or file is created by the first write; reading never creates it.
class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The value, or defaultValue when it is missing. section: settings::kNoSection or kSection.
    QString read(const QString& section, const QString& name, const QString& defaultValue) const;
    // Stores the value at once; false when the store could not be written.
    bool write(const QString& section, const QString& name, const QString& value);
    // Stores the values (name, value) at once, in one write, and only those that differ from the
    // store as it is now (another instance may have changed it): storing what is already there
    // writes nothing. False when the store could not be written.
    bool write(const QString& section, const std::vector<std::pair<QString, QString>>& values);

    // Where the values live (registry path or file), for messages and tests.
    QString location() const;

private:
    std::unique_ptr<QSettings> settings_;
};

// Keeps the settings and our own stand-in for the game's installation entry in INI files under
// folder instead of the platform's place (an empty folder goes back to the platform's place).
// Tests use it so that they never touch the user's real settings, on any platform.
void setSettingsFolder(const QString& folder);
QString settingsFolder();
// The folder of our INI files: the folder set above, else the user's configuration folder.
QString userConfigFolder();

}  // namespace pw::model
