#pragma once

#include "core/images/DecodedImage.h"

namespace pw::preview {

using ListName = unsigned int;
using TextureName = unsigned int;  // 0: no texture

struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;

    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Rgba& o) const { return !(*this == o); }
};

// Colour 0x..RRGGBB as the swatches and the model store it, alpha 1.
inline Rgba rgbaFromColour(unsigned int colour) {
    return {float((colour >> 16) & 0xFF) / 255.0f, float((colour >> 8) & 0xFF) / 255.0f,
            float(colour & 0xFF) / 255.0f, 1.0f};
}

struct Vec4 {
    float x = 0, y = 0, z = 0, w = 0;
};

enum class Primitive { Triangles, Quads };
enum class Feature { Lighting, Texture2D, AlphaTest, DepthTest };
enum class MaterialColour { Ambient, Diffuse, Specular };
enum class LightColour { Ambient, Diffuse, Specular };
enum class MatrixStack { Projection, ModelView };
// CreateTexture's textures (modulated, linear filters) take sides the chain of a mipmap would
// need: an image whose sides are not powers of two is scaled to the closest that fit. The tread
// BMP uploads level 0 as it is.
enum class TextureUpload { Mipmapped, SingleLevel };

// The fixed-function OpenGL calls the preview makes. The scene builders and the shape compiler
// emit through this interface only, so what they draw can be recorded and checked without a
// rendering context. Materials are always set for front and back faces together.
class GlSink {
public:
    virtual ~GlSink() = default;

    // Display lists; newList compiles without executing.
    virtual ListName genLists(int count) = 0;
    virtual void newList(ListName list) = 0;
    virtual void endList() = 0;
    virtual void callList(ListName list) = 0;

    // Immediate-mode geometry.
    virtual void begin(Primitive primitive) = 0;
    virtual void end() = 0;
    virtual void vertex(float x, float y, float z) = 0;
    virtual void normal(float x, float y, float z) = 0;
    virtual void texCoord(float u, float v) = 0;

    // State.
    virtual void enable(Feature feature, bool on) = 0;
    virtual void light(int index, bool on) = 0;
    virtual void material(MaterialColour which, const Rgba& colour) = 0;
    virtual void shininess(float value) = 0;
    virtual void bindTexture(TextureName texture) = 0;

    // Matrices, multiplied onto the selected stack as OpenGL does.
    virtual void matrixMode(MatrixStack stack) = 0;
    virtual void loadIdentity() = 0;
    virtual void perspective(double fovyDegrees, double aspect, double zNear, double zFar) = 0;
    virtual void translate(float x, float y, float z) = 0;
    virtual void rotate(float degrees, float x, float y, float z) = 0;
    virtual void scale(float x, float y, float z) = 0;
    virtual void pushMatrix() = 0;
    virtual void popMatrix() = 0;

    // Set-up of the view.
    virtual void viewport(int x, int y, int width, int height) = 0;
    virtual void clearColour(const Rgba& colour) = 0;
    virtual void clearDepth(double depth) = 0;
    virtual void clear() = 0;  // colour and depth buffers
    virtual void smoothShading() = 0;
    virtual void twoSidedLighting(bool on) = 0;
    virtual void separateSpecularColour(bool on) = 0;
    virtual void alphaFuncGreater(float reference) = 0;
    virtual void lightColour(int index, LightColour which, const Rgba& colour) = 0;
    virtual void lightPosition(int index, const Vec4& position) = 0;

    // Textures: a new texture name holding the image (modulated, linear filters), or 0.
    virtual TextureName createTexture(const images::DecodedImage& image, TextureUpload upload) = 0;
    virtual void deleteTexture(TextureName texture) = 0;
};

}  // namespace pw::preview
