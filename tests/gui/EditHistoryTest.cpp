#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <cstring>
#include <functional>

#include "EditorHarness.h"
#include "GameFileFixtures.h"
#include "WindowValues.h"
#include "app/commands/EditHistory.h"
#include "app/commands/MouseActions.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/FieldEdit.h"
#include "app/widgets/LabelPanel.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/ImagesPage.h"
#include "app/window/MainWindow.h"
#include "app/window/PositionsPage.h"
#include "app/window/PreviewPane.h"
#include "app/window/SlotsPage.h"
#include "app/window/WindowFields.h"
#include "core/ownfiles/CameraSet.h"
#include "core/ownfiles/SectionedPerformanceFile.h"
#include "core/ownfiles/TeamFile.h"
#include "core/tables/Conversions.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {

QString withoutMnemonics(QString text) {
    return text.remove(QLatin1Char('&'));
}

template <typename T>
QString bitsOf(const T& value) {
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof(T)).toHex();
}

// What an edit can change, as text per item: every box, caption, swatch and stepper of the window,
// and the model values no box holds. Picture exchanges count by their effect: the order of the
// team pictures once every pending exchange is carried out.
WindowValues observe(app::Editor& editor) {
    QStringList shown;
    const app::FieldRegistry& registry = editor.window().fields();
    for (const QString& name : registry.names()) {
        QWidget* w = registry.find(name);
        if (qobject_cast<app::FieldEdit*>(w) || qobject_cast<app::LabelPanel*>(w) ||
            qobject_cast<app::ColourSwatch*>(w) || qobject_cast<app::Stepper*>(w))
            shown << name;
    }
    WindowValues values = windowValues(editor, shown);
    const model::EditorModel& m = editor.model();
    values["model.cockpit"] = bitsOf(m.cockpit);
    values["model.tyres"] = bitsOf(m.tyres.wheel);
    std::array<int, model::kTeamCount> order{};
    for (int t = 0; t < model::kTeamCount; ++t) order[t] = t;
    for (const auto& [a, b] : m.PendingImageSwaps) std::swap(order[a], order[b]);
    for (int t = 0; t < model::kTeamCount; ++t) {
        const model::TeamRecord& team = m.teams[t];
        values[QStringLiteral("model.shape%1").arg(t)] = QString::fromLatin1(team.carShapeName);
        values[QStringLiteral("model.pictures%1").arg(t)] =
            team.driverImageNames[0] + ',' + team.driverImageNames[1] + ',' +
            team.gridCarImageName + QStringLiteral(" on disk from %1").arg(order[t]);
    }
    return values;
}

void expectSame(const WindowValues& expected, const WindowValues& actual, const char* when) {
    ASSERT_EQ(expected.size(), actual.size()) << when;
    int differences = 0;
    for (const auto& [name, value] : expected) {
        if (actual.at(name) == value) continue;
        if (++differences <= 8)
            ADD_FAILURE() << when << ": " << name.toStdString() << " is \""
                          << actual.at(name).toStdString() << "\", expected \""
                          << value.toStdString() << '"';
    }
    EXPECT_EQ(differences, 0) << when;
}

class EditHistory : public testing::Test {
public:  // the step table below drives the fixture
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        h.editor().setTeamImages(nullptr);  // the window's own pictures: exchanges reach the disk
        h.importAll();
    }
    QUndoStack& stack() { return h.editor().history().stack(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    app::FieldEdit* edit(const QString& name) { return h.editor().fields().edit(name); }

    // A drag from the press point by each offset in turn, then the release.
    void drag(QWidget* widget, Qt::MouseButton button, const std::vector<QPoint>& offsets) {
        const QPoint press(6, 6);
        QTest::mousePress(widget, button, {}, press);
        for (const QPoint& offset : offsets) QTest::mouseMove(widget, press + offset);
        QTest::mouseRelease(widget, button, {}, press + offsets.back());
    }
    void load(QAction* action, const QString& file) {
        h.dialogs.files.push_back(file);
        action->trigger();
    }
    // The cameras as the window shows them, each value moved by `by`.
    files::ShownCameras shownCameras(int by) {
        files::ShownCameras shown;
        const app::WindowFields& fields = h.editor().fields();
        for (int r = 0; r < model::kCameraCount; ++r)
            for (int f = 0; f < model::kCameraFieldCount; ++f)
                shown.records[r][f] =
                    fields.cameraField(model::cameraFieldId(r, model::CameraField(f))) + by;
        shown.chaseY = fields.cameraField(101) + by;
        shown.chaseZ = fields.cameraField(102) + by;
        return shown;
    }
    void applySlots(int operation, int from, int to) {
        app::SlotsPage* page = h.window().slotsPage();
        page->operation()->setCurrentIndex(operation);
        page->firstTeam()->setCurrentIndex(from);
        page->secondTeam()->setCurrentIndex(to);
        page->applyButton()->click();
    }
    void undoAll() {
        while (stack().canUndo()) h.window().undoAction()->trigger();
    }

    QTemporaryDir dir;
    EditorHarness h;
};

struct StepCase {
    const char* name;
    const char* caption;  // the Edit menu's words for the step
    std::function<void(EditHistory&)> act;
    std::function<void(EditHistory&)> prepare = {};  // before the history starts
};

// Each kind of step: one step, named, undone and redone to the exact values around it.
TEST_F(EditHistory, EveryKindOfStepUndoesAndRedoesToTheExactValues) {
    const std::vector<StepCase> cases = {
        {"typed camera box", "Camera 2 X",
         [](EditHistory& t) { t.h.setText(names::cameraField(3), "77"); }},
        {"typed dashboard box", "Dash Board X",
         [](EditHistory& t) { t.h.setText(names::cockpitDash(0), "3.3"); }},
        {"typed wheel position", "Wheel 1 Y",
         [](EditHistory& t) { t.h.setText(names::tyrePosition(2), "-123"); }},
        {"typed team name", "Benetton Team Name",
         [](EditHistory& t) { t.h.setText(names::teamName(3), "Zeta"); }},
        {"drag of a direction box", "Camera 1 Dir. and Pitch",
         [](EditHistory& t) {
             t.drag(t.edit(names::cameraField(32)), Qt::LeftButton, {{3, 0}, {9, -4}, {14, -6}});
         }},
        {"drag of a helmet box", "Williams Helmet Z",
         [](EditHistory& t) {
             t.drag(t.edit(names::helmetZ(2)), Qt::LeftButton, {{2, 0}, {5, 1}});
         }},
        {"preview drag", "Move Cockpit",
         [](EditHistory& t) {
             t.drag(t.h.window().previewPane(), Qt::LeftButton, {{4, 2}, {10, 7}});
         },
         [](EditHistory& t) { t.h.click(names::quickCamButton(0)); }},
        {"preview turn", "Turn Camera 3",
         [](EditHistory& t) {
             t.drag(t.h.window().previewPane(), Qt::MiddleButton, {{4, 2}, {10, 7}});
         },
         [](EditHistory& t) { t.h.click(names::quickCamButton(4)); }},
        {"colour chosen", "Williams Arm Colour",
         [](EditHistory& t) {
             t.h.dialogs.colour = 0x123456u;
             QTest::mouseDClick(t.h.editor().fields().swatch(names::armSwatch(2, 0)),
                                Qt::LeftButton);
         }},
        {"tyre brand stepper", "Mclaren Tyre Brand",
         [](EditHistory& t) {
             app::Stepper* s = t.h.editor().fields().stepper(names::brandStepper(1));
             s->step(s->position() == s->maximum() ? -1 : 1);
         }},
        {"gear stepper", "Jordan Gear",
         [](EditHistory& t) {
             app::Stepper* s = t.h.editor().fields().stepper(names::gearStepper(5));
             s->step(s->position() == s->maximum() ? -1 : 1);
         }},
        {"default cockpit", "Default Cockpit",
         [](EditHistory& t) { t.h.window().positionsPage()->defaultCockpit()->click(); },
         [](EditHistory& t) {
             t.h.setText(names::cockpitWheel(0), "7.25");
             t.h.setText(names::cockpitDash(2), "-3");
         }},
        {"default all", "Default All",
         [](EditHistory& t) { t.h.window().defaultAllAction()->trigger(); }},
        {"copy on the Slots page", "Copy Team 3 to 6",
         [](EditHistory& t) { t.applySlots(0, 2, 5); }},
        {"swap on the Slots page", "Swap Teams 1 and 4",
         [](EditHistory& t) { t.applySlots(1, 0, 3); }},
        {"picture exchange", "Swap Images",
         [](EditHistory& t) {
             app::ImagesPage* page = t.h.window().imagesPage();
             page->firstTeam()->setCurrentIndex(1);
             page->secondTeam()->setCurrentIndex(4);
             page->applyButton()->click();
         }},
        {"team file", "Load Team File",
         [](EditHistory& t) {
             model::EditorModel m = t.h.model();
             for (model::TeamRecord& team : m.teams) {
                 team.helmetY += 3;
                 team.armColour ^= 0x00102030u;
             }
             m.cockpit.dashX += 0.25f;
             m.tyres.wheel[1][0] += 0.5f;
             writeFile(t.path("all.car"),
                       files::writeTeamFile(m, t.shownCameras(7), files::TeamFileSelection::all()));
             t.load(t.h.window().loadTeamAction(), t.path("all.car"));
         }},
        {"camera set", "Load Camera Set",
         [](EditHistory& t) {
             writeFile(t.path("set.cam"), files::writeCameraSet(t.shownCameras(-5)));
             t.load(t.h.window().loadTeamAction(), t.path("set.cam"));
         }},
        {"tyre set", "Load Tyre Set",
         [](EditHistory& t) {
             QByteArray set;
             for (int team = 0; team < model::kTeamCount; ++team)
                 set += u16le(uint16_t(1 - std::min(1, t.h.model().teams[team].tyreBrand)));
             writeFile(t.path("brands.tyr"), set);
             t.load(t.h.window().loadTeamAction(), t.path("brands.tyr"));
         }},
        {"performance file", "Load Performance File",
         [](EditHistory& t) {
             model::EditorModel m = t.h.model();
             for (model::TeamRecord& team : m.teams) team.racePower += 11;
             for (model::DriverRecord& driver : m.drivers) driver.raceAbility += 3;
             writeFile(t.path("perf.txt"), files::writeSectionedPerformanceFile(m));
             t.load(t.h.window().loadPerformanceAction(), t.path("perf.txt"));
         }},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.prepare) c.prepare(*this);
        stack().clear();
        const WindowValues before = observe(h.editor());
        c.act(*this);
        ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
        const WindowValues after = observe(h.editor());
        ASSERT_TRUE(before != after) << "the step changed nothing";
        ASSERT_EQ(stack().count(), 1);
        EXPECT_EQ(withoutMnemonics(h.window().undoAction()->text()),
                  QStringLiteral("Undo ") + c.caption);
        EXPECT_TRUE(h.window().undoAction()->isEnabled());
        EXPECT_TRUE(h.window().isWindowModified());

        h.window().undoAction()->trigger();
        expectSame(before, observe(h.editor()), "after undo");
        EXPECT_EQ(withoutMnemonics(h.window().redoAction()->text()),
                  QStringLiteral("Redo ") + c.caption);
        EXPECT_FALSE(h.window().undoAction()->isEnabled());
        EXPECT_FALSE(h.window().isWindowModified());

        h.window().redoAction()->trigger();
        expectSame(after, observe(h.editor()), "after redo");
        h.window().undoAction()->trigger();
        EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    }
}

TEST_F(EditHistory, UndoOfACameraStepTurnsThePreviewToThatCamera) {
    drag(edit(names::cameraField(4)), Qt::LeftButton, {{5, 0}, {12, 0}});  // "Camera 3" X
    h.click(names::quickCamButton(0));  // the preview goes to the cockpit
    ASSERT_EQ(h.model().SelectedCamera, 105);
    const int repaints = h.window().previewPane()->repaintRequests();
    h.window().undoAction()->trigger();
    EXPECT_EQ(h.model().SelectedCamera, 4);
    EXPECT_GT(h.window().previewPane()->repaintRequests(), repaints);
}

// Undoing every step brings the game files back byte for byte at the next Export All, also when
// an Export All wrote some of the steps in between (its picture exchanges included).
TEST_F(EditHistory, UndoOfEverythingThenExportAllLeavesTheGameFilesAsTheyWere) {
    for (bool exportBetween : {false, true}) {
        SCOPED_TRACE(exportBetween ? "with an Export All between" : "without Export All");
        h.importAll();
        const auto original = h.game().snapshot();
        h.setText(names::cameraField(3), "77");
        h.setText(names::cockpitWheel(1), "91.5");
        h.setText(names::tyrePosition(4), "-250");
        drag(edit(names::wheelY(6)), Qt::LeftButton, {{4, 0}});
        applySlots(1, 0, 3);
        if (exportBetween) {
            h.editor().exportAll();
            ASSERT_NE(original, h.game().snapshot());
        }
        h.window().defaultAllAction()->trigger();
        applySlots(0, 7, 2);
        app::ImagesPage* page = h.window().imagesPage();
        page->firstTeam()->setCurrentIndex(5);
        page->secondTeam()->setCurrentIndex(9);
        page->applyButton()->click();
        h.setText(names::driverName(4), "Nobody");
        undoAll();
        h.editor().exportAll();
        ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
        ASSERT_EQ(h.editor().status(), "Export Done");
        auto now = h.game().snapshot();
        // A picture exchange on disk leaves its spare behind (Export All between did one).
        if (exportBetween) {
            EXPECT_EQ(now.erase("MenuData/PC/GP2001/images/0.gpi"), 1u);
        }
        for (const auto& [name, bytes] : now)
            EXPECT_TRUE(original.count(name)) << name.toStdString() << " is new";
        ASSERT_EQ(original.size(), now.size());
        for (const auto& [name, bytes] : original)
            EXPECT_TRUE(now.at(name) == bytes) << name.toStdString() << " differs";
    }
}

TEST_F(EditHistory, TypingInOneBoxIsOneStepUntilTheFocusLeavesIt) {
    h.window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.window()));
    h.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window()));
    app::FieldEdit* a = edit(names::cameraField(3));
    app::FieldEdit* b = edit(names::cameraField(4));
    const QString aBefore = a->text(), bBefore = b->text();

    a->setFocus();
    a->selectAll();
    QTest::keyClicks(a, "421");
    b->setFocus();
    b->selectAll();
    QTest::keyClicks(b, "-17");
    a->setFocus();
    a->end(false);
    QTest::keyClicks(a, "0");
    ASSERT_EQ(a->text(), "4210");
    EXPECT_EQ(stack().count(), 3);
    EXPECT_EQ(withoutMnemonics(h.window().undoAction()->text()), "Undo Camera 2 X");

    h.window().undoAction()->trigger();
    EXPECT_EQ(a->text(), "421");
    // The box has no typing of its own left to take back, so Ctrl+Z reaches the Edit menu.
    QTest::keyClick(a, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(b->text(), bBefore);
    EXPECT_EQ(a->text(), "421");
    QTest::keyClick(a, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(a->text(), aBefore);
    EXPECT_FALSE(stack().canUndo());
    QTest::keyClick(a, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(a, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(a->text(), "421");
    EXPECT_EQ(b->text(), "-17");

    // Typing that ends where it began leaves no step.
    stack().clear();
    b->setFocus();
    b->end(false);
    QTest::keyClicks(b, "5");
    QTest::keyClick(b, Qt::Key_Backspace);
    EXPECT_EQ(stack().count(), 0);
}

// Clicking back into a box whose typing is already a step: Ctrl+Z takes back the step the Edit
// menu names (the other box's), not the box's old typing, and keeps the redo history.
TEST_F(EditHistory, CtrlZInABoxWhoseTypingIsAStepUndoesTheLastStep) {
    h.window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.window()));
    h.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window()));
    app::FieldEdit* a = edit(names::cameraField(3));
    app::FieldEdit* b = edit(names::cameraField(4));
    const QString aBefore = a->text(), bBefore = b->text();

    a->setFocus();
    a->selectAll();
    QTest::keyClicks(a, "421");
    QTest::keyClick(a, Qt::Key_Tab);
    b->setFocus();
    b->selectAll();
    QTest::keyClicks(b, "-17");
    QTest::keyClick(b, Qt::Key_Tab);
    ASSERT_EQ(stack().count(), 2);

    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_TRUE(a->hasFocus());
    QTest::keyClick(a, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(a->text(), "421");
    EXPECT_EQ(b->text(), bBefore);
    EXPECT_EQ(stack().index(), 1);
    EXPECT_TRUE(stack().canRedo());
    QTest::keyClick(a, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(a->text(), aBefore);
    EXPECT_EQ(stack().index(), 0);
    QTest::keyClick(a, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(a, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(a->text(), "421");
    EXPECT_EQ(b->text(), "-17");
}

// The window's command keys win over a box's own bindings (Ctrl+E moves to the end of the line
// in a line edit): right after typing a number, Ctrl+E exports.
TEST_F(EditHistory, TheWindowsCommandKeysWorkWhileABoxHasTheFocus) {
    h.window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.window()));
    h.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window()));
    app::FieldEdit* a = edit(names::cameraField(3));
    a->setFocus();
    a->selectAll();
    QTest::keyClicks(a, "77");
    QTest::keyClick(a, Qt::Key_Tab);
    a->setFocus();
    ASSERT_TRUE(h.window().isWindowModified());
    QTest::keyClick(a, Qt::Key_E, Qt::ControlModifier);
    EXPECT_FALSE(h.window().isWindowModified()) << "Ctrl+E did not export";
    EXPECT_EQ(a->text(), "77");

    // Every other command key: the box lets the window have it.
    for (QAction* action : h.window().findChildren<QAction*>()) {
        if (action == h.window().undoAction() || action == h.window().redoAction()) continue;
        for (const QKeySequence& keys : action->shortcuts()) {
            const QKeyCombination combination = keys[0];
            QKeyEvent override(QEvent::ShortcutOverride, combination.key(),
                               combination.keyboardModifiers());
            QApplication::sendEvent(a, &override);
            EXPECT_FALSE(override.isAccepted())
                << keys.toString().toStdString() << " stays in the box";
        }
    }
}

// The Virtual Cam row is a setting kept when the window closes, never in the game files: it
// marks nothing as unexported, asks nothing on quitting, and is stored whatever the answer.
TEST_F(EditHistory, VirtualCamValuesAreSettingsNotUnexportedEdits) {
    h.setText(names::cameraField(104), "12");
    h.setText(names::cameraField(154), "-3");
    EXPECT_EQ(stack().count(), 0);
    EXPECT_FALSE(h.window().isWindowModified());
    h.messages.quitAnswer = app::UnexportedAnswer::Cancel;
    EXPECT_TRUE(h.window().close());
    EXPECT_EQ(h.messages.quitQuestions, 0);
    EXPECT_EQ(h.settings().read("Pitwright", "VirtualCamX", "?"), "12");
    EXPECT_EQ(h.settings().read("Pitwright", "VirtualCamRoll", "?"), "-3");
}

TEST_F(EditHistory, TheFileMenuHoldsImportAllAndExportAllWithTheirKeys) {
    QMenu* file = h.window().findChild<QMenu*>(QStringLiteral("MenuFile"));
    ASSERT_NE(file, nullptr);
    QStringList captions;
    for (QAction* action : file->actions())
        if (!action->isSeparator())
            captions << withoutMnemonics(action->text()) + " " + action->shortcut().toString();
    EXPECT_EQ(captions.mid(0, 2), QStringList({"Import All Ctrl+I", "Export All Ctrl+E"}));
    h.setText(names::cameraField(3), "77");
    ASSERT_TRUE(h.window().isWindowModified());
    h.window().exportAllAction()->trigger();
    EXPECT_FALSE(h.window().isWindowModified());
}

// A drag whose release never came (a box took the mouse) still counts: undo takes it back and
// quitting asks about it.
TEST_F(EditHistory, AChangeNoStepHoldsYetIsTakenBeforeUndoAndTheQuestions) {
    const QString before = h.text(names::cameraField(5));
    app::FieldEdit* field = edit(names::cameraField(5));
    QTest::mousePress(field, Qt::LeftButton, {}, QPoint(6, 6));
    QTest::mouseMove(field, QPoint(16, 6));
    h.editor().mouse().fieldReleased();  // ended without a release event
    ASSERT_NE(h.text(names::cameraField(5)), before);
    EXPECT_EQ(stack().count(), 0);
    h.messages.quitAnswer = app::UnexportedAnswer::Cancel;
    EXPECT_FALSE(h.window().close());
    EXPECT_EQ(h.messages.quitQuestions, 1);
    h.window().undoAction()->trigger();
    EXPECT_EQ(h.text(names::cameraField(5)), before);
}

TEST_F(EditHistory, ImportAllStartsANewHistoryAndExportAllKeepsIt) {
    h.setText(names::cameraField(3), "77");
    h.editor().exportAll();
    EXPECT_FALSE(h.window().isWindowModified());
    EXPECT_EQ(stack().count(), 1);
    h.window().undoAction()->trigger();
    EXPECT_TRUE(h.window().isWindowModified()) << "the files hold the undone value";
    h.importAll();
    EXPECT_EQ(stack().count(), 0);
    EXPECT_FALSE(h.window().undoAction()->isEnabled());
    EXPECT_FALSE(h.window().isWindowModified());
    EXPECT_EQ(h.text(names::cameraField(3)), "77");
}

TEST_F(EditHistory, TheHistoryKeepsTheLastTwoHundredSteps) {
    for (int i = 0; i < 205; ++i) h.setText(names::cameraField(3 + i % 2), QString::number(i));
    EXPECT_EQ(stack().count(), 200);
    undoAll();
    // The five oldest steps are gone: undo stops where the fifth left the boxes.
    EXPECT_EQ(h.text(names::cameraField(3)), "4");
    EXPECT_EQ(h.text(names::cameraField(4)), "3");
}

TEST_F(EditHistory, TheEditMenuStandsBetweenFileAndOptions) {
    QStringList menus;
    for (QAction* action : h.window().menuBar()->actions())
        menus << withoutMnemonics(action->text());
    EXPECT_EQ(menus, QStringList({"File", "Edit", "Options", "About"}));
    QAction* undo = h.window().undoAction();
    QAction* redo = h.window().redoAction();
    EXPECT_EQ(withoutMnemonics(undo->text()), "Undo");
    EXPECT_EQ(withoutMnemonics(redo->text()), "Redo");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(undo->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(redo->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
    EXPECT_TRUE(h.window().windowTitle().endsWith("[*]"));
}

// ---- The questions about unexported edits ---------------------------------------------------

struct QuitCase {
    const char* name;
    bool edit;
    bool exportFirst;
    app::UnexportedAnswer answer;
    bool asked;
    bool closes;
    bool filesChange;
};

TEST_F(EditHistory, QuittingAsksOnlyWithUnexportedEditsAndDoesWhatTheAnswerSays) {
    const QuitCase cases[] = {
        {"no edit", false, false, app::UnexportedAnswer::Cancel, false, true, false},
        {"edit then Export All", true, true, app::UnexportedAnswer::Cancel, false, true, true},
        {"Cancel", true, false, app::UnexportedAnswer::Cancel, true, false, false},
        {"Discard", true, false, app::UnexportedAnswer::Discard, true, true, false},
        {"Export All", true, false, app::UnexportedAnswer::ExportAll, true, true, true},
    };
    for (const QuitCase& c : cases) {
        SCOPED_TRACE(c.name);
        EditorHarness q;
        q.importAll();
        const auto original = q.game().snapshot();
        if (c.edit) q.setText(names::cameraField(3), "77");
        if (c.exportFirst) q.editor().exportAll();
        q.messages.quitAnswer = c.answer;
        EXPECT_EQ(q.window().close(), c.closes);
        EXPECT_EQ(q.messages.quitQuestions, c.asked ? 1 : 0);
        EXPECT_EQ(q.game().snapshot() != original, c.filesChange);
        if (!c.closes) {
            EXPECT_EQ(q.text(names::cameraField(3)), "77");
        }
    }
}

struct DiscardCase {
    const char* name;
    bool edit;
    bool answer;
    bool asked;
    bool runs;
};

TEST_F(EditHistory, ImportAllAndANewGamePathAskBeforeDiscardingEdits) {
    const DiscardCase cases[] = {
        {"no edit", false, false, false, true},
        {"edit, keep it", true, false, true, false},
        {"edit, discard it", true, true, true, true},
    };
    const QString imported = h.text(names::cameraField(3));
    for (const DiscardCase& c : cases) {
        SCOPED_TRACE(c.name);
        h.messages.discardAnswer = true;
        h.importAll();
        if (c.edit) h.setText(names::cameraField(3), "77");
        const QString shown = h.text(names::cameraField(3));

        h.messages.discardQuestions = 0;
        h.messages.discardAnswer = c.answer;
        h.editor().importAll();
        EXPECT_EQ(h.messages.discardQuestions, c.asked ? 1 : 0);
        EXPECT_EQ(h.text(names::cameraField(3)), c.runs ? imported : shown);
        EXPECT_EQ(h.editor().history().hasUnexportedEdits(), !c.runs);

        if (c.edit) h.setText(names::cameraField(3), "77");
        h.messages.discardQuestions = 0;
        const size_t dialogs = h.dialogs.requests.size();
        h.window().changeGamePathAction()->trigger();  // its dialog is cancelled
        EXPECT_EQ(h.messages.discardQuestions, c.asked ? 1 : 0);
        EXPECT_EQ(h.dialogs.requests.size(), dialogs + (c.runs ? 1 : 0));
    }
}

}  // namespace
