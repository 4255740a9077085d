// The picture readers: TGA and BMP textures, and the team pictures (.gpi, raw pixels) at both
// of their sizes. Input: the file.

#include "Harness.h"
#include "core/images/BmpImage.h"
#include "core/images/TeamImages.h"
#include "core/images/TeamPictures.h"
#include "core/images/TgaImage.h"
#include "core/bytes/ByteIO.h"

namespace pw::fuzz {

namespace {
qint64 pixelBytes(const images::DecodedImage& image) {
    return qint64(image.width) * image.height * image.bytesPerPixel();
}
}  // namespace

void fuzzTga(const uint8_t* data, size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    const images::TgaResult r = images::decodeTga(bytes, QStringLiteral("fuzzed.tga"));
    promise(r.ok() != r.error.has_value(), "a TGA gives pixels or a message");
    if (r.ok())
        promise(r.image->pixels.size() == pixelBytes(*r.image), "the pixels fill the image");
    images::endsWithTgaFooter(bytes);
}

void fuzzBmp(const uint8_t* data, size_t size) {
    const images::BmpResult r =
        images::decodeBmp(bytesOf(data, size), QStringLiteral("fuzzed.bmp"));
    if (r.hasPixels())
        promise(r.image->pixels.size() == qint64(r.image->width) * r.image->height * 3,
                "the pixels fill the image");
    else
        promise(!r.messages.isEmpty(), "a BMP without pixels says why");
}

void fuzzTeamPicture(const uint8_t* data, size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    const struct {
        int width, height;
    } sizes[] = {{images::kDriverPictureSize, images::kDriverPictureSize},
                 {images::kGridCarWidth, images::kGridCarHeight}};
    for (const auto& s : sizes) {
        QImage image;
        if (accepted([&] {
                model::GameFile file(bytes, QStringLiteral("33.gpi"));
                image = images::readTeamPicture(file, s.width, s.height);
            }))
            promise(image.width() == s.width && image.height() == s.height,
                    "a picture read has its size");
    }
}

}  // namespace pw::fuzz
