#pragma once

#include "core/archive/CarShape.h"

namespace pw::wad {

// Small shapes of our own for a demo game's cars archive (write them with writeCarShape):
// a car body (version 7) for "car_<name>_car1_lod_0.gp4", a cockpit tub (version 4) for
// "car_cockpit_00.gp4" and a dashboard panel (version 7, vertex format 39) for
// "cockpit_dash.gp4". Coordinates are in shape units (the preview draws them x 200, mirrored
// in x); the dashboard's texture coordinates cover the whole displays image.
CarShape sampleCarBodyShape();
CarShape sampleCockpitShape();
CarShape sampleDashboardShape();

}  // namespace pw::wad
