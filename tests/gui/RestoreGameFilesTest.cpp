#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>

#include "EditorHarness.h"
#include "GameFileFixtures.h"
#include "app/window/ComponentNames.h"
#include "core/backup/GameBackup.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {

std::string joined(const QStringList& list) {
    return list.join('\n').toStdString();
}

void restore(EditorHarness& h, std::optional<int> choice) {
    h.dialogs.backupChoices.push_back(choice);
    h.window().restoreGameFilesAction()->trigger();
}

}  // namespace

// Edit, Export All, restore that export's backup: every game file is as it was before.
TEST(RestoreGameFiles, PutsBackEveryGameFileAsItWasBeforeTheExport) {
    EditorHarness h;
    h.importAll();
    const auto before = h.game().snapshot();
    h.setText(names::driverNumber(0), "7");
    h.setText(names::teamName(2), "Bolt");
    h.setText(names::tyrePosition(1), "75");
    h.setText(names::helmetY(3), "9");
    h.editor().exportAll();
    ASSERT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
    const auto exported = h.game().snapshot();
    for (const char* f : {"GP4.exe", "f1gstate.sav", "cars.wad"})
        ASSERT_NE(exported.at(QLatin1String(f)), before.at(QLatin1String(f))) << f;

    // Cancelled: nothing changes.
    restore(h, std::nullopt);
    ASSERT_EQ(h.dialogs.backupRequests.size(), 1u);
    const app::BackupListing& listed = h.dialogs.backupRequests[0].at(0);
    EXPECT_TRUE(listed.made.endsWith("(the game before its first export)"))
        << listed.made.toStdString();
    EXPECT_EQ(listed.files, QStringList({"GP4.exe: as that export left it",
                                         "f1gstate.sav: as that export left it",
                                         "cars.wad (wheel positions): as that export left it"}));
    EXPECT_TRUE(h.game().snapshot() == exported);

    h.messages.shown.clear();
    restore(h, 0);
    ASSERT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
    ASSERT_EQ(h.messages.shown.size(), 1) << joined(h.messages.shown);
    EXPECT_TRUE(h.messages.shown[0].startsWith("The game files are back"));
    EXPECT_TRUE(h.game().snapshot() == before);
    // Import All ran: the window shows the restored values.
    EXPECT_EQ(h.editor().status(), "Import Done");
    EXPECT_NE(h.text(names::driverNumber(0)), "7");

    // The backup is listed as changed since its export now.
    restore(h, std::nullopt);
    EXPECT_EQ(h.dialogs.backupRequests.back().at(0).files[0], "GP4.exe: changed since that export");
}

TEST(RestoreGameFiles, AnArchiveOfAnotherSizeIsLeftAsItIs) {
    EditorHarness h;
    h.importAll();
    const auto before = h.game().snapshot();
    h.setText(names::driverNumber(0), "7");
    h.setText(names::tyrePosition(1), "75");
    h.editor().exportAll();
    QByteArray archive = readFile(h.game().carsWad());
    archive.append(QByteArray(16, 'x'));
    writeFile(h.game().carsWad(), archive);

    h.messages.shown.clear();
    restore(h, 0);
    ASSERT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
    ASSERT_GE(h.messages.shown.size(), 1);
    EXPECT_TRUE(h.messages.shown[0].contains("cars.wad")) << joined(h.messages.shown);
    // A file left alone: the game files are not all back.
    EXPECT_FALSE(h.messages.shown[0].contains("The game files are back"))
        << joined(h.messages.shown);
    EXPECT_EQ(readFile(h.game().carsWad()), archive);
    auto now = h.game().snapshot();
    auto expected = before;
    now.erase("cars.wad");
    expected.erase("cars.wad");
    EXPECT_TRUE(now == expected);
}

// Where no backup can be written, Export All stops before any game file changes.
TEST(RestoreGameFiles, ABackupThatCannotBeWrittenStopsTheExport) {
    EditorHarness h;
    h.importAll();
    const QString blocked = h.isolated().dataFolder();
    QDir(blocked).removeRecursively();
    writeFile(blocked, "not a folder");
    const auto before = h.game().snapshot();
    h.setText(names::driverNumber(0), "7");
    h.editor().exportAll();
    ASSERT_EQ(h.messages.errors.size(), 1) << joined(h.messages.errors);
    EXPECT_TRUE(h.messages.errors[0].contains("backup")) << joined(h.messages.errors);
    EXPECT_NE(h.editor().status(), "Export Done");
    EXPECT_EQ(h.images.swaps, 0);
    EXPECT_TRUE(h.game().snapshot() == before);
}

TEST(RestoreGameFiles, OnlyTheBackupsOfTheCurrentGameAreListed) {
    EditorHarness h;
    h.importAll();
    h.messages.shown.clear();
    restore(h, 0);
    EXPECT_TRUE(h.dialogs.backupRequests.empty());
    ASSERT_EQ(h.messages.shown.size(), 1);
    EXPECT_TRUE(h.messages.shown[0].startsWith("There is no backup")) << joined(h.messages.shown);

    // An export that changes no byte makes no backup.
    h.editor().exportAll();
    restore(h, 0);
    EXPECT_TRUE(h.dialogs.backupRequests.empty());
    h.setText(names::driverNumber(0), "7");
    h.editor().exportAll();
    h.setText(names::driverNumber(0), "8");
    h.editor().exportAll();
    DemoFolder second;
    h.dialogs.files.push_back(second.exe());
    h.window().changeGamePathAction()->trigger();
    ASSERT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
    h.setText(names::driverNumber(0), "9");
    h.editor().exportAll();
    restore(h, std::nullopt);
    ASSERT_EQ(h.dialogs.backupRequests.size(), 1u);
    EXPECT_EQ(h.dialogs.backupRequests[0].size(), 1u);
}

// After more exports than backups are kept, the game as it was before the first export is still
// there, listed first, and puts every file back as it was.
TEST(RestoreGameFiles, TheGameBeforeItsFirstExportOutlivesManyExports) {
    EditorHarness h;
    h.importAll();
    const auto untouched = h.game().snapshot();
    for (int i = 0; i < backup::kBackupsKept + 3; ++i) {
        h.setText(names::driverNumber(0), QString::number(30 + i));
        h.editor().exportAll();
        ASSERT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
    }
    const auto exported = h.game().snapshot();
    restore(h, 0);
    ASSERT_EQ(h.dialogs.backupRequests.size(), 1u);
    const std::vector<app::BackupListing>& listed = h.dialogs.backupRequests[0];
    EXPECT_EQ(listed.size(), size_t(backup::kBackupsKept + 1));
    EXPECT_TRUE(listed[0].made.endsWith("(the game before its first export)"));
    EXPECT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
    EXPECT_TRUE(h.game().snapshot() == untouched);
    EXPECT_FALSE(h.game().snapshot() == exported);
}
