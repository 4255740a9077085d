#pragma once

#include <QString>

namespace pw::app {
// The window title and the caption of the program's own message boxes.
inline constexpr const char* kApplicationTitle = "Pitwright 2.4";
// Name, version and desktop id as the desktop sees them (window class, desktop entry, icons).
inline constexpr const char* kApplicationName = "Pitwright";
inline constexpr const char* kApplicationVersion = PITWRIGHT_VERSION;
inline constexpr const char* kApplicationId = PITWRIGHT_APP_ID;

// The main window's title: the application title and Qt's marker, shown while there are edits
// that Export All has not written.
inline QString windowTitleWithMarker() {
    return QLatin1String(kApplicationTitle) + QLatin1String("[*]");
}
}  // namespace pw::app
