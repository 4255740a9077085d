#include "core/ownfiles/CameraSet.h"

#include "core/ownfiles/TeamFileSelection.h"
#include "core/bytes/ByteIO.h"
#include "core/tables/Conversions.h"

namespace pw::files {

CameraSetRow cameraSetRow(qint64 size) {
    switch (size) {
        case 200:
            return {1, 10, false};
        case 204:
            return {1, 10, true};
        case 224:
            return {0, 10, true};
        case 244:
            return {0, 11, true};
        default:
            break;
    }
    if (size < 224) return {1, 9, size >= 204};
    return {0, 9, true};
}

CameraSetContent readCameraSet(const QByteArray& bytes, const QString& fileName) {
    model::ByteReader r(bytes, fileName);
    const CameraSetRow row = cameraSetRow(r.size());
    r.require(0, row.bytesNeeded(), "the records a camera set of this size holds");
    CameraSetContent c;
    for (int rec = row.firstRecord; rec <= row.lastRecord; ++rec) {
        for (auto& f : c.cameras[rec].field) f = r.i16("a camera record");
        c.presentCameras |= uint16_t(1u << rec);
    }
    if (row.chases) {
        c.chaseY = r.i16("the chase cameras");
        c.chaseZ = r.i16("the chase cameras");
        c.hasChases = true;
    }
    return c;
}

int CameraSetContent::shownChaseY() const {
    return model::chaseToDisplay(chaseY);
}
int CameraSetContent::shownChaseZ() const {
    return model::chaseToDisplay(chaseZ);
}

QByteArray writeCameraSet(const ShownCameras& shown) {
    model::ByteWriter w;
    for (const ShownCamera& rec : shown.records)
        for (int16_t f : gameRecordFromShown(rec).field) w.i16(f);
    w.i16(model::chaseToFile(shown.chaseY));
    w.i16(model::chaseToFile(shown.chaseZ));
    return w.data();
}

void applyCameraSet(const CameraSetContent& c, model::EditorModel& m) {
    for (int rec : maskIndexes(c.presentCameras & kCameraMaskBits)) {
        const ShownCamera shown = c.shownCamera(rec);
        for (int f = 0; f < model::kCameraFieldCount; ++f)
            m.cameras[rec].field[f] = model::wrapInt16(shown[f]);
    }
    if (c.hasChases) {
        m.chaseY = c.chaseY;
        m.chaseZ = c.chaseZ;
    }
}

}  // namespace pw::files
