// The installation entry in the Windows registry itself (run under Wine or on Windows): the tests
// elsewhere keep it in a file of their own, so these leave the settings folder unset for a while.
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <gtest/gtest.h>
#include <qt_windows.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "IsolatedSettings.h"
#include "core/location/GameInstall.h"
#include "core/location/SettingsStore.h"

using namespace pw::model;

namespace {
const wchar_t kKey[] = L"Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir";

DWORD viewFlag(REGSAM view) {
    return view == KEY_WOW64_32KEY ? RRF_SUBKEY_WOW6432KEY
                                   : view == KEY_WOW64_64KEY ? RRF_SUBKEY_WOW6464KEY : 0;
}

bool setValue(HKEY root, REGSAM view, const QString& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, kKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const std::wstring value = text.toStdWString();
    const bool ok = RegSetValueExW(key, L"Directory", 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(value.c_str()),
                                   DWORD((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

bool hasValue(HKEY root, REGSAM view) {
    return RegGetValueW(root, kKey, L"Directory", RRF_RT_REG_SZ | viewFlag(view), nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
}

void removeValue(HKEY root, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, kKey, 0, KEY_SET_VALUE | view, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, L"Directory");
    RegCloseKey(key);
}

// The real registry and the real per-user settings key, and a game folder whose names are in
// other letter cases than the program uses.
class WindowsRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(game.isValid());
        for (const char* name : {"GP4.EXE", "F1GSTATE.SAV", "CARS.WAD"}) {
            QFile f(game.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        setSettingsFolder(QString());
        clear();
    }
    void TearDown() override { clear(); }
    void clear() {
        removeValue(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY);
        removeValue(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY);
        removeValue(HKEY_CURRENT_USER, 0);
    }

    pw::test::IsolatedSettings isolated;  // restores the settings folder at the end
    QTemporaryDir game;
};
}  // namespace

TEST_F(WindowsRegistry, TheGameIsFoundThroughTheMachineEntryOfThe32BitView) {
    // A backslashed, upper-case spelling, as the game's installer may write it.
    const QString written = QDir::toNativeSeparators(game.path()).toUpper() + QStringLiteral("\\");
    ASSERT_TRUE(setValue(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, QStringLiteral("C:\\elsewhere")));
    EXPECT_FALSE(ResolveGameFolder(SettingsStore()).found) << "the 64-bit view was read";

    ASSERT_TRUE(setValue(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, written));
    const GameInstall install = ResolveGameFolder(SettingsStore());
    ASSERT_TRUE(install.found);
    EXPECT_EQ(QDir(install.folder).canonicalPath(), QDir(game.path()).canonicalPath());
    EXPECT_EQ(QFileInfo(CarsArchivePath(install, SettingsStore())).fileName(), QStringLiteral("CARS.WAD"));
}

TEST_F(WindowsRegistry, AChosenGameIsStoredInTheMachineEntryAndTheUsersKey) {
    SettingsStore settings;
    EXPECT_EQ(StoreChosenGameExecutable(settings, game.filePath(QStringLiteral("gp4.exe"))),
              ChosenExecutable::Stored);
    EXPECT_EQ(InstallEntryLocation(),
              QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir"));
    EXPECT_TRUE(ResolveGameFolder(SettingsStore()).found);
    // The setting lives in the per-user key of the organisation.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Quillon's Tools", 0, KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(WindowsRegistry, APerUserEntryComesBeforeTheMachineEntry) {
    QTemporaryDir other;
    ASSERT_TRUE(setValue(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, QDir::toNativeSeparators(other.path())));
    ASSERT_TRUE(setValue(HKEY_CURRENT_USER, 0, QDir::toNativeSeparators(game.path())));
    const GameInstall install = ResolveGameFolder(SettingsStore());
    ASSERT_TRUE(install.found);
    EXPECT_EQ(QDir(install.folder).canonicalPath(), QDir(game.path()).canonicalPath());
}

TEST_F(WindowsRegistry, WithoutAdministratorRightsTheChoiceIsKeptPerUser) {
    // HKEY_LOCAL_MACHINE stands for a key that refuses to be written to, as without
    // administrator rights: a key deleted while held open, which refuses every write on Windows
    // and under Wine alike (Wine does not check a key's access rights).
    const wchar_t standIn[] = L"Software\\PitwrightTestRefusing";
    HKEY machine = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, standIn, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &machine, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, standIn), ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine), ERROR_SUCCESS);
    SettingsStore settings;
    const ChosenExecutable stored =
        StoreChosenGameExecutable(settings, game.filePath(QStringLiteral("GP4.EXE")));
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(machine);

    // Stored for this user alone, and not a failure the user would be shown.
    EXPECT_EQ(stored, ChosenExecutable::Stored);
    EXPECT_FALSE(hasValue(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY));
    const GameInstall install = ResolveGameFolder(SettingsStore());
    ASSERT_TRUE(install.found);
    EXPECT_EQ(QDir(install.folder).canonicalPath(), QDir(game.path()).canonicalPath());
}
#endif
