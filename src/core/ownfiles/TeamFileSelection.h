#pragma once

#include <cstdint>
#include <vector>

namespace pw::files {

// What a team file holds: nine 16-bit masks, as the save-selection dialog ticks them and as the
// header of a versioned team file records them.
struct TeamFileSelection {
    uint16_t cameras = 0;  // bit r: camera record r = 0..11
    uint16_t tcams = 0;    // bit i: team i = 0..10
    uint16_t helmets = 0;
    uint16_t armColours = 0;
    uint16_t rimColours = 0;
    uint16_t tyreBrands = 0;
    uint16_t globals = 0;     // GlobalBit values
    uint16_t wheels = 0;      // steering wheels, version 4 only
    uint16_t shapeNames = 0;  // only the number of set bits counts: names of teams 0..N-1

    // Everything ticked (the dialog's state after "Select ALL").
    static TeamFileSelection all();

    bool operator==(const TeamFileSelection& o) const;
    bool operator!=(const TeamFileSelection& o) const { return !(*this == o); }
};

enum GlobalBit : uint16_t {
    GlobalChases = 1,
    GlobalCockpitWheel = 2,
    GlobalDashboard = 4,
    GlobalWheelPositions = 8,
};

// The bits each mask may use; anything above names records or teams that do not exist.
constexpr uint16_t kCameraMaskBits = 0x0FFF;
constexpr uint16_t kTeamMaskBits = 0x07FF;
constexpr uint16_t kGlobalMaskBits = 0x000F;

// The set bits of a mask, highest first: the order of every section of a team file body.
std::vector<int> maskIndexes(uint16_t mask);
int setBitCount(uint16_t mask);

// The selection with every bit outside its range cleared.
TeamFileSelection withinRanges(const TeamFileSelection& s);

}  // namespace pw::files
