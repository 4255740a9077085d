#include "app/commands/FieldReactions.h"

#include <QPushButton>

#include "app/AppInfo.h"
#include "app/Editor.h"
#include "app/commands/CommandErrors.h"
#include "app/commands/SelectionController.h"
#include "app/dialogs/UserPrompts.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/FieldEdit.h"
#include "app/widgets/LabelPanel.h"
#include "app/widgets/Stepper.h"
#include "app/window/CameraRows.h"
#include "app/window/CamerasPage.h"
#include "app/window/CommandStrip.h"
#include "app/window/ComponentNames.h"
#include "app/window/MainWindow.h"
#include "app/window/QuickCamBar.h"
#include "core/tables/Conversions.h"
#include "core/location/SettingsStore.h"
#include "core/bytes/Text.h"
#include "core/tables/TyreBrands.h"

namespace pw::app {

void FieldReactions::guarded(const std::function<void()>& reaction) {
    runGuarded(editor_.messages(), reaction);
}

bool FieldReactions::live(const QString& text) const {
    return editor_.model().EditsLive > 0 && !text.isEmpty() && text != QLatin1String("-");
}

void FieldReactions::connectAll() {
    const WindowFields& fields = editor_.fields();
    MainWindow& window = editor_.window();
    SelectionController& selector = editor_.selector();
    auto beepOnRejectedKey = [this](FieldEdit* field) {
        QObject::connect(field, &FieldEdit::keyRejected, &editor_,
                         [this] { editor_.messages().beep(); });
    };

    // Camera fields of the Cameras page (not the "Positions Tab" box, not the Details page).
    for (const camrows::Row& row : camrows::kPageRows) {
        for (int id : camrows::pageFieldIds(row)) {
            FieldEdit* field = fields.cameraEdit(id);
            if (!field) continue;
            QObject::connect(field, &FieldEdit::pressed, &editor_,
                             [this, id] { cameraFieldPressed(id); });
            QObject::connect(field, &FieldEdit::clicked, &editor_,
                             [this, id] { cameraFieldClicked(id); });
            QObject::connect(field, &QLineEdit::textChanged, &editor_,
                             [this, id] { cameraFieldChanged(id); });
            beepOnRejectedKey(field);
        }
        LabelPanel* label = fields.panel(names::cameraRowLabel(row.base));
        const int base = row.base;
        QObject::connect(label, &LabelPanel::clicked, &editor_, [this, &selector, base] {
            guarded([&] { selector.cameraRowLabelClicked(base); });
        });
    }
    QObject::connect(window.commandStrip()->quickCams(), &QuickCamBar::buttonPressed, &editor_,
                     [this, &selector](int b) { guarded([&] { selector.quickCamPressed(b); }); });
    QObject::connect(window.camerasPage()->switchButton(), &QPushButton::clicked, &editor_,
                     [this, &selector] { guarded([&] { selector.switchClicked(); }); });

    for (int t = 0; t < model::kTeamCount; ++t) {
        // Team positions: T-Cam, helmet and steering wheel, Y and Z.
        const std::pair<TeamPosition, QString> positions[] = {
            {TeamPosition::TCam, names::tcamY(t)},     {TeamPosition::TCam, names::tcamZ(t)},
            {TeamPosition::Helmet, names::helmetY(t)}, {TeamPosition::Helmet, names::helmetZ(t)},
            {TeamPosition::Wheel, names::wheelY(t)},   {TeamPosition::Wheel, names::wheelZ(t)}};
        for (const auto& [kind, name] : positions) {
            FieldEdit* field = fields.edit(name);
            const TeamPosition k = kind;
            const QString n = name;
            QObject::connect(field, &QLineEdit::textChanged, &editor_,
                             [this, k, t, n] { teamPositionChanged(k, t, n); });
            QObject::connect(field, &FieldEdit::clicked, &editor_,
                             [this, k, t, n] { teamPositionChanged(k, t, n); });
            beepOnRejectedKey(field);
        }
        // Colours: only the car 1 swatches carry values.
        for (bool arm : {true, false}) {
            ColourSwatch* swatch =
                fields.swatch(arm ? names::armSwatch(t, 0) : names::rimSwatch(t, 0));
            QObject::connect(swatch, &ColourSwatch::clicked, &editor_,
                             [this, t] { colourSwatchClicked(t); });
            QObject::connect(swatch, &ColourSwatch::doubleClicked, &editor_,
                             [this, t, arm] { colourSwatchDoubleClicked(t, arm); });
        }
        QObject::connect(fields.stepper(names::brandStepper(t)), &Stepper::stepped, &editor_,
                         [this, t](int position) { brandStepped(t, position); });
        QObject::connect(fields.stepper(names::gearStepper(t)), &Stepper::stepped, &editor_,
                         [this, t](int position) { gearStepped(t, position); });
        QObject::connect(fields.edit(names::teamName(t)), &QLineEdit::textChanged, &editor_,
                         [this, t](const QString& text) { teamNameChanged(t, text); });
        // Team selection by its labels and by its car-shape name field.
        for (const QString& name :
             {names::teamsCaption(t), names::positionsCaption(t), names::slotsCaption(t),
              names::slotsTeamLabel(t), names::imagesCaption(t)})
            QObject::connect(fields.panel(name), &LabelPanel::clicked, &editor_,
                             [this, &selector, t] { guarded([&] { selector.CarRefresh(t); }); });
        QObject::connect(fields.edit(names::carShapeName(t)), &FieldEdit::clicked, &editor_,
                         [this, &selector, t] { guarded([&] { selector.CarRefresh(t); }); });
    }

    for (int axis = 0; axis < 3; ++axis) {
        for (bool wheel : {true, false}) {
            const QString name = wheel ? names::cockpitWheel(axis) : names::cockpitDash(axis);
            FieldEdit* field = fields.edit(name);
            QObject::connect(field, &QLineEdit::textChanged, &editor_,
                             [this, wheel, name] { cockpitChanged(wheel, name); });
            QObject::connect(field, &FieldEdit::clicked, &editor_,
                             [this, wheel, name] { cockpitChanged(wheel, name); });
            beepOnRejectedKey(field);
        }
    }
    for (int n = 1; n <= 12; ++n) {
        const QString name = names::tyrePosition(n);
        FieldEdit* field = fields.edit(name);
        QObject::connect(field, &QLineEdit::textChanged, &editor_,
                         [this, name] { tyrePositionChanged(name); });
        beepOnRejectedKey(field);
    }
}

void FieldReactions::cameraFieldPressed(int fieldId) {
    editor_.selection().SelectedField = fieldId;
}

void FieldReactions::cameraFieldClicked(int fieldId) {
    if (!live(editor_.fields().cameraFieldText(fieldId))) return;
    guarded([&] {
        SelectionState& selection = editor_.selection();
        editor_.clearStatus();
        const int row = camrows::CameraRow(selection.selectedFieldOrCockpit());
        editor_.model().SelectedCamera = row;
        editor_.selector().lightQuickCam(camrows::quickButtonOfRow(row, selection.ChaseFront));
        editor_.selector().HighSelCam();
        editor_.preview().requestRepaint();
    });
}

void FieldReactions::cameraFieldChanged(int fieldId) {
    if (!live(editor_.fields().cameraFieldText(fieldId))) return;
    guarded([&] {
        editor_.clearStatus();
        editor_.model().SelectedCamera =
            camrows::CameraRow(editor_.selection().selectedFieldOrCockpit());
        editor_.preview().requestRepaint();
    });
}

void FieldReactions::teamPositionChanged(TeamPosition kind, int team, const QString& fieldName) {
    if (!live(editor_.fields().text(fieldName))) return;
    guarded([&] {
        // The selection of the team recomputes every preview input of the team, this one included.
        if (kind == TeamPosition::TCam) {
            editor_.selection().SelectedField = camrows::kTCam;
            editor_.model().SelectedCamera = camrows::kTCam;
        }
        editor_.selector().CarRefresh(team);
    });
}

void FieldReactions::cockpitChanged(bool steeringWheel, const QString& fieldName) {
    const QString text = editor_.fields().text(fieldName);
    if (!live(text) || text.endsWith(QLatin1Char('.'))) return;
    guarded([&] {
        const WindowFields& fields = editor_.fields();
        model::EditorModel& model = editor_.model();
        using model::CockpitField;
        if (steeringWheel) {
            const double x = fields.number(names::cockpitWheel(0));
            const double y = fields.number(names::cockpitWheel(1));
            const double z = fields.number(names::cockpitWheel(2));
            model.cockpit.wheelX = model::cockpitToFile(CockpitField::WheelX, x);
            model.cockpit.wheelY = model::cockpitToFile(CockpitField::WheelY, y);
            model.cockpit.wheelZ = model::cockpitToFile(CockpitField::WheelZ, z);
            editor_.selection().SelectedField = camrows::kCockpit;
            model.SelectedCamera = camrows::kCockpit;
        } else {
            const double x = fields.number(names::cockpitDash(0));
            const double y = fields.number(names::cockpitDash(1));
            const double z = fields.number(names::cockpitDash(2));
            model.cockpit.dashX = model::cockpitToFile(CockpitField::DashX, x);
            model.cockpit.dashY = model::cockpitToFile(CockpitField::DashY, y);
            model.cockpit.dashZ = model::cockpitToFile(CockpitField::DashZ, z);
            editor_.previewInputs().dashboardChanged = true;
        }
        editor_.preview().requestRepaint();
    });
}

void FieldReactions::tyrePositionsFromFields() {
    const WindowFields& fields = editor_.fields();
    std::array<std::array<float, 3>, model::kWheelCount> wheels{};
    for (int w = 0; w < model::kWheelCount; ++w) {
        for (int axis = 0; axis < 3; ++axis) {
            const double shown = fields.number(names::tyrePosition(3 * w + 1 + axis));
            wheels[w][model::tyreFloatIndex(model::TyreAxis(axis))] =
                model::tyrePositionToFile(shown);
        }
    }
    editor_.model().tyres.wheel = wheels;
}

void FieldReactions::tyrePositionChanged(const QString& fieldName) {
    if (!live(editor_.fields().text(fieldName))) return;
    guarded([&] {
        tyrePositionsFromFields();
        editor_.previewInputs().tyresChanged = true;
        editor_.preview().requestRepaint();
    });
}

void FieldReactions::colourSwatchClicked(int team) {
    guarded([&] { editor_.selector().CarRefresh(team); });
}

void FieldReactions::colourSwatchDoubleClicked(int team, bool arm) {
    ColourSwatch* swatch =
        editor_.fields().swatch(arm ? names::armSwatch(team, 0) : names::rimSwatch(team, 0));
    if (const std::optional<uint32_t> chosen =
            editor_.dialogs().chooseColour(swatch->colourValue())) {
        // Pure black would read as "no colour" to the game; the nearest colour stands in.
        swatch->setColourValue(*chosen == 0 ? 0x010101u : *chosen);
    }
    colourSwatchClicked(team);
}

void FieldReactions::brandStepped(int team, int position) {
    guarded([&] {
        editor_.fields().setText(names::brandCaption(team),
                                 QLatin1String(model::TyreBrandNames[position]));
        editor_.clearStatus();
        editor_.selector().CarRefresh(team);
    });
}

void FieldReactions::gearStepped(int team, int position) {
    editor_.fields().setText(names::gearCaption(team), QString::number(position));
    editor_.clearStatus();
}

void FieldReactions::readVirtualCamSettings() {
    for (const auto& value : model::settings::kVirtualCam) {
        const QString text =
            editor_.settings().read(QLatin1String(model::settings::kSection),
                                    QLatin1String(value.name), QLatin1String(value.defaultValue));
        editor_.fields().setText(names::cameraField(value.fieldId), text);
    }
}

void FieldReactions::teamNameChanged(int team, const QString& text) {
    guarded([&] {
        editor_.window().setWindowTitle(windowTitleWithMarker());
        readVirtualCamSettings();
        model::TeamRecord& record = editor_.model().teams[team];
        if (!text.isEmpty()) record.teamName = model::recordFromText(text);
        editor_.showTeamCaption(team, model::Mister(model::textFromRecord(record.teamName)));
    });
}

}  // namespace pw::app
