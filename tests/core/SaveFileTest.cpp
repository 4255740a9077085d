#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FileSizeLimit.h"
#include "core/bytes/SaveFile.h"
#include "core/bytes/GameFileError.h"

using namespace pw::model;
using pw::model::GameFileError;
using pw::test::FileSizeLimit;

namespace {
QByteArray contents(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}
}  // namespace

TEST(SaveFile, WritesAndReplacesTheWholeFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("team.car"));
    saveFileAtomically(path, QByteArray("a longer first version"));
    saveFileAtomically(path, QByteArray("second"));
    EXPECT_EQ(contents(path), QByteArray("second"));
    EXPECT_EQ(readWholeFile(path), QByteArray("second"));
}

TEST(SaveFile, FailedSaveLeavesThePreviousFileWholeAndSaysWhy) {
    // A large file fails while it is written; a small one only when the buffered bytes go to disk
    // as the save is committed, which must not replace the earlier file either.
    for (const int size : {64 * 1024, 1040, 244}) {
        SCOPED_TRACE(size);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("perf.txt"));
        saveFileAtomically(path, QByteArray("previous"));
        {
            FileSizeLimit limit(100);
            try {
                saveFileAtomically(path, QByteArray(size, 'x'));
                ADD_FAILURE() << "a save past the size limit reported success";
            } catch (const GameFileError& e) {
                EXPECT_EQ(e.file(), path);
                EXPECT_FALSE(e.expected().isEmpty());
            }
        }
        EXPECT_EQ(contents(path), QByteArray("previous"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
                  QStringList{QStringLiteral("perf.txt")})
            << "no temporary file left behind";
    }
}

TEST(SaveFile, MissingFolderAndMissingFileAreErrors) {
    QTemporaryDir dir;
    EXPECT_THROW(saveFileAtomically(dir.filePath(QStringLiteral("no/such/x.car")), "x"),
                 GameFileError);
    EXPECT_THROW(readWholeFile(dir.filePath(QStringLiteral("absent.car"))), GameFileError);
}
