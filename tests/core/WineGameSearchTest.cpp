// The game is found in the Wine prefixes of a temporary home when it has no installation entry.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <functional>
#include <map>
#include <utility>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "GameFileFixtures.h"
#include "IsolatedSettings.h"
#include "WinePrefixFixtures.h"
#include "core/bytes/FileStamp.h"
#include "core/location/GameInstall.h"
#include "core/location/SettingsStore.h"
#include "core/location/WinePrefixes.h"

using namespace pw::model;
using namespace pw::test;

// Paths in failure messages as text.
void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace {
QString canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

class WineGameSearch : public ::testing::Test {
protected:
    void SetUp() override { useEnvironment(QString()); }

    void useEnvironment(const QString& winePrefix, const QString& dataHome = QString()) {
        setWineEnvironment(WineEnvironment{home, winePrefix, dataHome});
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

TEST_F(WineGameSearch, LutrisAndBottlesUnderTheDataHomeAndLutrisFromFlathub) {
    const QString dataHome = isolated.folder() + QStringLiteral("/data home");
    useEnvironment(QString(), dataHome);
    // A home folder's name and a game folder's beyond ASCII, long enough to be folded.
    const QString lutrisPrefix = at(QString::fromUtf8(
        "J\xC3\xA9r\xC3\xB4me M\xC3\xBCller/Games/Grand Prix 4 \xE2\x80\x94 \xC3\x89"
        "dition compl\xC3\xA8te/prefix"));
    const QString flathubPrefix = at("Flathub/gp4");
    const QStringList order = {
        lutrisPrefix,
        flathubPrefix,
        dataHome + QStringLiteral("/bottles/bottles/GP4"),
        at(".local/share/bottles/bottles/GP4"),
    };
    for (const auto& [games, prefix] :
         {std::pair(dataHome + QStringLiteral("/lutris/games"), lutrisPrefix),
          std::pair(at(".var/app/net.lutris.Lutris/data/lutris/games"), flathubPrefix)}) {
        ASSERT_TRUE(QDir().mkpath(games));
        writeFile(games + QStringLiteral("/grand-prix-4-1700000000.yml"),
                  lutrisGameFile(prefix + QStringLiteral("/drive_c/GP4/GP4.exe"), prefix));
    }
    for (const QString& prefix : order) {
        makeWinePrefix(prefix, systemRegistryWith(kInstallKey, "C:\\\\GP4"));
        touchFile(prefix + QStringLiteral("/drive_c/GP4/GP4.exe"));
    }
    EXPECT_EQ(findWinePrefixes(wineEnvironment()), order);
    for (const QString& prefix : order) {
        SCOPED_TRACE(prefix.toStdString());
        EXPECT_EQ(found(), canonical(prefix + QStringLiteral("/drive_c/GP4")));
        ASSERT_TRUE(QFile::remove(prefix + QStringLiteral("/drive_c/GP4/GP4.exe")));
    }
    // A relative XDG_DATA_HOME is no data folder.
    useEnvironment(QString(), QStringLiteral("data home"));
    EXPECT_EQ(findWinePrefixes(wineEnvironment()),
              QStringList({flathubPrefix, at(".local/share/bottles/bottles/GP4")}));
}

namespace {
// What is at path becomes a named pipe, or a link to target.
void replaceWithPipe(const QString& path) {
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
}
void replaceWithLink(const QString& path, const QString& target) {
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(QFile::link(target, path));
}
// A file of size bytes that takes no room on disk.
void replaceWithSparseFile(const QString& path, qint64 size) {
    QFile::remove(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_TRUE(file.resize(size));
}
}  // namespace

TEST_F(WineGameSearch, HostileFilesInTheHomeAreSkipped) {
    // The game in PlayOnLinux; each of the files read on the way to it (Lutris, Steam, the
    // registry of a prefix searched before) is made something that is not a file to read.
    const QString game = at(".PlayOnLinux/wineprefix/GP4");
    makeWinePrefix(game, systemRegistryWith(kInstallKey, "C:\\\\GP4"));
    touchFile(game + QStringLiteral("/drive_c/GP4/GP4.exe"));
    makeWinePrefix(at(".wine"), systemRegistryWith(kInstallKey, "C:\\\\Elsewhere"));
    const QString lutris = at(".local/share/lutris/games/gp4.yml");
    const QString steamList = at(".local/share/Steam/steamapps/libraryfolders.vdf");
    const QString registry = at(".wine/system.reg");
    touchFile(lutris);
    touchFile(steamList);
    const struct {
        const char* what;
        std::function<void()> make;
    } cases[] = {
        {"Steam's list a named pipe", [&] { replaceWithPipe(steamList); }},
        {"Steam's list a link to /dev/zero",
         [&] { replaceWithLink(steamList, QStringLiteral("/dev/zero")); }},
        {"Steam's list too large", [&] { replaceWithSparseFile(steamList, 64 << 20); }},
        {"a Lutris file a named pipe", [&] { replaceWithPipe(lutris); }},
        {"a Lutris file a link to /dev/zero",
         [&] { replaceWithLink(lutris, QStringLiteral("/dev/zero")); }},
        {"a Lutris file too large", [&] { replaceWithSparseFile(lutris, 64 << 20); }},
        {"a registry a named pipe", [&] { replaceWithPipe(registry); }},
        {"a registry a link to /dev/zero",
         [&] { replaceWithLink(registry, QStringLiteral("/dev/zero")); }},
        {"a registry too large", [&] { replaceWithSparseFile(registry, qint64(1) << 30); }},
    };
    const QString expected = canonical(game + QStringLiteral("/drive_c/GP4"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        // In a child process that a read waiting for ever or growing without end cannot outlast:
        // it is stopped after 20 seconds, and its memory is bounded.
        const auto searchInChild = [&] {
            ::alarm(20);
#ifndef __SANITIZE_ADDRESS__
            rlimit memory{};
            memory.rlim_cur = memory.rlim_max = rlim_t(2) << 30;
            ::setrlimit(RLIMIT_AS, &memory);
#endif
            std::_Exit(found() == expected ? 0 : 3);
        };
        EXPECT_EXIT(searchInChild(), ::testing::ExitedWithCode(0), "");
    }
}

TEST_F(WineGameSearch, SearchedOnceUntilWhatItLookedAtChanges) {
    setSettleTime(0);
    struct SettleAgain {
        ~SettleAgain() { setSettleTime(kDefaultSettleMs); }
    } settleAgain;
    // The game in the last of five Steam prefixes.
    const QString steam = at(".local/share/Steam");
    for (const char* id : {"10", "20", "30", "40"})
        makeWinePrefix(steam + QStringLiteral("/steamapps/compatdata/") + id + "/pfx",
                       systemRegistryWith(kInstallKey, "C:\\\\Other"));
    const QString gameFolder = steam + QStringLiteral("/steamapps/compatdata/50/pfx/drive_c/GP4");
    makeWinePrefix(steam + QStringLiteral("/steamapps/compatdata/50/pfx"),
                   systemRegistryWith(kInstallKey, "C:\\\\GP4"));
    touchFile(gameFolder + QStringLiteral("/GP4.exe"));
    writeFile(steam + QStringLiteral("/steamapps/libraryfolders.vdf"),
              "\"libraryfolders\" { \"0\" { \"path\" \"" + steam.toUtf8() + "\" } }");
    ASSERT_TRUE(QDir().mkpath(at(".config/lutris/games")));
    writeFile(at(".config/lutris/games/other.yml"), "game:\n  prefix: /nowhere\n");

    const int before = winePrefixSearchCount();
    // What one start-up asks.
    for (int i = 0; i < 9; ++i) EXPECT_EQ(found(), canonical(gameFolder));
    EXPECT_EQ(GameSearchStartFolder(), at(".local/share/Steam/steamapps/compatdata/10/pfx/drive_c"));
    EXPECT_EQ(winePrefixSearchCount(), before + 1);
    // The executable is looked for on every call.
    ASSERT_TRUE(QFile::rename(gameFolder + QStringLiteral("/GP4.exe"),
                              gameFolder + QStringLiteral("/GP4.bak")));
    EXPECT_EQ(found(), QString());
    ASSERT_TRUE(QFile::rename(gameFolder + QStringLiteral("/GP4.bak"),
                              gameFolder + QStringLiteral("/GP4.exe")));
    EXPECT_EQ(found(), canonical(gameFolder));
    EXPECT_EQ(winePrefixSearchCount(), before + 1);

    // A change to anything the search read or listed is seen at the next call.
    const QString lutrisPrefix = at("Games/gp4");
    makeWinePrefix(lutrisPrefix, systemRegistryWith(kInstallKey, "C:\\\\GP4"));
    touchFile(lutrisPrefix + QStringLiteral("/drive_c/GP4/GP4.exe"));
    const struct {
        const char* what;
        std::function<void()> change;
        QString folder;  // where the game is found after the change
    } changes[] = {
        {"a Lutris file rewritten",
         [&] {
             writeFile(at(".config/lutris/games/other.yml"),
                       "game:\n  prefix: " + lutrisPrefix.toUtf8() + "\n");
         },
         lutrisPrefix + QStringLiteral("/drive_c/GP4")},
        {"a Lutris file removed",
         [&] { ASSERT_TRUE(QFile::remove(at(".config/lutris/games/other.yml"))); },
         gameFolder},
        {"a bottle added",
         [&] {
             makeWinePrefix(at(".local/share/bottles/bottles/GP4"),
                            systemRegistryWith(kInstallKey, "C:\\\\GP4"));
             touchFile(at(".local/share/bottles/bottles/GP4/drive_c/GP4/GP4.exe"));
         },
         at(".local/share/bottles/bottles/GP4/drive_c/GP4")},
        {"~/.wine made",
         [&] {
             makeWinePrefix(at(".wine"), systemRegistryWith(kInstallKey, "C:\\\\GP4"));
             touchFile(at(".wine/drive_c/GP4/GP4.exe"));
         },
         at(".wine/drive_c/GP4")},
    };
    int searches = winePrefixSearchCount();
    for (const auto& c : changes) {
        SCOPED_TRACE(c.what);
        c.change();
        EXPECT_EQ(found(), canonical(c.folder));
        EXPECT_EQ(found(), canonical(c.folder));
        EXPECT_EQ(winePrefixSearchCount(), ++searches);
    }
    // Asked to, it searches again; in another environment too.
    searchWinePrefixesAgain();
    EXPECT_EQ(found(), canonical(at(".wine/drive_c/GP4")));
    useEnvironment(at(".local/share/bottles/bottles/GP4"));
    EXPECT_EQ(found(), canonical(at(".local/share/bottles/bottles/GP4/drive_c/GP4")));
    EXPECT_EQ(winePrefixSearchCount(), searches + 2);

    // What changed moments ago may change again unseen: it is not kept.
    setSettleTime(kDefaultSettleMs);
    searchWinePrefixesAgain();
    EXPECT_EQ(found(), canonical(at(".local/share/bottles/bottles/GP4/drive_c/GP4")));
    EXPECT_EQ(found(), canonical(at(".local/share/bottles/bottles/GP4/drive_c/GP4")));
    EXPECT_EQ(winePrefixSearchCount(), searches + 4);
}
