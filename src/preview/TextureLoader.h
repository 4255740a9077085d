#pragma once

#include <QString>

#include "preview/GlSink.h"
#include "preview/PreviewMessages.h"

namespace pw::preview {

// A new texture holding the image: modulated, linear filters, sides scaled to powers of two when
// they are not (see TextureUpload::Mipmapped).
TextureName CreateTexture(GlSink& gl, const images::DecodedImage& image);

// Loads the TGA file at path into texture. On failure its message is shown, texture is left as
// it was and the result is false.
bool LoadTGATexture(GlSink& gl, MessageSink& messages, const QString& path, TextureName& texture);

// Loads the 24-bit BMP file at path into texture (level 0 only, no mipmaps). Every message of
// the reader is shown. False when the file yielded no pixels: the program cannot go on without
// this texture and the caller must end it with images::kBmpNoPixelsExitCode.
bool LoadBMPTexture(GlSink& gl, MessageSink& messages, const QString& path, TextureName& texture);

}  // namespace pw::preview
