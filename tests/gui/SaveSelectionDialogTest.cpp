#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <vector>

#include "app/dialogs/SaveSelectionDialog.h"

using pw::app::SaveSelectionDialog;
using pw::files::TeamFileSelection;

namespace {

QString numbered(const char* prefix, int n) {
    return QLatin1String(prefix) + QString::number(n);
}

class SaveSelectionDialogTest : public testing::Test {
protected:
    void SetUp() override { showDialog(); }

    void showDialog() {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    QCheckBox* box(const QString& name) {
        auto* b = dialog.findChild<QCheckBox*>(name);
        EXPECT_NE(b, nullptr) << name.toStdString();
        return b;
    }
    bool ticked(const QString& name) { return box(name)->isChecked(); }

    // A mouse click on the box's tick mark, as the user makes it.
    void click(const QString& name) {
        QCheckBox* b = box(name);
        ASSERT_NE(b, nullptr);
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        const QPoint mark =
            b->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, b).center();
        const bool before = b->isChecked();
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, mark);
        ASSERT_NE(b->isChecked(), before) << "the click missed " << name.toStdString();
    }

    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(name); }
    void clickButton(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    SaveSelectionDialog dialog;
};

QStringList cameraBoxNames() {  // the twelve cameras and "Chases"
    QStringList names;
    for (int k = 1; k <= 13; ++k) names << numbered("CBCam", k);
    return names;
}

QStringList rowBoxNames(int team) {
    QStringList names;
    for (int c = 1; c <= 7; ++c) names << numbered("CB", 10 * team + c);
    return names;
}

QStringList allBoxNames() {
    QStringList names = cameraBoxNames() << "CBCam14"
                                         << "CBSTWheel"
                                         << "CBDash"
                                         << "CBTyres";
    for (int team = 0; team < 11; ++team)
        names << rowBoxNames(team) << numbered("CBA", 10 * team + 1);
    return names;
}

struct BoxCase {
    QString name;
    QString caption;
    uint16_t TeamFileSelection::*mask;
    uint16_t bit;
};

std::vector<BoxCase> singleBoxCases() {
    using S = TeamFileSelection;
    std::vector<BoxCase> cases = {
        {"CBCam1", "Cockpit", &S::cameras, 1u << 0},
        {"CBCam2", "T-Cam", &S::cameras, 1u << 11},
        {"CBCam3", "Camera 1", &S::cameras, 1u << 2},
        {"CBCam4", "Camera 2", &S::cameras, 1u << 3},
        {"CBCam5", "Camera 3", &S::cameras, 1u << 4},
        {"CBCam6", "Camera 4", &S::cameras, 1u << 5},
        {"CBCam7", "Camera 5", &S::cameras, 1u << 6},
        {"CBCam8", "Camera 6", &S::cameras, 1u << 7},
        {"CBCam9", "Camera 7", &S::cameras, 1u << 8},
        {"CBCam10", "Camera 8", &S::cameras, 1u << 9},
        {"CBCam11", "Camera 9", &S::cameras, 1u << 10},
        {"CBCam12", "Camera 10", &S::cameras, 1u << 1},
        {"CBCam13", "Chases", &S::globals, 1},
        {"CBSTWheel", "Cockpit St. Wheel", &S::globals, 2},
        {"CBDash", "DashBoard", &S::globals, 4},
        {"CBTyres", "Tyres", &S::globals, 8},
    };
    // Grid columns left to right: T-Cams, Helmets, St. Wheels, Arms, Rims, Type, Name.
    const std::vector<uint16_t S::*> columns = {&S::tcams,      &S::helmets,    &S::wheels,
                                                &S::armColours, &S::rimColours, &S::tyreBrands,
                                                &S::shapeNames};
    for (int team = 0; team < 11; ++team)
        for (int c = 0; c < 7; ++c)
            cases.push_back(
                {numbered("CB", 10 * team + c + 1), QString(), columns[c], uint16_t(1u << team)});
    return cases;
}

}  // namespace

TEST_F(SaveSelectionDialogTest, WindowIsANonModalDialogWithSaveAsDefault) {
    EXPECT_EQ(dialog.objectName(), "FormSave");
    EXPECT_EQ(dialog.windowTitle(), "Choose Datas to Save");
    EXPECT_FALSE(dialog.isModal());
    ASSERT_NE(button("LMDButton1"), nullptr);
    EXPECT_EQ(button("LMDButton1")->text(), "Save");
    EXPECT_TRUE(button("LMDButton1")->isDefault());
    EXPECT_EQ(button("LMDButton2")->text(), "Select ALL");
    EXPECT_EQ(dialog.findChildren<QCheckBox*>().size(), allBoxNames().size());
    for (const QString& name : allBoxNames())
        EXPECT_EQ(dialog.findChildren<QCheckBox*>(name).size(), 1) << name.toStdString();
}

TEST_F(SaveSelectionDialogTest, EachBoxSetsItsOwnBitAndNothingElse) {
    for (const BoxCase& c : singleBoxCases()) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(box(c.name)->text(), c.caption);
        click(c.name);
        TeamFileSelection expected;
        expected.*c.mask = c.bit;
        EXPECT_EQ(dialog.selection(), expected);
        click(c.name);
        EXPECT_EQ(dialog.selection(), TeamFileSelection());
    }
}

TEST_F(SaveSelectionDialogTest, CameraAllFollowsTheTwelveCamerasAndChases) {
    for (const QString& name : cameraBoxNames().mid(0, 12)) click(name);
    EXPECT_FALSE(ticked("CBCam14")) << "twelve cameras without Chases";
    click("CBCam13");
    EXPECT_TRUE(ticked("CBCam14"));

    // Clearing one camera clears "All" only: the lock keeps "All" from clearing the rest.
    click("CBCam5");
    EXPECT_FALSE(ticked("CBCam14"));
    for (const QString& name : cameraBoxNames())
        EXPECT_EQ(ticked(name), name != "CBCam5") << name.toStdString();
    EXPECT_EQ(dialog.selection().cameras, 0x0FFF & ~(1u << 4));
}

TEST_F(SaveSelectionDialogTest, CameraAllTicksAndClearsEveryCameraBox) {
    click("CBCam3");  // a partly ticked column
    click("CBCam14");
    for (const QString& name : cameraBoxNames()) EXPECT_TRUE(ticked(name)) << name.toStdString();
    EXPECT_TRUE(ticked("CBCam14"));
    TeamFileSelection expected;
    expected.cameras = 0x0FFF;
    expected.globals = 1;
    EXPECT_EQ(dialog.selection(), expected);

    click("CBCam14");
    for (const QString& name : cameraBoxNames()) EXPECT_FALSE(ticked(name)) << name.toStdString();
    EXPECT_EQ(dialog.selection(), TeamFileSelection());
}

TEST_F(SaveSelectionDialogTest, RowAllTicksItsRowAndFollowsIt) {
    for (int team : {0, 1, 7, 10}) {
        SCOPED_TRACE(team);
        const QString all = numbered("CBA", 10 * team + 1);
        const QStringList row = rowBoxNames(team);
        click(all);
        for (const QString& name : row) EXPECT_TRUE(ticked(name)) << name.toStdString();
        TeamFileSelection expected;
        for (uint16_t* m :
             {&expected.tcams, &expected.helmets, &expected.wheels, &expected.armColours,
              &expected.rimColours, &expected.tyreBrands, &expected.shapeNames})
            *m = uint16_t(1u << team);
        EXPECT_EQ(dialog.selection(), expected) << "only this team's row";

        // One box cleared clears the row's "All" and leaves the other six ticked.
        click(row[3]);
        EXPECT_FALSE(ticked(all));
        for (const QString& name : row)
            EXPECT_EQ(ticked(name), name != row[3]) << name.toStdString();
        click(row[3]);
        EXPECT_TRUE(ticked(all));

        click(all);
        for (const QString& name : row) EXPECT_FALSE(ticked(name)) << name.toStdString();
        EXPECT_EQ(dialog.selection(), TeamFileSelection());
    }
}

TEST_F(SaveSelectionDialogTest, SelectAllThenUnselectAllGivesTheEmptySelection) {
    clickButton("LMDButton2");
    EXPECT_EQ(button("LMDButton2")->text(), "Unselect ALL");
    EXPECT_EQ(dialog.selection(), TeamFileSelection::all());
    for (const QString& name : allBoxNames()) EXPECT_TRUE(ticked(name)) << name.toStdString();

    clickButton("LMDButton2");
    EXPECT_EQ(button("LMDButton2")->text(), "Select ALL");
    for (const QString& name : allBoxNames()) EXPECT_FALSE(ticked(name)) << name.toStdString();
    // The header of a 20-byte team file: nine zero masks.
    const TeamFileSelection s = dialog.selection();
    for (uint16_t m : {s.cameras, s.tcams, s.helmets, s.armColours, s.rimColours, s.tyreBrands,
                       s.globals, s.wheels, s.shapeNames})
        EXPECT_EQ(m, 0);
}

TEST_F(SaveSelectionDialogTest, SelectAllOverAPartialSelectionTicksEverything) {
    click("CBCam2");
    click("CB55");
    click("CBDash");
    clickButton("LMDButton2");
    EXPECT_EQ(dialog.selection(), TeamFileSelection::all());
}

TEST_F(SaveSelectionDialogTest, FirstShowingAfterImportTicksEverythingOnce) {
    clickButton("LMDButton2");
    clickButton("LMDButton2");  // everything cleared, "Select ALL"
    dialog.hide();
    dialog.selectAllOnNextShow();
    EXPECT_EQ(dialog.selection(), TeamFileSelection()) << "nothing changes until the dialog shows";
    showDialog();
    EXPECT_EQ(dialog.selection(), TeamFileSelection::all());
    for (const QString& name : allBoxNames()) EXPECT_TRUE(ticked(name)) << name.toStdString();
    EXPECT_EQ(button("LMDButton2")->text(), "Unselect ALL");

    // The next press of the button clears, and later showings keep the ticks as they are.
    clickButton("LMDButton2");
    click("CB23");
    dialog.hide();
    showDialog();
    TeamFileSelection expected;
    expected.wheels = 1u << 2;
    EXPECT_EQ(dialog.selection(), expected);
    EXPECT_EQ(button("LMDButton2")->text(), "Select ALL");
}

TEST_F(SaveSelectionDialogTest, SaveHidesTheDialogThenAsksForTheSave) {
    click("CBCam12");
    bool hiddenWhenAsked = false;
    QObject::connect(&dialog, &SaveSelectionDialog::saveRequested,
                     [&] { hiddenWhenAsked = !dialog.isVisible(); });
    QSignalSpy saves(&dialog, &SaveSelectionDialog::saveRequested);
    clickButton("LMDButton1");
    EXPECT_EQ(saves.count(), 1);
    EXPECT_TRUE(hiddenWhenAsked);
    EXPECT_FALSE(dialog.isVisible());

    // Shown again (the file dialog was cancelled): the ticks are those of before.
    showDialog();
    TeamFileSelection expected;
    expected.cameras = 1u << 1;
    EXPECT_EQ(dialog.selection(), expected);

    // Return presses the default button.
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(saves.count(), 2);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(SaveSelectionDialogTest, TeamLabelsFollowTheTeamNames) {
    for (int team = 0; team < 11; ++team)
        dialog.setTeamLabel(team, QStringLiteral("Team %1").arg(team));
    dialog.setTeamLabel(2, QStringLiteral("Williams"));
    dialog.setTeamLabel(-1, QStringLiteral("None"));
    dialog.setTeamLabel(11, QStringLiteral("None"));
    for (int team = 0; team < 11; ++team) {
        const auto* label = dialog.findChild<QLabel*>(numbered("Label", team + 1));
        ASSERT_NE(label, nullptr) << team;
        EXPECT_EQ(label->text(),
                  team == 2 ? QStringLiteral("Williams") : QStringLiteral("Team %1").arg(team));
    }
}
