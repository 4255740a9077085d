#include "IsolatedSettings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <stdexcept>

#include "core/backup/GameBackup.h"
#include "core/location/GameInstall.h"
#include "core/location/SettingsStore.h"

namespace pw::test {

namespace {
void pointQSettingsAt(const QString& folder) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
}
}  // namespace

IsolatedSettings::IsolatedSettings()
    : previousFolder_(model::settingsFolder()),
      hadXdg_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
      previousXdg_(qgetenv("XDG_CONFIG_HOME")),
      hadXdgData_(qEnvironmentVariableIsSet("XDG_DATA_HOME")),
      previousXdgData_(qgetenv("XDG_DATA_HOME")) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder for the settings");
    model::setSettingsFolder(dir_.path());
    // Also any QSettings or configuration lookup outside the settings store.
    qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
    // And the application's data (the backups of the game files).
    qputenv("XDG_DATA_HOME", dataFolder().toLocal8Bit());
#ifdef Q_OS_WIN
    // Windows keeps the application's data where no environment variable moves it.
    previousBackups_ = backup::setBackupsFolder(QDir(dataFolder()).filePath(QStringLiteral("backups")));
#endif
    pointQSettingsAt(dir_.path());
    QDir(dir_.path()).mkpath(home());
    previousWine_ = model::setWineEnvironment(model::WineEnvironment{home(), QString(), QString()});
}

IsolatedSettings::~IsolatedSettings() {
    model::setWineEnvironment(previousWine_);
#ifdef Q_OS_WIN
    backup::setBackupsFolder(previousBackups_);
#endif
    model::setSettingsFolder(previousFolder_);
    if (hadXdg_)
        qputenv("XDG_CONFIG_HOME", previousXdg_);
    else
        qunsetenv("XDG_CONFIG_HOME");
    if (hadXdgData_)
        qputenv("XDG_DATA_HOME", previousXdgData_);
    else
        qunsetenv("XDG_DATA_HOME");
    pointQSettingsAt(previousFolder_.isEmpty()
                         ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                         : previousFolder_);
}

QString IsolatedSettings::dataFolder() const {
    return dir_.filePath(QStringLiteral("data"));
}

QString IsolatedSettings::installEntryFile() const {
    return model::InstallEntryLocation();
}

void IsolatedSettings::registerGame(const QString& gameFolder) {
    if (!model::WriteInstallDirectory(gameFolder))
        throw std::runtime_error("the installation entry could not be written");
}

}  // namespace pw::test
