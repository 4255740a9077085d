#pragma once

#include <QString>

#include "core/tables/EditorModel.h"

namespace pw::model {

class GameFile;

// The tables of the game executable: cockpit positions, rim and arm colours, helmets, T-Cams,
// steering wheels, chase cameras, the onboard camera records and the car-shape names. The caller
// passes the resolved path of the executable; every function opens it (read-write, as the game's
// files always are) and closes it before returning. The forms over an open file leave it open
// for the caller's next read. Failures throw GameFileError.

// Shown when the car-shape names cannot be read because the build of the game is not known.
inline constexpr char kUnknownVersionMessage[] =
    "Sorry, you use an unknown GP4 version\r\nDefault team names will be used.";

enum class ShapeNamesStatus {
    Done,            // the car-shape names were read or written
    UnknownVersion,  // the version byte read last is neither 0 nor 102: names left alone
};

// Reads the version byte into model.versionByte, then every table of its layout except the
// car-shape names, the performance block and the tyre-brand word. The model is changed only when
// every table could be read.
void ReadExeTables(const QString& exePath, EditorModel& model);
// The same over an open file (on disk or in memory); the path form calls it.
void ReadExeTables(GameFile& exe, EditorModel& model);

// Reads the car-shape names of the layout of model.versionByte. For an unknown version the names
// in the model stay as they were. In both cases currentShapeName becomes team 0's name.
ShapeNamesStatus GetNames(const QString& exePath, EditorModel& model);
ShapeNamesStatus GetNames(GameFile& exe, EditorModel& model);

// Writes the model's tables (file form, camera records included) with the layout of
// model.versionByte, then the rim link word. The car-shape names are written only for a known
// version: for any other the names were never read and their place in the file is not known.
// The file is checked to hold every table before the first byte is written.
ShapeNamesStatus WriteExeTables(const QString& exePath, const EditorModel& model);

}  // namespace pw::model
