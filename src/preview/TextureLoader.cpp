#include "preview/TextureLoader.h"

#include "core/images/BmpImage.h"
#include "core/images/TgaImage.h"

namespace pw::preview {

TextureName CreateTexture(GlSink& gl, const images::DecodedImage& image) {
    return gl.createTexture(image, TextureUpload::Mipmapped);
}

bool LoadTGATexture(GlSink& gl, MessageSink& messages, const QString& path, TextureName& texture) {
    const images::TgaResult result = images::loadTgaFile(path);
    if (!result.ok()) {
        messages.show(*result.error);
        return false;
    }
    texture = CreateTexture(gl, *result.image);
    return true;
}

bool LoadBMPTexture(GlSink& gl, MessageSink& messages, const QString& path, TextureName& texture) {
    const images::BmpResult result = images::loadBmpFile(path);
    for (const images::ImageMessage& m : result.messages) messages.show(m);
    if (!result.hasPixels()) return false;
    texture = gl.createTexture(*result.image, TextureUpload::SingleLevel);
    return true;
}

}  // namespace pw::preview
