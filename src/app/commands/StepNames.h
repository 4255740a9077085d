#pragma once

#include <QString>
#include <functional>

namespace pw::app {

// The words the Edit menu uses for a step on one box ("Camera 1 X", "Ferrari Helmet Y",
// "Driver 3 Name"). `teamLabel` names team i (its caption, "Team 1" when it has none).
QString fieldLabel(const QString& componentName, const std::function<QString(int)>& teamLabel);

// The camera row's label ("Cockpit", "Camera 1", ...) of a row of the Cameras page.
QString cameraRowLabel(int row);

}  // namespace pw::app
