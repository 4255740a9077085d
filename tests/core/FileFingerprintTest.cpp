#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include "DemoFolder.h"
#include "core/bytes/FileFingerprint.h"
#include "core/bytes/GameFileError.h"

using namespace pw::model;
using pw::test::DemoFolder;

namespace {
QByteArray independentSha256(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex();
}
}  // namespace

// Hashed piece by piece, a file gives the fingerprint it gives when read whole: the executable
// spans many pieces, the save-state few.
TEST(FileFingerprint, PieceByPieceMatchesTheWholeFile) {
    DemoFolder game;
    for (const QString& path : {game.exe(), game.saveState(), game.carsWad()}) {
        SCOPED_TRACE(path.toStdString());
        const FileFingerprint streamed = fingerprintOf(path);
        const FileContents whole = readFingerprinted(path);
        EXPECT_TRUE(streamed.exists());
        EXPECT_EQ(streamed.sha256, independentSha256(path));
        EXPECT_EQ(streamed.stamp, whole.fingerprint.stamp);
        EXPECT_TRUE(streamed.sameContents(whole.fingerprint));
    }
}

TEST(FileFingerprint, AnEmptyFileAndAnAbsentOneDiffer) {
    DemoFolder game;
    const QString empty = game.file(QStringLiteral("empty.txt"));
    QFile f(empty);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const FileFingerprint none = fingerprintOf(game.file(QStringLiteral("absent.txt")));
    EXPECT_FALSE(none.exists());
    EXPECT_TRUE(none.sha256.isEmpty());
    const FileFingerprint zero = fingerprintOf(empty);
    EXPECT_TRUE(zero.exists());
    EXPECT_EQ(zero.sha256, independentSha256(empty));
    EXPECT_FALSE(zero.sameContents(none));
}

// A folder where a file is expected cannot be read as one.
TEST(FileFingerprint, AFolderCannotBeReadAndSaysSo) {
    DemoFolder game;
    const QString folder = game.file(QStringLiteral("not-a-file"));
    ASSERT_TRUE(QDir().mkdir(folder));
    try {
        fingerprintOf(folder);
        ADD_FAILURE() << "a folder was fingerprinted as a file";
    } catch (const GameFileError& e) {
        EXPECT_EQ(e.file(), folder);
        EXPECT_TRUE(e.expected().startsWith(QStringLiteral("cannot be")))
            << e.expected().toStdString();
    }
}
