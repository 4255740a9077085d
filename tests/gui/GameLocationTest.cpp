#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "EditorHarness.h"
#include "GameFileFixtures.h"
#include "WinePrefixFixtures.h"
#include "app/window/ComponentNames.h"
#include "app/window/MainWindow.h"
#include "core/bytes/FileStamp.h"
#include "core/location/SettingsStore.h"
#include "core/location/WinePrefixes.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {
HarnessOptions unregistered() {
    HarnessOptions o;
    o.registerGame = false;
    return o;
}
}  // namespace

TEST(GameLocation, StartWithoutAGameEndsWhenTheDialogIsCancelled) {
    EditorHarness h(unregistered());
    h.editor().importAll();
    EXPECT_EQ(h.messages.shown, QStringList({"Please choose your GP4 folder",
                                             "Sorry but Lensmith will now terminate."}));
    ASSERT_EQ(h.dialogs.requests.size(), 1u);
    EXPECT_EQ(h.dialogs.requests[0].title, "Choose GP4 Path");
    EXPECT_EQ(h.dialogs.requests[0].filter, "GP4.exe|*.exe");
    EXPECT_EQ(h.dialogs.requests[0].initialName, "GP4.exe");
    // No Wine prefix either: the home folder, not wherever the program was started.
#ifdef Q_OS_WIN
    EXPECT_EQ(h.dialogs.requests[0].initialFolder, QDir::homePath());
#else
    EXPECT_EQ(h.dialogs.requests[0].initialFolder, h.home());
#endif
    EXPECT_EQ(h.terminations, 1);
    EXPECT_TRUE(h.editor().terminated());
    EXPECT_TRUE(h.messages.errors.isEmpty());
}

TEST(GameLocation, ChoosingTheExecutableImportsTheGame) {
    EditorHarness h(unregistered());
    const QString folder = QDir::currentPath();
    h.dialogs.files.push_back(h.game().exe());
    h.editor().importAll();
    EXPECT_EQ(h.messages.shown, QStringList({"Please choose your GP4 folder"}));
    EXPECT_EQ(h.terminations, 0);
    EXPECT_EQ(h.editor().status(), "Import Done");
    EXPECT_EQ(h.text(names::teamName(0)), "ferrari");
    EXPECT_EQ(QDir::cleanPath(QDir::fromNativeSeparators(h.settings().read("", "GP4Path", ""))),
              QDir::cleanPath(h.game().exe()));
    EXPECT_EQ(QDir::currentPath(), folder);
}

TEST(GameLocation, AGameInAWinePrefixOpensWithoutAsking) {
    EditorHarness h(unregistered());
    // The demo game stands on the prefix's D: drive.
    makeWinePrefix(h.home() + "/.wine", systemRegistryWith(kWow64InstallKey, "D:\\\\"),
                   {{'d', h.game().path()}});
    h.importAll();
    EXPECT_TRUE(h.dialogs.requests.empty());
    EXPECT_TRUE(h.messages.shown.isEmpty()) << h.messages.shown.join('\n').toStdString();
    EXPECT_EQ(h.editor().status(), "Import Done");
    EXPECT_EQ(h.text(names::teamName(0)), "ferrari");
}

TEST(GameLocation, StartUpSearchesTheWinePrefixesOnce) {
    model::setSettleTime(0);
    struct SettleAgain {
        ~SettleAgain() { model::setSettleTime(model::kDefaultSettleMs); }
    } settleAgain;
    EditorHarness h(unregistered());
    for (const char* id : {"10", "20", "30"})
        makeWinePrefix(h.home() + "/.steam/steam/steamapps/compatdata/" + id + "/pfx",
                       systemRegistryWith(kInstallKey, "C:\\\\Other"));
    makeWinePrefix(h.home() + "/.wine", systemRegistryWith(kWow64InstallKey, "D:\\\\"),
                   {{'d', h.game().path()}});
    const int before = model::winePrefixSearchCount();
    h.importAll();
    h.window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.window()));
    QTest::qWait(50);
    EXPECT_EQ(h.editor().status(), "Import Done");
    EXPECT_EQ(model::winePrefixSearchCount(), before + 1);
    // Asking for the game again searches again.
    h.window().changeGamePathAction()->trigger();
    EXPECT_EQ(model::winePrefixSearchCount(), before + 2);
}

TEST(GameLocation, WithoutAGameTheChooserStartsOnAWinePrefixsDrive) {
    EditorHarness h(unregistered());
    makeWinePrefix(h.home() + "/.wine", systemRegistryWith(kInstallKey, "C:\\\\GP4"));
    h.editor().importAll();
    ASSERT_EQ(h.dialogs.requests.size(), 1u);
    EXPECT_EQ(h.dialogs.requests[0].initialFolder, h.home() + "/.wine/drive_c");
    EXPECT_EQ(h.terminations, 1);
}

TEST(GameLocation, ChangeGP4PathCancelledWithAGameFoundChangesNothing) {
    EditorHarness h;
    h.importAll();
    h.window().changeGamePathAction()->trigger();
    ASSERT_EQ(h.dialogs.requests.size(), 1u);
    EXPECT_EQ(h.dialogs.requests[0].initialFolder, QDir(h.game().path()).canonicalPath());
    EXPECT_TRUE(h.messages.shown.isEmpty());
    EXPECT_EQ(h.terminations, 0);
}

TEST(GameLocation, ACarsWadMustHave99AsItsFifthByte) {
    EditorHarness h;
    h.importAll();
    QTemporaryDir other;
    const QString notAWad = other.filePath("other.wad");
    QByteArray bytes = readFile(h.game().carsWad());
    bytes[4] = 98;
    writeFile(notAWad, bytes);
    h.dialogs.files.push_back(notAWad);
    h.window().changeCarsWadAction()->trigger();
    EXPECT_EQ(h.dialogs.requests.back().title, "Choose Cars wad");
    EXPECT_EQ(h.dialogs.requests.back().filter, "wad files|*.wad");
    EXPECT_EQ(h.dialogs.requests.back().initialName, "cars.wad");
    EXPECT_EQ(h.messages.shown,
              QStringList(
                  {"Sorry but you didn't selected a cars wad.\r\nCurrent cars wad will be used."}));
    EXPECT_EQ(h.settings().read("", "CarsWadPath", "unset"), "unset");

    // A real archive elsewhere, read-only: it becomes writable and its positions are read.
    const QString wad = other.filePath("cars.wad");
    QFile::copy(h.game().carsWad(), wad);
    QFile::setPermissions(wad, QFileDevice::ReadOwner);
    h.setText(names::tyrePosition(1), "10");
    h.messages.shown.clear();
    h.dialogs.files.push_back(wad);
    h.window().changeCarsWadAction()->trigger();
    EXPECT_TRUE(h.messages.shown.isEmpty());
    EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_EQ(QDir::fromNativeSeparators(h.settings().read("", "CarsWadPath", "")), wad);
    EXPECT_EQ(h.text(names::tyrePosition(1)), "70");
    EXPECT_TRUE(QFile::permissions(wad) & QFileDevice::WriteOwner);
    EXPECT_TRUE(h.editor().previewInputs().shapeChanged);
}

TEST(GameLocation, ChangeImagesPathStoresTheFolderOfTheChosenPicture) {
    EditorHarness h;
    h.importAll();
    h.click(names::teamsCaption(5));
    QTemporaryDir other;
    h.dialogs.files.push_back(other.filePath("33.gpi"));
    h.window().changeImagesPathAction()->trigger();
    const app::OpenFileRequest& request = h.dialogs.requests.back();
    EXPECT_EQ(request.title, "Choose one of the gpi of the new folder");
    EXPECT_EQ(request.filter, "GP4 Image file (*.gpi)|*.gpi");
    EXPECT_EQ(request.defaultSuffix, "*.gpi");
    EXPECT_TRUE(request.initialFolder.endsWith("images", Qt::CaseInsensitive))
        << request.initialFolder.toStdString();
    EXPECT_EQ(QDir::fromNativeSeparators(h.settings().read("", "GpiPath", "")), other.path() + "/");
    EXPECT_EQ(h.images.loaded.back(), 5);
}

TEST(GameLocation, TheLastOptionsCommandRunsRatherThanSayingItIsMissing) {
    EditorHarness h;
    h.importAll();
    h.window().defaultAllAction()->trigger();
    EXPECT_TRUE(h.messages.shown.isEmpty()) << h.messages.shown.join('\n').toStdString();
    EXPECT_EQ(h.editor().status(), "All parameters have been reset to defaults");
}
