#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#ifndef _WIN32
#include "FailingWrites.h"
#endif
#include "FileTimes.h"
#include "GameFileFixtures.h"
#include "core/backup/GameBackup.h"
#include "core/bytes/GameFileError.h"

using namespace pw;
using namespace pw::test;
using backup::BackupPlan;

namespace {

class Backups : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(game("images")));
        writeFile(game("GP4.exe"), patternBytes(5000));
        writeFile(game("f1gstate.sav"), patternBytes(700));
        writeFile(game("cars.wad"), patternBytes(3000));
        writeFile(game("images/33.gpi"), QByteArray(400, 'a'));
    }
    QString game(const QString& relative = {}) const {
        return relative.isEmpty() ? gameDir.path() : gameDir.filePath(relative);
    }
    QString root() const { return backupDir.filePath("backups"); }
    BackupPlan plan() const {
        BackupPlan p;
        p.gameFolder = game();
        p.wholeFiles << game("GP4.exe") << game("f1gstate.sav") << game("images/33.gpi")
                     << game("images/0.gpi");
        p.archiveRange = BackupPlan::ArchiveRange{game("cars.wad"), 1000, 120};
        return p;
    }
    std::map<QString, QByteArray> snapshot() const {
        std::map<QString, QByteArray> files;
        for (const char* name :
             {"GP4.exe", "f1gstate.sav", "cars.wad", "images/33.gpi", "images/0.gpi"})
            if (QFile::exists(game(QLatin1String(name))))
                files[QLatin1String(name)] = readFile(game(QLatin1String(name)));
        return files;
    }
    // What an export does: patches in place, exchanges a picture through "0.gpi".
    void exportChanges() {
        for (const char* name : {"GP4.exe", "f1gstate.sav", "cars.wad"}) {
            QByteArray bytes = readFile(game(QLatin1String(name)));
            // The archive changes only inside the range the export writes.
            const bool archive = QLatin1String(name) == QLatin1String("cars.wad");
            poke(bytes, archive ? 1050 : 100, QByteArray("changed"));
            writeFile(game(QLatin1String(name)), bytes);
        }
        writeFile(game("images/0.gpi"), QByteArray(400, 'a'));
        writeFile(game("images/33.gpi"), QByteArray(400, 'b'));
    }

    QTemporaryDir gameDir;
    QTemporaryDir backupDir;
};

}  // namespace

TEST_F(Backups, RestoreGivesBackTheFilesAsTheyWereBeforeTheExport) {
    const auto before = snapshot();
    backup::Backup made = backup::CreateBackup(root(), plan());
    EXPECT_TRUE(snapshot() == before);  // making it writes nothing of the game
    exportChanges();
    backup::RecordStateAfter(made);
    const auto afterExport = snapshot();

    const std::vector<backup::Backup> listed = backup::ListBackups(root(), game());
    ASSERT_EQ(listed.size(), 1u);
    const backup::Backup& b = listed[0];
    EXPECT_TRUE(b.finished);
    ASSERT_EQ(b.entries.size(), 5u);
    for (const backup::BackupEntry& e : b.entries)
        EXPECT_TRUE(backup::MatchesStateAfter(b, e)) << e.path.toStdString();
    EXPECT_EQ(b.entries[0].path, "GP4.exe");
    EXPECT_EQ(b.entries[0].size, 5000);
    EXPECT_EQ(b.entries[3].kind, backup::BackupEntry::Kind::Absent);
    EXPECT_EQ(b.entries[4].kind, backup::BackupEntry::Kind::Range);
    EXPECT_EQ(b.entries[4].size, 3000);
    EXPECT_NE(b.entries[0].sha256Before, b.entries[0].sha256After);
    EXPECT_EQ(b.entries[0].sha256Before.size(), 64);

    // The save-state changes behind the backup's back: the listing says so.
    writeFile(game("f1gstate.sav"), patternBytes(10));
    EXPECT_FALSE(backup::MatchesStateAfter(b, b.entries[1]));
    EXPECT_TRUE(backup::MatchesStateAfter(b, b.entries[0]));

    const backup::RestoreReport report = backup::RestoreBackup(b);
    EXPECT_TRUE(report.skipped.isEmpty()) << report.skipped.join('\n').toStdString();
    EXPECT_EQ(report.restored.size(), 5);
    EXPECT_TRUE(snapshot() == before);
    EXPECT_NE(afterExport.at("cars.wad"), before.at("cars.wad"));
}

TEST_F(Backups, AnArchiveOfAnotherSizeIsLeftAndTheRestRestored) {
    const auto before = snapshot();
    backup::Backup made = backup::CreateBackup(root(), plan());
    exportChanges();
    backup::RecordStateAfter(made);
    QByteArray archive = readFile(game("cars.wad"));
    archive.append("more");
    writeFile(game("cars.wad"), archive);

    const backup::RestoreReport report =
        backup::RestoreBackup(backup::ListBackups(root(), game())[0]);
    ASSERT_EQ(report.skipped.size(), 1);
    EXPECT_TRUE(report.skipped[0].contains("cars.wad")) << report.skipped[0].toStdString();
    EXPECT_EQ(readFile(game("cars.wad")), archive);
    auto now = snapshot();
    now.erase("cars.wad");
    auto expected = before;
    expected.erase("cars.wad");
    EXPECT_TRUE(now == expected);
}

TEST_F(Backups, ABackupThatCannotBeWrittenThrowsAndLeavesNothing) {
    // The backups folder cannot be made where a file stands.
    writeFile(root(), "a file");
    const auto before = snapshot();
    EXPECT_THROW(backup::CreateBackup(root(), plan()), model::GameFileError);
    EXPECT_TRUE(snapshot() == before);

    // A file to save that cannot be read: the half-written backup folder goes again.
    QFile::remove(root());
    BackupPlan p = plan();
    p.archiveRange->offset = 2950;  // the range runs past the end of the archive
    try {
        backup::CreateBackup(root(), p);
        FAIL() << "no error";
    } catch (const model::GameFileError& e) {
        EXPECT_TRUE(e.message().contains("nothing has been exported")) << e.message().toStdString();
    }
    EXPECT_TRUE(QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

// Each game keeps its backup from before its first export for good and its newest others; the
// backups of one game never go because of exports into another.
TEST_F(Backups, EachGameKeepsItsFirstAndNewestBackups) {
    QTemporaryDir otherGame;
    BackupPlan other = plan();
    other.gameFolder = otherGame.path();
    other.wholeFiles.clear();
    other.archiveRange.reset();
    std::vector<QString> made;
    for (int i = 0; i < 5; ++i) {
        backup::Backup b = backup::CreateBackup(root(), plan());
        backup::RecordStateAfter(b);
        made.push_back(b.folder);
    }
    for (int i = 0; i < 6; ++i) backup::CreateBackup(root(), other);
    EXPECT_EQ(backup::ListBackups(root(), game()).size(), 5u);
    EXPECT_EQ(backup::ListBackups(root(), otherGame.path()).size(), 6u);

    backup::PruneBackups(root(), otherGame.path(), 2);
    EXPECT_EQ(backup::ListBackups(root(), game()).size(), 5u);
    EXPECT_EQ(backup::ListBackups(root(), otherGame.path()).size(), 3u);

    backup::PruneBackups(root(), game(), 2);
    const std::vector<backup::Backup> kept = backup::ListBackups(root(), game());
    ASSERT_EQ(kept.size(), 3u);
    // Listed first: the game before its first export; then the newest, newest first.
    EXPECT_TRUE(kept[0].first);
    EXPECT_EQ(kept[0].folder, made[0]);
    EXPECT_EQ(kept[1].folder, made[4]);
    EXPECT_EQ(kept[2].folder, made[3]);
    EXPECT_FALSE(kept[1].first);
}

// Backups are named and ordered in UTC: when the clock's zone moves west, the new backup is the
// newest and survives the pruning that follows it.
TEST_F(Backups, AWestwardTimeZoneChangeKeepsTheNewestBackup) {
    const QByteArray savedZone = qgetenv("TZ");
    qputenv("TZ", "Asia/Tokyo");
    tzset();
    const backup::Backup older = backup::CreateBackup(root(), plan());
    const backup::Backup middle = backup::CreateBackup(root(), plan());
    qputenv("TZ", "America/Los_Angeles");
    tzset();
    const backup::Backup newest = backup::CreateBackup(root(), plan());
    backup::PruneBackups(root(), game(), 1, newest.folder);
    if (savedZone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", savedZone);
    tzset();
    const std::vector<backup::Backup> kept = backup::ListBackups(root(), game());
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].folder, older.folder);  // the first
    EXPECT_EQ(kept[1].folder, newest.folder);
    EXPECT_FALSE(QDir(middle.folder).exists());
}

// A backup stopped half-way (no manifest, or not yet under its name) never counts as kept and
// goes once it is clearly abandoned.
TEST_F(Backups, FoldersOfBackupsStoppedHalfWayDoNotCount) {
    const backup::Backup first = backup::CreateBackup(root(), plan());
    const backup::Backup second = backup::CreateBackup(root(), plan());
    const QString killed = QDir(root()).filePath("2030-01-01_00-00-00Z.partial");
    const QString oldKilled = QDir(root()).filePath("2001-01-01_00-00-00");
    const QString recentKilled = QDir(root()).filePath("2001-01-02_00-00-00.partial");
    for (const QString& folder : {killed, oldKilled, recentKilled}) {
        ASSERT_TRUE(QDir().mkpath(folder));
        writeFile(QDir(folder).filePath("01_GP4.exe"), "half");
    }
    const QDateTime longAgo = QDateTime::currentDateTimeUtc().addDays(-2);
    for (const QString& folder : {killed, oldKilled}) {
        const QString failed = setModifiedTime(folder, longAgo);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
    }
    backup::PruneBackups(root(), game(), 1);
    EXPECT_TRUE(QDir(first.folder).exists());
    EXPECT_TRUE(QDir(second.folder).exists());
    EXPECT_FALSE(QDir(killed).exists());
    EXPECT_FALSE(QDir(oldKilled).exists());
    EXPECT_TRUE(QDir(recentKilled).exists());  // perhaps another export's, still running
    EXPECT_EQ(backup::ListBackups(root(), game()).size(), 2u);
}

// A backup is removed manifest first, so that a removal stopped half-way never leaves a folder
// taken for a backup; whatever else lies in the folder goes with it.
TEST_F(Backups, RemovingABackupTakesItsManifestFirstAndLeavesNoFolder) {
    for (const bool strayFile : {false, true}) {
        SCOPED_TRACE(strayFile ? "with a stray file" : "plain");
        const backup::Backup made = backup::CreateBackup(root(), plan());
        if (strayFile) writeFile(QDir(made.folder).filePath("notes.txt"), "mine");
        ASSERT_TRUE(backup::RemoveBackup(made));
        EXPECT_FALSE(QDir(made.folder).exists());
        EXPECT_TRUE(backup::ListBackups(root(), game()).empty());
    }
    // A manifest that cannot be removed keeps the backup whole and listed.
    const backup::Backup kept = backup::CreateBackup(root(), plan());
    const QString manifest = QDir(kept.folder).filePath("manifest.json");
    const QString moved = manifest + ".moved";
    ASSERT_TRUE(QFile::rename(manifest, moved));
    ASSERT_TRUE(QDir().mkpath(QDir(manifest).filePath("inside")));
    EXPECT_FALSE(backup::RemoveBackup(kept));
    ASSERT_TRUE(QDir(manifest).removeRecursively() && QFile::rename(moved, manifest));
    EXPECT_EQ(backup::ListBackups(root(), game()).size(), 1u);
    for (const backup::BackupEntry& e : kept.entries) {
        if (e.copyName.isEmpty()) continue;
        EXPECT_TRUE(QFile::exists(QDir(kept.folder).filePath(e.copyName)))
            << e.copyName.toStdString();
    }
}

// A manifest naming a file outside the game folder is not followed.
TEST_F(Backups, RestoreWritesNothingOutsideTheGameFolder) {
    backup::Backup made = backup::CreateBackup(root(), plan());
    const QString manifest = QDir(made.folder).filePath("manifest.json");
    QByteArray text = readFile(manifest);
    text.replace("\"path\": \"GP4.exe\"", "\"path\": \"../outside.exe\"");
    writeFile(manifest, text);
    const QString outside = QDir(game()).filePath("../outside.exe");
    QFile::remove(outside);
    const backup::RestoreReport report =
        backup::RestoreBackup(backup::ListBackups(root(), game())[0]);
    EXPECT_FALSE(QFile::exists(outside));
    ASSERT_EQ(report.skipped.size(), 1);
    EXPECT_TRUE(report.skipped[0].contains("outside the game folder"));
}

// Every entry of a backup is checked before the first file is written: a damaged or forged entry
// anywhere in it leaves every game file as it is.
TEST_F(Backups, ADamagedOrForgedEntryStopsTheRestoreBeforeItsFirstWrite) {
    struct Case {
        const char* name;
        std::function<void(const backup::Backup&, QByteArray& manifest)> damage;
    };
    auto copyOf = [](const backup::Backup& b, int i) {
        return QDir(b.folder).filePath(b.entries[size_t(i)].copyName);
    };
    const std::vector<Case> cases{
        {"save-state copy cut short",
         [&](const backup::Backup& b, QByteArray&) {
             QFile f(copyOf(b, 1));
             ASSERT_TRUE(f.resize(600));
         }},
        {"save-state copy changed",
         [&](const backup::Backup& b, QByteArray&) {
             QByteArray bytes = readFile(copyOf(b, 1));
             bytes[5] = char(bytes[5] ^ 1);
             writeFile(copyOf(b, 1), bytes);
         }},
        {"save-state copy a link to a file outside the backup",
         [&](const backup::Backup& b, QByteArray&) {
             const QString outside = backupDir.filePath("outside.sav");
             writeFile(outside, readFile(copyOf(b, 1)));
             QFile::remove(copyOf(b, 1));
             ASSERT_TRUE(QFile::link(outside, copyOf(b, 1)));
         }},
        {"executable recorded as absent",
         [&](const backup::Backup&, QByteArray& manifest) {
             manifest.replace("\"kind\": \"whole\"", "\"kind\": \"absent\"");
         }},
        {"size recorded wrong",
         [&](const backup::Backup&, QByteArray& manifest) {
             manifest.replace("\"size\": 700", "\"size\": 650");
         }},
        {"archive range copy changed",
         [&](const backup::Backup& b, QByteArray&) {
             QByteArray bytes = readFile(copyOf(b, 4));
             bytes[0] = char(bytes[0] ^ 1);
             writeFile(copyOf(b, 4), bytes);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(root()).removeRecursively();
        SetUp();
        backup::Backup made = backup::CreateBackup(root(), plan());
        exportChanges();
        backup::RecordStateAfter(made);
        const QString manifestPath = QDir(made.folder).filePath("manifest.json");
        QByteArray manifest = readFile(manifestPath);
        c.damage(made, manifest);
        writeFile(manifestPath, manifest);
        const auto exported = snapshot();
        const std::vector<backup::Backup> listed = backup::ListBackups(root(), game());
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_THROW(backup::RestoreBackup(listed[0]), model::GameFileError);
        EXPECT_TRUE(snapshot() == exported);
    }
}

// A restore whose write fails half-way puts back what it had written. (The failing write replaces
// the C library's write calls, which Windows programs do not go through.)
#ifndef _WIN32
TEST_F(Backups, ARestoreThatFailsHalfWayUndoesItsWrites) {
    backup::Backup made = backup::CreateBackup(root(), plan());
    exportChanges();
    backup::RecordStateAfter(made);
    const auto exported = snapshot();
    {
        // QSaveFile writes an unnamed file in the folder first: the failure is matched by folder.
        FailingWrites failing(QStringLiteral("/images/"), 1);
        try {
            backup::RestoreBackup(backup::ListBackups(root(), game())[0]);
            ADD_FAILURE() << "no error";
        } catch (const model::GameFileError& e) {
            EXPECT_TRUE(e.message().contains("Nothing has been restored"))
                << e.message().toStdString();
        }
        EXPECT_GE(failing.failed(), 1);
    }
    EXPECT_TRUE(snapshot() == exported);
}
#endif
