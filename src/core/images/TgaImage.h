#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "core/images/DecodedImage.h"

namespace pw::images {

// Result of reading a TGA texture: the pixels, or the one message the caller shows.
struct TgaResult {
    std::optional<DecodedImage> image;
    std::optional<ImageMessage> error;

    bool ok() const { return image.has_value(); }
};

// Decodes the bytes of a TGA file: uncompressed (type 2) or run-length encoded (type 10) true
// colour with 24 or 32 bits per pixel. Blue-green-red becomes red-green-blue; alpha stays fourth.
// path only names the file in the messages.
TgaResult decodeTga(const QByteArray& file, const QString& path);

// Reads and decodes the file at path; a missing file is reported with its own message.
TgaResult loadTgaFile(const QString& path);

// Whether the bytes end like a TGA 2.0 file: its 26-byte footer ends with "." and a zero byte.
// Images saved with that footer are stored upside down relative to the shapes' coordinates.
bool endsWithTgaFooter(const QByteArray& file);

// Encodes pixels as a TGA file of type 2 (or 10 with runLength), rows in the image's order,
// with the TGA 2.0 footer when withFooter. Decoding the result gives the same pixels.
QByteArray encodeTga(const DecodedImage& image, bool runLength = false, bool withFooter = false);

// Captions of the TGA reader's message boxes.
inline const QString kTgaNotFoundCaption = QStringLiteral("TGA Texture");
inline const QString kTgaErrorCaption = QStringLiteral("TGA File Error");

}  // namespace pw::images
