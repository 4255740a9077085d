#pragma once

#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace pw::model::exe {

// Where the editable tables lie in the game executable. Two builds of the game exist; the byte
// at kVersionByteOffset tells them apart: 102 is layout B, every other value layout A.

constexpr qint64 kVersionByteOffset = 312;
constexpr uint8_t kVersionLayoutB = 102;
// The build with this byte uses layout A but keeps team 1's tyre-brand word elsewhere.
constexpr uint8_t kVersionLayoutA70 = 70;

struct Layout {
    qint64 cockpit;      // six floats at the kCockpit* offsets, the bytes between them untouched
    qint64 rimTeam4;     // team 4 keeps its rim colour apart from table R
    qint64 rimLink;      // rimLinkBase + team 4's rim colour; written, never read
    qint64 rimTable;     // table R: kRimTableTeams.size() slots of kRimSlotSize bytes
    qint64 performance;  // kPerformanceBlockSize bytes
    qint64 shapeNames;   // 11 x kShapeNameSize
    qint64 teamWheels;   // 11 x (wheelZ, wheelY)
    qint64 helmets;      // 11 x (helmetZ, helmetY)
    qint64 tcams;        // 11 x (tcamZ, tcamY)
    qint64 armColours;   // 11 x 0xFFRRGGBB
    qint64 wheelBase;    // (wheelBaseY, wheelBaseZ), read only
    qint64 cameraBlock;  // block K: chase cameras, then the 12 camera records
    uint32_t rimLinkBase;
};

inline constexpr Layout kLayoutA{453316,  572299,  572317,  572325,  2266908, 2352688, 2356344,
                                 2356520, 2356696, 2356808, 2356860, 2572840, 6552071};
inline constexpr Layout kLayoutB{458212,  579211,  579229,  579237,  2288372, 2374568, 2378224,
                                 2378400, 2378576, 2378688, 2378740, 2595848, 6573951};

constexpr const Layout& layoutFor(unsigned versionByte) {
    return versionByte == kVersionLayoutB ? kLayoutB : kLayoutA;
}

// The car-shape names are known to lie at the layout's offset only in these two builds.
constexpr bool shapeNamesKnown(unsigned versionByte) {
    return versionByte == 0 || versionByte == kVersionLayoutB;
}

// Team 1's tyre-brand word: 16 bytes, lower-case word then NULs. Unknown for other builds.
constexpr qint64 kBrandWordSize = 16;
constexpr std::optional<qint64> brandWordOffset(unsigned versionByte) {
    switch (versionByte) {
        case 0:
            return 2352536;
        case kVersionLayoutA70:
            return 2353176;
        case kVersionLayoutB:
            return 2374416;
        default:
            return std::nullopt;
    }
}

// Offsets inside the cockpit block.
constexpr qint64 kCockpitDashX = 0;
constexpr qint64 kCockpitDashZ = 16;
constexpr qint64 kCockpitDashY = 26;
constexpr qint64 kCockpitWheelX = 36;
constexpr qint64 kCockpitWheelZ = 46;
constexpr qint64 kCockpitWheelY = 56;
constexpr qint64 kCockpitBlockSize = 60;

// Table R holds every team but team 4, each colour followed by 4 bytes we never write.
inline constexpr std::array<int, 10> kRimTableTeams{0, 1, 2, 3, 5, 6, 7, 8, 9, 10};
constexpr qint64 kRimSlotSize = 8;

constexpr qint64 kShapeNameSize = 32;
constexpr qint64 kTeamWheelSize = 8;
constexpr qint64 kHelmetSize = 8;
constexpr qint64 kTcamSize = 4;
constexpr qint64 kArmColourSize = 4;
constexpr qint64 kWheelBaseSize = 8;

// Offsets inside camera block K; the bytes between the chase values are not ours.
constexpr qint64 kChaseY = 0;
constexpr qint64 kChaseZ = 24;
constexpr qint64 kCameraRecords = 32;
constexpr qint64 kCameraRecordSize = 20;
constexpr qint64 kCameraBlockSize = kCameraRecords + 12 * kCameraRecordSize;

// Offsets inside performance block P.
constexpr qint64 kPerfQualifyPower = 0;   // 11 x u16
constexpr qint64 kPerfRacePower = 22;     // 11 x u16
constexpr qint64 kPerfAbility = 44;       // 22 x (qualify u16, race u16)
constexpr qint64 kPerfVariation = 132;    // 22 x (qualify u16, race u16)
constexpr qint64 kPerfFailureRate = 220;  // 11 x u16
constexpr qint64 kPerfGearCount = 242;    // 11 x u8
constexpr qint64 kPerformanceBlockSize = 253;
// The tables follow each other without gaps, so the block is read and written in one piece.
static_assert(kPerfRacePower == kPerfQualifyPower + 11 * 2 &&
              kPerfAbility == kPerfRacePower + 11 * 2 && kPerfVariation == kPerfAbility + 22 * 4 &&
              kPerfFailureRate == kPerfVariation + 22 * 4 &&
              kPerfGearCount == kPerfFailureRate + 11 * 2 &&
              kPerformanceBlockSize == kPerfGearCount + 11);

// One past the last byte of the layout's tables: an executable shorter than this is refused before
// anything is read or written, so a wrong file is never half patched.
constexpr qint64 tablesEnd(const Layout& l) {
    return std::max({l.cockpit + kCockpitBlockSize,
                     l.rimTable + qint64(kRimTableTeams.size()) * kRimSlotSize,
                     l.performance + kPerformanceBlockSize, l.shapeNames + 11 * kShapeNameSize,
                     l.teamWheels + 11 * kTeamWheelSize, l.helmets + 11 * kHelmetSize,
                     l.tcams + 11 * kTcamSize, l.armColours + 11 * kArmColourSize,
                     l.wheelBase + kWheelBaseSize, l.cameraBlock + kCameraBlockSize});
}

}  // namespace pw::model::exe
