#pragma once

#include <array>
#include <cstdint>

namespace pw::model {

// Captions of the tyre-brand indexes a team can hold.
inline constexpr std::array<const char*, 3> TyreBrandNames{"Bridgestone", "Michelin", "McLaren"};
// The code the save-state file stores for each brand index.
inline constexpr std::array<uint32_t, 3> TyreBrandCodes{0x03350335, 0x03340334, 0x00020000};

}  // namespace pw::model
