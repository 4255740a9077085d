#pragma once

#include <array>
#include <cstdint>

namespace pw::app {

// What the field reactions compute for the 3D preview of the selected team and camera. The
// preview reads these when it paints and clears the three rebuild flags after painting.
struct PreviewInputs {
    float helmetY = 0, helmetZ = 0;  // helmet field / 100
    float wheelY = 0, wheelZ = 0;    // steering-wheel field / 200 + the executable's base
    int16_t tcamY = 0, tcamZ = 0;    // the T-Cam fields as whole numbers
    std::array<float, 4> rimColour{0, 0, 0, 1};  // red, green, blue, alpha
    std::array<float, 4> armColour{0, 0, 0, 1};
    bool tyresChanged = false;      // rebuild the tyre meshes
    bool dashboardChanged = false;  // reload the dashboard shape
    bool shapeChanged = false;      // reload the car shape of the model's currentShapeName
};

// The preview as the window's reactions see it: something to repaint. The OpenGL view implements
// it; until then the placeholder pane only counts the requests.
class PreviewSurface {
public:
    virtual ~PreviewSurface() = default;
    virtual void requestRepaint() = 0;
};

}  // namespace pw::app
