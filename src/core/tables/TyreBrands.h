#pragma once

#include <array>
#include <cstdint>

namespace pw::model {

// Tyre brands by index: the caption shown, the code of the save-state file and the word kept for
// team 1 in the executable. Index 2 ("McLaren") is only offered to team 1.
constexpr int kTyreBrandCount = 3;
inline constexpr std::array<const char*, kTyreBrandCount> TyreBrandNames{"Bridgestone", "Michelin",
                                                                         "McLaren"};
inline constexpr std::array<uint32_t, kTyreBrandCount> TyreBrandCodes{0x03350335u, 0x03340334u,
                                                                      0x00020000u};
inline constexpr std::array<const char*, kTyreBrandCount> TyreBrandWords{"bridgestone", "michelin",
                                                                         "mclaren"};
// Width of team 1's brand word in the executable (the word, then zero bytes).
constexpr int kTyreBrandWordSize = 16;

}  // namespace pw::model
