#include "core/ownfiles/TeamFileSelection.h"

namespace pw::files {

TeamFileSelection TeamFileSelection::all() {
    TeamFileSelection s;
    s.cameras = kCameraMaskBits;
    s.tcams = s.helmets = s.armColours = s.rimColours = s.tyreBrands = kTeamMaskBits;
    s.wheels = s.shapeNames = kTeamMaskBits;
    s.globals = kGlobalMaskBits;
    return s;
}

bool TeamFileSelection::operator==(const TeamFileSelection& o) const {
    return cameras == o.cameras && tcams == o.tcams && helmets == o.helmets &&
           armColours == o.armColours && rimColours == o.rimColours && tyreBrands == o.tyreBrands &&
           globals == o.globals && wheels == o.wheels && shapeNames == o.shapeNames;
}

std::vector<int> maskIndexes(uint16_t mask) {
    std::vector<int> out;
    for (int k = 15; k >= 0; --k)
        if (mask & (1u << k)) out.push_back(k);
    return out;
}

int setBitCount(uint16_t mask) {
    return int(maskIndexes(mask).size());
}

TeamFileSelection withinRanges(const TeamFileSelection& s) {
    TeamFileSelection r = s;
    r.cameras &= kCameraMaskBits;
    r.tcams &= kTeamMaskBits;
    r.helmets &= kTeamMaskBits;
    r.armColours &= kTeamMaskBits;
    r.rimColours &= kTeamMaskBits;
    r.tyreBrands &= kTeamMaskBits;
    r.globals &= kGlobalMaskBits;
    r.wheels &= kTeamMaskBits;
    r.shapeNames &= kTeamMaskBits;
    return r;
}

}  // namespace pw::files
