#include "app/commands/TeamSlotCommands.h"

#include <QComboBox>
#include <QPushButton>
#include <array>

#include "app/Editor.h"
#include "app/commands/CommandErrors.h"
#include "app/commands/QuietEdits.h"
#include "app/commands/SelectionController.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/MainWindow.h"
#include "app/window/SlotsPage.h"
#include "core/images/TeamImages.h"
#include "core/tables/TyreBrands.h"

namespace pw::app {

namespace {

constexpr int kSwap = 1;

// Everything a team takes to another slot, as the window holds it (texts are carried as they
// are, so a copy never changes a value by parsing and printing it again).
struct TeamItems {
    QByteArray carShapeName;  // the model's value
    QString carShapeField;    // "Current Names"
    uint32_t arm = 0, rim = 0;
    std::array<QString, 6> positions;  // helmet Y, Z, wheel Y, Z, T-Cam Y, Z
    int brand = 0;
    QString teamName, engineName, qualifyPower, racePower, failureRate;
    int gearPosition = 0;
    QString gearCaption;
    struct Driver {
        QString number, name, qualifyAbility, qualifyVariation, raceAbility, raceVariation;
    };
    std::array<Driver, 2> drivers;
};

std::array<QString, 6> positionFields(int t) {
    return {names::helmetY(t), names::helmetZ(t), names::wheelY(t),
            names::wheelZ(t),  names::tcamY(t),   names::tcamZ(t)};
}

TeamItems readTeam(Editor& editor, int t) {
    const WindowFields& f = editor.fields();
    TeamItems items;
    items.carShapeName = editor.model().teams[t].carShapeName;
    items.carShapeField = f.text(names::carShapeName(t));
    items.arm = f.swatch(names::armSwatch(t, 0))->colourValue();
    items.rim = f.swatch(names::rimSwatch(t, 0))->colourValue();
    const auto positions = positionFields(t);
    for (size_t i = 0; i < positions.size(); ++i) items.positions[i] = f.text(positions[i]);
    items.brand = f.stepper(names::brandStepper(t))->position();
    items.teamName = f.text(names::teamName(t));
    items.engineName = f.text(names::engineName(t));
    items.qualifyPower = f.text(names::qualifyPower(t));
    items.racePower = f.text(names::racePower(t));
    items.failureRate = f.text(names::failureRate(t));
    items.gearPosition = f.stepper(names::gearStepper(t))->position();
    items.gearCaption = f.text(names::gearCaption(t));
    for (int k = 0; k < 2; ++k) {
        const int d = 2 * t + k;
        items.drivers[k] = {f.text(names::driverNumber(d)),   f.text(names::driverName(d)),
                            f.text(names::qualifyAbility(d)), f.text(names::qualifyVariation(d)),
                            f.text(names::raceAbility(d)),    f.text(names::raceVariation(d))};
    }
    return items;
}

void writeTeam(Editor& editor, int t, const TeamItems& items) {
    const WindowFields& f = editor.fields();
    editor.model().teams[t].carShapeName = items.carShapeName;
    f.setText(names::carShapeName(t), items.carShapeField);
    f.swatch(names::armSwatch(t, 0))->setColourValue(items.arm);
    f.swatch(names::rimSwatch(t, 0))->setColourValue(items.rim);
    const auto positions = positionFields(t);
    for (size_t i = 0; i < positions.size(); ++i) f.setText(positions[i], items.positions[i]);
    // The brand stepper keeps to this team's own range: team 1's third brand is its alone.
    Stepper* brand = f.stepper(names::brandStepper(t));
    brand->setPosition(items.brand);
    f.setText(names::brandCaption(t), QLatin1String(model::TyreBrandNames[brand->position()]));
    // The team-name write runs the team-name reaction even now (captions, model name).
    f.setText(names::teamName(t), items.teamName);
    f.setText(names::engineName(t), items.engineName);
    f.setText(names::qualifyPower(t), items.qualifyPower);
    f.setText(names::racePower(t), items.racePower);
    f.setText(names::failureRate(t), items.failureRate);
    f.stepper(names::gearStepper(t))->setPosition(items.gearPosition);
    f.setText(names::gearCaption(t), items.gearCaption);
    for (int k = 0; k < 2; ++k) {
        const int d = 2 * t + k;
        const TeamItems::Driver& driver = items.drivers[k];
        f.setText(names::driverNumber(d), driver.number);
        f.setText(names::driverName(d), driver.name);
        f.setText(names::qualifyAbility(d), driver.qualifyAbility);
        f.setText(names::qualifyVariation(d), driver.qualifyVariation);
        f.setText(names::raceAbility(d), driver.raceAbility);
        f.setText(names::raceVariation(d), driver.raceVariation);
    }
}

}  // namespace

void TeamSlotCommands::connectAll() {
    QObject::connect(editor_.window().slotsPage()->applyButton(), &QPushButton::clicked, &editor_,
                     [this] { runGuarded(editor_.messages(), [this] { LMDApplyClick(); }); });
}

void TeamSlotCommands::LMDApplyClick() {
    SlotsPage* page = editor_.window().slotsPage();
    const int s = page->firstTeam()->currentIndex();
    const int d = page->secondTeam()->currentIndex();
    if (s < 0 || d < 0) return;
    const bool swap = page->operation()->currentIndex() == kSwap;
    {
        QuietEdits quiet(editor_.model());
        const TeamItems source = readTeam(editor_, s);
        const TeamItems destination = readTeam(editor_, d);
        if (swap) images::exchangeTeamImages(editor_.model(), s, d);
        writeTeam(editor_, d, source);
        if (swap) writeTeam(editor_, s, destination);
    }
    editor_.previewInputs().shapeChanged = true;
    editor_.selector().CarRefresh(s);
}

}  // namespace pw::app
