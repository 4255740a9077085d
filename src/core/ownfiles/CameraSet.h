#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

#include "core/ownfiles/CameraEncodings.h"
#include "core/tables/EditorModel.h"

namespace pw::files {

// Camera set (".cam"): camera records and chase cameras in the game's own encoding. We write
// all twelve records and the chases (244 bytes); the reader picks the records by the file size.

constexpr int kCameraSetSize = 244;

// Which records a camera set of a given size holds, in file order, and whether the chases follow.
struct CameraSetRow {
    int firstRecord = 0;
    int lastRecord = 0;
    bool chases = false;
    int bytesNeeded() const { return 20 * (lastRecord - firstRecord + 1) + (chases ? 4 : 0); }
};
CameraSetRow cameraSetRow(qint64 fileSize);

struct CameraSetContent {
    uint16_t presentCameras = 0;  // bit r: record r was read
    bool hasChases = false;
    std::array<model::CarCamera, model::kCameraCount> cameras{};  // game encoding
    int16_t chaseY = 0, chaseZ = 0;                               // game encoding (doubled)

    ShownCamera shownCamera(int record) const { return shownFromGameRecord(cameras.at(record)); }
    int shownChaseY() const;
    int shownChaseZ() const;
};

// Throws model::GameFileError when the file is shorter than its size row asks for.
CameraSetContent readCameraSet(const QByteArray& bytes, const QString& fileName);
// The 244 bytes of all twelve records and the chases, from the shown values.
QByteArray writeCameraSet(const ShownCameras& shown);
// Camera records into the model in display units, chases in file form; the rest is untouched.
void applyCameraSet(const CameraSetContent& content, model::EditorModel& model);

}  // namespace pw::files
