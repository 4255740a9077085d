#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QGuiApplication>
#include <QTest>

#include "EditorHarness.h"
#include "app/commands/MouseActions.h"
#include "app/widgets/FieldEdit.h"
#include "app/window/ComponentNames.h"
#include "app/window/PreviewPane.h"
#include "app/window/WindowFields.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {

const QPoint kPress(6, 6);

struct Move {
    int dx, dy;  // from the press, screen pixels (dy positive downwards, as on screen)
    const char* expected;
    const char* partner;  // the pitch field of a direction field; nullptr: not checked
};

class MouseDrag : public testing::Test {
protected:
    void SetUp() override { h.importAll(); }
    app::FieldEdit* edit(const QString& name) { return h.editor().fields().edit(name); }
    app::PreviewPane* pane() { return h.window().previewPane(); }
    app::MouseActions& mouse() { return h.editor().mouse(); }

    // Presses on the widget, moves by each offset (checking after each move) and releases.
    void drag(QWidget* widget, Qt::MouseButton button, const std::vector<QPoint>& offsets,
              const std::function<void(size_t)>& check = {}) {
        QTest::mousePress(widget, button, {}, kPress);
        for (size_t i = 0; i < offsets.size(); ++i) {
            QTest::mouseMove(widget, kPress + offsets[i]);
            if (check) check(i);
        }
        const QPoint end = offsets.empty() ? kPress : kPress + offsets.back();
        QTest::mouseRelease(widget, button, {}, end);
    }
    void dragField(const QString& name, Qt::MouseButton button, const std::vector<Move>& moves,
                   const QString& partner = {}) {
        std::vector<QPoint> offsets;
        for (const Move& m : moves) offsets.emplace_back(m.dx, m.dy);
        drag(edit(name), button, offsets, [&](size_t i) {
            EXPECT_EQ(h.text(name), moves[i].expected) << "move " << i;
            if (moves[i].partner) {
                EXPECT_EQ(h.text(partner), moves[i].partner) << "move " << i;
            }
        });
        EXPECT_FALSE(mouse().fieldDragActive());
    }
    void selectRow(int quickButton) { h.click(names::quickCamButton(quickButton)); }

    EditorHarness h;
};

}  // namespace

TEST_F(MouseDrag, CameraFieldsChangeByOnePerPixel) {
    struct Case {
        int field;
        int partner;  // 0: none
        std::vector<Move> moves;
    };
    const Case cases[] = {
        // "Camera 3" X is 30.
        {4, 0, {{20, 0, "50", nullptr}, {-10, 7, "20", nullptr}}},
        // "Camera 1" Dir. and Pitch are 0: up 10 and right 5.
        {32, 42, {{5, -10, "5", "10"}, {-3, 4, "-3", "-4"}}},
        // "Cockpit" and "T-Cam" Dir. have their pitch partners too.
        {135, 145, {{2, 3, "2", "-3"}}},
        {136, 146, {{-4, -1, "-4", "-9"}}},
        // "Virtual Cam" Dir. (-90) is no direction field: its pitch (-39) stays.
        {134, 144, {{5, -10, "-85", "-39"}}},
        // Chase Y (-768).
        {101, 0, {{-32, 0, "-800", nullptr}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        dragField(names::cameraField(c.field), Qt::LeftButton, c.moves,
                  c.partner ? names::cameraField(c.partner) : QString());
        EXPECT_EQ(h.editor().selection().SelectedField, c.field);
    }
    EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
}

TEST_F(MouseDrag, AnyButtonDragsAndTheMiddleButtonPastesNothing) {
    if (QClipboard* clipboard = QGuiApplication::clipboard(); clipboard->supportsSelection())
        clipboard->setText("999", QClipboard::Selection);
    dragField(names::cameraField(4), Qt::RightButton, {{3, 0, "33", nullptr}});
    dragField(names::cameraField(4), Qt::MiddleButton, {{-5, 0, "28", nullptr}});
    EXPECT_EQ(h.text(names::cameraField(4)), "28");
    dragField(names::helmetY(1), Qt::MiddleButton, {{2, 0, "-13", nullptr}});
    EXPECT_EQ(h.text(names::helmetY(1)), "-13");
}

TEST_F(MouseDrag, DecimalFieldsRoundToFourDecimalsInShortestForm) {
    struct Case {
        QString field;
        std::vector<Move> moves;
    };
    const Case cases[] = {
        {names::helmetY(0), {{3, 0, "-12", nullptr}}},
        {names::cockpitDash(0), {{1, 0, "0.4", nullptr}}},
        {names::cockpitWheel(0), {{3, 40, "2.4", nullptr}, {-2, -9, "-2.6", nullptr}}},
        {names::wheelZ(1), {{2, 0, "-2.4", nullptr}}},
        {names::tyrePosition(1), {{-5, 0, "65", nullptr}}},
        {names::tcamZ(4), {{1, 0, "64", nullptr}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field.toStdString());
        dragField(c.field, Qt::LeftButton, c.moves);
    }
    EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    // The field reactions ran: the steering wheel X reached the model, team 4 is selected.
    EXPECT_FLOAT_EQ(h.model().cockpit.wheelX, -0.026f);
    EXPECT_EQ(h.model().SelectedTeam, 4);
    EXPECT_EQ(h.editor().previewInputs().tcamZ, 64);
}

TEST_F(MouseDrag, AFieldWithoutANumberStartsNoDrag) {
    struct Case {
        QString pressed;
        QString badField;
        const char* badText;
    };
    const Case cases[] = {
        {names::cameraField(4), names::cameraField(4), "1.5"},
        {names::cameraField(4), names::cameraField(4), ""},
        {names::cameraField(33), names::cameraField(43), "-"},  // the pitch partner
        {names::helmetY(2), names::helmetY(2), "1..2"},
        {names::cockpitDash(1), names::cockpitDash(1), "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pressed.toStdString() + " with " + c.badText);
        h.messages.errors.clear();
        h.importAll();
        h.model().EditsLive = 0;
        h.editor().fields().setText(c.badField, c.badText);
        h.model().EditsLive = 1;
        const QString before = h.text(c.pressed);
        QTest::mousePress(edit(c.pressed), Qt::LeftButton, {}, kPress);
        EXPECT_FALSE(mouse().fieldDragActive());
        ASSERT_EQ(h.messages.errors.size(), 1);
        EXPECT_TRUE(h.messages.errors[0].contains("number")) << h.messages.errors[0].toStdString();
        QTest::mouseMove(edit(c.pressed), kPress + QPoint(10, 0));
        QTest::mouseRelease(edit(c.pressed), Qt::LeftButton, {}, kPress + QPoint(10, 0));
        EXPECT_EQ(h.text(c.pressed), before);
    }
}

TEST_F(MouseDrag, PreviewMiddleButtonTurnsByTheWidthScale) {
    struct Case {
        int width;
        QPoint move;
        const char *dir, *pitch;
    };
    // After Import All no field was pressed: the Cockpit row (Dir. 0, Pitch 0) is dragged.
    const Case cases[] = {
        {400, {10, -7}, "10", "7"}, {200, {10, 3}, "20", "-6"}, {800, {-9, 0}, "-4", "0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        h.importAll();
        pane()->resize(c.width, 300);
        drag(pane(), Qt::MiddleButton, {c.move});
        EXPECT_EQ(h.text(names::cameraField(135)), c.dir);
        EXPECT_EQ(h.text(names::cameraField(145)), c.pitch);
        EXPECT_EQ(h.editor().selection().SelectedField, 105);
        EXPECT_EQ(h.model().SelectedCamera, 105);
        EXPECT_FALSE(mouse().previewDragActive());
    }
}

TEST_F(MouseDrag, PreviewRightButtonMovesZFasterFartherAway) {
    struct Case {
        const char* startZ;
        int up;
        const char* z;
    };
    const Case cases[] = {
        {"0", 5, "5"}, {"400", 5, "410"}, {"-400", 3, "-394"}, {"200", -4, "194"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.startZ);
        h.setText(names::cameraField(125), c.startZ);
        drag(pane(), Qt::RightButton, {{0, -c.up}});
        EXPECT_EQ(h.text(names::cameraField(125)), c.z);
    }
}

TEST_F(MouseDrag, PreviewLeftButtonMovesAlongTheCameraDirection) {
    struct Case {
        int quickButton;  // the row
        int xField;
        QPoint move;
        const char *x, *y;
    };
    const Case cases[] = {
        // "Cockpit": X 0, Y -48, Z 14 (s = 1.035), Dir. 0.
        {0, 105, {10, 0}, "-10", "-48"},
        {0, 105, {0, -10}, "0", "-58"},
        // "Camera 10": X 0, Y 160, Z 26 (s = 1.065), Dir. -180: the moves turn round.
        {11, 1, {10, 0}, "10", "160"},
        {11, 1, {0, -10}, "0", "170"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.xField << " " << c.move.x() << "," << c.move.y());
        h.importAll();
        selectRow(c.quickButton);
        drag(pane(), Qt::LeftButton, {c.move});
        EXPECT_EQ(h.text(names::cameraField(c.xField)), c.x);
        EXPECT_EQ(h.text(names::cameraField(c.xField + 10)), c.y);
    }
}

TEST_F(MouseDrag, PreviewOnTheTCamRowDropsItsYAndZ) {
    pane()->resize(400, 300);
    selectRow(1);
    const QString tcamY = h.text(names::tcamY(0));
    const QString tcamZ = h.text(names::tcamZ(0));
    // Z of the row is team 0's T-Cam Z, 63: s = 1.1575.
    drag(pane(), Qt::LeftButton, {{10, -10}});
    EXPECT_EQ(h.text(names::cameraField(106)), "-11");
    drag(pane(), Qt::RightButton, {{0, -20}});
    drag(pane(), Qt::MiddleButton, {{0, -20}});
    EXPECT_EQ(h.text(names::cameraField(146)), "10");  // Pitch -10 + 20
    EXPECT_EQ(h.text(names::tcamY(0)), tcamY);
    EXPECT_EQ(h.text(names::tcamZ(0)), tcamZ);
    EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
}

TEST_F(MouseDrag, PreviewOnTheChaseRowChangesNothing) {
    selectRow(12);
    QStringList before;
    for (int id : {101, 102, 105, 135}) before << h.text(names::cameraField(id));
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(pane(), b, {}, kPress);
        EXPECT_FALSE(mouse().previewDragActive());
        QTest::mouseMove(pane(), kPress + QPoint(30, -30));
        QTest::mouseRelease(pane(), b, {}, kPress + QPoint(30, -30));
    }
    QStringList after;
    for (int id : {101, 102, 105, 135}) after << h.text(names::cameraField(id));
    EXPECT_EQ(after, before);
    EXPECT_EQ(h.model().SelectedCamera, 101);
    EXPECT_EQ(h.editor().selection().SelectedField, 101);
}

TEST_F(MouseDrag, PreviewStartFieldWithoutANumberStartsNoDrag) {
    h.editor().fields().setText(names::cameraField(115), "x");
    QTest::mousePress(pane(), Qt::MiddleButton, {}, kPress);
    EXPECT_FALSE(mouse().previewDragActive());
    QTest::mouseMove(pane(), kPress + QPoint(10, 0));
    QTest::mouseRelease(pane(), Qt::MiddleButton, {}, kPress + QPoint(10, 0));
    EXPECT_EQ(h.text(names::cameraField(135)), "0");
    ASSERT_EQ(h.messages.errors.size(), 1);
    EXPECT_TRUE(h.messages.errors[0].contains("115")) << h.messages.errors[0].toStdString();
}

// ---- Drags that must end -----------------------------------------------------------------------

namespace {
// A move with no button held, as after a release that went elsewhere (into a box).
void hover(QWidget* widget, QPoint local) {
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(widget->mapToGlobal(local)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}
}  // namespace

// An empty partner field makes the first drag step fail in the helmet's reaction: that box ends
// the drag, and it is the only one. With the field fixed, moving the mouse changes nothing.
TEST_F(MouseDrag, ABoxEndsTheDragAndLaterMovesChangeNothing) {
    const QString y = names::helmetY(3), z = names::helmetZ(3);
    h.setText(z, "");
    const int start = h.text(y).toInt();
    h.messages.errors.clear();
    QTest::mousePress(edit(y), Qt::LeftButton, {}, kPress);
    for (int dx = 1; dx <= 4; ++dx) QTest::mouseMove(edit(y), kPress + QPoint(dx, 0));
    EXPECT_EQ(h.messages.errors.size(), 1) << h.messages.errors.join('\n').toStdString();
    EXPECT_FALSE(mouse().fieldDragActive());
    EXPECT_EQ(h.text(y), QString::number(start + 1));
    // The box took the release; the user fixes the field and moves the mouse over the field.
    h.setText(z, "-5");
    for (int dx = 5; dx <= 8; ++dx) hover(edit(y), kPress + QPoint(dx, 0));
    EXPECT_EQ(h.text(y), QString::number(start + 1));
    EXPECT_EQ(h.messages.errors.size(), 1);
    QTest::mouseRelease(edit(y), Qt::LeftButton, {}, kPress);
}

TEST_F(MouseDrag, AFieldDragEndsWithoutItsButtonOrItsFocus) {
    const QString x = names::cameraField(4);  // "Camera 3" X: 30
    QTest::mousePress(edit(x), Qt::LeftButton, {}, kPress);
    QTest::mouseMove(edit(x), kPress + QPoint(5, 0));
    EXPECT_EQ(h.text(x), "35");
    hover(edit(x), kPress + QPoint(9, 0));
    EXPECT_FALSE(mouse().fieldDragActive());
    QTest::mouseMove(edit(x), kPress + QPoint(12, 0));
    EXPECT_EQ(h.text(x), "35");
    QTest::mouseRelease(edit(x), Qt::LeftButton, {}, kPress + QPoint(12, 0));

    QTest::mousePress(edit(x), Qt::RightButton, {}, kPress);
    QTest::mouseMove(edit(x), kPress + QPoint(2, 0));
    EXPECT_EQ(h.text(x), "37");
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(edit(x), &focusOut);
    EXPECT_FALSE(mouse().fieldDragActive());
    QTest::mouseMove(edit(x), kPress + QPoint(20, 0));
    EXPECT_EQ(h.text(x), "37");
    QTest::mouseRelease(edit(x), Qt::RightButton, {}, kPress + QPoint(20, 0));
    EXPECT_TRUE(h.messages.errors.isEmpty());
}

namespace {
// Notes the texts of two fields at every repaint the reactions ask for.
class FrameRecorder : public app::PreviewSurface {
public:
    FrameRecorder(test::EditorHarness& h, QString first, QString second)
        : h_(h), first_(std::move(first)), second_(std::move(second)) {}
    void requestRepaint() override { frames.push_back(h_.text(first_) + "," + h_.text(second_)); }
    QStringList frames;

private:
    test::EditorHarness& h_;
    QString first_, second_;
};
}  // namespace

// A move that writes two fields paints once, after the second write: no frame shows one field
// moved and the other not yet.
TEST_F(MouseDrag, AStepWritingTwoFieldsPaintsOnceWithBothValues) {
    struct Case {
        const char* what;
        std::function<void()> run;
        int first, second;  // the fields written, in that order
        QStringList frames;
    };
    const Case cases[] = {
        {"Dir. field drag, Camera 1",
         [&] { drag(edit(names::cameraField(32)), Qt::LeftButton, {{5, -10}, {-3, 4}}); },
         // The release is a click on the field, which paints once more.
         32, 42, {"5,10", "-3,-4", "-3,-4"}},
        {"preview middle button",
         [&] {
             pane()->resize(400, 300);
             drag(pane(), Qt::MiddleButton, {{10, -7}, {4, 2}});
         },
         135, 145, {"10,7", "4,-2"}},
        {"preview left button",
         [&] { drag(pane(), Qt::LeftButton, {{10, 0}, {0, -10}}); },
         115, 105, {"-48,-10", "-58,0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        h.importAll();
        h.editor().selection().SelectedField = 105;  // the preview drags the Cockpit row
        FrameRecorder recorder(h, names::cameraField(c.first), names::cameraField(c.second));
        h.editor().setPreview(&recorder);
        c.run();
        h.editor().setPreview(nullptr);
        EXPECT_EQ(recorder.frames.join(" | ").toStdString(), c.frames.join(" | ").toStdString());
    }
}
