#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTest>

#include "EditorHarness.h"
#include "GameFileFixtures.h"
#include "app/PreviewBinding.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/ImagesPage.h"
#include "app/window/WindowFields.h"
#include "core/tables/ExeLayout.h"
#include "core/tables/SaveState.h"
#include "core/tables/TyreBrands.h"
#include "preview/PreviewView.h"
#include "core/archive/TyrePositions.h"
#include "core/archive/WadWriter.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;
namespace exe = pw::model::exe;

namespace {

using Snapshot = std::map<QString, QByteArray>;

// The names of the files that differ between two snapshots of a folder.
QStringList changedFiles(const Snapshot& before, const Snapshot& after) {
    QStringList changed;
    for (const auto& [name, bytes] : before)
        if (!after.count(name) || after.at(name) != bytes) changed << name;
    for (const auto& [name, bytes] : after)
        if (!before.count(name)) changed << name;
    return changed;
}

std::string joined(const QStringList& list) {
    return list.join('\n').toStdString();
}

void cutFile(const QString& path, qint64 size) {
    QFile file(path);
    ASSERT_TRUE(file.resize(size));
}

// A change of one byte that keeps the file's size.
void flipByte(const QString& path, qint64 offset) {
    QByteArray bytes = readFile(path);
    bytes[offset] = char(bytes[offset] ^ 0x5a);
    writeFile(path, bytes);
}

// An export refused after a game file changed: one error naming the file and asking for an
// Import All, no picture exchanged, "Export Done" not shown, and not one byte of the game changed.
void expectRefusedExport(EditorHarness& h, const QString& fileName) {
    const Snapshot before = h.game().snapshot();
    h.messages.errors.clear();
    h.editor().exportAll();
    ASSERT_EQ(h.messages.errors.size(), 1) << joined(h.messages.errors);
    EXPECT_TRUE(h.messages.errors[0].contains(fileName)) << joined(h.messages.errors);
    EXPECT_TRUE(h.messages.errors[0].contains("Import All")) << joined(h.messages.errors);
    EXPECT_NE(h.editor().status(), "Export Done");
    EXPECT_EQ(h.images.swaps, 0);
    EXPECT_TRUE(changedFiles(before, h.game().snapshot()).isEmpty())
        << joined(changedFiles(before, h.game().snapshot()));
}

}  // namespace

// Every game file is checked before the first is written: a file replaced or cut after Import
// All is refused as a whole, with edits pending, and the other files are not patched either.
TEST(ExportSafety, AGameFileChangedAfterImportAllRefusesTheWholeExport) {
    struct Case {
        const char* name;
        const char* file;
        std::function<void(EditorHarness&)> change;
    };
    const std::vector<Case> cases{
        {"executable of the other layout", "GP4.exe",
         [](EditorHarness& h) {
             DemoFolder other(demo::DemoOptions{102, true, true, true});
             writeFile(h.game().exe(), readFile(other.exe()));
         }},
        {"executable cut short", "GP4.exe",
         [](EditorHarness& h) { cutFile(h.game().exe(), 2400000); }},
        {"save-state cut short", "f1gstate.sav",
         [](EditorHarness& h) { cutFile(h.game().saveState(), 97000); }},
        {"save-state gone", "f1gstate.sav",
         [](EditorHarness& h) { QFile::remove(h.game().saveState()); }},
        {"archive whose collision mesh lies elsewhere", "cars.wad",
         [](EditorHarness& h) {
             const uint32_t imported = *h.model().tyres.collisionMeshOffset;
             const auto entries =
                 wad::WriteWad(h.game().carsWad(), {{"cars\\pad.gp4", QByteArray(5000, 'p')},
                                                    {"car_collision_mesh.ct", patternBytes(400)}});
             ASSERT_NE(entries[1].offset, imported);
         }},
        {"executable with one byte changed outside the tables", "GP4.exe",
         [](EditorHarness& h) { flipByte(h.game().exe(), 40); }},
        {"save-state written by the game since", "f1gstate.sav",
         [](EditorHarness& h) { flipByte(h.game().saveState(), 20); }},
        {"archive with one byte changed", "cars.wad",
         [](EditorHarness& h) { flipByte(h.game().carsWad(), 3); }},
        {"archive cut short by 200 bytes", "cars.wad",
         [](EditorHarness& h) {
             const qint64 size = QFileInfo(h.game().carsWad()).size();
             ASSERT_GT(size - 200, *h.model().tyres.collisionMeshOffset + wad::kWheelsEnd);
             cutFile(h.game().carsWad(), size - 200);
         }},
        {"archive cut inside the wheel positions", "cars.wad",
         [](EditorHarness& h) {
             cutFile(h.game().carsWad(), *h.model().tyres.collisionMeshOffset + 100);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditorHarness h;
        h.importAll();
        h.setText(names::driverNumber(0), "7");
        h.setText(names::helmetY(2), "9");
        c.change(h);
        expectRefusedExport(h, QLatin1String(c.file));
    }
}

TEST(ExportSafety, ExportIsRefusedUntilAnImportAllSucceeded) {
    EditorHarness h;
    expectRefusedExport(h, QString());

    h.messages.errors.clear();
    h.importAll();
    const Snapshot good = h.game().snapshot();
    cutFile(h.game().saveState(), 97000);
    h.messages.errors.clear();
    h.editor().importAll();
    ASSERT_EQ(h.messages.errors.size(), 1);
    EXPECT_TRUE(h.editor().status().contains("Change GP4 Path"))
        << h.editor().status().toStdString();
    // The window still shows the game as it was; the export refuses all the same.
    expectRefusedExport(h, QString());
    writeFile(h.game().saveState(), good.at("f1gstate.sav"));
    h.messages.errors.clear();
    h.importAll();
    h.editor().exportAll();
    EXPECT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
    EXPECT_EQ(h.editor().status(), "Export Done");
}

// After "Change GP4 Path" to a game that cannot be imported the window shows the first game:
// its values must not go into the second game's files.
TEST(ExportSafety, AFailedImportOfAnotherGameKeepsBothGamesUnchanged) {
    EditorHarness h;
    h.importAll();
    DemoFolder second;
    cutFile(second.saveState(), 97000);
    const Snapshot firstBefore = h.game().snapshot();
    const Snapshot secondBefore = second.snapshot();
    h.dialogs.files.push_back(second.exe());
    h.window().changeGamePathAction()->trigger();
    ASSERT_EQ(h.messages.errors.size(), 1) << joined(h.messages.errors);
    h.messages.errors.clear();
    h.editor().exportAll();
    ASSERT_EQ(h.messages.errors.size(), 1);
    EXPECT_TRUE(h.messages.errors[0].contains("Import All")) << joined(h.messages.errors);
    EXPECT_TRUE(changedFiles(firstBefore, h.game().snapshot()).isEmpty());
    EXPECT_TRUE(changedFiles(secondBefore, second.snapshot()).isEmpty());
}

// Builds whose tyre-brand word cannot be read: team 1's brand shown is a stand-in, so the stored
// code (and the word) go back as they were, unless the user chose a brand for team 1.
TEST(ExportSafety, AnUnreadableBrandWordKeepsTeam1sStoredCode) {
    struct Case {
        uint8_t versionByte;
        bool spoilWord;
    };
    for (const Case& c : {Case{1, false}, Case{70, true}}) {
        SCOPED_TRACE(int(c.versionByte));
        HarnessOptions o;
        o.demo.versionByte = c.versionByte;
        EditorHarness h(o);
        if (c.spoilWord) {
            QByteArray bytes = readFile(h.game().exe());
            poke(bytes, *exe::brandWordOffset(c.versionByte), QByteArray(16, '\x7e'));
            writeFile(h.game().exe(), bytes);
        }
        QByteArray save = readFile(h.game().saveState());
        poke(save, model::save::kBrandCodes + 4, u32le(0x00020000u));
        poke(save, save.size() - 4, u32le(model::saveStateChecksumOf(save.left(save.size() - 4))));
        writeFile(h.game().saveState(), save);
        const Snapshot before = h.game().snapshot();

        h.editor().importAll();
        ASSERT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
        h.editor().exportAll();
        ASSERT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
        EXPECT_TRUE(changedFiles(before, h.game().snapshot()).isEmpty())
            << joined(changedFiles(before, h.game().snapshot()));

        // A brand the user chose is written.
        app::Stepper* team1 = h.editor().fields().stepper(names::brandStepper(1));
        team1->setPosition(team1->position() == 1 ? 0 : 1);
        const int chosen = team1->position();
        h.editor().exportAll();
        ASSERT_TRUE(h.messages.errors.isEmpty()) << joined(h.messages.errors);
        const QByteArray after = readFile(h.game().saveState());
        EXPECT_EQ(after.mid(model::save::kBrandCodes + 4, 4), u32le(model::TyreBrandCodes[chosen]));
    }
}

// A start-up whose Import All fails: its one error, then the window comes up whole with a preview
// that shows nothing rather than reading the empty fields.
TEST(ExportSafety, AFailedImportAtStartUpShowsOneErrorAndAnEmptyPreview) {
    if (!preview::PreviewView::openGlAvailable()) GTEST_SKIP() << "no OpenGL here";
    struct Case {
        const char* name;
        std::function<void(const DemoFolder&)> damage;
    };
    const std::vector<Case> cases{
        {"executable cut to 2400000 bytes", [](const DemoFolder& g) { cutFile(g.exe(), 2400000); }},
        {"executable cut to 100 bytes", [](const DemoFolder& g) { cutFile(g.exe(), 100); }},
        {"save-state cut to 97000 bytes",
         [](const DemoFolder& g) { cutFile(g.saveState(), 97000); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditorHarness h;
        c.damage(h.game());
        h.editor().importAll();
        ASSERT_EQ(h.messages.errors.size(), 1);
        EXPECT_TRUE(h.editor().status().contains("\"Change GP4 Path\""))
            << h.editor().status().toStdString();
        auto* binding =
            app::PreviewBinding::install(h.editor(), QStringLiteral(PITWRIGHT_SOURCE_DIR), {});
        ASSERT_NE(binding, nullptr);
        h.window().resize(app::MainWindow::kWidth, app::MainWindow::kHeight);
        h.window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.window()));
        for (int i = 0; i < 10; ++i) QTest::qWait(20);
        binding->flushMessages();
        EXPECT_EQ(h.messages.errors.size(), 1) << joined(h.messages.errors);
        EXPECT_EQ(h.messages.shown.size(), 0) << joined(h.messages.shown);
        ASSERT_TRUE(binding->view()->ready());
        const QImage frame = binding->view()->grabFramebuffer();
        const QRgb first = frame.pixel(0, 0);
        int other = 0;
        for (int y = 0; y < frame.height(); y += 3)
            for (int x = 0; x < frame.width(); x += 3) other += frame.pixel(x, y) != first;
        EXPECT_EQ(other, 0) << "the preview drew a scene";
        expectRefusedExport(h, QString());
    }
}
