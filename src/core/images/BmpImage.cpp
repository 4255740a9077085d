#include "core/images/BmpImage.h"

#include <QFile>

#include "core/bytes/ByteIO.h"
#include "core/bytes/GamePaths.h"

namespace pw::images {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
// Offsets inside the information header.
constexpr int kWidthAt = 4;
constexpr int kHeightAt = 8;
constexpr int kBitCountAt = 14;
constexpr int kColoursUsedAt = 32;
constexpr int kPaletteEntrySize = 4;

BmpResult noPixels(QList<ImageMessage> messages, const QString& path) {
    messages.append({kBmpUnableCaption, QStringLiteral("Unable to load ") + path});
    return {std::nullopt, std::move(messages)};
}

}  // namespace

BmpResult decodeBmp(const QByteArray& file, const QString& path) {
    const ImageMessage readError{kBmpCaption, QStringLiteral("Error reading bitmap data")};
    if (file.size() < kFileHeaderSize + kInfoHeaderSize) return noPixels({readError}, path);

    const char* info = file.constData() + kFileHeaderSize;
    const qint64 width = int32_t(pw::model::le::u32(info + kWidthAt));
    const qint64 height = int32_t(pw::model::le::u32(info + kHeightAt));
    const int bitCount = pw::model::le::u16(info + kBitCountAt);
    const uint32_t coloursUsed = pw::model::le::u32(info + kColoursUsedAt);

    if (bitCount != 24)
        return noPixels({{kBmpCaption, QStringLiteral("Only 24 bit BMP files supported")}}, path);
    // Top-down (negative height) and empty images have no pixels to read here.
    if (width <= 0 || height <= 0 || width * height > kMaxImagePixels) return noPixels({readError}, path);

    // A palette is not used by 24-bit pixels; it is stepped over.
    qint64 at = kFileHeaderSize + kInfoHeaderSize;
    const qint64 paletteSize = qint64(coloursUsed) * kPaletteEntrySize;
    if (paletteSize > file.size() - at)
        return noPixels({{kBmpCaption, QStringLiteral("Error reading palette")}}, path);
    at += paletteSize;

    // Rows are stored bottom-up, each padded to a multiple of four bytes; the padding after the
    // last row may be missing.
    const qint64 rowBytes = width * 3;
    const qint64 stride = (rowBytes + 3) & ~qint64(3);
    const qint64 needed = stride * (height - 1) + rowBytes;
    const qint64 available = file.size() - at;
    // A short file keeps what it holds, but a claim far beyond it is refused before allocating.
    if (needed - available > kMaxMissingPixelBytes) return noPixels({readError}, path);

    DecodedImage image;
    image.width = int(width);
    image.height = int(height);
    image.format = PixelFormat::Rgb;
    image.pixels = QByteArray(width * height * 3, '\0');
    char* out = image.pixels.data();
    const char* data = file.constData() + at;
    for (qint64 row = 0; row < height; ++row) {
        for (qint64 x = 0; x < width; ++x) {
            const qint64 source = row * stride + x * 3;
            if (source + 3 > available) break;
            char* p = out + (row * width + x) * 3;
            p[0] = data[source + 2];
            p[1] = data[source + 1];
            p[2] = data[source];
        }
    }

    BmpResult result;
    if (needed > available) result.messages.append(readError);
    result.image = std::move(image);
    return result;
}

BmpResult loadBmpFile(const QString& path) {
    QFile file(pw::model::resolvePath(path));
    // Only a regular file: a named pipe would hold the open for ever.
    if (!pw::model::fileExists(path) || !file.open(QIODevice::ReadOnly))
        return noPixels({{kBmpCaption, QStringLiteral("Error opening \"") + path}}, path);
    return decodeBmp(file.readAll(), path);
}

}  // namespace pw::images

namespace pw::images {

QByteArray encodeBmp(const DecodedImage& image) {
    const qint64 rowBytes = qint64(image.width) * 3;
    const qint64 stride = (rowBytes + 3) & ~qint64(3);
    const qint64 imageSize = stride * image.height;
    pw::model::ByteWriter w;
    w.bytes("BM");
    w.u32(uint32_t(kFileHeaderSize + kInfoHeaderSize + imageSize));
    w.u32(0);
    w.u32(kFileHeaderSize + kInfoHeaderSize);
    w.u32(kInfoHeaderSize);
    w.i32(image.width);
    w.i32(image.height);
    w.u16(1);   // planes
    w.u16(24);  // bits per pixel
    w.u32(0);   // no compression
    w.u32(uint32_t(imageSize));
    w.i32(2835);  // 72 dots per inch
    w.i32(2835);
    w.u32(0);
    w.u32(0);
    const int c = image.bytesPerPixel();
    for (int row = 0; row < image.height; ++row) {
        for (int x = 0; x < image.width; ++x) {
            const char* p = image.pixels.constData() + (qint64(row) * image.width + x) * c;
            w.u8(uint8_t(p[2]));
            w.u8(uint8_t(p[1]));
            w.u8(uint8_t(p[0]));
        }
        w.bytes(QByteArray(stride - rowBytes, '\0'));
    }
    return w.data();
}

}  // namespace pw::images
