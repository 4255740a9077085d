#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QUndoStack>
#include <functional>
#include <string>
#include <vector>

#include "EditorHarness.h"
#include "app/commands/EditHistory.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/FieldEdit.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/WindowFields.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {

// The words the Edit menu gives a step.
class StepCaptions : public testing::Test {
public:  // the tables below drive the fixture
    void SetUp() override { h.importAll(); }

    std::string undoCaption() { return caption(h.window().undoAction()); }
    std::string redoCaption() { return caption(h.window().redoAction()); }
    static std::string caption(const QAction* action) {
        return action->text().remove(QLatin1Char('&')).toStdString();
    }
    // A drag from the press point by each offset in turn, then the release.
    void drag(const QString& box, const std::vector<QPoint>& offsets) {
        app::FieldEdit* edit = h.editor().fields().edit(box);
        const QPoint press(6, 6);
        QTest::mousePress(edit, Qt::LeftButton, {}, press);
        for (const QPoint& offset : offsets) QTest::mouseMove(edit, press + offset);
        QTest::mouseRelease(edit, Qt::LeftButton, {}, press + offsets.back());
    }
    void step(const QString& stepper) {
        app::Stepper* s = h.editor().fields().stepper(stepper);
        s->step(s->position() == s->maximum() ? -1 : 1);
    }

    EditorHarness h;
};

struct CaptionCase {
    const char* caption;
    std::function<void(StepCaptions&)> act;
};

}  // namespace

// A step names its team as the window shows it when the step is made: a renamed team by its new
// name (as the captions show it, word starts in capitals), its renaming by the name before.
TEST_F(StepCaptions, ATeamIsNamedAsTheWindowShowsIt) {
    h.setText(names::teamName(5), "givanqu");
    ASSERT_EQ(h.text(names::teamsCaption(5)), "Givanqu");
    EXPECT_EQ(undoCaption(), "Undo Jordan Team Name");

    const std::vector<CaptionCase> cases = {
        {"Givanqu Gear", [](StepCaptions& t) { t.step(names::gearStepper(5)); }},
        {"Givanqu Tyre Brand", [](StepCaptions& t) { t.step(names::brandStepper(5)); }},
        {"Givanqu Rim Colour",
         [](StepCaptions& t) {
             t.h.dialogs.colour = 0x123456u;
             QTest::mouseDClick(t.h.editor().fields().swatch(names::rimSwatch(5, 0)),
                                Qt::LeftButton);
         }},
        {"Givanqu Helmet Y", [](StepCaptions& t) { t.h.setText(names::helmetY(5), "12"); }},
        {"Givanqu T-Cam Z",
         [](StepCaptions& t) {
             t.drag(names::tcamZ(5), {{3, 0}, {7, 0}});
         }},
        {"Givanqu Team Name", [](StepCaptions& t) { t.h.setText(names::teamName(5), "Other"); }},
    };
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(c.caption);
        c.act(*this);
        EXPECT_EQ(undoCaption(), std::string("Undo ") + c.caption);
        h.window().undoAction()->trigger();
        EXPECT_EQ(redoCaption(), std::string("Redo ") + c.caption);
    }

    // Undoing the renaming gives the team its name back, in the steps too.
    h.window().undoAction()->trigger();
    ASSERT_EQ(h.text(names::teamsCaption(5)), "Jordan");
    step(names::gearStepper(5));
    EXPECT_EQ(undoCaption(), "Undo Jordan Gear");
}

// A drag on a direction box moves the pitch with the vertical part of the move: the step names
// each of the two values it changed.
TEST_F(StepCaptions, ADirectionDragNamesTheValuesItChanged) {
    const struct {
        const char* caption;
        std::vector<QPoint> offsets;
    } cases[] = {
        {"Camera 2 Dir. and Pitch", {{3, 0}, {9, -4}, {14, -6}}},
        {"Camera 2 Dir.", {{5, 0}, {12, 0}}},
        {"Camera 2 Pitch", {{0, 4}, {0, 9}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        drag(names::cameraField(33), c.offsets);
        EXPECT_EQ(undoCaption(), std::string("Undo ") + c.caption);
        h.window().undoAction()->trigger();
    }
}
