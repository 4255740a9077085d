#include "app/commands/DefaultCommands.h"

#include <QAction>
#include <QPushButton>

#include "app/Editor.h"
#include "app/commands/CommandErrors.h"
#include "app/commands/FieldReactions.h"
#include "app/commands/QuietEdits.h"
#include "app/commands/SelectionController.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/Stepper.h"
#include "app/window/CameraRows.h"
#include "app/window/CamerasPage.h"
#include "app/window/ComponentNames.h"
#include "app/window/DriversPage.h"
#include "app/window/MainWindow.h"
#include "app/window/PositionsPage.h"
#include "app/window/SlotsPage.h"
#include "app/window/TeamsPage.h"
#include "core/tables/Conversions.h"
#include "core/tables/Defaults.h"
#include "core/tables/TyreBrands.h"

namespace pw::app {

namespace dt = model::DefaultTables;

namespace {
constexpr char kCamsDone[] = "Back to default cameras positions";
constexpr char kTcamDone[] = "Back to default t-cam positions";
constexpr char kHelmetDone[] = "Back to default helmets positions";
constexpr char kWheelDone[] = "Back to default external steering wheel positions";
constexpr char kCockpitDone[] = "Back to default cockpit positions";
constexpr char kTyresDone[] = "Default Tyre Positions";
constexpr char kArmsDone[] = "Back to default arm colors";
constexpr char kRimsDone[] = "Back to default rim colors";
constexpr char kBrandsDone[] = "Default Tyre brands";
constexpr char kTeamDone[] = "Default Teams Datas";
constexpr char kAllDone[] = "All parameters have been reset to defaults";
}  // namespace

void DefaultCommands::connectAll() {
    MainWindow& w = editor_.window();
    auto wire = [this](QPushButton* button, void (DefaultCommands::*command)()) {
        QObject::connect(button, &QPushButton::clicked, &editor_, [this, command] {
            runGuarded(editor_.messages(), [this, command] { (this->*command)(); });
        });
    };
    wire(w.camerasPage()->defaultButton(), &DefaultCommands::DefaultCams);
    wire(w.positionsPage()->defaultTCam(), &DefaultCommands::DefaultTcam);
    wire(w.positionsPage()->defaultHelmet(), &DefaultCommands::DefaultHelmet);
    wire(w.positionsPage()->defaultWheel(), &DefaultCommands::DefaultExtSW);
    wire(w.positionsPage()->defaultCockpit(), &DefaultCommands::DefaultCockpit);
    wire(w.positionsPage()->defaultTyrePositions(), &DefaultCommands::DefaultTPClick);
    wire(w.teamsPage()->defaultArms(), &DefaultCommands::DefaultArmButton);
    wire(w.teamsPage()->defaultRims(), &DefaultCommands::DefaultRimButton);
    wire(w.teamsPage()->defaultBrands(), &DefaultCommands::DefaultBrands);
    wire(w.teamsPage()->defaultNames(), &DefaultCommands::DefaultTName);
    wire(w.teamsPage()->defaultDatas(), &DefaultCommands::DefaultTData);
    wire(w.driversPage()->defaultNames(), &DefaultCommands::DefaultDName);
    wire(w.driversPage()->defaultDatas(), &DefaultCommands::DefaultDData);
    wire(w.slotsPage()->defaultButton(), &DefaultCommands::DefaultTeam);
    QObject::connect(w.defaultAllAction(), &QAction::triggered, &editor_,
                     [this] { runGuarded(editor_.messages(), [this] { DefaultAll(); }); });
}

void DefaultCommands::DefaultCams() {
    const WindowFields& fields = editor_.fields();
    {
        QuietEdits quiet(editor_.model());
        for (const dt::CameraRow& row : dt::cameraRows(editor_.model().versionByte))
            for (int c = 0; c < dt::kCameraColumnCount; ++c)
                if (row.value[c]) fields.setCameraField(row.fieldBase + 10 * c, *row.value[c]);
        fields.setCameraField(101, dt::kChaseY);
        fields.setCameraField(102, dt::kChaseZ);
    }
    editor_.preview().requestRepaint();
    editor_.setStatus(QLatin1String(kCamsDone));
}

void DefaultCommands::DefaultTcam() {
    const WindowFields& fields = editor_.fields();
    {
        QuietEdits quiet(editor_.model());
        for (int t = 0; t < model::kTeamCount; ++t) {
            fields.setNumber(names::tcamY(t), dt::kTeamPositions[t].tcamY);
            fields.setNumber(names::tcamZ(t), dt::kTeamPositions[t].tcamZ);
        }
    }
    // As an edit of team 0's T-Cam Y would: the T-Cam row and team 0 become the selection.
    editor_.selection().SelectedField = camrows::kTCam;
    editor_.model().SelectedCamera = camrows::kTCam;
    editor_.selector().CarRefresh(0);
    editor_.setStatus(QLatin1String(kTcamDone));
}

void DefaultCommands::DefaultHelmet() {
    const WindowFields& fields = editor_.fields();
    {
        QuietEdits quiet(editor_.model());
        for (int t = 0; t < model::kTeamCount; ++t) {
            fields.setNumber(names::helmetY(t), dt::kTeamPositions[t].helmetY);
            fields.setNumber(names::helmetZ(t), dt::kTeamPositions[t].helmetZ);
        }
    }
    editor_.selector().CarRefresh(0);
    editor_.setStatus(QLatin1String(kHelmetDone));
}

void DefaultCommands::DefaultExtSW() {
    const WindowFields& fields = editor_.fields();
    {
        QuietEdits quiet(editor_.model());
        for (int t = 0; t < model::kTeamCount; ++t) {
            const dt::TeamPositions& p = dt::kTeamPositions[t];
            fields.setNumber(names::wheelY(t), p.wheelY);
            // The float shown as the window shows stored floats: -4.4, not -4.40000009.
            fields.setNumber(names::wheelZ(t),
                             model::roundToOneDecimal(model::floatToDecimal(p.wheelZ)));
        }
    }
    editor_.selector().CarRefresh(0);
    editor_.setStatus(QLatin1String(kWheelDone));
    editor_.preview().requestRepaint();
}

void DefaultCommands::DefaultCockpit() {
    const WindowFields& fields = editor_.fields();
    {
        QuietEdits quiet(editor_.model());
        for (int axis = 0; axis < 3; ++axis) {
            fields.setText(names::cockpitWheel(axis), QLatin1String(dt::kCockpitTexts[axis]));
            fields.setText(names::cockpitDash(axis), QLatin1String(dt::kCockpitTexts[axis + 3]));
        }
    }
    // The field reactions were quiet, so the model takes the values the texts stand for here.
    editor_.model().cockpit = dt::kCockpitPositions;
    editor_.previewInputs().dashboardChanged = true;
    editor_.preview().requestRepaint();
    editor_.setStatus(QLatin1String(kCockpitDone));
}

void DefaultCommands::DefaultTPClick() {
    // Written with the reactions live: every field written rebuilds the model's tyre positions.
    for (int w = 0; w < model::kWheelCount; ++w)
        for (int axis = 0; axis < 3; ++axis)
            editor_.fields().setNumber(names::tyrePosition(3 * w + 1 + axis),
                                       dt::kTyreShown[w][axis]);
    editor_.setStatus(QLatin1String(kTyresDone));
}

void DefaultCommands::DefaultArmButton() {
    {
        QuietEdits quiet(editor_.model());
        for (int t = 0; t < model::kTeamCount; ++t)
            editor_.fields()
                .swatch(names::armSwatch(t, 0))
                ->setColourValue(dt::kTeamColours[t].arm);
    }
    editor_.selector().CarRefresh(0);
    editor_.setStatus(QLatin1String(kArmsDone));
}

void DefaultCommands::DefaultRimButton() {
    {
        QuietEdits quiet(editor_.model());
        for (int t = 0; t < model::kTeamCount; ++t)
            editor_.fields()
                .swatch(names::rimSwatch(t, 0))
                ->setColourValue(dt::kTeamColours[t].rim);
    }
    editor_.selector().CarRefresh(0);
    editor_.setStatus(QLatin1String(kRimsDone));
}

void DefaultCommands::DefaultBrands() {
    for (int t = 0; t < model::kTeamCount; ++t) {
        Stepper* stepper = editor_.fields().stepper(names::brandStepper(t));
        stepper->setPosition(dt::kTeamColours[t].tyreBrand);
        editor_.fields().setText(names::brandCaption(t),
                                 QLatin1String(model::TyreBrandNames[stepper->position()]));
    }
    editor_.setStatus(QLatin1String(kBrandsDone));
}

void DefaultCommands::DefaultTName() {
    // Each team-name write also runs the team-name reaction (captions, "Virtual Cam" fields),
    // also for a name the field holds already, which changes no text and so raises nothing.
    for (int t = 0; t < model::kTeamCount; ++t) {
        const QString name = QLatin1String(dt::kTeamData[t].teamName);
        const bool unchanged = editor_.fields().text(names::teamName(t)) == name;
        editor_.fields().setText(names::teamName(t), name);
        if (unchanged) editor_.reactions().teamNameChanged(t, name);
        editor_.fields().setText(names::engineName(t), QLatin1String(dt::kTeamData[t].engineName));
    }
}

void DefaultCommands::DefaultTData() {
    const WindowFields& fields = editor_.fields();
    for (int t = 0; t < model::kTeamCount; ++t) {
        const dt::TeamData& d = dt::kTeamData[t];
        fields.setNumber(names::qualifyPower(t), d.qualifyPower);
        fields.setNumber(names::racePower(t), d.racePower);
        fields.setNumber(names::failureRate(t), d.failureRate);
        fields.setNumber(names::gearCaption(t), d.gearCount);
        fields.stepper(names::gearStepper(t))->setPosition(d.gearCount);
    }
}

void DefaultCommands::DefaultDName() {
    for (int d = 0; d < model::kDriverCount; ++d)
        editor_.fields().setText(names::driverName(d), QLatin1String(dt::kDriverNames[d]));
}

void DefaultCommands::DefaultDData() {
    const WindowFields& fields = editor_.fields();
    for (int d = 0; d < model::kDriverCount; ++d) {
        const int number = dt::driverNumber(d);
        editor_.model().drivers[d].number = model::driverNumberToFile(number);
        fields.setNumber(names::driverNumber(d), number);
        fields.setNumber(names::qualifyAbility(d), dt::kDriverData[d].ability);
        fields.setNumber(names::raceAbility(d), dt::kDriverData[d].ability);
        fields.setNumber(names::qualifyVariation(d), dt::kDriverData[d].variation);
        fields.setNumber(names::raceVariation(d), dt::kDriverData[d].variation);
    }
}

void DefaultCommands::DefaultTeam() {
    {
        QuietEdits quiet(editor_.model());
        for (int t = 0; t < model::kTeamCount; ++t) {
            const char* shape = dt::kTeamData[t].carShapeName;
            editor_.fields().setText(names::carShapeName(t), QLatin1String(shape));
            editor_.model().teams[t].carShapeName = shape;
        }
    }
    DefaultTcam();
    DefaultExtSW();
    DefaultArmButton();
    DefaultHelmet();
    DefaultBrands();
    DefaultRimButton();
    DefaultDName();
    DefaultTName();
    DefaultTData();
    DefaultDData();
    // Pending picture exchanges are forgotten, and the picture numbers go back with them, so
    // that the Images page shows what the picture files hold.
    editor_.teamImages().resetTeamImages();
    editor_.previewInputs().shapeChanged = true;
    editor_.selection().SelectedField = camrows::kCockpit;
    editor_.model().SelectedCamera = camrows::kCockpit;
    editor_.selector().CarRefresh(0);
    editor_.setStatus(QLatin1String(kTeamDone));
}

void DefaultCommands::DefaultAll() {
    DefaultCams();
    DefaultTPClick();
    DefaultCockpit();
    DefaultTeam();
    editor_.setStatus(QLatin1String(kAllDone));
}

}  // namespace pw::app
