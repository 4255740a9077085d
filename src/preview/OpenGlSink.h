#pragma once

#include "preview/GlSink.h"

namespace pw::preview {

// GlSink on the current OpenGL 1.1 context (immediate mode, display lists, GLU). Every call
// needs the preview's context to be current.
class OpenGlSink final : public GlSink {
public:
    ListName genLists(int count) override;
    void newList(ListName list) override;
    void endList() override;
    void callList(ListName list) override;

    void begin(Primitive primitive) override;
    void end() override;
    void vertex(float x, float y, float z) override;
    void normal(float x, float y, float z) override;
    void texCoord(float u, float v) override;

    void enable(Feature feature, bool on) override;
    void light(int index, bool on) override;
    void material(MaterialColour which, const Rgba& colour) override;
    void shininess(float value) override;
    void bindTexture(TextureName texture) override;

    void matrixMode(MatrixStack stack) override;
    void loadIdentity() override;
    void perspective(double fovyDegrees, double aspect, double zNear, double zFar) override;
    void translate(float x, float y, float z) override;
    void rotate(float degrees, float x, float y, float z) override;
    void scale(float x, float y, float z) override;
    void pushMatrix() override;
    void popMatrix() override;

    void viewport(int x, int y, int width, int height) override;
    void clearColour(const Rgba& colour) override;
    void clearDepth(double depth) override;
    void clear() override;
    void smoothShading() override;
    void twoSidedLighting(bool on) override;
    void separateSpecularColour(bool on) override;
    void alphaFuncGreater(float reference) override;
    void lightColour(int index, LightColour which, const Rgba& colour) override;
    void lightPosition(int index, const Vec4& position) override;

    TextureName createTexture(const images::DecodedImage& image, TextureUpload upload) override;
    void deleteTexture(TextureName texture) override;
};

}  // namespace pw::preview
