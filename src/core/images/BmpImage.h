#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include "core/images/DecodedImage.h"

namespace pw::images {

// Result of reading a 24-bit BMP texture. messages are shown in order, also when pixels were
// read (a short file yields the pixels read so far and a message). Without pixels the last
// message is "Unable to load <path>": the texture is required, and the caller ends the program
// with kBmpNoPixelsExitCode after showing the messages.
struct BmpResult {
    std::optional<DecodedImage> image;
    QList<ImageMessage> messages;

    bool hasPixels() const { return image.has_value(); }
};

constexpr int kBmpNoPixelsExitCode = 1;

// Decodes the bytes of a BMP file with 24 bits per pixel, rows in stored order.
BmpResult decodeBmp(const QByteArray& file, const QString& path);

// Reads and decodes the file at path.
BmpResult loadBmpFile(const QString& path);

// Encodes RGB pixels as a 24-bit BMP file (rows padded to four bytes, no palette).
QByteArray encodeBmp(const DecodedImage& image);

inline const QString kBmpCaption = QStringLiteral("BMP Unit");
inline const QString kBmpUnableCaption = QStringLiteral("Loading Textures");

}  // namespace pw::images
