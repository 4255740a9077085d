#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FileSizeLimit.h"
#include "core/bytes/GameFileError.h"
#include "core/bytes/SaveFile.h"

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
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("perf.txt")})
            << "no temporary file left behind";
    }
}

TEST(SaveFile, MissingFolderAndMissingFileAreErrors) {
    QTemporaryDir dir;
    EXPECT_THROW(saveFileAtomically(dir.filePath(QStringLiteral("no/such/x.car")), "x"),
                 GameFileError);
    EXPECT_THROW(readWholeFile(dir.filePath(QStringLiteral("absent.car"))), GameFileError);
}

// A whole file is read as it is, up to the size its kind allows; the error says which rule it
// broke.
TEST(SaveFile, AWholeFileIsReadUpToItsKindsSize) {
    QTemporaryDir dir;
    const QByteArray big(200000, 'b');
    struct Case {
        const char* name;
        QByteArray bytes;
        qint64 maxSize;
        const char* error;  // nullptr: read whole
    } cases[] = {
        {"empty.car", "", 10, nullptr},
        {"small.car", "abc", 3, nullptr},
        {"big.car", big, 200000, nullptr},
        {"over.car", "abcd", 3, "too large for a file of its kind (4 bytes, at most 3)"},
        {"absent.car", {}, 10, "cannot be opened: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QLatin1String(c.name));
        if (!c.bytes.isNull()) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            ASSERT_EQ(f.write(c.bytes), c.bytes.size());
        }
        try {
            const QByteArray read = readWholeFile(path, c.maxSize);
            EXPECT_EQ(c.error, nullptr);
            EXPECT_EQ(read, c.bytes);
        } catch (const GameFileError& e) {
            ASSERT_NE(c.error, nullptr) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QLatin1String(c.error))) << e.message().toStdString();
        }
    }
}
