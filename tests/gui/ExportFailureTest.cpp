#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <optional>

#include "EditorHarness.h"
#include "FailingWrites.h"
#include "GameFileFixtures.h"
#include "SmallDisk.h"
#include "app/window/ComponentNames.h"
#include "app/window/ImagesPage.h"
#include "app/window/MainWindow.h"
#include "core/backup/GameBackup.h"
#include "core/location/GameInstall.h"
#include "core/transfer/ExportAll.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {

using Snapshot = std::map<QString, QByteArray>;

std::string joined(const QStringList& list) {
    return list.join('\n').toStdString();
}

QStringList changedFiles(const Snapshot& before, const Snapshot& after) {
    QStringList changed;
    for (const auto& [name, bytes] : before)
        if (!after.count(name) || after.at(name) != bytes) changed << name;
    for (const auto& [name, bytes] : after)
        if (!before.count(name)) changed << name;
    return changed;
}

// Edits that reach every file Export All writes, and one picture exchange.
void editEverything(EditorHarness& h) {
    h.setText(names::driverNumber(0), "7");
    h.setText(names::teamName(2), "Bolt");
    h.setText(names::tyrePosition(1), "75");
    app::ImagesPage* page = h.window().imagesPage();
    page->firstTeam()->setCurrentIndex(1);
    page->secondTeam()->setCurrentIndex(2);
    page->applyButton()->click();
    ASSERT_EQ(h.model().PendingImageSwaps.size(), 1u);
}

}  // namespace

// A write or flush that fails anywhere in Export All puts every game file back from the backup:
// the error names what failed and says the game files are as before; the picture exchange stays
// pending and a later Export All goes through.
TEST(ExportFailure, AFailedWriteOrFlushRollsBackEveryGameFile) {
    struct Case {
        const char* name;
        const char* pathPart;
        int nth;
        FailingWrites::Call call;
        int error;
        const char* named;  // in the error
    };
    const std::vector<Case> cases{
        {"save-state tables after the brands", "f1gstate.sav", 2, FailingWrites::Call::Write, EIO,
         "f1gstate.sav"},
        {"executable", "GP4.exe", 1, FailingWrites::Call::Write, ENOSPC, "GP4.exe"},
        {"cars archive", "cars.wad", 1, FailingWrites::Call::Write, EIO, "cars.wad"},
        {"a picture copy", "/images/", 2, FailingWrites::Call::Write, ENOSPC, "images"},
        {"flush of the executable", "GP4.exe", 1, FailingWrites::Call::Sync, EIO, "GP4.exe"},
        {"flush of the save-state", "f1gstate.sav", 1, FailingWrites::Call::Sync, EIO,
         "f1gstate.sav"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditorHarness h;
        h.importAll();
        editEverything(h);
        const Snapshot before = h.game().snapshot();
        {
            // A game file by its path in the game folder (its backup copy has the same name); a
            // picture by its folder, as it is written through an unnamed file first.
            const QString part = c.pathPart[0] == '/' ? QLatin1String(c.pathPart)
                                                      : h.game().file(QLatin1String(c.pathPart));
            FailingWrites failing(part, c.nth, c.call, c.error);
            failing.once();
            h.editor().exportAll();
            EXPECT_GE(failing.failed(), 1);
        }
        ASSERT_EQ(h.messages.errors.size(), 1) << joined(h.messages.errors);
        const QString error = h.messages.errors[0];
        EXPECT_TRUE(error.contains(QLatin1String(c.named))) << error.toStdString();
        EXPECT_TRUE(error.contains("as they were before")) << error.toStdString();
        EXPECT_NE(h.editor().status(), "Export Done");
        EXPECT_EQ(h.images.swaps, 0);
        EXPECT_TRUE(changedFiles(before, h.game().snapshot()).isEmpty())
            << joined(changedFiles(before, h.game().snapshot()));
        EXPECT_EQ(h.model().PendingImageSwaps.size(), 1u);
        // Nothing is left to put back at the next start.
        EXPECT_FALSE(backup::UnfinishedExport(backup::backupsFolder(), h.game().path()));

        h.messages.errors.clear();
        h.editor().exportAll();
        EXPECT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
        EXPECT_EQ(h.editor().status(), "Export Done");
        EXPECT_FALSE(changedFiles(before, h.game().snapshot()).isEmpty());
    }
}

// When the roll-back fails too, the error names the files that are not as before and points to
// "Restore Game Files...", and the next Import All offers to put them back.
TEST(ExportFailure, AFailedRollBackNamesTheFilesAndIsOfferedAgain) {
    EditorHarness h;
    h.importAll();
    h.setText(names::driverNumber(0), "7");
    h.setText(names::teamName(2), "Bolt");
    const Snapshot before = h.game().snapshot();
    {
        // The save-state's third write (after the driver numbers) and every write into the game
        // folder after it fail: the roll-back cannot replace the half-written save-state. The
        // file by its path in the game folder: its backup copy, written first, has its name too.
        FailingWrites failing(h.game().file(QStringLiteral("f1gstate.sav")), 3);
        failing.thenAllUnder(h.game().path());
        h.editor().exportAll();
    }
    ASSERT_EQ(h.messages.errors.size(), 1) << joined(h.messages.errors);
    const QString error = h.messages.errors[0];
    EXPECT_TRUE(error.contains("Restore Game Files...")) << error.toStdString();
    EXPECT_TRUE(error.contains("f1gstate.sav")) << error.toStdString();
    EXPECT_NE(h.editor().status(), "Export Done");
    ASSERT_FALSE(changedFiles(before, h.game().snapshot()).isEmpty());

    h.messages.putBackAnswer = true;
    h.messages.errors.clear();
    h.editor().importAll();
    ASSERT_EQ(h.messages.putBackQuestions.size(), 1);
    EXPECT_TRUE(h.messages.putBackQuestions[0].contains("f1gstate.sav"))
        << h.messages.putBackQuestions[0].toStdString();
    EXPECT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
    EXPECT_TRUE(changedFiles(before, h.game().snapshot()).isEmpty())
        << joined(changedFiles(before, h.game().snapshot()));
    EXPECT_EQ(h.editor().status(), "Import Done");
}

// A process killed half-way through Export All leaves its backup unfinished: the next Import All
// (as at start-up) asks, and puts every file back; asked once, whatever the answer.
TEST(ExportFailure, AnExportKilledHalfWayIsOfferedToBePutBack) {
    for (const bool putBack : {true, false}) {
        SCOPED_TRACE(putBack ? "put back" : "left");
        EditorHarness h;
        h.importAll();
        h.setText(names::driverNumber(0), "7");
        h.setText(names::tyrePosition(1), "75");
        const Snapshot before = h.game().snapshot();
        const transfer::GameFiles files =
            transfer::LocateGameFiles(model::ResolveGameFolder(h.settings()), h.settings());
        const transfer::ImportRecord record = *h.editor().importedGame();
        model::EditorModel model = h.model();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            FailingWrites kill(files.saveState, 2, FailingWrites::Call::Write, 0,
                               FailingWrites::Outcome::Kill);
            try {
                transfer::ExportAll(model, files, record, [](const QString&) {});
            } catch (...) {
            }
            _exit(3);  // not killed: the test fails below
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        const Snapshot halfWay = h.game().snapshot();
        ASSERT_FALSE(changedFiles(before, halfWay).isEmpty());

        h.messages.putBackAnswer = putBack;
        h.editor().importAll();
        ASSERT_EQ(h.messages.putBackQuestions.size(), 1);
        EXPECT_TRUE(h.messages.putBackQuestions[0].contains("did not finish"));
        EXPECT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
        EXPECT_TRUE(changedFiles(putBack ? before : halfWay, h.game().snapshot()).isEmpty())
            << joined(changedFiles(putBack ? before : halfWay, h.game().snapshot()));
        h.editor().importAll();
        EXPECT_EQ(h.messages.putBackQuestions.size(), 1);
    }
}

// A backup that cannot be written completely (a full disk, a read-only disk, a copy that cannot
// be flushed) stops the export before its first write, with the system's reason.
TEST(ExportFailure, ABackupThatCannotBeWrittenStopsTheExportWithTheReason) {
    struct Case {
        const char* name;
        const char* reason;
    };
    // The cases that need a file system of their own come last: where mounting is refused the
    // test is skipped from there on.
    for (const Case& c : {Case{"copy not flushed", "Input/output error"},
                          Case{"full disk", "No space left on device"},
                          Case{"read-only disk", "Read-only file system"}}) {
        SCOPED_TRACE(c.name);
        EditorHarness h;
        h.importAll();
        h.setText(names::driverNumber(0), "7");
        const Snapshot before = h.game().snapshot();
        std::optional<SmallDisk> disk;
        std::optional<FailingWrites> failing;
        if (QLatin1String(c.name) == QLatin1String("copy not flushed")) {
            failing.emplace(QStringLiteral("/backups/"), 1, FailingWrites::Call::Sync, EIO);
        } else {
            disk.emplace(backup::backupsFolder(), 64 * 1024);
            if (!disk->mounted()) GTEST_SKIP() << disk->reason().toStdString();
            if (QLatin1String(c.name) == QLatin1String("read-only disk") && !disk->makeReadOnly())
                GTEST_SKIP() << disk->reason().toStdString();
        }
        h.editor().exportAll();
        failing.reset();
        ASSERT_EQ(h.messages.errors.size(), 1) << joined(h.messages.errors);
        const QString error = h.messages.errors[0];
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
        EXPECT_TRUE(error.contains("nothing has been exported")) << error.toStdString();
        EXPECT_NE(h.editor().status(), "Export Done");
        EXPECT_TRUE(changedFiles(before, h.game().snapshot()).isEmpty());
    }
}

// When the backup's record cannot be completed after the export, the export still counts as
// done: "Export Done" is shown and a note (not an error) says what is missing.
TEST(ExportFailure, ARecordThatCannotBeCompletedAfterTheExportIsANote) {
    EditorHarness h;
    h.importAll();
    h.setText(names::driverNumber(0), "7");
    {
        // Three copies and the manifest make the backup; the manifest saved after the export fails.
        FailingWrites failing(QStringLiteral("/backups/"), 5);
        h.editor().exportAll();
        EXPECT_GE(failing.failed(), 1);
    }
    EXPECT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
    EXPECT_EQ(h.editor().status(), "Export Done");
    ASSERT_EQ(h.messages.shown.size(), 1) << joined(h.messages.shown);
    EXPECT_TRUE(h.messages.shown[0].contains("The export is complete"));
}
