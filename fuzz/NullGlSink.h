#pragma once

// A GlSink that draws nothing: the shape compiler runs without a GL context.

#include "preview/GlSink.h"

namespace pw::fuzz {

class NullGlSink : public preview::GlSink {
public:
    preview::ListName genLists(int) override { return 1; }
    void newList(preview::ListName) override {}
    void endList() override {}
    void callList(preview::ListName) override {}
    void begin(preview::Primitive) override {}
    void end() override {}
    void vertex(float, float, float) override {}
    void normal(float, float, float) override {}
    void texCoord(float, float) override {}
    void enable(preview::Feature, bool) override {}
    void light(int, bool) override {}
    void material(preview::MaterialColour, const preview::Rgba&) override {}
    void shininess(float) override {}
    void bindTexture(preview::TextureName) override {}
    void matrixMode(preview::MatrixStack) override {}
    void loadIdentity() override {}
    void perspective(double, double, double, double) override {}
    void translate(float, float, float) override {}
    void rotate(float, float, float, float) override {}
    void scale(float, float, float) override {}
    void pushMatrix() override {}
    void popMatrix() override {}
    void viewport(int, int, int, int) override {}
    void clearColour(const preview::Rgba&) override {}
    void clearDepth(double) override {}
    void clear() override {}
    void smoothShading() override {}
    void twoSidedLighting(bool) override {}
    void separateSpecularColour(bool) override {}
    void alphaFuncGreater(float) override {}
    void lightColour(int, preview::LightColour, const preview::Rgba&) override {}
    void lightPosition(int, const preview::Vec4&) override {}
    preview::TextureName createTexture(const images::DecodedImage&,
                                       preview::TextureUpload) override {
        return 1;
    }
    void deleteTexture(preview::TextureName) override {}
};

}  // namespace pw::fuzz
