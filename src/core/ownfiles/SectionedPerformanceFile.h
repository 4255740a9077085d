#pragma once

#include <QByteArray>
#include <QString>

#include "core/ownfiles/PerformanceFileContent.h"
#include "core/tables/EditorModel.h"

namespace pw::files {

// The sectioned ".txt" performance file shared with other editing tools: 97 lines, a block per
// team with the race values written before the qualifying ones, then "[File]", "[Tyres]" and
// "[Gears]".

constexpr int kSectionedLineCount = 97;
extern const char kSectionedFirstLine[];  // "** GP3edit - Performance File **"
extern const char kSectionedVersion[];    // "213"

// From the model in file form; tyre code 1 for Michelin, 0 for any other brand.
QByteArray writeSectionedPerformanceFile(const model::EditorModel& model);

// Reads the file as its blocks come: the first values of each line go to the qualifying boxes.
// Throws model::GameFileError, before anything is returned, when a block is cut short, a value
// line holds no "=", a tyre or gear value is not an integer or a tyre brand is outside 0..2.
PerformanceFileContent readSectionedPerformanceFile(const QByteArray& bytes,
                                                    const QString& fileName);

}  // namespace pw::files
