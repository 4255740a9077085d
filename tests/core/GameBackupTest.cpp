#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

    const backup::RestoreReport report = backup::RestoreBackup(backup::ListBackups(root(), game())[0]);
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

TEST_F(Backups, OnlyTheNewestAreKeptAndOnlyTheGamesAreListed) {
    for (int i = 0; i < 3; ++i) {
        backup::Backup b = backup::CreateBackup(root(), plan());
        backup::RecordStateAfter(b);
    }
    BackupPlan other = plan();
    QTemporaryDir otherGame;
    other.gameFolder = otherGame.path();
    other.wholeFiles.clear();
    other.archiveRange.reset();
    backup::CreateBackup(root(), other);
    EXPECT_EQ(backup::ListBackups(root(), game()).size(), 3u);
    EXPECT_EQ(backup::ListBackups(root(), otherGame.path()).size(), 1u);

    const QStringList all = QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    ASSERT_EQ(all.size(), 4);
    backup::PruneBackups(root(), 2);
    EXPECT_EQ(QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), all.mid(2));
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
    const backup::RestoreReport report = backup::RestoreBackup(backup::ListBackups(root(), game())[0]);
    EXPECT_FALSE(QFile::exists(outside));
    ASSERT_EQ(report.skipped.size(), 1);
    EXPECT_TRUE(report.skipped[0].contains("outside the game folder"));
}
