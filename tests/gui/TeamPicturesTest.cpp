#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "EditorHarness.h"
#include "GameFileFixtures.h"
#include "app/window/ComponentNames.h"
#include "app/window/ImagesPage.h"
#include "core/bytes/FileStamp.h"
#include "core/images/TeamImages.h"
#include "core/images/TeamPictures.h"
#include "core/bytes/Text.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {

const QString kImages = QStringLiteral("MenuData/PC/GP2001/images");

QString spareOf(const QString& folder) {
    return folder + QStringLiteral("/0.gpi");
}

// Copies every file of one folder into another (created when missing).
void copyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(from + '/' + name, to + '/' + name)) << name.toStdString();
}

std::map<QString, QByteArray> folderSnapshot(const QString& folder) {
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        files[name] = readFile(folder + '/' + name);
    return files;
}

QImage shown(QLabel* box) {
    return box->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

class TeamPictures : public testing::Test {
protected:
    void SetUp() override {
        h.editor().setTeamImages(nullptr);  // the window's own pictures, not the recorder
        h.importAll();
    }
    app::ImagesPage* page() { return h.window().imagesPage(); }
    QString folder() const { return h.game().file(kImages); }
    QImage picture(const QString& inFolder, const char* number, bool gridCar = false) {
        const QString path = inFolder + '/' + QLatin1String(number) + ".gpi";
        return gridCar
                   ? images::readTeamPicture(path, 200, 49).convertToFormat(QImage::Format_RGB32)
                   : images::readTeamPicture(path, 256, 256).convertToFormat(QImage::Format_RGB32);
    }
    // The three pictures the Images page shows, by the picture numbers they must come from.
    void expectShown(const char* first, const char* second, const char* gridCar,
                     const QString& from = {}) {
        const QString f = from.isEmpty() ? folder() : from;
        EXPECT_TRUE(shown(page()->driverPicture(0)) == picture(f, first)) << first;
        EXPECT_TRUE(shown(page()->driverPicture(1)) == picture(f, second)) << second;
        EXPECT_TRUE(shown(page()->gridCarPicture()) == picture(f, gridCar, true)) << gridCar;
    }
    void exchange(int a, int b) {
        page()->firstTeam()->setCurrentIndex(a);
        page()->secondTeam()->setCurrentIndex(b);
        page()->applyButton()->click();
    }

    EditorHarness h;
};

}  // namespace

TEST_F(TeamPictures, TheImagesPageShowsTheSelectedTeamsPictures) {
    struct Case {
        int team;
        const char *first, *second, *gridCar;
    };
    const Case cases[] = {
        {0, "33", "61", "178"}, {5, "60", "74", "186"}, {10, "304", "271", "188"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.team);
        h.click(names::imagesCaption(c.team));
        expectShown(c.first, c.second, c.gridCar);
        for (int j = 0; j < 2; ++j)
            EXPECT_EQ(page()->driverNameBox(j)->text(),
                      model::Mister(h.text(names::driverName(2 * c.team + j))));
    }
    EXPECT_FALSE(picture(folder(), "33") == picture(folder(), "60"));
    // The 256 x 256 driver pictures are stretched into 97 x 97 boxes, the grid car fits its box.
    for (QLabel* box : {page()->driverPicture(0), page()->driverPicture(1)}) {
        EXPECT_EQ(box->size(), QSize(97, 97));
        EXPECT_TRUE(box->hasScaledContents());
        EXPECT_EQ(box->pixmap().size(), QSize(256, 256));
    }
    EXPECT_EQ(page()->gridCarPicture()->size(), QSize(200, 49));
    EXPECT_EQ(page()->gridCarPicture()->pixmap().size(), QSize(200, 49));
    // Drawn at its size: every pixel of the box is the picture's own (the last team's).
    const QImage drawn =
        page()->gridCarPicture()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(drawn == picture(folder(), "188", true));
}

TEST_F(TeamPictures, TwoExchangesOfTheSameTeamsEndAsTheyStartedOnDisk) {
    const auto before = folderSnapshot(folder());
    h.click(names::imagesCaption(1));
    exchange(1, 2);
    expectShown("72", "272", "182");  // team 1 now shows team 2's pictures
    EXPECT_EQ(h.model().SelectedTeam, 1);
    exchange(1, 2);
    expectShown("193", "63", "179");
    ASSERT_EQ(h.model().PendingImageSwaps.size(), 2u);

    h.editor().exportAll();
    EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    auto after = folderSnapshot(folder());
    EXPECT_EQ(after.erase("0.gpi"), 1u);  // the spare stays with the last copied picture
    EXPECT_TRUE(after == before);
    EXPECT_TRUE(h.model().PendingImageSwaps.empty());
}

TEST_F(TeamPictures, ASecondExportAllDoesNotUndoTheFirst) {
    const auto before = folderSnapshot(folder());
    exchange(1, 2);
    h.editor().exportAll();
    h.editor().exportAll();
    const auto after = folderSnapshot(folder());
    for (const auto& [a, b] :
         {std::pair{"193.gpi", "72.gpi"}, {"63.gpi", "272.gpi"}, {"179.gpi", "182.gpi"}}) {
        EXPECT_TRUE(after.at(a) == before.at(b)) << a;
        EXPECT_TRUE(after.at(b) == before.at(a)) << b;
    }
    EXPECT_TRUE(after.at("33.gpi") == before.at("33.gpi"));
    // The numbers are the game's own again and the files hold the exchanged pictures, so the
    // page keeps showing what it showed after the exchange.
    EXPECT_EQ(h.model().teams[1].driverImageNames[0], "193");
    h.click(names::imagesCaption(1));
    EXPECT_TRUE(shown(page()->driverPicture(0)) ==
                images::pictureFromBytes(before.at("72.gpi"), 256, 256)
                    .convertToFormat(QImage::Format_RGB32));
}

TEST_F(TeamPictures, ExchangingATeamWithItselfChangesNoFile) {
    const auto before = folderSnapshot(folder());
    exchange(3, 3);
    ASSERT_EQ(h.model().PendingImageSwaps, (std::vector<std::pair<int, int>>{{3, 3}}));
    h.editor().exportAll();
    auto after = folderSnapshot(folder());
    after.erase("0.gpi");
    EXPECT_TRUE(after == before);
}

TEST_F(TeamPictures, AnotherImagesPathIsReadButTheGamesFolderIsExchanged) {
    QTemporaryDir other;
    copyFolder(folder(), other.path());
    // The other folder's pictures of team 0 differ from the game's: their bytes inverted.
    for (const char* number : {"33", "61", "178"}) {
        const QString path = other.filePath(QLatin1String(number) + ".gpi");
        QByteArray bytes = readFile(path);
        for (char& b : bytes) b = char(~b);
        writeFile(path, bytes);
    }
    const auto otherBefore = folderSnapshot(other.path());
    const auto gameBefore = folderSnapshot(folder());
    h.dialogs.files.push_back(other.filePath("61.gpi"));
    h.window().changeImagesPathAction()->trigger();
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    expectShown("33", "61", "178", other.path());
    EXPECT_FALSE(shown(page()->driverPicture(0)) == picture(folder(), "33"));

    exchange(0, 1);
    h.editor().exportAll();
    EXPECT_TRUE(folderSnapshot(other.path()) == otherBefore);
    const auto gameAfter = folderSnapshot(folder());
    EXPECT_TRUE(gameAfter.at("33.gpi") == gameBefore.at("193.gpi"));
    EXPECT_TRUE(gameAfter.at("178.gpi") == gameBefore.at("179.gpi"));
}

TEST_F(TeamPictures, AGridCarPictureMustHoldAllItsBytes) {
    const QString gridCar = folder() + "/178.gpi";
    const QByteArray full = readFile(gridCar);
    ASSERT_EQ(full.size(), 39200);
    struct Case {
        int size;
        bool loads;
    };
    for (const Case& c : {Case{39199, false}, Case{39200, true}, Case{39300, true}}) {
        SCOPED_TRACE(c.size);
        QByteArray bytes = full;
        bytes.resize(c.size);
        writeFile(gridCar, bytes);
        page()->gridCarPicture()->clear();
        h.messages.errors.clear();
        h.click(names::imagesCaption(0));
        if (c.loads) {
            EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
            EXPECT_FALSE(page()->gridCarPicture()->pixmap().isNull());
            continue;
        }
        ASSERT_EQ(h.messages.errors.size(), 1);
        const QString error = h.messages.errors[0];
        EXPECT_TRUE(error.contains("178.gpi")) << error.toStdString();
        EXPECT_TRUE(error.contains("needs 39200 bytes, 39199 left")) << error.toStdString();
        EXPECT_TRUE(page()->gridCarPicture()->pixmap().isNull());
        // The selection stopped at the pictures: the highlight steps after them did not run.
        EXPECT_EQ(h.model().SelectedTeam, 0);
    }
}

TEST(TeamPicturesWithoutSaveState, NoPictureIsLoadedAndNothingIsReported) {
    HarnessOptions o;
    o.demo.saveState = false;
    EditorHarness h(o);
    h.editor().setTeamImages(nullptr);
    h.editor().importAll();
    EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_TRUE(h.window().imagesPage()->driverPicture(0)->pixmap().isNull());
    EXPECT_TRUE(h.window().imagesPage()->gridCarPicture()->pixmap().isNull());
}

TEST(TeamPicturesWithoutImagesFolder, ExportAllTouchesNoFileAndKeepsTheExchanges) {
    EditorHarness h;
    h.editor().setTeamImages(nullptr);
    h.importAll();
    const QString gameImages = h.game().file(kImages);
    // The pictures are shown from a copy; the game's own folder goes away.
    QTemporaryDir shownFrom;
    copyFolder(gameImages, shownFrom.path());
    h.settings().write("", "GpiPath", QDir::toNativeSeparators(shownFrom.path()) + "/");
    ASSERT_TRUE(QDir(gameImages).removeRecursively());
    // Files of the same names in the current folder must stay as they are.
    QTemporaryDir current;
    copyFolder(shownFrom.path(), current.path());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(current.path());
    const auto currentBefore = folderSnapshot(current.path());
    const auto shownBefore = folderSnapshot(shownFrom.path());
    const auto gameBefore = h.game().snapshot();

    h.window().imagesPage()->firstTeam()->setCurrentIndex(1);
    h.window().imagesPage()->secondTeam()->setCurrentIndex(2);
    h.window().imagesPage()->applyButton()->click();
    h.editor().exportAll();
    QDir::setCurrent(previous);

    EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    ASSERT_EQ(h.messages.shown.size(), 1);
    EXPECT_TRUE(h.messages.shown[0].contains("images folder can't be found"));
    EXPECT_EQ(h.editor().status(), "Export Done");
    EXPECT_TRUE(folderSnapshot(current.path()) == currentBefore);
    EXPECT_TRUE(folderSnapshot(shownFrom.path()) == shownBefore);
    EXPECT_FALSE(QFileInfo::exists(spareOf(gameImages)));
    EXPECT_TRUE(h.game().snapshot() == gameBefore);
    EXPECT_EQ(h.model().PendingImageSwaps.size(), 1u);
}

TEST_F(TeamPictures, AReselectedTeamShowsItsPicturesAsTheyAreOnDisk) {
    // Stamps trusted at once: a picture read is kept while its file keeps its stamp.
    model::setSettleTime(0);
    struct SettleBack {
        ~SettleBack() { model::setSettleTime(model::kDefaultSettleMs); }
    } settleBack;
    h.click(names::imagesCaption(0));
    const qint64 first = page()->driverPicture(0)->pixmap().cacheKey();
    h.click(names::imagesCaption(5));
    expectShown("60", "74", "186");
    h.click(names::imagesCaption(0));
    expectShown("33", "61", "178");
    // Unchanged on disk: the picture read before is shown again.
    EXPECT_EQ(page()->driverPicture(0)->pixmap().cacheKey(), first);

    // Another picture written over team 0's first, with another time: it is read anew.
    const QString path = folder() + "/33.gpi";
    writeFile(path, readFile(folder() + "/60.gpi"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                  QFileDevice::FileModificationTime));
    }
    h.click(names::imagesCaption(5));
    h.click(names::imagesCaption(0));
    EXPECT_TRUE(shown(page()->driverPicture(0)) == picture(folder(), "60"));
    EXPECT_TRUE(shown(page()->driverPicture(1)) == picture(folder(), "61"));
    // Gone from disk: the box is emptied and the error told, as at the first read.
    ASSERT_TRUE(QFile::remove(path));
    h.messages.errors.clear();
    h.click(names::imagesCaption(5));
    h.click(names::imagesCaption(0));
    EXPECT_TRUE(page()->driverPicture(0)->pixmap().isNull());
    ASSERT_EQ(h.messages.errors.size(), 1);
    EXPECT_TRUE(h.messages.errors[0].contains("33.gpi")) << h.messages.errors[0].toStdString();
}
