#pragma once

#include <QString>

namespace pw::app {
inline constexpr const char* kApplicationTitle = "Pitwright 2.4";

// The main window's title: the application title and Qt's marker, shown while there are edits
// that Export All has not written.
inline QString windowTitleWithMarker() {
    return QLatin1String(kApplicationTitle) + QLatin1String("[*]");
}
}  // namespace pw::app
