#include "core/values/OwnFileValues.h"

#include <algorithm>

#include "core/ownfiles/CameraSet.h"
#include "core/ownfiles/PerformanceFileContent.h"
#include "core/ownfiles/TeamFile.h"
#include "core/ownfiles/TyreSet.h"
#include "core/tables/Conversions.h"
#include "core/tables/TyreBrands.h"
#include "core/values/NamedValues.h"

namespace pw::values {

model::EditorModel toWindowForm(const model::EditorModel& fileForm) {
    model::EditorModel w = fileForm;
    for (model::CarCamera& record : w.cameras)
        for (int f = 0; f < model::kCameraFieldCount; ++f)
            record.field[f] =
                int16_t(model::cameraFieldToDisplay(model::CameraField(f), record.field[f]));
    return w;
}

model::EditorModel fromWindowForm(const model::EditorModel& windowForm,
                                  const model::EditorModel& stored) {
    model::EditorModel m = windowForm;
    for (int r = 0; r < model::kCameraCount; ++r)
        for (int f = 0; f < model::kCameraFieldCount; ++f) {
            const auto field = model::CameraField(f);
            const int shown = windowForm.cameras[r].field[f];
            const int16_t before = stored.cameras[r].field[f];
            m.cameras[r].field[f] = model::cameraFieldToDisplay(field, before) == shown
                                        ? before
                                        : model::cameraFieldToFile(field, shown);
        }
    followTeam0TCam(m, stored);
    return m;
}

int brandShownBy(int team, int brand) {
    const int last =
        team == model::McLaren ? model::kTyreBrandCount - 1 : model::kTyreBrandCount - 2;
    return std::clamp(brand, 0, last);
}

namespace {
void settleBrands(model::EditorModel& m) {
    for (int t = 0; t < model::kTeamCount; ++t)
        m.teams[t].tyreBrand = brandShownBy(t, m.teams[t].tyreBrand);
}
}  // namespace

void applyTeamFile(const files::TeamFileContent& content, model::EditorModel& m) {
    model::EditorModel w = toWindowForm(m);
    files::applyTeamFile(content, w);
    // The T-Cam record's Y and Z words of the file are never shown: the record follows team 0.
    w.cameras[11].field[model::CamY] =
        int16_t(model::cameraPositionToDisplay(m.cameras[11].field[model::CamY]));
    w.cameras[11].field[model::CamZ] =
        int16_t(model::cameraPositionToDisplay(m.cameras[11].field[model::CamZ]));
    settleBrands(w);
    m = fromWindowForm(w, m);
}

void applyCameraSet(const files::CameraSetContent& content, model::EditorModel& m) {
    model::EditorModel w = toWindowForm(m);
    files::applyCameraSet(content, w);
    w.cameras[11].field[model::CamY] =
        int16_t(model::cameraPositionToDisplay(m.cameras[11].field[model::CamY]));
    w.cameras[11].field[model::CamZ] =
        int16_t(model::cameraPositionToDisplay(m.cameras[11].field[model::CamZ]));
    m = fromWindowForm(w, m);
}

void applyTyreSet(const files::TyreSetContent& content, model::EditorModel& m) {
    model::EditorModel next = m;
    files::applyTyreSet(content, next);
    settleBrands(next);
    m = next;
}

void applyPerformanceFile(const files::PerformanceFileContent& content, model::EditorModel& m) {
    model::EditorModel next = m;
    const auto put = [&](const QString& group, const QString& row, const char* column,
                         const std::optional<QString>& text) {
        if (!text) return;
        const NamedValue* value = findValue(group, row, QLatin1String(column));
        try {
            applyShown(*value, next, value->shownFromText(*text));
        } catch (const ValueError& e) {
            throw ValueError(value->path() + QStringLiteral(": ") + e.message());
        }
    };
    const QString teams = QStringLiteral("teams"), drivers = QStringLiteral("drivers");
    for (int t = 0; t < model::kTeamCount; ++t) {
        const files::PerformanceTeamValues& team = content.teams[t];
        const QString row = teamRow(t);
        put(teams, row, "Team Names", team.teamName);
        put(teams, row, "Engine Names", team.engineName);
        put(teams, row, "Power(BHP) Qual.", team.qualifyPower);
        put(teams, row, "Power(BHP) Race", team.racePower);
        put(teams, row, "Failure %", team.failureRate);
        put(teams, row, "Gear", team.gearCaption);
        if (team.tyreBrand)
            put(teams, row, "Brand Types",
                QString::fromLatin1(model::TyreBrandNames[brandShownBy(t, *team.tyreBrand)]));
    }
    for (int d = 0; d < model::kDriverCount; ++d) {
        const files::PerformanceDriverValues& driver = content.drivers[d];
        const QString row = driverRow(d);
        put(drivers, row, "Nb", driver.number);
        put(drivers, row, "Driver Names", driver.name);
        put(drivers, row, "Qualify Ability", driver.qualifyAbility);
        put(drivers, row, "Qualify Var.", driver.qualifyVariation);
        put(drivers, row, "Race Ability", driver.raceAbility);
        put(drivers, row, "Race Var.", driver.raceVariation);
    }
    m = next;
}

}  // namespace pw::values
