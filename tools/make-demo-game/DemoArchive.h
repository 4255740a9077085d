#pragma once

#include <QString>

#include "core/tables/EditorModel.h"

namespace pw::demo {

// A cars archive for demo folders: a directory of several entries, the collision mesh (not the
// first entry) with the default wheel positions.
void writeDemoArchive(const QString& path, const model::EditorModel& model);

}  // namespace pw::demo
