#pragma once

#include <QString>
#include <QStringList>

#include "cli/CommandLine.h"
#include "cli/GameArgument.h"
#include "core/tables/EditorModel.h"

namespace pw::cli {

// Applies one file to a model in file form, by the file's extension: ".car" a team file, ".cam"
// a camera set, ".tyr" a tyre set, ".txt" or ".g4p" a performance file, ".json" a dump. Returns
// the warnings the window would show (a performance file's version). Throws CliError for a file
// that cannot be read, is damaged or holds a value the game cannot take; the model is then
// unchanged.
QStringList applyFile(const QString& path, model::EditorModel& m);

// Writes the applied values into the game read, as Export All does: its checks against what was
// read, its backup, its writes. Returns the exit status.
int exportApplied(const ImportedGame& game, model::EditorModel& applied, Streams streams);

}  // namespace pw::cli
