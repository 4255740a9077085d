#pragma once

#include <QByteArray>

#include "core/archive/CarShape.h"

namespace pw::wad {

// Writes a shape in the ".gp4" layout the parser reads, for the demo game and for tests:
// shape.version decides the version-dependent fields (any digit; 4 and 7 are the game's
// extremes). The tables the preview does not use get one record each of filler bytes, so a
// reader that steps over them by a wrong size loses its place. A name of 100 characters or more
// is written cut to 100, without its closing quotation mark.
QByteArray writeCarShape(const CarShape& shape, const QByteArray& shapeName = "pitwright");

}  // namespace pw::wad
