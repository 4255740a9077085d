// The game is found in the Wine prefixes of a temporary home when it has no installation entry.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <map>

#include "GameFileFixtures.h"
#include "IsolatedSettings.h"
#include "WinePrefixFixtures.h"
#include "core/location/GameInstall.h"
#include "core/location/SettingsStore.h"
#include "core/location/WinePrefixes.h"

using namespace pw::model;
using namespace pw::test;

namespace {
QString canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

class WineGameSearch : public ::testing::Test {
protected:
    void SetUp() override { useEnvironment(QString()); }

    void useEnvironment(const QString& winePrefix) {
        setWineEnvironment(WineEnvironment{home, winePrefix});
    }
    QString at(const QString& relative) const { return QDir(home).filePath(relative); }
    // Where the game was found, or "" when it was not.
    QString found() const {
        const GameInstall game = ResolveGameFolder(settings);
        EXPECT_EQ(game.found, !game.folder.isEmpty());
        return game.found ? canonical(game.folder) : QString();
    }

    IsolatedSettings isolated;
    const QString home = isolated.home();
    SettingsStore settings;
};

// Every file and folder under root with its size and time of change.
std::map<QString, QString> stateOf(const QString& root) {
    std::map<QString, QString> state;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        state[info.filePath()] = QString::number(info.size()) + QLatin1Char(' ') +
                                 info.lastModified().toString(Qt::ISODateWithMs);
    }
    return state;
}
}  // namespace

TEST_F(WineGameSearch, SixtyFourBitPrefixWithANonAsciiFolder) {
    // The 32-bit view of a 64-bit prefix, a folder written with \x escapes, stored on disk in
    // other letter cases than the registry spells it ("\x00e9" is the small letter).
    const QString game = at(QString::fromUtf8(
        ".wine/drive_c/Program Files (x86)/Jeux/Grand Prix 4 \xE2\x80\x94 \xC3\x89"
        "dition"));
    touchFile(game + QStringLiteral("/gp4.EXE"));
    makeWinePrefix(at(".wine"),
                   systemRegistryWith(kWow64InstallKey,
                                      "C:\\\\program files (x86)\\\\JEUX\\\\Grand Prix 4 "
                                      "\\x2014 \\x00e9dition\\\\"));
    EXPECT_EQ(found(), canonical(game));
    // Opened as any installed game's: the executable under its own spelling.
    EXPECT_EQ(GameExecutablePath(ResolveGameFolder(settings), settings),
              ResolveGameFolder(settings).folder + QStringLiteral("/gp4.EXE"));
}

TEST_F(WineGameSearch, ThirtyTwoBitPrefixOnAnotherDriveKnownFromLutrisOnly) {
    const QString drive = at("Media/games disk");
    const QString prefix = at("Games/grand-prix-4");
    touchFile(drive + QStringLiteral("/Racing/GP4/GP4.exe"));
    makeWinePrefix(prefix, systemRegistryWith(kInstallKey, "E:\\\\Racing\\\\GP4"), {{'e', drive}});
    ASSERT_TRUE(QDir().mkpath(at(".local/share/lutris/games")));
    writeFile(at(".local/share/lutris/games/grand-prix-4-1700000000.yml"),
              "game:\n  exe: drive_c/GP4/GP4.exe\n  prefix: ~/Games/grand-prix-4\n"
              "name: Grand Prix 4\nrunner: wine\nwine:\n  version: lutris-7.2\n");
    EXPECT_EQ(found(), canonical(drive + QStringLiteral("/Racing/GP4")));
}

TEST_F(WineGameSearch, SteamCompatibilityPrefixInASecondLibrary) {
    const QString steam = at(".local/share/Steam");
    const QString library = at("SteamLibrary");
    ASSERT_TRUE(QDir().mkpath(steam + QStringLiteral("/steamapps/compatdata/228980/pfx")));
    writeFile(steam + QStringLiteral("/steamapps/libraryfolders.vdf"),
              "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + steam.toUtf8() +
                  "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + library.toUtf8() +
                  "\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"2147483647\"\t\t\"0\"\n\t\t}\n\t}\n}\n");
    const QString prefix = library + QStringLiteral("/steamapps/compatdata/2147483647/pfx");
    makeWinePrefix(
        prefix, systemRegistryWith(kWow64InstallKey, "C:\\\\Program Files (x86)\\\\Grand Prix 4"));
    touchFile(prefix + QStringLiteral("/drive_c/Program Files (x86)/Grand Prix 4/GP4.exe"));
    EXPECT_EQ(found(),
              canonical(prefix + QStringLiteral("/drive_c/Program Files (x86)/Grand Prix 4")));
}

TEST_F(WineGameSearch, ARegistryThatDoesNotParseFindsNothing) {
    // The game is where each damaged file seems to point.
    const QByteArray good = systemRegistryWith(kInstallKey, "C:\\\\GP4");
    const struct {
        const char* what;
        QByteArray systemReg;
    } cases[] = {
        {"no signature", good.mid(good.indexOf('\n') + 1)},
        {"text without its closing quote", QByteArray(good).replace("C:\\\\GP4\"", "C:\\\\GP4")},
        {"key without its closing bracket",
         QByteArray(good).replace("Install Dir]", "Install Dir")},
        {"an expandable text", QByteArray(good).replace("=\"C:", "=str(2):\"C:")},
        {"cut in the key", good.left(good.indexOf("Grand Prix"))},
        {"binary", QByteArray("WINE REGISTRY Version 2\n[") + QByteArray("\xff\xfe\x00\\", 4)},
        {"empty", QByteArray()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(at(".wine")).removeRecursively();
        touchFile(at(".wine/drive_c/GP4/GP4.exe"));
        makeWinePrefix(at(".wine"), c.systemReg);
        EXPECT_EQ(found(), QString());
    }
    // The same prefix with the file intact.
    writeFile(at(".wine/system.reg"), good);
    EXPECT_EQ(found(), canonical(at(".wine/drive_c/GP4")));
}

TEST_F(WineGameSearch, PrefixesAreSearchedInOrderAndTheFirstGameWins) {
    // One prefix of every kind, each with the game on its C: drive.
    const QString lutrisPrefix = at("Games/lutris-gp4");
    const QString steamPrefix = at(".steam/steam/steamapps/compatdata/10/pfx");
    const QStringList order = {
        at("explicit prefix"),
        at(".wine"),
        lutrisPrefix,
        at(".local/share/bottles/bottles/A-GP4"),
        at(".local/share/bottles/bottles/B-GP4"),
        at(".var/app/com.usebottles.bottles/data/bottles/bottles/GP4"),
        at(".PlayOnLinux/wineprefix/GP4"),
        steamPrefix,
        at(".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/20/pfx"),
    };
    QDir().mkpath(at(".config/lutris/games"));
    writeFile(at(".config/lutris/games/gp4.yml"),
              "game:\n  prefix: " + lutrisPrefix.toUtf8() + "\n");
    for (const QString& prefix : order) {
        makeWinePrefix(prefix, systemRegistryWith(kInstallKey, "C:\\\\GP4"));
        touchFile(prefix + QStringLiteral("/drive_c/GP4/GP4.exe"));
    }
    useEnvironment(order.first());
    EXPECT_EQ(findWinePrefixes(wineEnvironment()), order);
    for (const QString& prefix : order) {
        SCOPED_TRACE(prefix.toStdString());
        EXPECT_EQ(found(), canonical(prefix + QStringLiteral("/drive_c/GP4")));
        ASSERT_TRUE(QFile::remove(prefix + QStringLiteral("/drive_c/GP4/GP4.exe")));
    }
    EXPECT_EQ(found(), QString());
}

TEST_F(WineGameSearch, TheExecutableNameOfTheSettingDecides) {
    // Games under both keys: the Wow6432Node one first, unless only the other folder holds the
    // executable the setting names.
    touchFile(at(".wine/drive_c/Plain/GP4.exe"));
    touchFile(at(".wine/drive_c/Plain/gp4_patched.exe"));
    touchFile(at(".wine/drive_c/Wow/GP4.exe"));
    makeWinePrefix(at(".wine"), systemRegistryWith(kWow64InstallKey, "C:\\\\Wow") + "\n[" +
                                    kInstallKey + "] 1\n\"Directory\"=\"C:\\\\Plain\"\n");
    EXPECT_EQ(found(), canonical(at(".wine/drive_c/Wow")));
    ASSERT_TRUE(settings.write(QString(), settings::kGP4Path,
                               QStringLiteral("C:\\Games\\GP4_PATCHED.EXE")));
    EXPECT_EQ(found(), canonical(at(".wine/drive_c/Plain")));
}

TEST_F(WineGameSearch, TheGamesOwnEntryComesFirstAndNothingIsWrittenIntoAPrefix) {
    touchFile(at(".wine/drive_c/GP4/GP4.exe"));
    makeWinePrefix(at(".wine"), systemRegistryWith(kInstallKey, "C:\\\\GP4"));
    const std::map<QString, QString> before = stateOf(home);
    EXPECT_EQ(found(), canonical(at(".wine/drive_c/GP4")));
    EXPECT_EQ(GameSearchStartFolder(), at(".wine/drive_c"));

    // An entry of the game's own, even one naming no game, is all that counts.
    const QString elsewhere = isolated.folder() + QStringLiteral("/Elsewhere");
    touchFile(elsewhere + QStringLiteral("/GP4.exe"));
    isolated.registerGame(elsewhere);
    EXPECT_EQ(found(), canonical(elsewhere));
    // Choosing the executable in the prefix writes our own entry, not the prefix's.
    EXPECT_EQ(StoreChosenGameExecutable(settings, at(".wine/drive_c/GP4/GP4.exe")),
              ChosenExecutable::Stored);
    EXPECT_EQ(found(), canonical(at(".wine/drive_c/GP4")));
    isolated.registerGame(isolated.folder() + QStringLiteral("/Missing"));
    EXPECT_EQ(found(), QString());
    EXPECT_EQ(stateOf(home), before);
}

TEST_F(WineGameSearch, TheChooserStartsOnTheFirstPrefixsDriveElseAtHome) {
    EXPECT_EQ(GameSearchStartFolder(), home);
    // A prefix without a C: drive is passed over.
    QDir().mkpath(at(".wine"));
    EXPECT_EQ(GameSearchStartFolder(), home);
    makeWinePrefix(at(".PlayOnLinux/wineprefix/GP4"), QByteArray());
    EXPECT_EQ(GameSearchStartFolder(), at(".PlayOnLinux/wineprefix/GP4/drive_c"));
    makeWinePrefix(at("Prefix"), QByteArray());
    useEnvironment(at("Prefix"));
    EXPECT_EQ(GameSearchStartFolder(), at("Prefix/drive_c"));
    // A relative WINEPREFIX names nothing.
    useEnvironment(QStringLiteral("Prefix"));
    EXPECT_EQ(GameSearchStartFolder(), at(".PlayOnLinux/wineprefix/GP4/drive_c"));
}
