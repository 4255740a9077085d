#pragma once

#include <QString>

namespace pw::model {
class SettingsStore;
}

namespace pw::app {

class DialogRunner;

// Every file command remembers the full path of its last file in the settings (section
// "Pitwright") and starts its dialog from there.

// The remembered path, empty when none is stored yet.
QString rememberedPath(const model::SettingsStore& settings, const char* key);
// Stores a path the user chose (with the platform's separators).
void rememberPath(model::SettingsStore& settings, const char* key, const QString& path);

// A dialog's initial folder: the remembered path up to and including its last separator, or the
// process's current folder and a separator when nothing is remembered yet.
QString dialogFolderOf(const QString& remembered);

// The open-file dialog of a load command: starts from the path remembered under key, and
// remembers the chosen file. Empty when the user cancels.
QString chooseFileToLoad(model::SettingsStore& settings, DialogRunner& dialogs, const char* key,
                         const char* title, const char* filter);

}  // namespace pw::app
