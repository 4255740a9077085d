#include "core/location/WindowsInstallEntry.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <vector>

namespace pw::model::windows {

namespace {
// The registry API directly: QSettings may create the key it opens.
std::optional<QString> readString(HKEY root, REGSAM view, const wchar_t* keyPath,
                                  const wchar_t* valueName) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root, keyPath, 0, KEY_QUERY_VALUE | view, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<QString> result;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(handle, valueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(handle, valueName, nullptr, &type, reinterpret_cast<LPBYTE>(text.data()),
                             &size) == ERROR_SUCCESS)
            result = QString::fromWCharArray(text.data());
    }
    RegCloseKey(handle);
    return result;
}

bool writeString(HKEY root, REGSAM view, const wchar_t* keyPath, const wchar_t* valueName,
                 const QString& text) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(root, keyPath, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring value = text.toStdWString();
    const bool written =
        RegSetValueExW(handle, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       DWORD((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return written;
}

void removeString(HKEY root, const wchar_t* keyPath, const wchar_t* valueName) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root, keyPath, 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
    RegDeleteValueW(handle, valueName);
    RegCloseKey(handle);
}
}  // namespace

std::optional<QString> readInstallEntry(const wchar_t* keyPath, const wchar_t* valueName) {
    if (auto own = readString(HKEY_CURRENT_USER, 0, keyPath, valueName)) return own;
    return readString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, keyPath, valueName);
}

bool writeInstallEntry(const wchar_t* keyPath, const wchar_t* valueName, const QString& folder) {
    if (writeString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, keyPath, valueName, folder)) {
        removeString(HKEY_CURRENT_USER, keyPath, valueName);
        return true;
    }
    return writeString(HKEY_CURRENT_USER, 0, keyPath, valueName, folder);
}

}  // namespace pw::model::windows
#endif
