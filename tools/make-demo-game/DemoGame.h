#pragma once

#include <QString>

#include "core/tables/EditorModel.h"
#include <cstdint>

namespace pw::demo {

struct DemoOptions {
    uint8_t versionByte = 0;  // 0: layout A, 102: layout B
    bool saveState = true;
    bool carsWad = true;
    bool images = true;
};

// The values a demo folder holds: the default tables, in file form.
model::EditorModel demoModel(uint8_t versionByte);

// Writes a complete synthetic game installation into folder (created when missing).
void writeDemoGame(const QString& folder, const DemoOptions& options = {});
// Records folder as the installed game of the current user (the game's installation entry).
void registerDemoGame(const QString& folder);

}  // namespace pw::demo
