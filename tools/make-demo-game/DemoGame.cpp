#include "DemoGame.h"

#include <QDir>
#include <QFile>
#include <algorithm>

#include "DemoArchive.h"
#include "DemoPictures.h"
#include "core/images/TeamPictures.h"
#include "core/bytes/ByteIO.h"
#include "core/tables/Conversions.h"
#include "core/tables/Defaults.h"
#include "core/tables/ExeLayout.h"
#include "core/tables/ExeTables.h"
#include "core/bytes/GameFileError.h"
#include "core/location/GameInstall.h"
#include "core/location/SettingsStore.h"
#include "core/tables/SaveState.h"
#include "core/bytes/Text.h"

namespace pw::demo {

namespace {

// Bytes the tables do not cover get a fixed pseudo-random filler rather than zeros, so a stray
// write anywhere shows in a whole-file comparison.
QByteArray filler(qint64 size, uint32_t seed) {
    QByteArray bytes(int(size), '\0');
    uint32_t state = seed;
    for (qint64 i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes[int(i)] = char(state >> 24);
    }
    return bytes;
}

void writeWholeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw model::GameFileError(QDir::toNativeSeparators(path), model::GameFileError::kNoOffset,
                                   QStringLiteral("cannot be written (%1)").arg(file.errorString()));
}

// A little room after the last table: the game's own executable is a few megabytes too.
constexpr qint64 kExeTail = 180 * 1024;
// The game's save-state runs on past its tables; the checksum closes it.
constexpr qint64 kSaveStateSize = 131072;

void writeExecutable(const QString& path, const model::EditorModel& model) {
    const auto& layout = model::exe::layoutFor(model.versionByte);
    QByteArray bytes = filler(model::exe::tablesEnd(layout) + kExeTail, 0x47503445u);
    bytes[int(model::exe::kVersionByteOffset)] = char(model.versionByte);
    writeWholeFile(path, bytes);
    model::WriteExeTables(path, model);
    // The steering-wheel base is read-only for the editor; the demo keeps it at the origin.
    model::GameFile exe(path);
    exe.writeF32(layout.wheelBase, 0.0f, "the steering-wheel base");
    exe.writeF32(layout.wheelBase + 4, 0.0f, "the steering-wheel base");
}

void writeSaveState(const QString& path, const QString& exePath, const model::EditorModel& model) {
    writeWholeFile(path, filler(kSaveStateSize, 0x53415645u));
    model::WriteSaveStateTables(path, exePath, model);
}

void writePictures(const QString& gameFolder) {
    const QString folder = gameFolder + QStringLiteral("/MenuData/PC/GP2001/images");
    QDir().mkpath(folder);
    for (int t = 0; t < model::kTeamCount; ++t) {
        const auto& colours = model::DefaultTables::kTeamColours[size_t(t)];
        const uint32_t arm = model::armColourToFile(colours.arm) & 0xFFFFFF;
        const uint32_t rim = model::rimColourToFile(colours.rim);
        const auto& numbers = images::kInitialPictureNumbers[size_t(t)];
        for (int seat = 0; seat < 2; ++seat) {
            const QImage picture = drawDriverPicture(t, seat, arm, rim);
            writeWholeFile(folder + QLatin1Char('/') + images::pictureFileName(QString::fromLatin1(numbers.drivers[size_t(seat)])),
                           images::bytesFromPicture(picture));
        }
        writeWholeFile(folder + QLatin1Char('/') + images::pictureFileName(QString::fromLatin1(numbers.gridCar)),
                       images::bytesFromPicture(drawGridCarPicture(t, arm, rim)));
    }
}

}  // namespace

model::EditorModel demoModel(uint8_t versionByte) {
    model::EditorModel model;
    model::applyDefaults(model, versionByte);
    // Detail levels of the onboard cameras have no defaults of their own; give them values the
    // game would take.
    for (auto& camera : model.cameras) {
        camera.field[model::CamCarDetailRear] = 2;
        camera.field[model::CamCarDetailFront] = 2;
        camera.field[model::CamWheelDetailRear] = 1;
        camera.field[model::CamWheelDetailFront] = 1;
    }
    // Names as the editor writes them back after reading (first letter kept, the rest lower
    // case), so a demo folder is a fixed point of a read and write without edits.
    for (auto& team : model.teams) team.carShapeName = model::carShapeNameFromRecord(team.carShapeName);
    return model;
}

void writeDemoGame(const QString& folder, const DemoOptions& options) {
    if (!QDir().mkpath(folder))
        throw model::GameFileError(QDir::toNativeSeparators(folder), model::GameFileError::kNoOffset,
                                   QStringLiteral("folder cannot be created"));
    const model::EditorModel model = demoModel(options.versionByte);
    const QString exePath = folder + QStringLiteral("/GP4.exe");
    writeExecutable(exePath, model);
    const QString savePath = folder + QStringLiteral("/f1gstate.sav");
    if (options.saveState) writeSaveState(savePath, exePath, model);
    // The performance block and team 1's brand word live in the executable, save-state or not.
    model::WritePerformanceBlock(exePath, model);
    model::WriteTyreBrands(savePath, exePath, model);
    if (options.carsWad) writeDemoArchive(folder + QStringLiteral("/cars.wad"), model);
    if (options.images) writePictures(folder);
}

void registerDemoGame(const QString& folder) {
    model::SettingsStore settings;
    if (model::StoreChosenGameExecutable(settings, folder + QStringLiteral("/GP4.exe")) !=
        model::ChosenExecutable::Stored)
        throw model::GameFileError(QDir::toNativeSeparators(folder), model::GameFileError::kNoOffset,
                                   QStringLiteral("cannot be recorded as the installed game"));
}

}  // namespace pw::demo
