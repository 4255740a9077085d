#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "IsolatedSettings.h"
#include "core/location/GameInstall.h"
#include "core/bytes/GamePaths.h"
#include "core/location/SettingsStore.h"

using namespace pw::model;
using pw::test::IsolatedSettings;

namespace {
void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

// A game folder copied from Windows: the names in other letter cases than the program uses.
class GameFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(game.isValid());
        touch(game.filePath(QStringLiteral("GP4.EXE")));
        touch(game.filePath(QStringLiteral("F1GSTATE.SAV")));
        touch(game.filePath(QStringLiteral("CARS.WAD")));
        ASSERT_TRUE(QDir(game.path()).mkpath(QStringLiteral("menudata/PC/gp2001/Images")));
    }

    IsolatedSettings isolated;
    QTemporaryDir game;
    SettingsStore settings;
};
}  // namespace

TEST_F(GameFolder, FoundThroughTheInstallationEntry) {
    isolated.registerGame(game.path());
    const GameInstall install = ResolveGameFolder(settings);
    EXPECT_TRUE(install.found);
    EXPECT_EQ(install.folder, game.path());
}

TEST_F(GameFolder, EntryWithTrailingSeparatorGivesTheSameFolder) {
    isolated.registerGame(game.path() + QStringLiteral("/"));
    const GameInstall install = ResolveGameFolder(settings);
    EXPECT_TRUE(install.found);
    EXPECT_EQ(install.folder, game.path());
    EXPECT_TRUE(fileExists(SaveStatePath(install)));
}

TEST_F(GameFolder, NotFoundCases) {
    QTemporaryDir empty;
    // A relative entry must not find a game under the current folder.
    QTemporaryDir current;
    touch(current.filePath(QStringLiteral("gp4/GP4.exe")));
    const QString previousCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current.path()));
    const struct {
        const char* what;
        QString directory;  // empty: no entry at all
    } cases[] = {
        {"no installation entry", QString()},
        {"entry names a folder without the executable", empty.path()},
        {"entry holds an empty text", QStringLiteral(" ")},
        {"entry holds a relative folder", QStringLiteral("gp4")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        IsolatedSettings own;
        SettingsStore store;
        if (!c.directory.isNull()) own.registerGame(c.directory);
        const GameInstall install = ResolveGameFolder(store);
        EXPECT_FALSE(install.found);
        EXPECT_TRUE(install.folder.isEmpty());
        // Nothing is looked up relative to the current folder or the root.
        EXPECT_TRUE(GameExecutablePath(install, store).isEmpty());
        EXPECT_TRUE(SaveStatePath(install).isEmpty());
        EXPECT_TRUE(CarsArchivePath(install, store).isEmpty());
        EXPECT_TRUE(TeamImagesFolder(install, store).isEmpty());
        EXPECT_TRUE(GameImagesFolder(install).isEmpty());
        if (c.directory.isNull()) {
            EXPECT_FALSE(QFileInfo::exists(own.installEntryFile()));
        }
    }
    QDir::setCurrent(previousCurrent);
}

TEST_F(GameFolder, OnlyTheFileNameOfGP4PathIsUsedToResolve) {
    isolated.registerGame(game.path());
    QTemporaryDir elsewhere;
    const QString otherExe = elsewhere.filePath(QStringLiteral("gp4.exe"));
    touch(otherExe);
    const struct {
        QString gp4Path;
        bool found;
    } cases[] = {
        {otherExe, true},                                            // another folder, same name
        {QStringLiteral("C:\\Other\\Games\\Gp4.exe"), true},         // configured on Windows
        {QStringLiteral("C:\\Games\\GP4\\gp4_patched.exe"), false},  // no such file in the game
        {QString(), true},                                           // empty: the default name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gp4Path.toStdString());
        ASSERT_TRUE(settings.write(QString(), settings::kGP4Path, c.gp4Path));
        const GameInstall install = ResolveGameFolder(settings);
        EXPECT_EQ(install.found, c.found);
        if (c.found) {
            EXPECT_EQ(install.folder, game.path());
        }
    }
    // Opening the executable uses the full path of the setting.
    ASSERT_TRUE(settings.write(QString(), settings::kGP4Path, otherExe));
    EXPECT_EQ(GameExecutablePath(ResolveGameFolder(settings), settings), otherExe);
}

TEST_F(GameFolder, EveryDerivedPathIsFoundWhateverItsLetterCase) {
    isolated.registerGame(game.path());
    const GameInstall install = ResolveGameFolder(settings);
    ASSERT_TRUE(install.found);
    const QString images = game.filePath(QStringLiteral("menudata/PC/gp2001/Images"));
    const struct {
        const char* what;
        QString path, expected;
    } cases[] = {
        {"game executable", GameExecutablePath(install, settings),
         game.filePath(QStringLiteral("GP4.EXE"))},
        {"save state", SaveStatePath(install), game.filePath(QStringLiteral("F1GSTATE.SAV"))},
        {"cars archive", CarsArchivePath(install, settings),
         game.filePath(QStringLiteral("CARS.WAD"))},
        {"team images", TeamImagesFolder(install, settings), images},
        {"game images", GameImagesFolder(install), images},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.path, c.expected);
        EXPECT_TRUE(QFileInfo::exists(c.path));
    }
}

TEST_F(GameFolder, SettingsOverrideTheArchiveAndTheTeamImagesOnly) {
    isolated.registerGame(game.path());
    QTemporaryDir other;
    touch(other.filePath(QStringLiteral("Cars.Wad")));
    ASSERT_TRUE(QDir(other.path()).mkpath(QStringLiteral("Pics")));
    // Written with Windows separators and other letter cases, the picture folder with its
    // trailing separator as the images command stores it.
    QString wad = other.filePath(QStringLiteral("CARS.wad"));
    QString pics = other.path() + QStringLiteral("/pics/");
    wad.replace(QLatin1Char('/'), QLatin1Char('\\'));
    pics.replace(QLatin1Char('/'), QLatin1Char('\\'));
    ASSERT_TRUE(settings.write(QString(), settings::kCarsWadPath, wad));
    ASSERT_TRUE(settings.write(QString(), settings::kGpiPath, pics));

    const GameInstall install = ResolveGameFolder(settings);
    EXPECT_EQ(CarsArchivePath(install, settings), other.filePath(QStringLiteral("Cars.Wad")));
    EXPECT_EQ(TeamImagesFolder(install, settings), other.filePath(QStringLiteral("Pics")));
    EXPECT_EQ(GameImagesFolder(install),
              game.filePath(QStringLiteral("menudata/PC/gp2001/Images")));
    EXPECT_EQ(SaveStatePath(install), game.filePath(QStringLiteral("F1GSTATE.SAV")));
}

TEST_F(GameFolder, ChoosingTheExecutableStoresSettingAndEntry) {
    EXPECT_EQ(StoreChosenGameExecutable(settings, game.filePath(QStringLiteral("missing.exe"))),
              ChosenExecutable::Missing);
    EXPECT_TRUE(settings.read(QString(), settings::kGP4Path, QString()).isEmpty());
    EXPECT_FALSE(ReadInstallDirectory().has_value());

    const QString exe = game.filePath(QStringLiteral("gp4.exe"));  // stored as GP4.EXE
    EXPECT_EQ(StoreChosenGameExecutable(settings, exe), ChosenExecutable::Stored);
    EXPECT_EQ(settings.read(QString(), settings::kGP4Path, QString()),
              QDir::toNativeSeparators(game.filePath(QStringLiteral("GP4.EXE"))));
    const GameInstall install = ResolveGameFolder(settings);
    EXPECT_TRUE(install.found);
    EXPECT_EQ(install.folder, game.path());
}
