// Files written in place and flushed, and folders flushed: what a backup in the making is written
// with. Faults are caused by failing the system's write and flush calls.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "DemoFolder.h"
#include "FailingWrites.h"
#include "GameFileFixtures.h"
#include "core/bytes/GameFileError.h"
#include "core/bytes/SaveFile.h"

using namespace pw::model;
using pw::test::DemoFolder;
using pw::test::FailingWrites;
using pw::test::readFile;

namespace {
// The message of the error thrown by f, or nothing when it throws none.
template <typename F>
QString errorOf(F f) {
    try {
        f();
    } catch (const GameFileError& e) {
        return e.file() + QStringLiteral(" | ") + e.expected();
    }
    return {};
}
}  // namespace

TEST(WriteToDisk, WritesTheWholeFileAndReplacesALongerOne) {
    DemoFolder game;
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("01_GP4.exe"));
    const QByteArray exe = readFile(game.exe());
    writeFileToDisk(copy, QByteArray(exe.size() + 100, 'x'));
    writeFileToDisk(copy, exe);
    EXPECT_EQ(readFile(copy), exe);
    syncFolderToDisk(dir.path());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("01_GP4.exe")});
}

TEST(WriteToDisk, AFailedWriteOrFlushSaysWhy) {
    DemoFolder game;
    const QByteArray exe = readFile(game.exe());
    struct Case {
        const char* name;
        FailingWrites::Call call;
        int error;
        const char* said;
    };
    for (const Case& c : {Case{"write", FailingWrites::Call::Write, ENOSPC,
                               "cannot be written: No space left on device"},
                          Case{"flush", FailingWrites::Call::Sync, EIO,
                               "cannot be written to the disk: Input/output error"}}) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("01_GP4.exe"));
        FailingWrites failing(QStringLiteral("01_GP4.exe"), 1, c.call, c.error);
        const QString error = errorOf([&] { writeFileToDisk(copy, exe); });
        EXPECT_EQ(failing.failed(), 1);
        EXPECT_EQ(error, copy + QStringLiteral(" | ") + QLatin1String(c.said));
    }
}

TEST(WriteToDisk, AMissingFolderAndAFailedFolderFlushAreErrors) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no/such"));
    EXPECT_TRUE(errorOf([&] {
                    writeFileToDisk(missing + QStringLiteral("/x.car"), "x");
                }).contains(QStringLiteral("cannot be created: ")));
    EXPECT_EQ(
        errorOf([&] { syncFolderToDisk(missing); }),
        missing + QStringLiteral(" | cannot be written to the disk: No such file or directory"));

    const QString folder = dir.filePath(QStringLiteral("2026-12-11_05-40-00Z.partial"));
    ASSERT_TRUE(QDir().mkdir(folder));
    FailingWrites failing(QStringLiteral(".partial"), 1, FailingWrites::Call::Sync, EIO);
    EXPECT_EQ(errorOf([&] { syncFolderToDisk(folder); }),
              folder + QStringLiteral(" | cannot be written to the disk: Input/output error"));
    EXPECT_EQ(failing.failed(), 1);
}
