#include "core/ownfiles/CameraEncodings.h"

#include "core/tables/Conversions.h"

namespace pw::files {

using model::CameraField;
using model::CarCamera;

namespace {
bool isAngle(CameraField f) {
    return f == model::CamDir || f == model::CamPitch || f == model::CamRoll;
}
}  // namespace

CarCamera teamFileRecordFromShown(int record, const ShownCamera& shown) {
    CarCamera c;
    for (int i = 0; i < model::kCameraFieldCount; ++i) {
        const CameraField f = CameraField(i);
        int64_t v = shown[i];
        if (f == model::CamY && record == 0) v -= kCockpitYOffset;
        c.field[i] = isAngle(f) ? model::cameraAngleToFile(shown[i]) : model::wrapInt16(v);
    }
    return c;
}

ShownCamera shownFromTeamFileRecord(int record, const CarCamera& stored) {
    ShownCamera s{};
    for (int i = 0; i < model::kCameraFieldCount; ++i) {
        const CameraField f = CameraField(i);
        int v = isAngle(f) ? model::cameraAngleToDisplay(stored.field[i]) : stored.field[i];
        if (f == model::CamY && record == 0) v += kCockpitYOffset;
        s[i] = v;
    }
    return s;
}

CarCamera gameRecordFromShown(const ShownCamera& shown) {
    CarCamera c;
    for (int i = 0; i < model::kCameraFieldCount; ++i)
        c.field[i] = model::cameraFieldToFile(CameraField(i), shown[i]);
    return c;
}

ShownCamera shownFromGameRecord(const CarCamera& stored) {
    ShownCamera s{};
    for (int i = 0; i < model::kCameraFieldCount; ++i)
        s[i] = model::cameraFieldToDisplay(CameraField(i), stored.field[i]);
    return s;
}

}  // namespace pw::files
