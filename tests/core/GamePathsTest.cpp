#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/bytes/GamePaths.h"

using namespace pw::model;

TEST(GamePaths, FileNamePartFollowsEitherSeparator) {
    EXPECT_EQ(fileNamePart(QStringLiteral("C:\\Games\\GP4\\GP4.exe")), QStringLiteral("GP4.exe"));
    EXPECT_EQ(fileNamePart(QStringLiteral("/a/b\\c.wad")), QStringLiteral("c.wad"));
    EXPECT_EQ(fileNamePart(QStringLiteral("GP4.exe")), QStringLiteral("GP4.exe"));
    EXPECT_EQ(folderPart(QStringLiteral("/a/b\\c.wad")), QStringLiteral("/a/b"));
}

TEST(GamePaths, ResolvesEveryComponentWithoutRegardToCase) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("MenuData/PC/GP2001/images"));
    QFile f(dir.filePath(QStringLiteral("GP4.EXE")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    EXPECT_EQ(resolvePath(joinPath(dir.path(), QStringLiteral("gp4.exe"))), dir.filePath(QStringLiteral("GP4.EXE")));
    EXPECT_EQ(resolvePath(joinPath(dir.path(), QStringLiteral("\\menudata\\pc\\gp2001\\Images\\"))),
              dir.filePath(QStringLiteral("MenuData/PC/GP2001/images/")));
    EXPECT_TRUE(fileExists(joinPath(dir.path(), QStringLiteral("Gp4.Exe"))));
    EXPECT_FALSE(fileExists(joinPath(dir.path(), QStringLiteral("menudata"))));
    EXPECT_TRUE(folderExists(joinPath(dir.path(), QStringLiteral("MENUDATA/pc"))));
    // A missing component keeps the rest as given, so the tried path can be shown.
    EXPECT_EQ(resolvePath(joinPath(dir.path(), QStringLiteral("menudata/none/x.gpi"))),
              dir.filePath(QStringLiteral("MenuData/none/x.gpi")));
#ifdef Q_OS_WIN
    // A drive path as an installer may write it: backslashes, every letter upper case.
    const QString shouted = QDir::toNativeSeparators(dir.path()).toUpper() + QStringLiteral("\\GP4.EXE");
    EXPECT_EQ(resolvePath(shouted), dir.filePath(QStringLiteral("GP4.EXE")));
#endif
}
