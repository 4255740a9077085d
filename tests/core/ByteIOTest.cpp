#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <utility>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <sys/stat.h>
#endif

#include "core/bytes/ByteIO.h"
#include "core/bytes/SaveFile.h"

using namespace pw::model;

TEST(ByteReader, ReadsLittleEndianAndRefusesReadsPastTheEnd) {
    ByteReader r(QByteArray::fromHex("0102030405060000803f"), QStringLiteral("buf"));
    EXPECT_EQ(r.u16("a"), 0x0201);
    EXPECT_EQ(r.u32("b"), 0x06050403u);
    EXPECT_FLOAT_EQ(r.f32("c"), 1.0f);
    try {
        r.u8("the next record");
        FAIL() << "read past the end";
    } catch (const GameFileError& e) {
        EXPECT_EQ(e.file(), QStringLiteral("buf"));
        EXPECT_EQ(e.offset(), 10);
        EXPECT_TRUE(e.message().contains(QStringLiteral("the next record")));
    }
    EXPECT_THROW(r.bytesAt(8, 3, "x"), GameFileError);
    EXPECT_THROW(r.require(-1, 1, "x"), GameFileError);
}

TEST(ByteWriter, PadsAndCutsTexts) {
    ByteWriter w;
    w.padded("Ferrari", 10);
    w.padded("a much longer name", 4);
    w.i16(-2);
    EXPECT_EQ(w.data(), QByteArray("Ferrari\0\0\0a mu\xfe\xff", 16));
}

TEST(GameFile, WritesInPlaceAndNeverGrowsTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.bin"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8, 'x'));
    f.close();

    GameFile g(path);
    g.writeU16(2, 0x4142, "word");
    EXPECT_THROW(g.writeU32(6, 1, "word at the end"), GameFileError);
    g.close();
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("xxBAxxxx"));
}

TEST(GameFile, MissingAndWriteProtectedFilesFailOnOpening) {
    QTemporaryDir dir;
    EXPECT_THROW(GameFile(dir.filePath(QStringLiteral("none"))), GameFileError);
    const QString path = dir.filePath(QStringLiteral("ro.bin"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("abcd");
    f.close();
    f.setPermissions(QFileDevice::ReadOwner);
    if (QFile(path).open(QIODevice::ReadWrite)) GTEST_SKIP() << "running as a user who may write anything";
    EXPECT_THROW(GameFile{path}, GameFileError);
}

#ifdef Q_OS_UNIX
// A named pipe or a folder where a game file should be is refused at once, not waited on.
TEST(GameFile, WhatIsNotARegularFileIsRefusedWithoutWaiting) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("GP4.exe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("f1gstate.sav")));
    for (const QString& path : {pipe, dir.filePath(QStringLiteral("f1gstate.sav"))}) {
        SCOPED_TRACE(path.toStdString());
        for (const auto access : {GameFile::Access::ReadOnly, GameFile::Access::ReadWrite}) {
            try {
                GameFile file(path, access);
                ADD_FAILURE() << "opened";
            } catch (const GameFileError& e) {
                EXPECT_TRUE(e.message().contains(QStringLiteral("is not a regular file")))
                    << e.message().toStdString();
            }
        }
        EXPECT_THROW(readWholeFile(path), GameFileError);
    }
}
#endif

TEST(GameFile, InMemoryFileReadsAndWritesLikeOneOnDisk) {
    const QByteArray original("xxxxxxxx");
    GameFile g(original, QStringLiteral("mem.bin"));
    EXPECT_EQ(g.size(), 8);
    EXPECT_EQ(g.displayName(), QStringLiteral("mem.bin"));
    g.writeU16(2, 0x4142, "word");
    EXPECT_THROW(g.writeU32(6, 1, "word at the end"), GameFileError);
    EXPECT_THROW(g.read(7, 2, "past the end"), GameFileError);
    EXPECT_EQ(g.read(1, 3, "middle"), QByteArray("xBA"));
    EXPECT_EQ(g.bytes(), QByteArray("xxBAxxxx"));
    EXPECT_EQ(original, QByteArray("xxxxxxxx"));  // the caller's bytes are its own
}

// What is kept under a file's stamp must be kept under the stamp of the bytes read: the file as
// it was opened, even when another one has taken its path since.
TEST(GameFile, ItsStampIsThatOfTheFileAsOpened) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.bin"));
    const QString other = dir.filePath(QStringLiteral("b.bin"));
    const std::pair<QString, QByteArray> files[] = {{path, QByteArray(10, 'a')},
                                                    {other, QByteArray(25, 'b')}};
    for (const auto& [name, bytes] : files) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    const FileStamp before = fileStampOf(path);
    GameFile file(path, GameFile::Access::ReadOnly);
    EXPECT_TRUE(file.stamp() == before);
    EXPECT_EQ(file.size(), 10);
    // Another file renamed over the path: the open file and its stamp stay the old one's.
#ifdef Q_OS_WIN
    // Windows refuses to replace a file a program holds open, so nothing changes under it.
    const bool replaced = MoveFileExW(reinterpret_cast<const wchar_t*>(other.utf16()),
                                      reinterpret_cast<const wchar_t*>(path.utf16()),
                                      MOVEFILE_REPLACE_EXISTING);
    EXPECT_EQ(fileStampOf(path).size, replaced ? 25 : 10);
#else
    ASSERT_TRUE(std::rename(other.toLocal8Bit().constData(), path.toLocal8Bit().constData()) == 0);
    EXPECT_EQ(fileStampOf(path).size, 25);
#endif
    EXPECT_TRUE(file.stamp() == before);
    EXPECT_EQ(file.read(0, 10, "bytes"), QByteArray(10, 'a'));
    // A file in memory has none.
    EXPECT_FALSE(GameFile(QByteArray(4, 'x'), QStringLiteral("a.bin")).stamp().exists());
}
