#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "PreviewFixtures.h"
#include "RecordingGlSink.h"
#include "preview/TextureSet.h"

using namespace pw::preview;
using namespace pw::preview::fakes;

// The folder that ships beside the program: every file of the set loads, in the format its
// user needs (alpha where the alpha test cuts the image out).
TEST(CamTexturesFolder, EveryTextureOfTheSetLoads) {
    const QString repository = QStringLiteral(PITWRIGHT_SOURCE_DIR);
    ASSERT_TRUE(QDir(repository).exists(QStringLiteral("CamTextures")));
    RecordingGlSink gl;
    CollectedMessages messages;
    const TextureSetLoad load = LoadTextureSet(gl, messages, repository);
    EXPECT_FALSE(load.mustEndProgram);
    for (const auto& m : messages.shown) ADD_FAILURE() << m.text.toStdString();
    ASSERT_EQ(gl.uploads.size(), size_t(TextureSet::kCount));
    for (int e : {TextureSet::Shadow, TextureSet::Glove, TextureSet::SteeringWheel,
                  TextureSet::Michelin, TextureSet::McLaren, TextureSet::Bridgestone}) {
        const auto& image = gl.uploads[size_t(e)];
        EXPECT_EQ(image.format, pw::images::PixelFormat::Rgba) << TextureSet::kFiles[size_t(e)];
        // Both fully transparent and opaque pixels occur.
        bool clear = false, opaque = false;
        for (qint64 i = 3; i < image.pixels.size(); i += 4) {
            clear |= uint8_t(image.pixels[i]) == 0;
            opaque |= uint8_t(image.pixels[i]) > 102;
        }
        EXPECT_TRUE(clear && opaque) << TextureSet::kFiles[size_t(e)];
    }
    EXPECT_EQ(gl.uploads[TextureSet::Tread].format, pw::images::PixelFormat::Rgb);
}
