#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>

#include "EditorHarness.h"
#include "GameFileFixtures.h"
#include "WindowValues.h"
#include "app/window/ComponentNames.h"
#include "app/window/ImagesPage.h"
#include "core/tables/SaveState.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {

std::string joined(const QStringList& list) {
    return list.join('\n').toStdString();
}

// What a healthy import of the demo game shows in every box but the wheel positions.
WindowValues healthyValues() {
    EditorHarness h;
    h.importAll();
    return windowValues(h.editor(), performanceBoxes());
}

}  // namespace

// A damaged cars archive is one without a collision mesh: its message, the rest of the game is
// imported, and Export All writes everything but the wheel positions, saying so.
TEST(DamagedGameFiles, ADamagedCarsArchiveStopsOnlyTheWheelPositions) {
    const WindowValues healthy = healthyValues();
    struct Case {
        const char* name;
        std::function<void(EditorHarness&, uint32_t mesh)> damage;
    };
    const std::vector<Case> cases{
        {"directory larger than the file",
         [](EditorHarness& h, uint32_t) {
             QByteArray bytes = readFile(h.game().carsWad());
             poke(bytes, 0, u32le(100000));
             writeFile(h.game().carsWad(), bytes);
         }},
        {"collision mesh cut short",
         [](EditorHarness& h, uint32_t mesh) {
             QFile file(h.game().carsWad());
             ASSERT_TRUE(file.resize(mesh + 100));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditorHarness h;
        h.importAll();
        c.damage(h, *h.model().tyres.collisionMeshOffset);
        h.messages.shown.clear();
        h.importAll();
        ASSERT_EQ(h.messages.shown.size(), 1) << joined(h.messages.shown);
        EXPECT_TRUE(h.messages.shown[0].contains("cars.wad")) << joined(h.messages.shown);
        EXPECT_TRUE(h.messages.shown[0].contains("damaged")) << joined(h.messages.shown);
        EXPECT_TRUE(windowValues(h.editor(), performanceBoxes()) == healthy);

        auto expected = h.game().snapshot();
        h.setText(names::driverNumber(0), "7");
        h.setText(names::tyrePosition(1), "75");
        h.messages.shown.clear();
        h.editor().exportAll();
        EXPECT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
        ASSERT_EQ(h.messages.shown.size(), 1) << joined(h.messages.shown);
        EXPECT_TRUE(h.messages.shown[0].contains("tyre positions haven't been exported"));
        EXPECT_EQ(h.editor().status(), "Export Done");
        QByteArray& save = expected["f1gstate.sav"];
        poke(save, model::save::kDriverNumbers, u8le(7));
        poke(save, save.size() - 4, u32le(model::saveStateChecksumOf(save.left(save.size() - 4))));
        EXPECT_TRUE(h.game().snapshot() == expected);
    }
}

// A picture that is missing or short leaves its box empty with one error; the other pictures and
// every field are still filled.
TEST(DamagedGameFiles, AMissingOrShortPictureStopsOnlyThatPicture) {
    const WindowValues healthy = healthyValues();
    for (const qint64 size : {qint64(-1), qint64(1000)}) {
        SCOPED_TRACE(size);
        EditorHarness h;
        h.editor().setTeamImages(nullptr);  // the window's own pictures
        const QString first = h.game().file(QStringLiteral("MenuData/PC/GP2001/images/33.gpi"));
        if (size < 0) {
            ASSERT_TRUE(QFile::remove(first));
        } else {
            QFile file(first);
            ASSERT_TRUE(file.resize(size));
        }
        h.editor().importAll();
        ASSERT_EQ(h.messages.errors.size(), 1) << joined(h.messages.errors);
        EXPECT_TRUE(h.messages.errors[0].contains("33.gpi")) << joined(h.messages.errors);
        EXPECT_EQ(h.editor().status(), "Import Done");
        EXPECT_TRUE(windowValues(h.editor(), performanceBoxes()) == healthy);
        app::ImagesPage* page = h.window().imagesPage();
        EXPECT_TRUE(page->driverPicture(0)->pixmap().isNull());
        EXPECT_FALSE(page->driverPicture(1)->pixmap().isNull());
        EXPECT_FALSE(page->gridCarPicture()->pixmap().isNull());
    }
}

// An own file far larger than any of its kind is refused before it is read whole.
TEST(DamagedGameFiles, OwnFilesLargerThanAnyOfTheirKindAreRefused) {
    EditorHarness h;
    h.importAll();
    QTemporaryDir dir;
    const WindowValues before = windowValues(h.editor(), everyValueBox());
    struct Case {
        const char* file;
        qint64 size;
        QAction* load;
    };
    for (const Case& c : {Case{"big.car", 70 * 1024, h.window().loadTeamAction()},
                          Case{"big.cam", 70 * 1024, h.window().loadTeamAction()},
                          Case{"big.g4p", 1024 * 1024 + 1, h.window().loadPerformanceAction()}}) {
        SCOPED_TRACE(c.file);
        const QString path = dir.filePath(QLatin1String(c.file));
        writeFile(path, patternBytes(c.size));
        h.messages.errors.clear();
        h.dialogs.files.push_back(path);
        c.load->trigger();
        ASSERT_EQ(h.messages.errors.size(), 1) << joined(h.messages.errors);
        EXPECT_TRUE(h.messages.errors[0].contains("too large")) << joined(h.messages.errors);
        EXPECT_TRUE(windowValues(h.editor(), everyValueBox()) == before);
    }
}
