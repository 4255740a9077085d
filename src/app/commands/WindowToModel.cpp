#include "app/commands/WindowToModel.h"

#include "app/widgets/ColourSwatch.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/WindowFields.h"
#include "core/tables/Conversions.h"
#include "core/bytes/Text.h"

namespace pw::app {

void takeCameraValues(const WindowFields& fields, model::EditorModel& into) {
    for (int r = 0; r < model::kCameraCount; ++r) {
        for (int f = 0; f < model::kCameraFieldCount; ++f) {
            const auto field = model::CameraField(f);
            into.cameras[r].field[f] =
                model::cameraFieldToFile(field, fields.cameraField(model::cameraFieldId(r, field)));
        }
    }
    into.chaseY = model::chaseToFile(fields.cameraField(101));
    into.chaseZ = model::chaseToFile(fields.cameraField(102));
}

void takeTeamPositions(const WindowFields& fields, model::EditorModel& into) {
    for (int t = 0; t < model::kTeamCount; ++t) {
        model::TeamRecord& team = into.teams[t];
        team.armColour =
            model::armColourToFile(fields.swatch(names::armSwatch(t, 0))->colourValue());
        team.rimColour =
            model::rimColourToFile(fields.swatch(names::rimSwatch(t, 0))->colourValue());
        team.helmetY = model::helmetToFile(fields.number(names::helmetY(t)));
        team.helmetZ = model::helmetToFile(fields.number(names::helmetZ(t)));
        team.wheelY = model::steeringWheelToFile(fields.number(names::wheelY(t)));
        team.wheelZ = model::steeringWheelToFile(fields.number(names::wheelZ(t)));
        team.tcamY = model::tcamYToFile(fields.integer(names::tcamY(t)));
        team.tcamZ = model::tcamZToFile(fields.integer(names::tcamZ(t)));
    }
}

void takeTeamData(const WindowFields& fields, model::EditorModel& into) {
    for (int t = 0; t < model::kTeamCount; ++t) {
        model::TeamRecord& team = into.teams[t];
        team.teamName = model::recordFromText(fields.text(names::teamName(t)));
        team.engineName = model::recordFromText(fields.text(names::engineName(t)));
        team.qualifyPower = model::powerToFile(fields.integer(names::qualifyPower(t)));
        team.racePower = model::powerToFile(fields.integer(names::racePower(t)));
        team.failureRate = model::failureRateToFile(fields.integer(names::failureRate(t)));
        team.gearCount = model::gearCountToFile(fields.integer(names::gearCaption(t)));
    }
}

void takeTyreBrands(const WindowFields& fields, model::EditorModel& into) {
    for (int t = 0; t < model::kTeamCount; ++t)
        into.teams[t].tyreBrand = fields.stepper(names::brandStepper(t))->position();
}

void takeDriverData(const WindowFields& fields, model::EditorModel& into) {
    for (int d = 0; d < model::kDriverCount; ++d) {
        model::DriverRecord& driver = into.drivers[d];
        driver.number = model::driverNumberToFile(fields.integer(names::driverNumber(d)));
        driver.name = model::recordFromText(fields.text(names::driverName(d)));
        driver.qualifyAbility = model::driverValueToFile(fields.integer(names::qualifyAbility(d)));
        driver.qualifyVariation =
            model::driverValueToFile(fields.integer(names::qualifyVariation(d)));
        driver.raceAbility = model::driverValueToFile(fields.integer(names::raceAbility(d)));
        driver.raceVariation = model::driverValueToFile(fields.integer(names::raceVariation(d)));
    }
}

}  // namespace pw::app
