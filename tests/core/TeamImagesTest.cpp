#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "DemoFolder.h"
#include "core/images/TeamImages.h"
#include "core/images/TeamPictures.h"
#include "core/bytes/GameFileError.h"

using namespace pw;

namespace {

QString imagesFolder(const test::DemoFolder& game) { return game.file(QStringLiteral("MenuData/PC/GP2001/images")); }

QByteArray picture(const test::DemoFolder& game, const char* number) {
    QFile f(imagesFolder(game) + QLatin1Char('/') + QLatin1String(number) + QStringLiteral(".gpi"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(TeamImages, ExchangesSwapTheNumbersAndTwoExchangesOnDiskEndAsTheyStarted) {
    const test::DemoFolder game;
    model::EditorModel m;
    images::resetTeamImages(m);
    images::exchangeTeamImages(m, 1, 2);
    EXPECT_EQ(m.teams[1].driverImageNames[0], QStringLiteral("72"));
    EXPECT_EQ(m.teams[2].gridCarImageName, QStringLiteral("179"));
    images::exchangeTeamImages(m, 1, 2);
    EXPECT_EQ(m.teams[1].driverImageNames[0], QStringLiteral("193"));
    ASSERT_EQ(m.PendingImageSwaps.size(), 2u);

    const auto before = game.snapshot();
    const auto report = images::SwapGPIs(imagesFolder(game), {{1, 2}});
    EXPECT_EQ(report.failedCopies, 0);
    // One exchange: McLaren's first driver now holds Williams' picture and the other way round.
    EXPECT_EQ(picture(game, "193"), before.at(QStringLiteral("MenuData/PC/GP2001/images/72.gpi")));
    EXPECT_EQ(picture(game, "72"), before.at(QStringLiteral("MenuData/PC/GP2001/images/193.gpi")));
    EXPECT_EQ(picture(game, "179"), before.at(QStringLiteral("MenuData/PC/GP2001/images/182.gpi")));
    images::SwapGPIs(imagesFolder(game), {{1, 2}});
    auto after = game.snapshot();
    // The spare "0.gpi" stays with the last copied picture; everything else is as it started.
    EXPECT_EQ(after.erase(QStringLiteral("MenuData/PC/GP2001/images/0.gpi")), 1u);
    EXPECT_TRUE(after == before);

    images::resetTeamImages(m);
    EXPECT_TRUE(m.PendingImageSwaps.empty());
    EXPECT_EQ(m.teams[1].driverImageNames[0], QStringLiteral("193"));
}

TEST(TeamImages, ExchangingATeamWithItselfLeavesItsPicturesAlone) {
    const test::DemoFolder game;
    const auto before = game.snapshot();
    images::SwapGPIs(imagesFolder(game), {{3, 3}});
    auto after = game.snapshot();
    after.erase(QStringLiteral("MenuData/PC/GP2001/images/0.gpi"));
    EXPECT_TRUE(after == before);
}

// The three copies of an exchange depend on each other: when the spare "0.gpi" cannot be
// written, copying A over B would lose B's picture for good.
TEST(TeamImages, AnExchangeStopsAtItsFirstFailedCopyAndLosesNoPicture) {
    const test::DemoFolder game;
    const auto before = game.snapshot();
    // A folder in the spare's place: no picture can be copied to it.
    ASSERT_TRUE(QDir(imagesFolder(game)).mkdir(QStringLiteral("0.gpi")));
    const auto report = images::SwapGPIs(imagesFolder(game), {{0, 1}});
    EXPECT_EQ(report.failedCopies, 3);  // the first copy of each of the three pictures
    EXPECT_TRUE(picture(game, "193") ==
                before.at(QStringLiteral("MenuData/PC/GP2001/images/193.gpi")))
        << "McLaren's first driver lost its picture";
    EXPECT_TRUE(game.snapshot() == before);
}

TEST(TeamImages, AMissingImagesFolderTouchesNothing) {
    const test::DemoFolder game({0, true, true, false});
    const auto before = game.snapshot();
    const auto report = images::SwapGPIs(imagesFolder(game), {{0, 1}});
    EXPECT_FALSE(report.folderFound);
    EXPECT_TRUE(game.snapshot() == before);
    EXPECT_FALSE(images::SwapGPIs(QString(), {{0, 1}}).folderFound);
}

TEST(TeamImages, PicturesAreReadWholeAndAShortFileFails) {
    const test::DemoFolder game;
    model::EditorModel m;
    images::resetTeamImages(m);
    const QImage grid = images::readTeamPicture(images::gridCarPicturePath(imagesFolder(game), m, 0),
                                                images::kGridCarWidth, images::kGridCarHeight);
    EXPECT_EQ(grid.size(), QSize(200, 49));
    EXPECT_EQ(images::bytesFromPicture(grid), picture(game, "178"));

    const QString path = images::gridCarPicturePath(imagesFolder(game), m, 1);
    QFile::resize(path, images::kGridCarBytes - 1);
    try {
        images::readTeamPicture(path, images::kGridCarWidth, images::kGridCarHeight);
        FAIL() << "a 39199-byte grid picture was read";
    } catch (const model::GameFileError& e) {
        EXPECT_TRUE(e.file().endsWith(QStringLiteral("179.gpi")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("needs 39200 bytes")));
    }
}
