#include "app/commands/FileDialogPaths.h"

#include <QDir>

#include "app/dialogs/UserPrompts.h"
#include "core/bytes/GamePaths.h"
#include "core/location/SettingsStore.h"

namespace pw::app {

QString rememberedPath(const model::SettingsStore& settings, const char* key) {
    return settings.read(QLatin1String(model::settings::kSection), QLatin1String(key), QString());
}

void rememberPath(model::SettingsStore& settings, const char* key, const QString& path) {
    settings.write(QLatin1String(model::settings::kSection), QLatin1String(key),
                   QDir::toNativeSeparators(path));
}

QString dialogFolderOf(const QString& remembered) {
    if (remembered.isEmpty())
        return QDir::toNativeSeparators(QDir::currentPath()) + QDir::separator();
    return remembered.left(remembered.size() - model::fileNamePart(remembered).size());
}

QString chooseFileToLoad(model::SettingsStore& settings, DialogRunner& dialogs, const char* key,
                         const char* title, const char* filter) {
    const QString last = rememberedPath(settings, key);
    OpenFileRequest request;
    request.title = QLatin1String(title);
    request.filter = QLatin1String(filter);
    request.initialFolder = dialogFolderOf(last);
    request.initialName = model::fileNamePart(last);
    const QString chosen = dialogs.openFile(request);
    if (!chosen.isEmpty()) rememberPath(settings, key, chosen);
    return chosen;
}

}  // namespace pw::app
