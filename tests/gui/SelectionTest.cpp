#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "EditorHarness.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/FieldEdit.h"
#include "app/widgets/LabelPanel.h"
#include "app/widgets/Stepper.h"
#include "app/window/CameraRows.h"
#include "app/window/CamerasPage.h"
#include "app/window/CommandStrip.h"
#include "app/window/ComponentNames.h"
#include "app/window/QuickCamBar.h"
#include "app/window/WindowFields.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;
namespace camrows = pw::app::camrows;

namespace {

class Selection : public testing::Test {
protected:
    void SetUp() override { h.importAll(); }

    app::QuickCamBar* bar() { return h.window().commandStrip()->quickCams(); }
    QString highlightedCameraRow() {
        QString lit;
        for (const auto& row : camrows::kPageRows)
            if (h.editor().fields().panel(names::cameraRowLabel(row.base))->isHighlighted()) {
                EXPECT_TRUE(lit.isEmpty()) << "two rows highlighted";
                lit = QString::number(row.base);
            }
        return lit;
    }
    // The lit quick-camera button, the highlighted row label and SelectedCamera name one row.
    void expectAgreement(int row, int button) {
        EXPECT_EQ(h.model().SelectedCamera, row);
        EXPECT_EQ(highlightedCameraRow(), QString::number(row));
        EXPECT_EQ(bar()->litButton(), button);
        EXPECT_EQ(h.editor().selection().QuickCamButton, button);
    }

    EditorHarness h;
};

}  // namespace

TEST_F(Selection, ImportLightsTheCockpit) {
    expectAgreement(105, 0);
    for (int t = 0; t < 11; ++t)
        EXPECT_EQ(h.editor().fields().panel(names::teamsCaption(t))->isHighlighted(), t == 0);
}

TEST_F(Selection, EveryQuickCameraButtonSelectsItsRow) {
    const int rows[] = {105, 106, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 101, 101, 104};
    for (int b = 0; b < 15; ++b) {
        SCOPED_TRACE(b);
        QTest::mouseClick(bar()->button(b), Qt::LeftButton);
        expectAgreement(rows[b], b);
        EXPECT_EQ(h.editor().selection().SelectedField, rows[b]);
    }
    EXPECT_TRUE(h.editor().selection().ChaseFront);  // "F" was pressed after "R"
    EXPECT_EQ(bar()->button(11)->text(), "10");
}

TEST_F(Selection, RowLabelsActAsTheirButtons) {
    h.click(names::cameraRowLabel(1));  // "Camera 10"
    expectAgreement(1, 11);
    h.click(names::cameraRowLabel(104));
    expectAgreement(104, 14);
    h.click(names::cameraRowLabel(101));  // rear view while ChaseFront is false
    expectAgreement(101, 12);
}

TEST_F(Selection, TheSwitchTogglesTheChaseSideAndItsButton) {
    QPushButton* sw = h.window().camerasPage()->switchButton();
    EXPECT_EQ(sw->text(), "Rear Cam");
    QTest::mouseClick(sw, Qt::LeftButton);
    EXPECT_EQ(sw->text(), "Front Cam");
    expectAgreement(101, 13);
    h.click(names::cameraRowLabel(101));
    expectAgreement(101, 13);
    QTest::mouseClick(sw, Qt::LeftButton);
    EXPECT_EQ(sw->text(), "Rear Cam");
    expectAgreement(101, 12);
    EXPECT_FALSE(h.editor().selection().ChaseFront);
}

TEST_F(Selection, ClickingACameraFieldSelectsItsRow) {
    h.editor().setStatus("something");
    h.click(names::cameraField(51));  // Roll of "Camera 10"
    expectAgreement(1, 11);
    EXPECT_EQ(h.editor().status(), "");
    h.click(names::cameraField(144));  // Pitch of "Virtual Cam"
    expectAgreement(104, 14);
    h.click(names::cameraField(102));
    expectAgreement(101, 12);
}

TEST_F(Selection, ATextChangeMovesOnlyTheSelectedCamera) {
    h.click(names::cameraField(3));  // Camera 2
    expectAgreement(3, 3);
    // The row comes from the field pressed last, not from the field whose text changed.
    h.editor().setStatus("kept?");
    h.editor().fields().setText(names::cameraField(7), "12");
    EXPECT_EQ(h.model().SelectedCamera, 3);
    EXPECT_EQ(h.editor().status(), "");
    h.editor().selection().SelectedField = 9;
    h.editor().fields().setText(names::cameraField(7), "13");
    EXPECT_EQ(h.model().SelectedCamera, 9);
    EXPECT_EQ(bar()->litButton(), 3);
    EXPECT_EQ(highlightedCameraRow(), "3");
}

TEST_F(Selection, EmptyOrMinusTextIsIgnored) {
    h.click(names::cameraField(3));
    h.editor().setStatus("kept");
    h.editor().fields().setText(names::cameraField(44), "-");
    h.click(names::cameraField(44));
    expectAgreement(3, 3);
    EXPECT_EQ(h.editor().status(), "kept");
}

TEST_F(Selection, NothingReactsWhileEditsAreNotLive) {
    h.model().EditsLive = 0;
    h.editor().fields().setText(names::cockpitWheel(0), "10");
    h.editor().fields().setText(names::tyrePosition(1), "10");
    h.editor().fields().setText(names::helmetY(4), "10");
    EXPECT_FLOAT_EQ(h.model().cockpit.wheelX, -0.006f);
    EXPECT_FLOAT_EQ(h.model().tyres.wheel[0][0], 0.6991f);  // as read from the archive
    EXPECT_EQ(h.model().SelectedTeam, 0);
}

TEST_F(Selection, TeamLabelsAndSwatchesSelectTheirTeam) {
    const app::WindowFields& f = h.editor().fields();
    for (const QString& name :
         {names::teamsCaption(3), names::positionsCaption(4), names::slotsCaption(5),
          names::slotsTeamLabel(6), names::imagesCaption(7), names::carShapeName(8)}) {
        h.editor().setStatus("x");
        h.click(name);
        EXPECT_EQ(h.editor().status(), "");
    }
    EXPECT_EQ(h.model().SelectedTeam, 8);
    QTest::mouseClick(f.swatch(names::rimSwatch(9, 0)), Qt::LeftButton);
    EXPECT_EQ(h.model().SelectedTeam, 9);
    for (int t = 0; t < 11; ++t) {
        for (const QString& name : {names::teamsCaption(t), names::positionsCaption(t),
                                    names::slotsCaption(t), names::imagesCaption(t)})
            EXPECT_EQ(f.panel(name)->isHighlighted(), t == 9) << name.toStdString();
    }
    EXPECT_EQ(h.model().currentShapeName, "Minardi");
    EXPECT_EQ(h.images.loaded.back(), 9);
}

TEST_F(Selection, TeamPositionFieldsSelectTheTeamAndTheTCam) {
    h.editor().previewInputs() = {};
    h.setText(names::helmetY(2), "-20");
    EXPECT_EQ(h.model().SelectedTeam, 2);
    EXPECT_FLOAT_EQ(h.editor().previewInputs().helmetY, -0.2f);
    EXPECT_TRUE(h.editor().previewInputs().shapeChanged);
    EXPECT_EQ(h.model().SelectedCamera, 105);
    h.setText(names::tcamZ(4), "70");
    EXPECT_EQ(h.model().SelectedTeam, 4);
    EXPECT_EQ(h.model().SelectedCamera, 106);
    EXPECT_EQ(h.editor().selection().SelectedField, 106);
    EXPECT_EQ(h.editor().previewInputs().tcamZ, 70);
    h.setText(names::wheelY(4), "20");
    EXPECT_FLOAT_EQ(h.editor().previewInputs().wheelY, 0.1f);
}
