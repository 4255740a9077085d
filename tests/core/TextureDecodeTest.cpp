#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/images/BmpImage.h"
#include "core/images/TgaImage.h"
#include "core/bytes/ByteIO.h"

using namespace pw::images;

namespace {

const QString kPath = QStringLiteral("CamTextures/x.tga");

// An 18-byte TGA header followed by idLength bytes of image ID.
QByteArray tgaHeader(int type, int width, int height, int bits, int idLength = 0, int colourMap = 0) {
    pw::model::ByteWriter w;
    w.u8(uint8_t(idLength));
    w.u8(uint8_t(colourMap));
    w.u8(uint8_t(type));
    w.bytes(QByteArray(9, '\0'));  // colour-map fields, origin
    w.u16(uint16_t(width));
    w.u16(uint16_t(height));
    w.u8(uint8_t(bits));
    w.u8(0);
    w.bytes(QByteArray(idLength, 'I'));
    return w.data();
}

QByteArray tgaFooter() {
    QByteArray f(8, '\0');  // extension and developer area offsets
    f.append("TRUEVISION-XFILE.");
    f.append('\0');
    return f;
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) b.append(char(v));
    return b;
}

}  // namespace

TEST(TgaDecode, UncompressedPixelsBecomeRgbAndKeepTheirAlpha) {
    // 2 x 1 pixels, stored blue, green, red, alpha.
    const QByteArray file = tgaHeader(2, 2, 1, 32) + bytes({1, 2, 3, 200, 10, 20, 30, 0});
    const TgaResult r = decodeTga(file, kPath);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image->format, PixelFormat::Rgba);
    EXPECT_EQ(r.image->width, 2);
    EXPECT_EQ(r.image->height, 1);
    EXPECT_EQ(r.image->pixels, bytes({3, 2, 1, 200, 30, 20, 10, 0}));

    const TgaResult rgb = decodeTga(tgaHeader(2, 1, 2, 24) + bytes({1, 2, 3, 4, 5, 6}), kPath);
    ASSERT_TRUE(rgb.ok());
    EXPECT_EQ(rgb.image->format, PixelFormat::Rgb);
    EXPECT_EQ(rgb.image->pixels, bytes({3, 2, 1, 6, 5, 4}));
}

TEST(TgaDecode, RunLengthPacketsRepeatAndCopyPixels) {
    // The 4 x 1 image of one repeat packet 0x83: four equal pixels.
    const TgaResult four = decodeTga(tgaHeader(10, 4, 1, 24) + bytes({0x83, 9, 8, 7}), kPath);
    ASSERT_TRUE(four.ok());
    EXPECT_EQ(four.image->pixels, bytes({7, 8, 9, 7, 8, 9, 7, 8, 9, 7, 8, 9}));

    // A literal packet of two pixels, then a repeat of one pixel twice, with alpha.
    const QByteArray mixed = bytes({0x01, 1, 2, 3, 4, 5, 6, 7, 8, 0x81, 9, 10, 11, 12});
    const TgaResult r = decodeTga(tgaHeader(10, 2, 2, 32) + mixed, kPath);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image->format, PixelFormat::Rgba);
    EXPECT_EQ(r.image->pixels, bytes({3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 11, 10, 9, 12}));
}

TEST(TgaDecode, RunLengthDataThatEndEarlyOrOverrunStopAtTheDataAndAtTheImage) {
    struct Case {
        const char* name;
        QByteArray data;
        QByteArray pixels;  // 3 x 1 image, 24 bits
    };
    const Case cases[] = {
        {"repeat longer than the image", bytes({0xFF, 1, 2, 3}), bytes({3, 2, 1, 3, 2, 1, 3, 2, 1})},
        {"literal longer than the image", bytes({0x7F, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}),
         bytes({3, 2, 1, 6, 5, 4, 9, 8, 7})},
        {"data end after one packet", bytes({0x80, 1, 2, 3}), bytes({3, 2, 1, 0, 0, 0, 0, 0, 0})},
        {"literal packet cut inside a pixel", bytes({0x02, 1, 2, 3, 4}), bytes({3, 2, 1, 0, 0, 0, 0, 0, 0})},
        {"repeat packet without its pixel", bytes({0x82}), QByteArray(9, '\0')},
        {"no data at all", QByteArray(), QByteArray(9, '\0')},
    };
    for (const Case& c : cases) {
        const TgaResult r = decodeTga(tgaHeader(10, 3, 1, 24) + c.data, kPath);
        ASSERT_TRUE(r.ok()) << c.name;
        EXPECT_EQ(r.image->pixels, c.pixels) << c.name;
    }
}

TEST(TgaDecode, LargeImagesOfLongRepeatPacketsAreNotTakenForShortData) {
    // 1024 x 1024 in 8192 packets of 128 pixels: the most pixels per byte run-length data can hold.
    QByteArray data;
    for (int p = 0; p < 8192; ++p) data += bytes({0xFF, p & 0xFF, 7, 9});
    const TgaResult r = decodeTga(tgaHeader(10, 1024, 1024, 24) + data, kPath);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image->pixels.mid(3 * 128 * 8191, 6), bytes({9, 7, 0xFF, 9, 7, 0xFF}));
}

TEST(TgaDecode, PixelsStartAfterTheImageIdField) {
    const TgaResult plain = decodeTga(tgaHeader(2, 1, 1, 24, 5) + bytes({1, 2, 3}), kPath);
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(plain.image->pixels, bytes({3, 2, 1}));
    const TgaResult rle = decodeTga(tgaHeader(10, 2, 1, 24, 3) + bytes({0x81, 1, 2, 3}), kPath);
    ASSERT_TRUE(rle.ok());
    EXPECT_EQ(rle.image->pixels, bytes({3, 2, 1, 3, 2, 1}));
}

TEST(TgaDecode, RefusedFilesNameTheFileAndTheReason) {
    const QString q = QStringLiteral("\"");
    const QString couldNotLoad = QStringLiteral("Couldn't load ") + q + kPath + q;
    struct Case {
        const char* name;
        QByteArray file;
        QString text;
    };
    const Case cases[] = {
        {"16 bits per pixel", tgaHeader(2, 1, 1, 16) + bytes({1, 2}),
         couldNotLoad + ". Only 24 and 32 bit TGA files supported."},
        {"8 bits run-length", tgaHeader(10, 1, 1, 8) + bytes({0x80, 1}),
         couldNotLoad + ". Only 24 and 32 bit TGA files supported."},
        {"48 bits per pixel", tgaHeader(2, 1, 1, 48) + QByteArray(6, 'x'),
         couldNotLoad + ". Only 24 and 32 bit TGA files supported."},
        {"colour-mapped image type", tgaHeader(1, 1, 1, 24, 0, 1) + bytes({1, 2, 3}),
         couldNotLoad + ". Only 24 and 32bit TGA supported."},
        {"grey image type", tgaHeader(3, 1, 1, 24) + bytes({1, 2, 3}),
         couldNotLoad + ". Only 24 and 32bit TGA supported."},
        {"true colour with a colour map", tgaHeader(2, 1, 1, 24, 0, 1) + bytes({1, 2, 3}),
         couldNotLoad + ". Colormapped TGA files not supported."},
        {"short pixel data", tgaHeader(2, 2, 1, 24) + bytes({1, 2, 3, 4, 5}),
         QStringLiteral("Couldn't read file ") + q + kPath + q + "."},
        {"short header", QByteArray(17, '\0'), QStringLiteral("Couldn't read file ") + q + kPath + q + "."},
        {"ID field past the end", tgaHeader(2, 1, 1, 24).left(18).replace(0, 1, "\x20"),
         QStringLiteral("Couldn't read file ") + q + kPath + q + "."},
        {"empty image", tgaHeader(2, 0, 5, 24), QStringLiteral("Couldn't read file ") + q + kPath + q + "."},
        {"image too large to hold", tgaHeader(10, 65535, 65535, 32) + bytes({0x80, 1, 2, 3, 4}),
         QStringLiteral("Couldn't read file ") + q + kPath + q + "."},
        {"run-length data far too short for the image",
         tgaHeader(10, 8192, 8192, 32) + bytes({0xFF, 1, 2, 3, 4}),
         QStringLiteral("Couldn't read file ") + q + kPath + q + "."},
    };
    for (const Case& c : cases) {
        const TgaResult r = decodeTga(c.file, kPath);
        EXPECT_FALSE(r.ok()) << c.name;
        ASSERT_TRUE(r.error.has_value()) << c.name;
        EXPECT_EQ(r.error->caption, kTgaErrorCaption) << c.name;
        EXPECT_EQ(r.error->text, c.text) << c.name;
    }
}

TEST(TgaDecode, FooterMarksTheImageForFlipping) {
    const QByteArray image = tgaHeader(2, 1, 1, 24) + bytes({1, 2, 3});
    EXPECT_FALSE(endsWithTgaFooter(image));
    EXPECT_TRUE(endsWithTgaFooter(image + tgaFooter()));
    EXPECT_FALSE(endsWithTgaFooter(image + bytes({0x2E})));
    EXPECT_FALSE(endsWithTgaFooter(image + bytes({0x00, 0x2E})));
    EXPECT_FALSE(endsWithTgaFooter(QByteArray(1, '\0')));
    // The footer does not change the pixels.
    EXPECT_EQ(decodeTga(image + tgaFooter(), kPath).image->pixels, bytes({3, 2, 1}));
}

TEST(TgaFile, MissingFileHasItsOwnCaption) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("none.tga"));
    const TgaResult r = loadTgaFile(path);
    ASSERT_TRUE(r.error.has_value());
    EXPECT_EQ(r.error->caption, QStringLiteral("TGA Texture"));
    EXPECT_EQ(r.error->text, QStringLiteral("File not found  - ") + path);

    const QString real = dir.filePath(QStringLiteral("Real.TGA"));
    QFile f(real);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(tgaHeader(2, 1, 1, 24) + bytes({1, 2, 3}));
    f.close();
    // Letter case of the name does not matter, as on the system the textures come from.
    EXPECT_TRUE(loadTgaFile(dir.filePath(QStringLiteral("real.tga"))).ok());
}

namespace {

// A BMP file: file header, 40-byte information header, palette, pixel bytes.
QByteArray bmpFile(int width, int height, int bits, const QByteArray& pixelBytes, int coloursUsed = 0,
                   const QByteArray& palette = {}) {
    pw::model::ByteWriter w;
    w.bytes("BM");
    w.u32(0);
    w.u32(0);
    w.u32(54);
    w.u32(40);
    w.i32(width);
    w.i32(height);
    w.u16(1);
    w.u16(uint16_t(bits));
    w.u32(0);  // no compression
    w.u32(0);  // image size: computed by the reader
    w.u32(0);
    w.u32(0);
    w.u32(uint32_t(coloursUsed));
    w.u32(0);
    w.bytes(palette);
    w.bytes(pixelBytes);
    return w.data();
}

const QString kBmp = QStringLiteral("CamTextures/TE-Tread.bmp");
const ImageMessage kUnable{QStringLiteral("Loading Textures"), QStringLiteral("Unable to load ") + kBmp};

}  // namespace

TEST(BmpDecode, PixelsBecomeRgbRowByRow) {
    // 4 x 2: rows of 12 bytes need no padding.
    QByteArray data;
    for (int i = 0; i < 24; ++i) data.append(char(i));
    const BmpResult r = decodeBmp(bmpFile(4, 2, 24, data), kBmp);
    ASSERT_TRUE(r.hasPixels());
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_EQ(r.image->width, 4);
    EXPECT_EQ(r.image->height, 2);
    EXPECT_EQ(r.image->format, PixelFormat::Rgb);
    QByteArray expected;
    for (int p = 0; p < 8; ++p) expected += bytes({3 * p + 2, 3 * p + 1, 3 * p});
    EXPECT_EQ(r.image->pixels, expected);
}

TEST(BmpDecode, RowPaddingAndPaletteAreSteppedOver) {
    // 1 x 2: each 3-byte row is padded to 4 bytes; two unused palette entries come first.
    const QByteArray data = bytes({1, 2, 3, 0, 4, 5, 6});
    const BmpResult r = decodeBmp(bmpFile(1, 2, 24, data, 2, QByteArray(8, 'p')), kBmp);
    ASSERT_TRUE(r.hasPixels());
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_EQ(r.image->pixels, bytes({3, 2, 1, 6, 5, 4}));
}

TEST(BmpDecode, ShortPixelDataKeepsWhatWasRead) {
    const BmpResult r = decodeBmp(bmpFile(4, 1, 24, bytes({1, 2, 3, 4, 5, 6, 7})), kBmp);
    ASSERT_TRUE(r.hasPixels());
    ASSERT_EQ(r.messages.size(), 1);
    EXPECT_EQ(r.messages[0], (ImageMessage{QStringLiteral("BMP Unit"), QStringLiteral("Error reading bitmap data")}));
    EXPECT_EQ(r.image->pixels, bytes({3, 2, 1, 6, 5, 4, 0, 0, 0, 0, 0, 0}));
}

TEST(BmpDecode, RightHeadersWithoutPixelDataGiveTheImageReadSoFar) {
    // Nothing read: every pixel keeps its starting value; the image is used all the same.
    const BmpResult r = decodeBmp(bmpFile(2, 2, 24, {}), kBmp);
    ASSERT_TRUE(r.hasPixels());
    EXPECT_EQ(r.messages, QList<ImageMessage>({{QStringLiteral("BMP Unit"), QStringLiteral("Error reading bitmap data")}}));
    EXPECT_EQ(r.image->width, 2);
    EXPECT_EQ(r.image->height, 2);
    EXPECT_EQ(r.image->pixels, QByteArray(12, '\0'));
}

TEST(BmpDecode, FilesWithoutPixelsEndInTheFatalMessage) {
    const ImageMessage readError{QStringLiteral("BMP Unit"), QStringLiteral("Error reading bitmap data")};
    struct Case {
        const char* name;
        QByteArray file;
        QList<ImageMessage> messages;
    };
    const Case cases[] = {
        {"headers cut short", bmpFile(2, 2, 24, {}).left(40), {readError, kUnable}},
        {"palette cut short", bmpFile(1, 1, 24, {}, 3, QByteArray(5, 'p')),
         {{QStringLiteral("BMP Unit"), QStringLiteral("Error reading palette")}, kUnable}},
        {"8 bits per pixel", bmpFile(2, 2, 8, QByteArray(4, 'x')),
         {{QStringLiteral("BMP Unit"), QStringLiteral("Only 24 bit BMP files supported")}, kUnable}},
        {"top-down rows", bmpFile(1, -1, 24, bytes({1, 2, 3})), {readError, kUnable}},
        {"huge size", bmpFile(1 << 20, 1 << 20, 24, bytes({1, 2, 3})), {readError, kUnable}},
        {"size far beyond the file", bmpFile(8192, 8192, 24, bytes({1, 2, 3})), {readError, kUnable}},
    };
    for (const Case& c : cases) {
        const BmpResult r = decodeBmp(c.file, kBmp);
        EXPECT_FALSE(r.hasPixels()) << c.name;
        EXPECT_EQ(r.messages, c.messages) << c.name;
    }
}

TEST(BmpFile, UnopenableFileEndsInTheFatalMessage) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("none.bmp"));
    const BmpResult r = loadBmpFile(path);
    EXPECT_FALSE(r.hasPixels());
    const QList<ImageMessage> expected{
        {QStringLiteral("BMP Unit"), QStringLiteral("Error opening \"") + path},
        {QStringLiteral("Loading Textures"), QStringLiteral("Unable to load ") + path}};
    EXPECT_EQ(r.messages, expected);
}

TEST(TextureEncode, EncodedFilesDecodeToTheSamePixels) {
    // 5 x 3 with runs and single pixels mixed, so both packet kinds occur.
    for (PixelFormat format : {PixelFormat::Rgb, PixelFormat::Rgba}) {
        DecodedImage image;
        image.width = 5;
        image.height = 3;
        image.format = format;
        for (int i = 0; i < 15; ++i) {
            const int v = i < 4 || i > 11 ? 7 : i * 13;
            for (int k = 0; k < image.bytesPerPixel(); ++k) image.pixels.append(char(v + k));
        }
        for (bool rle : {false, true}) {
            for (bool footer : {false, true}) {
                const QByteArray file = encodeTga(image, rle, footer);
                const TgaResult r = decodeTga(file, kPath);
                ASSERT_TRUE(r.ok());
                EXPECT_EQ(r.image->pixels, image.pixels) << rle << footer;
                EXPECT_EQ(r.image->format, format);
                EXPECT_EQ(endsWithTgaFooter(file), footer);
            }
        }
        if (format == PixelFormat::Rgb) {
            const BmpResult b = decodeBmp(encodeBmp(image), kBmp);
            ASSERT_TRUE(b.hasPixels());
            EXPECT_TRUE(b.messages.isEmpty());
            EXPECT_EQ(b.image->pixels, image.pixels);
        }
    }
}
