#include "GameFileRegions.h"

#include "core/tables/EditorModel.h"
#include "core/tables/ExeLayout.h"
#include "core/tables/SaveState.h"

namespace pw::fuzz {

using namespace pw::model;
using namespace pw::model::exe;

std::vector<Region> exeRegions(unsigned versionByte) {
    const Layout& l = layoutFor(versionByte);
    std::vector<Region> regions = {
        {kVersionByteOffset, 1},
        {l.cockpit, kCockpitBlockSize},
        {l.rimTeam4, 4},
        {l.rimTable, qint64(kRimTableTeams.size()) * kRimSlotSize},
        {l.performance, kPerformanceBlockSize},
        {l.shapeNames, kTeamCount * kShapeNameSize},
        {l.teamWheels, kTeamCount * kTeamWheelSize},
        {l.helmets, kTeamCount * kHelmetSize},
        {l.tcams, kTeamCount * kTcamSize},
        {l.armColours, kTeamCount * kArmColourSize},
        {l.wheelBase, 8},
        {l.cameraBlock, kCameraBlockSize},
    };
    for (unsigned v : {0u, unsigned(kVersionLayoutA70), unsigned(kVersionLayoutB)}) {
        const std::optional<qint64> word = brandWordOffset(v);
        if (word && &layoutFor(v) == &l) regions.push_back({*word, kBrandWordSize});
    }
    return regions;
}

std::vector<Region> saveStateRegions() {
    return {{save::kDriverNumbers, kDriverCount},
            {save::kBrandCodes, kTeamCount * 4},
            {save::kDriverNames, save::kTablesEnd - save::kDriverNames},
            {save::kTablesEnd, save::kChecksumSize}};
}

QByteArray& exeBuffer(unsigned versionByte) {
    static QByteArray a, b;
    return &layoutFor(versionByte) == &kLayoutB ? b : a;
}

}  // namespace pw::fuzz
