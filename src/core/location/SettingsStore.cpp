#include "core/location/SettingsStore.h"

#include <QSettings>
#include <QStandardPaths>

namespace pw::model {

namespace {
const QString kOrganisation = QStringLiteral("Quillon's Tools");

QString& overrideFolder() {
    static QString folder;
    return folder;
}

QString keyOf(const QString& section, const QString& name) {
    return section.isEmpty() ? name : section + QLatin1Char('/') + name;
}

std::unique_ptr<QSettings> openUserSettings() {
#ifdef Q_OS_WIN
    if (overrideFolder().isEmpty())
        return std::make_unique<QSettings>(
            QStringLiteral("HKEY_CURRENT_USER\\Software\\") + kOrganisation,
            QSettings::NativeFormat);
#endif
    // One file for the whole key: the values of every tool of the organisation, as in the registry.
    return std::make_unique<QSettings>(
        userConfigFolder() + QLatin1Char('/') + kOrganisation + QStringLiteral(".ini"),
        QSettings::IniFormat);
}
}  // namespace

void setSettingsFolder(const QString& folder) {
    overrideFolder() = folder;
}
QString settingsFolder() {
    return overrideFolder();
}

QString userConfigFolder() {
    const QString folder = overrideFolder();
    return folder.isEmpty()
               ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
               : folder;
}

SettingsStore::SettingsStore() : settings_(openUserSettings()) {}
SettingsStore::~SettingsStore() = default;

QString SettingsStore::read(const QString& section, const QString& name,
                            const QString& defaultValue) const {
    const QVariant v = settings_->value(keyOf(section, name));
    return v.isValid() ? v.toString() : defaultValue;
}

bool SettingsStore::write(const QString& section, const QString& name, const QString& value) {
    return write(section, {{name, value}});
}

bool SettingsStore::write(const QString& section,
                          const std::vector<std::pair<QString, QString>>& values) {
    // Read again first: what another instance stored since is compared, not what this one read.
    settings_->sync();
    bool changed = false;
    for (const auto& [name, value] : values) {
        const QString key = keyOf(section, name);
        const QVariant now = settings_->value(key);
        if (now.isValid() && now.toString() == value) continue;
        settings_->setValue(key, value);
        changed = true;
    }
    if (changed) settings_->sync();
    return settings_->status() == QSettings::NoError;
}

QString SettingsStore::location() const {
    return settings_->fileName();
}

}  // namespace pw::model
