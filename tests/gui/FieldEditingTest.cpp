#include <gtest/gtest.h>

#include <QTest>

#include "EditorHarness.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/FieldEdit.h"
#include "app/widgets/LabelPanel.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/PreviewPane.h"
#include "app/window/WindowFields.h"
#include "core/location/SettingsStore.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {
class FieldEditing : public testing::Test {
protected:
    void SetUp() override { h.importAll(); }
    const app::WindowFields& f() { return h.editor().fields(); }
    EditorHarness h;
};
}  // namespace

TEST_F(FieldEditing, CockpitFieldsWaitForTheDigitAfterAPoint) {
    h.setText(names::cockpitWheel(1), "12.");
    EXPECT_FLOAT_EQ(h.model().cockpit.wheelY, -0.45f);
    h.setText(names::cockpitWheel(1), "12.5");
    EXPECT_FLOAT_EQ(h.model().cockpit.wheelY, float((12.5 - 90) / 100));
    EXPECT_EQ(h.model().SelectedCamera, 105);
    h.editor().previewInputs().dashboardChanged = false;
    h.setText(names::cockpitDash(0), "1.6");
    EXPECT_FLOAT_EQ(h.model().cockpit.dashX, float((1.6 - 0.6) / 200));
    EXPECT_TRUE(h.editor().previewInputs().dashboardChanged);
}

TEST_F(FieldEditing, WheelPositionFieldsRebuildTheTyresAtOnce) {
    h.editor().previewInputs().tyresChanged = false;
    h.setText(names::tyrePosition(12), "-30");  // wheel 4 Z
    EXPECT_FLOAT_EQ(h.model().tyres.wheel[3][1], -0.30f);
    EXPECT_TRUE(h.editor().previewInputs().tyresChanged);
}

TEST_F(FieldEditing, ABadNumberIsReportedAndTheRestSkipped) {
    h.setText(names::cockpitWheel(0), "1-2");
    ASSERT_EQ(h.messages.errors.size(), 1);
    EXPECT_EQ(h.messages.errors[0], "Steering Wheel X holds \"1-2\", which is not a number.");
    EXPECT_FLOAT_EQ(h.model().cockpit.wheelX, -0.006f);
}

TEST_F(FieldEditing, TheColourDialogStoresBlackAsNearBlack) {
    app::ColourSwatch* arm = f().swatch(names::armSwatch(6, 0));
    h.dialogs.colour = 0u;
    QTest::mouseDClick(arm, Qt::LeftButton);
    EXPECT_EQ(arm->colourValue(), 0x010101u);
    ASSERT_FALSE(h.dialogs.colourRequests.empty());
    EXPECT_EQ(h.dialogs.colourRequests.back(), 0x1C6ACAu);  // the swatch's colour preselected
    EXPECT_EQ(h.model().SelectedTeam, 6);
    // Cancelled: the colour stays, the team is still selected.
    h.dialogs.colour.reset();
    QTest::mouseDClick(f().swatch(names::rimSwatch(7, 0)), Qt::LeftButton);
    EXPECT_EQ(f().swatch(names::rimSwatch(7, 0))->colourValue(), 0xCFDCE3u);
    EXPECT_EQ(h.model().SelectedTeam, 7);
}

TEST_F(FieldEditing, BrandAndGearSteppers) {
    h.editor().setStatus("x");
    f().stepper(names::brandStepper(1))->step(+1);  // already at its top, McLaren
    EXPECT_EQ(h.text(names::brandCaption(1)), "McLaren");
    f().stepper(names::brandStepper(4))->step(+1);
    EXPECT_EQ(h.text(names::brandCaption(4)), "Michelin");
    EXPECT_EQ(h.model().SelectedTeam, 4);
    f().stepper(names::brandStepper(4))->step(+1);  // range 0..1 for every team but team 1
    EXPECT_EQ(f().stepper(names::brandStepper(4))->position(), 1);
    h.editor().setStatus("x");
    f().stepper(names::gearStepper(9))->step(+1);
    EXPECT_EQ(h.text(names::gearCaption(9)), "7");
    EXPECT_EQ(h.editor().status(), "");
    EXPECT_EQ(h.model().SelectedTeam, 4);  // the gear stepper selects no team
}

TEST_F(FieldEditing, TeamNameChangesPutTheVirtualCamBackAndRenameTheCaptions) {
    h.settings().write("Pitwright", "VirtualCamDir", "-45");
    h.setText(names::cameraField(104), "999");
    h.setText(names::teamName(2), "williams f1");
    EXPECT_EQ(h.text(names::cameraField(104)), "69");
    EXPECT_EQ(h.text(names::cameraField(134)), "-45");
    EXPECT_EQ(h.text(names::teamsCaption(2)), "Williams F1");
    EXPECT_EQ(h.text(names::positionsCaption(2)), "Williams F1");
    EXPECT_EQ(h.text(names::imagesCaption(2)), "Williams F1");
    EXPECT_EQ(h.model().teams[2].teamName, "williams f1");
    // An empty name keeps the record's name, and so the captions.
    h.setText(names::teamName(2), "");
    EXPECT_EQ(h.model().teams[2].teamName, "williams f1");
    EXPECT_EQ(h.text(names::teamsCaption(2)), "Williams F1");
    // The reaction runs whatever EditsLive is.
    h.model().EditsLive = 0;
    h.editor().fields().setText(names::teamName(3), "b");
    EXPECT_EQ(h.text(names::teamsCaption(3)), "B");
}

TEST_F(FieldEditing, NumericFieldsRefuseOtherCharactersWithABeep) {
    app::FieldEdit* field = f().edit(names::helmetY(0));
    field->clear();
    QTest::keyClicks(field, "-1a2.5");
    EXPECT_EQ(field->text(), "-12.5");
    EXPECT_EQ(h.messages.beeps, 1);
    // Name and data fields take anything.
    app::FieldEdit* name = f().edit(names::driverName(0));
    name->clear();
    QTest::keyClicks(name, "ab 1");
    EXPECT_EQ(name->text(), "ab 1");
    app::FieldEdit* failure = f().edit(names::failureRate(0));
    QTest::keyClicks(failure, "z");
    EXPECT_EQ(h.messages.beeps, 1);
    EXPECT_TRUE(failure->text().contains('z'));
}

TEST_F(FieldEditing, ClosingTheWindowKeepsTheVirtualCam) {
    h.setText(names::cameraField(104), "12");
    h.setText(names::cameraField(154), "-3");
    h.window().close();
    EXPECT_EQ(h.settings().read("Pitwright", "VirtualCamX", "?"), "12");
    EXPECT_EQ(h.settings().read("Pitwright", "VirtualCamY", "?"), "-27");
    EXPECT_EQ(h.settings().read("Pitwright", "VirtualCamRoll", "?"), "-3");
}

TEST_F(FieldEditing, EditsAskThePreviewToRepaint) {
    const int before = h.window().previewPane()->repaintRequests();
    h.setText(names::cameraField(25), "10");
    EXPECT_GT(h.window().previewPane()->repaintRequests(), before);
}
