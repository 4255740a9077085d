#pragma once

#include <QString>
#include <array>

#include "core/tables/EditorModel.h"

namespace pw::wad {

class WadArchive;

// Where wheel w's three floats (p0, p1, p2) lie, from the collision mesh's data offset.
inline constexpr std::array<qint64, 4> kWheelOffsets{84, 108, 168, 192};
inline constexpr qint64 kWheelSize = 12;
// The collision mesh must hold this many bytes for the four wheels to lie inside it.
inline constexpr qint64 kWheelsEnd = kWheelOffsets.back() + kWheelSize;

// Texts the window shows for the results below.
inline constexpr char kArchiveMissingOnRead[] =
    "Sorry but the cars wad file can't be found.\r\nDefault tyre positions will be used.\r\n"
    "Tyre positions won't be exported to GP4.\r\nDefault positions will be stored in any .car "
    "file saved.";
inline constexpr char kNoCollisionMesh[] = "impossible to find car_collision_mesh.ct in the wad";
inline constexpr char kArchiveMissingOnWrite[] =
    "As cars wad file hadn't been found, tyre positions haven't been exported";

enum class TyreReadResult {
    ArchiveMissing,   // no file at the path: the caller applies the default positions
    NoCollisionMesh,  // no ".ct" entry: positions unchanged, no collision-mesh offset known
    Read,             // positions and collision-mesh offset taken from the archive
};

enum class TyreWriteResult {
    ArchiveMissing,  // no file at the path: nothing written
    NoOffsetKnown,   // no collision mesh was read from an archive: nothing written
    Written,
};

// Reads the four wheels from the first ".ct" entry of the archive at archivePath into
// model.tyres. The positions change only when all four were read; the collision-mesh offset is
// forgotten by every read that does not succeed. Throws GameFileError when the archive cannot be
// opened or read (a truncated file included) or the entry is too short to hold the wheels.
TyreReadResult ReadTyrePositions(const QString& archivePath, model::EditorModel& model);
// The same over an open archive (never ArchiveMissing); the path form calls it.
TyreReadResult ReadTyrePositions(WadArchive& archive, model::EditorModel& model);

// Writes the four wheels' 48 bytes at the collision-mesh offset of the last successful read;
// nothing else in the archive changes. Throws GameFileError when the archive cannot be opened or
// the bytes do not fit in it.
TyreWriteResult WriteTyrePositions(const QString& archivePath, const model::EditorModel& model);

// Export All's check before its first write, when WriteTyrePositions would write: the archive's
// first ".ct" entry is found again at the collision-mesh offset, long enough for the wheels, and
// the wheels lie inside the file. Throws GameFileError naming the archive otherwise.
void CheckTyrePositionsForExport(const QString& archivePath, const model::EditorModel& model);

}  // namespace pw::wad
