#pragma once

#include <QByteArray>
#include <QString>

#include "core/ownfiles/PerformanceFileContent.h"
#include "core/tables/EditorModel.h"

namespace pw::files {

// The keyed-list ".g4p" performance file: thirteen sections of "key=value" entries, 222 lines,
// no tyre brands.

constexpr int kKeyedListLineCount = 222;

QByteArray writeKeyedPerformanceFile(const model::EditorModel& model);

// Positional: section lines are skipped unread and entry keys are ignored. Throws
// model::GameFileError, before anything is returned, when the file has fewer lines than the
// layout, an entry holds no "=", or a power or gear count is not an integer.
PerformanceFileContent readKeyedPerformanceFile(const QByteArray& bytes, const QString& fileName);

}  // namespace pw::files
