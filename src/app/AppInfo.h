#pragma once

namespace pw::app {
inline constexpr const char* kApplicationTitle = "Pitwright 2.4";
}
