#include "FileDialogPaths.h"

#include <QDir>

#include "model/GamePaths.h"
#include "model/SettingsStore.h"

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

}  // namespace pw::app
