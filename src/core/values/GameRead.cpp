#include "core/values/GameRead.h"

#include "core/archive/TyrePositions.h"
#include "core/bytes/GamePaths.h"
#include "core/tables/Conversions.h"
#include "core/tables/Defaults.h"
#include "core/tables/ExeTables.h"
#include "core/tables/ImportFiles.h"
#include "core/tables/SaveState.h"

namespace pw::values {

namespace dt = model::DefaultTables;

namespace {
constexpr char kDamagedArchive[] =
    "The cars wad is damaged: tyre positions won't be read nor exported to GP4.";

// The default wheel positions as the window's "Default" command leaves them: its shown whole
// numbers / 100.
void defaultTyrePositions(model::EditorModel& m) {
    for (int w = 0; w < model::kWheelCount; ++w)
        for (int axis = 0; axis < 3; ++axis)
            m.tyres.wheel[w][model::tyreFloatIndex(model::TyreAxis(axis))] =
                model::tyrePositionToFile(dt::kTyreShown[w][axis]);
}
}  // namespace

WheelsRead ReadWheelPositions(const QString& archivePath, model::EditorModel& m) {
    WheelsRead read;
    try {
        read.result = wad::ReadTyrePositions(archivePath, m);
    } catch (const model::GameFileError& e) {
        // A damaged archive is one without a usable collision mesh: the rest of the game's values
        // are still read, and no collision-mesh offset is known, so nothing is written there.
        read.error = e;
        read.note = e.message() + QStringLiteral("\r\n") + QLatin1String(kDamagedArchive);
        return read;
    }
    switch (read.result) {
        case wad::TyreReadResult::ArchiveMissing:
            read.note = QLatin1String(wad::kArchiveMissingOnRead);
            defaultTyrePositions(m);
            break;
        case wad::TyreReadResult::NoCollisionMesh:
            read.note = QLatin1String(wad::kNoCollisionMesh);
            break;
        case wad::TyreReadResult::Read:
            break;
    }
    return read;
}

GameRead ReadGame(const GameFilePaths& paths, const model::EditorModel& start) {
    GameRead read;
    model::EditorModel& m = read.model;
    m = start;
    // Each of the game's files is opened once for every read below.
    model::ImportFiles files(paths.exe, paths.saveState);
    model::ReadExeTables(files.exe(), m);
    const WheelsRead wheels = ReadWheelPositions(paths.archive, m);
    read.wheels = wheels.result;
    read.archiveError = wheels.error;
    if (wheels.note) read.notes << *wheels.note;
    read.saveStateFound = model::ReadTyreBrands(files, m).saveStateFound;
    if (!read.saveStateFound) {
        read.notes << QLatin1String(model::kBrandsSaveStateMissingMessage);
        for (int t = 0; t < model::kTeamCount; ++t)
            m.teams[t].tyreBrand = dt::kTeamColours[t].tyreBrand;
    }
    if (model::ReadSaveStateTables(files, m) == model::SaveStateStatus::Missing)
        read.notes << QLatin1String(model::kSaveStateTablesMissingMessage);
    if (model::GetNames(files.exe(), m) == model::ShapeNamesStatus::UnknownVersion)
        read.notes << QLatin1String(model::kUnknownVersionMessage);
    read.imported = model::ImportedGame{paths.folder, paths.exe, paths.saveState,
                                        model::fileExists(paths.saveState), m.versionByte};
    return read;
}

}  // namespace pw::values
