#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace pw::images {

enum class PixelFormat { Rgb, Rgba };

// Pixels of a decoded texture image: red, green, blue (and alpha) bytes, rows in the order the
// file stores them, no padding between rows.
struct DecodedImage {
    int width = 0;
    int height = 0;
    PixelFormat format = PixelFormat::Rgb;
    QByteArray pixels;

    int bytesPerPixel() const { return format == PixelFormat::Rgba ? 4 : 3; }
};

// A message box the caller shows: its caption and its text.
struct ImageMessage {
    QString caption;
    QString text;

    bool operator==(const ImageMessage& o) const { return caption == o.caption && text == o.text; }
};

// The largest image the decoders accept (8192 x 8192), whatever size a header claims.
constexpr qint64 kMaxImagePixels = qint64(8192) * 8192;

// Data that end early are decoded as far as they go and the rest of the image stays black, but
// only while at most this many pixel bytes are missing: a header that claims far more than its
// file could fill is refused before the image is allocated.
constexpr qint64 kMaxMissingPixelBytes = qint64(256) * 1024;

}  // namespace pw::images
