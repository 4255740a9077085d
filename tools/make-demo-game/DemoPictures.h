#pragma once

#include <QImage>

namespace pw::demo {

// Drawn team pictures for demo folders: a driver portrait in the team's colours and a car seen
// from above, so the pictures of different teams and drivers are easy to tell apart.
// Colours are 0x00RRGGBB.
QImage drawDriverPicture(int team, int seat, unsigned armColour, unsigned rimColour);
QImage drawGridCarPicture(int team, unsigned armColour, unsigned rimColour);

}  // namespace pw::demo
