#include "preview/OpenGlSink.h"

#include <GL/gl.h>
#include <GL/glu.h>

// OpenGL 1.2 names, absent from some 1.1 headers.
#ifndef GL_LIGHT_MODEL_COLOR_CONTROL
#define GL_LIGHT_MODEL_COLOR_CONTROL 0x81F8
#endif
#ifndef GL_SEPARATE_SPECULAR_COLOR
#define GL_SEPARATE_SPECULAR_COLOR 0x81FA
#endif
#ifndef GL_SINGLE_COLOR
#define GL_SINGLE_COLOR 0x81F9
#endif

namespace pw::preview {

namespace {

GLenum capability(Feature f) {
    switch (f) {
        case Feature::Lighting: return GL_LIGHTING;
        case Feature::Texture2D: return GL_TEXTURE_2D;
        case Feature::AlphaTest: return GL_ALPHA_TEST;
        case Feature::DepthTest: return GL_DEPTH_TEST;
    }
    return GL_LIGHTING;
}

GLenum lightName(int index) { return GLenum(GL_LIGHT0 + index); }

void setEnabled(GLenum cap, bool on) {
    if (on)
        glEnable(cap);
    else
        glDisable(cap);
}

}  // namespace

ListName OpenGlSink::genLists(int count) { return glGenLists(count); }
void OpenGlSink::newList(ListName list) { glNewList(list, GL_COMPILE); }
void OpenGlSink::endList() { glEndList(); }
void OpenGlSink::callList(ListName list) { glCallList(list); }

void OpenGlSink::begin(Primitive primitive) {
    glBegin(primitive == Primitive::Triangles ? GL_TRIANGLES : GL_QUADS);
}
void OpenGlSink::end() { glEnd(); }
void OpenGlSink::vertex(float x, float y, float z) { glVertex3f(x, y, z); }
void OpenGlSink::normal(float x, float y, float z) { glNormal3f(x, y, z); }
void OpenGlSink::texCoord(float u, float v) { glTexCoord2f(u, v); }

void OpenGlSink::enable(Feature feature, bool on) { setEnabled(capability(feature), on); }
void OpenGlSink::light(int index, bool on) { setEnabled(lightName(index), on); }

void OpenGlSink::material(MaterialColour which, const Rgba& colour) {
    const GLfloat c[4] = {colour.r, colour.g, colour.b, colour.a};
    const GLenum name = which == MaterialColour::Ambient   ? GL_AMBIENT
                        : which == MaterialColour::Diffuse ? GL_DIFFUSE
                                                           : GL_SPECULAR;
    glMaterialfv(GL_FRONT_AND_BACK, name, c);
}
void OpenGlSink::shininess(float value) { glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, value); }
void OpenGlSink::bindTexture(TextureName texture) { glBindTexture(GL_TEXTURE_2D, texture); }

void OpenGlSink::matrixMode(MatrixStack stack) {
    glMatrixMode(stack == MatrixStack::Projection ? GL_PROJECTION : GL_MODELVIEW);
}
void OpenGlSink::loadIdentity() { glLoadIdentity(); }
void OpenGlSink::perspective(double fovyDegrees, double aspect, double zNear, double zFar) {
    gluPerspective(fovyDegrees, aspect, zNear, zFar);
}
void OpenGlSink::translate(float x, float y, float z) { glTranslatef(x, y, z); }
void OpenGlSink::rotate(float degrees, float x, float y, float z) { glRotatef(degrees, x, y, z); }
void OpenGlSink::scale(float x, float y, float z) { glScalef(x, y, z); }
void OpenGlSink::pushMatrix() { glPushMatrix(); }
void OpenGlSink::popMatrix() { glPopMatrix(); }

void OpenGlSink::viewport(int x, int y, int width, int height) { glViewport(x, y, width, height); }
void OpenGlSink::clearColour(const Rgba& c) { glClearColor(c.r, c.g, c.b, c.a); }
void OpenGlSink::clearDepth(double depth) { glClearDepth(depth); }
void OpenGlSink::clear() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }
void OpenGlSink::smoothShading() { glShadeModel(GL_SMOOTH); }
void OpenGlSink::twoSidedLighting(bool on) { glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, on ? GL_TRUE : GL_FALSE); }
void OpenGlSink::separateSpecularColour(bool on) {
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, on ? GL_SEPARATE_SPECULAR_COLOR : GL_SINGLE_COLOR);
}
void OpenGlSink::alphaFuncGreater(float reference) { glAlphaFunc(GL_GREATER, reference); }

void OpenGlSink::lightColour(int index, LightColour which, const Rgba& colour) {
    const GLfloat c[4] = {colour.r, colour.g, colour.b, colour.a};
    const GLenum name = which == LightColour::Ambient   ? GL_AMBIENT
                        : which == LightColour::Diffuse ? GL_DIFFUSE
                                                        : GL_SPECULAR;
    glLightfv(lightName(index), name, c);
}
void OpenGlSink::lightPosition(int index, const Vec4& p) {
    const GLfloat v[4] = {p.x, p.y, p.z, p.w};
    glLightfv(lightName(index), GL_POSITION, v);
}

TextureName OpenGlSink::createTexture(const images::DecodedImage& image, TextureUpload upload) {
    if (image.width <= 0 || image.height <= 0) return 0;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // Rows are packed: 3-byte pixels of an odd width are not padded to four bytes.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLenum format = image.format == images::PixelFormat::Rgba ? GL_RGBA : GL_RGB;
    if (upload == TextureUpload::Mipmapped) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        const GLint components = image.format == images::PixelFormat::Rgba ? GL_RGBA : 3;
        // The minifying filter is linear: only level 0 is ever sampled. An image whose sides are
        // powers of two the context takes is level 0 as it is, so it goes up alone; any other is
        // scaled to the closest size that fits by building the whole chain.
        GLint largest = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
        const auto fits = [largest](int side) {
            return side <= largest && (side & (side - 1)) == 0;
        };
        if (fits(image.width) && fits(image.height))
            glTexImage2D(GL_TEXTURE_2D, 0, components, image.width, image.height, 0, format,
                         GL_UNSIGNED_BYTE, image.pixels.constData());
        else
            gluBuild2DMipmaps(GL_TEXTURE_2D, components, image.width, image.height, format,
                              GL_UNSIGNED_BYTE, image.pixels.constData());
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     image.pixels.constData());
    }
    return name;
}

void OpenGlSink::deleteTexture(TextureName texture) {
    if (texture != 0) glDeleteTextures(1, &texture);
}

}  // namespace pw::preview
