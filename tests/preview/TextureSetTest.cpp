#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "PreviewFixtures.h"
#include "RecordingGlSink.h"
#include "core/images/BmpImage.h"
#include "core/images/TgaImage.h"
#include "preview/TextureSet.h"

using namespace pw::preview;
using namespace pw::preview::fakes;
using pw::images::encodeBmp;
using pw::images::encodeTga;
using pw::images::ImageMessage;

namespace {

// A start-up folder whose CamTextures hold every file of the set; entry e is a 1 x 1 image of
// grey value e + 1 so the uploads can be told apart.
void writeTextureSet(const QString& folder) {
    for (int e = 0; e < TextureSet::kCount; ++e) {
        const auto image = solidImage(1, 1, e + 1, e + 1, e + 1, e == TextureSet::Tread ? -1 : 255);
        writeFile(folder, QLatin1String(TextureSet::kFiles[size_t(e)]),
                  e == TextureSet::Tread ? encodeBmp(image) : encodeTga(image));
    }
}

}  // namespace

TEST(TextureSet, LoadsTheTenTexturesInOrder) {
    QTemporaryDir dir;
    writeTextureSet(dir.path());
    RecordingGlSink gl;
    CollectedMessages messages;
    const TextureSetLoad load = LoadTextureSet(gl, messages, dir.path());
    EXPECT_FALSE(load.mustEndProgram);
    EXPECT_TRUE(messages.shown.isEmpty());
    ASSERT_EQ(gl.uploads.size(), 10u);
    for (int e = 0; e < TextureSet::kCount; ++e) {
        EXPECT_EQ(load.set.names[size_t(e)], TextureName(e + 1));
        EXPECT_EQ(uint8_t(gl.uploads[size_t(e)].pixels[0]), e + 1);
        EXPECT_EQ(gl.uploadKinds[size_t(e)],
                  e == TextureSet::Tread ? TextureUpload::SingleLevel : TextureUpload::Mipmapped);
    }
    EXPECT_EQ(load.set.brand(0), load.set[TextureSet::Bridgestone]);
    EXPECT_EQ(load.set.brand(1), load.set[TextureSet::Michelin]);
    EXPECT_EQ(load.set.brand(2), load.set[TextureSet::McLaren]);
    EXPECT_EQ(load.set.brand(3), 0u);
}

TEST(TextureSet, MissingTgaKeepsNameZeroAndLoadingGoesOn) {
    QTemporaryDir dir;
    writeTextureSet(dir.path());
    QFile::remove(dir.filePath(QStringLiteral("CamTextures/TE-Arm.tga")));
    RecordingGlSink gl;
    CollectedMessages messages;
    const TextureSetLoad load = LoadTextureSet(gl, messages, dir.path());
    EXPECT_FALSE(load.mustEndProgram);
    EXPECT_EQ(load.set[TextureSet::Arm], 0u);
    EXPECT_NE(load.set[TextureSet::DashboardDisplays], 0u);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("TGA Texture"));
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("File not found  - ") + dir.path() + QStringLiteral("/CamTextures/TE-Arm.tga"));
}

TEST(TextureSet, MissingTreadStopsLoadingAndAsksToEndTheProgram) {
    QTemporaryDir dir;
    writeTextureSet(dir.path());
    QFile::remove(dir.filePath(QStringLiteral("CamTextures/TE-Tread.bmp")));
    RecordingGlSink gl;
    CollectedMessages messages;
    const TextureSetLoad load = LoadTextureSet(gl, messages, dir.path());
    EXPECT_TRUE(load.mustEndProgram);
    EXPECT_EQ(pw::images::kBmpNoPixelsExitCode, 1);
    EXPECT_EQ(gl.uploads.size(), 8u);  // the dashboard texture after it is never loaded
    const QString path = dir.path() + QStringLiteral("/CamTextures/TE-Tread.bmp");
    const QList<ImageMessage> expected{{QStringLiteral("BMP Unit"), QStringLiteral("Error opening \"") + path},
                                       {QStringLiteral("Loading Textures"), QStringLiteral("Unable to load ") + path}};
    EXPECT_EQ(messages.shown, expected);
}

TEST(TextureSet, StartFolderIsTheCurrentFolderWhenItHoldsTheTextures) {
    QTemporaryDir current, program;
    QDir(program.path()).mkpath(QStringLiteral("CamTextures"));
    EXPECT_EQ(textureStartFolder(current.path(), program.path()), program.path());
    QDir(current.path()).mkpath(QStringLiteral("CamTextures"));
    EXPECT_EQ(textureStartFolder(current.path(), program.path()), current.path());
    QTemporaryDir neither;
    EXPECT_EQ(textureStartFolder(neither.path(), neither.path() + QStringLiteral("/x")), neither.path());
}

TEST(TextureSet, InstalledProgramFindsTheTexturesInItsDataFolder) {
    // An installed tree: <prefix>/bin/pitwright and the textures in the data folder.
    QTemporaryDir current, prefix;
    const QString program = prefix.path() + QStringLiteral("/bin");
    const QString data = installedDataFolder(program);
    ASSERT_TRUE(QDir().mkpath(program));
    ASSERT_TRUE(QDir().mkpath(data + QStringLiteral("/CamTextures")));
    EXPECT_FALSE(data.startsWith(program)) << data.toStdString();
    EXPECT_TRUE(data.startsWith(prefix.path())) << data.toStdString();
    EXPECT_EQ(textureStartFolder(current.path(), program), data);
    // The program's own folder and the current folder come first.
    QDir(program).mkpath(QStringLiteral("CamTextures"));
    EXPECT_EQ(textureStartFolder(current.path(), program), program);
    QDir(current.path()).mkpath(QStringLiteral("CamTextures"));
    EXPECT_EQ(textureStartFolder(current.path(), program), current.path());
}

TEST(ShapeTextures, HiImageIsPreferredAndOnlyThePlainNameGivesWhite) {
    QTemporaryDir dir;
    writeFile(dir.path(), QStringLiteral("CamTextures/hi_dash.tga"), encodeTga(solidImage(1, 1, 1, 1, 1)));
    writeFile(dir.path(), QStringLiteral("CamTextures/hi_body.tga"), encodeTga(solidImage(1, 1, 2, 2, 2)));
    writeFile(dir.path(), QStringLiteral("CamTextures/body.tga"), encodeTga(solidImage(1, 1, 3, 3, 3)));
    writeFile(dir.path(), QStringLiteral("CamTextures/seat.tga"), encodeTga(solidImage(1, 1, 4, 4, 4), false, true));
    RecordingGlSink gl;
    CollectedMessages messages;
    ShapeTextures t(5);
    EXPECT_EQ(t.texture.size(), 6u);  // one spare entry
    const char* names[] = {"dash.bmp", "body.bmp", "seat.BMP", "none.bmp", "../../body.bmp"};
    for (int k = 0; k < 5; ++k) ResolveShapeTexture(gl, messages, dir.path(), names[k], k, t);
    EXPECT_TRUE(messages.shown.isEmpty());
    ASSERT_EQ(gl.uploads.size(), 4u);
    // dash: only the hi_ image: textured with it, but drawn in the arm colour.
    EXPECT_EQ(uint8_t(gl.uploads[t.texture[0] - 1].pixels[0]), 1);
    EXPECT_FALSE(t.plainImage[0]);
    // body: hi_ first, and white because body.tga exists too.
    EXPECT_EQ(uint8_t(gl.uploads[t.texture[1] - 1].pixels[0]), 2);
    EXPECT_TRUE(t.plainImage[1]);
    // seat: found whatever the letter case of its extension; its footer sets the flip flag.
    EXPECT_EQ(uint8_t(gl.uploads[t.texture[2] - 1].pixels[0]), 4);
    EXPECT_TRUE(t.flip[2]);
    EXPECT_FALSE(t.flip[1]);
    // none: nothing found, no message, untextured.
    EXPECT_EQ(t.texture[3], 0u);
    EXPECT_FALSE(t.plainImage[3]);
    // A name with folders is looked up by its file name, inside the texture folder.
    EXPECT_EQ(uint8_t(gl.uploads[t.texture[4] - 1].pixels[0]), 2);
    EXPECT_EQ(t.texture[5], 0u);

    releaseShapeTextures(gl, t);
    EXPECT_EQ(gl.deleted.size(), 4u);
}

TEST(ShapeTextures, UnreadableImageShowsItsMessageAndStaysUntextured) {
    QTemporaryDir dir;
    writeFile(dir.path(), QStringLiteral("CamTextures/grey.tga"), QByteArray("not an image at all"));
    RecordingGlSink gl;
    CollectedMessages messages;
    ShapeTextures t(1);
    ResolveShapeTexture(gl, messages, dir.path(), "grey.bmp", 0, t);
    EXPECT_EQ(t.texture[0], 0u);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("TGA File Error"));
}
