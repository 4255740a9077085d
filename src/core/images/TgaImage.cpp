#include "core/images/TgaImage.h"

#include <QFile>

#include "core/bytes/ByteIO.h"
#include "core/bytes/GamePaths.h"

namespace pw::images {

namespace {

constexpr int kHeaderSize = 18;
constexpr int kIdLengthAt = 0;
constexpr int kColourMapTypeAt = 1;
constexpr int kImageTypeAt = 2;
constexpr int kWidthAt = 12;
constexpr int kHeightAt = 14;
constexpr int kBitsPerPixelAt = 16;

constexpr int kTrueColour = 2;
constexpr int kRunLengthTrueColour = 10;
constexpr qint64 kMaxPacketPixels = 128;

QString quoted(const QString& path) { return QLatin1Char('"') + path + QLatin1Char('"'); }

TgaResult fail(const QString& text) { return {std::nullopt, ImageMessage{kTgaErrorCaption, text}}; }

TgaResult couldNotLoad(const QString& path, const char* reason) {
    return fail(QStringLiteral("Couldn't load ") + quoted(path) + QLatin1String(reason));
}

TgaResult couldNotRead(const QString& path) {
    return fail(QStringLiteral("Couldn't read file ") + quoted(path) + QStringLiteral("."));
}

// Copies one stored pixel (blue, green, red[, alpha]) into out as red, green, blue[, alpha].
inline void putPixel(char* out, const char* in, int bytesPerPixel) {
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
    if (bytesPerPixel == 4) out[3] = in[3];
}

// The most pixels run-length data of the given size can fill: a packet yields at most 128
// pixels and needs its header byte and at least one whole pixel to yield any.
qint64 maxRunLengthPixels(qint64 dataSize, int bytesPerPixel) {
    return dataSize / (1 + bytesPerPixel) * kMaxPacketPixels;
}

}  // namespace

TgaResult decodeTga(const QByteArray& file, const QString& path) {
    if (file.size() < kHeaderSize) return couldNotRead(path);
    const char* header = file.constData();
    const int imageType = uint8_t(header[kImageTypeAt]);
    const int colourMapType = uint8_t(header[kColourMapTypeAt]);
    const int bitsPerPixel = uint8_t(header[kBitsPerPixelAt]);
    if (imageType != kTrueColour && imageType != kRunLengthTrueColour)
        return couldNotLoad(path, ". Only 24 and 32bit TGA supported.");
    if (colourMapType != 0) return couldNotLoad(path, ". Colormapped TGA files not supported.");
    // Only whole 3- and 4-byte pixels can be turned into a texture: other depths would make the
    // texture read past the pixel buffer.
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
        return couldNotLoad(path, ". Only 24 and 32 bit TGA files supported.");

    const int width = pw::model::le::u16(header + kWidthAt);
    const int height = pw::model::le::u16(header + kHeightAt);
    const qint64 n = qint64(width) * height;
    if (n == 0 || n > kMaxImagePixels) return couldNotRead(path);

    const int c = bitsPerPixel / 8;
    // The image ID field (its length in the first header byte) lies between header and pixels.
    const qint64 dataStart = kHeaderSize + uint8_t(header[kIdLengthAt]);
    if (dataStart > file.size()) return couldNotRead(path);
    const char* data = file.constData() + dataStart;
    const qint64 dataSize = file.size() - dataStart;
    // Checked before the pixels are allocated: a short file may claim a large image.
    if (imageType == kTrueColour && dataSize < n * c) return couldNotRead(path);
    if (imageType == kRunLengthTrueColour &&
        (n - maxRunLengthPixels(dataSize, c)) * c > kMaxMissingPixelBytes)
        return couldNotRead(path);

    DecodedImage image;
    image.width = width;
    image.height = height;
    image.format = c == 4 ? PixelFormat::Rgba : PixelFormat::Rgb;
    image.pixels = QByteArray(n * c, '\0');  // pixels no packet fills stay transparent black
    char* out = image.pixels.data();

    if (imageType == kTrueColour) {
        for (qint64 i = 0; i < n; ++i) putPixel(out + i * c, data + i * c, c);
        return {std::move(image), std::nullopt};
    }

    // Run-length packets: a header byte h >= 128 repeats the one pixel after it h - 127 times,
    // h < 128 is followed by h + 1 literal pixels. Decoding stops at n pixels and at the end of
    // the data, whichever comes first.
    qint64 produced = 0;
    qint64 at = 0;
    while (produced < n && at < dataSize) {
        const int h = uint8_t(data[at++]);
        const bool repeat = h >= 128;
        const qint64 count = repeat ? h - 127 : h + 1;
        for (qint64 k = 0; k < count && produced < n; ++k) {
            const qint64 source = repeat ? at : at + k * c;
            if (source + c > dataSize) {
                at = dataSize;
                break;
            }
            putPixel(out + produced * c, data + source, c);
            ++produced;
        }
        at += repeat ? c : count * c;
    }
    return {std::move(image), std::nullopt};
}

TgaResult loadTgaFile(const QString& path) {
    if (!pw::model::fileExists(path))
        return {std::nullopt, ImageMessage{kTgaNotFoundCaption, QStringLiteral("File not found  - ") + path}};
    QFile file(pw::model::resolvePath(path));
    if (!file.open(QIODevice::ReadOnly)) return couldNotRead(path);
    return decodeTga(file.readAll(), path);
}

bool endsWithTgaFooter(const QByteArray& file) {
    return file.size() >= 2 && file.at(file.size() - 2) == '.' && file.at(file.size() - 1) == '\0';
}

}  // namespace pw::images

namespace pw::images {

namespace {

QByteArray storedPixel(const char* p, int c) {
    QByteArray out(c, '\0');
    out[0] = p[2];
    out[1] = p[1];
    out[2] = p[0];
    if (c == 4) out[3] = p[3];
    return out;
}

}  // namespace

QByteArray encodeTga(const DecodedImage& image, bool runLength, bool withFooter) {
    const int c = image.bytesPerPixel();
    pw::model::ByteWriter w;
    w.u8(0);
    w.u8(0);
    w.u8(runLength ? kRunLengthTrueColour : kTrueColour);
    w.bytes(QByteArray(9, '\0'));
    w.u16(uint16_t(image.width));
    w.u16(uint16_t(image.height));
    w.u8(uint8_t(c * 8));
    // Alpha bits, and the origin flag for rows stored top first, so that image viewers show the
    // file as it was drawn (the texture reader itself uses rows in stored order).
    w.u8(uint8_t((c == 4 ? 8 : 0) | 0x20));
    const qint64 n = qint64(image.width) * image.height;
    const char* px = image.pixels.constData();
    if (!runLength) {
        for (qint64 i = 0; i < n; ++i) w.bytes(storedPixel(px + i * c, c));
    } else {
        // Runs of equal pixels become repeat packets, everything else literal packets.
        qint64 i = 0;
        while (i < n) {
            qint64 run = 1;
            while (i + run < n && run < 128 && std::memcmp(px + i * c, px + (i + run) * c, size_t(c)) == 0) ++run;
            if (run > 1) {
                w.u8(uint8_t(127 + run));
                w.bytes(storedPixel(px + i * c, c));
                i += run;
                continue;
            }
            qint64 literal = 1;
            while (i + literal < n && literal < 128 &&
                   !(i + literal + 1 < n &&
                     std::memcmp(px + (i + literal) * c, px + (i + literal + 1) * c, size_t(c)) == 0))
                ++literal;
            w.u8(uint8_t(literal - 1));
            for (qint64 k = 0; k < literal; ++k) w.bytes(storedPixel(px + (i + k) * c, c));
            i += literal;
        }
    }
    if (withFooter) {
        w.u32(0);  // no extension area
        w.u32(0);  // no developer area
        w.bytes("TRUEVISION-XFILE.");
        w.u8(0);
    }
    return w.data();
}

}  // namespace pw::images
