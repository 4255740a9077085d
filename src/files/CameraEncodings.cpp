#include "CameraEncodings.h"

namespace pw::files {

using model::CameraField;
using model::CarCamera;

namespace {
bool isAngle(int f) { return f == model::CamDir || f == model::CamPitch || f == model::CamRoll; }
bool isPosition(int f) { return f == model::CamX || f == model::CamZ || f == model::CamY; }
}  // namespace

int16_t word16(int64_t value) { return int16_t(uint16_t(uint64_t(value) & 0xFFFF)); }

CarCamera teamFileRecordFromShown(int record, const ShownCamera& shown) {
    CarCamera c;
    for (int f = 0; f < model::kCameraFieldCount; ++f) {
        int64_t v = shown[f];
        if (isAngle(f)) v *= kAngleUnit;
        if (f == model::CamY && record == 0) v -= kCockpitYOffset;
        c.field[f] = word16(v);
    }
    return c;
}

ShownCamera shownFromTeamFileRecord(int record, const CarCamera& stored) {
    ShownCamera s{};
    for (int f = 0; f < model::kCameraFieldCount; ++f) {
        int v = stored.field[f];
        if (isAngle(f)) v /= kAngleUnit;  // C++ division truncates toward zero
        if (f == model::CamY && record == 0) v += kCockpitYOffset;
        s[f] = v;
    }
    return s;
}

CarCamera gameRecordFromShown(const ShownCamera& shown) {
    CarCamera c;
    for (int f = 0; f < model::kCameraFieldCount; ++f) {
        int64_t v = shown[f];
        if (isAngle(f)) v *= kAngleUnit;
        if (isPosition(f)) v *= 2;
        c.field[f] = word16(v);
    }
    return c;
}

ShownCamera shownFromGameRecord(const CarCamera& stored) {
    ShownCamera s{};
    for (int f = 0; f < model::kCameraFieldCount; ++f) {
        int v = stored.field[f];
        if (isAngle(f)) v /= kAngleUnit;
        if (isPosition(f)) v /= 2;
        s[f] = v;
    }
    return s;
}

}  // namespace pw::files
