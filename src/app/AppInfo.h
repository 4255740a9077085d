#pragma once

namespace pw::app {
// The window title and the caption of the program's own message boxes.
inline constexpr const char* kApplicationTitle = "Pitwright 2.4";
// Name, version and desktop id as the desktop sees them (window class, desktop entry, icons).
inline constexpr const char* kApplicationName = "Pitwright";
inline constexpr const char* kApplicationVersion = PITWRIGHT_VERSION;
inline constexpr const char* kApplicationId = PITWRIGHT_APP_ID;
}  // namespace pw::app
