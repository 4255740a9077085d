#include <gtest/gtest.h>

#include <QDir>

#include "CliRun.h"
#include "DemoFolder.h"
#include "GameFileFixtures.h"
#include "IsolatedSettings.h"
#include "core/backup/GameBackup.h"

using namespace pw;
using namespace pw::test;

TEST(CliRestore, ListsTheBackupsOfExportAllAndPutsOneBack) {
    IsolatedSettings settings;
    DemoFolder game;
    const CliResult empty = runCli({"restore", game.path(), "--list"});
    EXPECT_EQ(empty.status, 0) << empty.err.toStdString();
    EXPECT_TRUE(empty.out.isEmpty());

    // What an Export All leaves: a backup of the executable, then the executable changed.
    const QByteArray original = readFile(game.exe());
    backup::BackupPlan plan;
    plan.gameFolder = game.path();
    plan.wholeFiles << game.exe();
    backup::Backup made = backup::CreateBackup(backup::backupsFolder(), plan);
    QByteArray changed = original;
    changed[1000] = char(changed[1000] ^ 0x55);
    writeFile(game.exe(), changed);
    backup::RecordStateAfter(made);

    const CliResult listed = runCli({"restore", game.path(), "--list"});
    EXPECT_EQ(listed.status, 0) << listed.err.toStdString();
    const QString name = QDir(made.folder).dirName();
    EXPECT_EQ(listed.out, name + "  " + made.created.toString("yyyy-MM-dd hh:mm:ss") +
                              "  1 file  (the game before its first export)\n");

    const CliResult wrong = runCli({"restore", game.path(), "1999-01-01_00-00-00"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(readFile(game.exe()), changed);

    const CliResult restored = runCli({"restore", game.path(), name});
    EXPECT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_TRUE(restored.out.contains("GP4.exe")) << restored.out.toStdString();
    EXPECT_EQ(readFile(game.exe()), original);
}
