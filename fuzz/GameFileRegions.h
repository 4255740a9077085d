#pragma once

// The regions of the game's executable and save-state file that the readers look at.

#include <vector>

#include "SparseFile.h"

namespace pw::fuzz {

// Every region of the executable's layout for this version byte, the version byte itself first:
// the tables, the performance block, the car-shape names and the tyre-brand word of every build
// that shares the layout.
std::vector<Region> exeRegions(unsigned versionByte);

// The save-state file's tables and its checksum.
std::vector<Region> saveStateRegions();

// A file of zeros per executable layout, so that bytes left from another layout never show.
QByteArray& exeBuffer(unsigned versionByte);

}  // namespace pw::fuzz
