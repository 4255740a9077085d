#pragma once

// Sample values for the own-file tests: every team, driver and camera different, so a block in
// the wrong place or the wrong order shows.

#include "core/ownfiles/CameraEncodings.h"
#include "core/tables/EditorModel.h"

namespace pw::files::testing {

inline model::EditorModel sampleModel() {
    model::EditorModel m;
    for (int i = 0; i < model::kTeamCount; ++i) {
        model::TeamRecord& t = m.teams[i];
        t.tcamY = int16_t(200 + 2 * i);
        t.tcamZ = int16_t(-100 - 2 * i);
        t.helmetY = 0.25f + float(i);
        t.helmetZ = -0.5f - float(i);
        t.wheelY = 0.125f * float(i + 1);
        t.wheelZ = -0.0625f * float(i + 1);
        t.armColour = 0xFF000000u | (0x010203u * uint32_t(i + 1));
        t.rimColour = 0x00102030u + uint32_t(i);
        t.tyreBrand = i == model::McLaren ? 2 : i % 2;
        t.carShapeName = "Shape" + QByteArray::number(i);
        t.teamName = "Team" + QByteArray::number(i);
        t.engineName = "Engine" + QByteArray::number(i);
        t.qualifyPower = uint16_t(32817 + 700 + i);
        t.racePower = uint16_t(32817 + 800 + i);
        t.failureRate = uint16_t(10 + i);
        t.gearCount = uint8_t(i % 2 ? 7 : 6);
    }
    for (int d = 0; d < model::kDriverCount; ++d) {
        model::DriverRecord& r = m.drivers[d];
        r.number = uint8_t(d + 1);
        r.name = "Driver " + QByteArray::number(d);
        r.qualifyAbility = uint16_t(1000 + d);
        r.qualifyVariation = uint16_t(2000 + d);
        r.raceAbility = uint16_t(3000 + d);
        r.raceVariation = uint16_t(4000 + d);
    }
    for (int w = 0; w < model::kWheelCount; ++w)
        for (int p = 0; p < 3; ++p) m.tyres.wheel[w][p] = 0.5f * float(w + 1) + 0.125f * float(p);
    m.cockpit = {0.01f, 0.02f, 0.03f, 0.04f, 0.05f, 0.06f};
    m.chaseY = 40;
    m.chaseZ = -60;
    return m;
}

inline ShownCameras sampleShown() {
    ShownCameras s;
    for (int r = 0; r < model::kCameraCount; ++r)
        for (int f = 0; f < model::kCameraFieldCount; ++f) {
            const bool angle = f == model::CamDir || f == model::CamPitch || f == model::CamRoll;
            // Angles stay within what 16 bits hold after the factor 182.
            s.records[r][f] = angle ? r * 10 - 50 + f : r * 37 + f * 3 - 20;
        }
    s.chaseY = 11;
    s.chaseZ = -13;
    return s;
}

}  // namespace pw::files::testing
