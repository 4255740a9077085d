#include "preview/TextureSet.h"

#include <QDir>
#include <QFile>

#include "core/images/TgaImage.h"
#include "core/bytes/GamePaths.h"
#include "preview/TextureFolderListing.h"
#include "preview/TextureLoader.h"

namespace pw::preview {

using pw::model::joinPath;

const std::array<const char*, TextureSet::kCount> TextureSet::kFiles = {
    "CamTextures/TE-Shadow.tga",
    "CamTextures/TE-Arm.tga",
    "CamTextures/TE-Glove.tga",
    "CamTextures/stwheel.tga",
    "CamTextures/COCKPIT_DAMAGE.tga",
    "CamTextures/wheel_michelin_0.tga",
    "CamTextures/wheel_mclaren_0.tga",
    "CamTextures/wheel_bridgestone_0.tga",
    "CamTextures/TE-Tread.bmp",
    "CamTextures/new_steering_wheel_displays.tga",
};

TextureName TextureSet::brand(int brandIndex) const {
    switch (brandIndex) {
        case 0: return names[Bridgestone];
        case 1: return names[Michelin];
        case 2: return names[McLaren];
        default: return 0;
    }
}

TextureSetLoad LoadTextureSet(GlSink& gl, MessageSink& messages, const QString& folder) {
    TextureSetLoad load;
    for (int e = 0; e < TextureSet::kCount; ++e) {
        const QString path = joinPath(folder, QLatin1String(TextureSet::kFiles[size_t(e)]));
        if (e == TextureSet::Tread) {
            if (!LoadBMPTexture(gl, messages, path, load.set.names[size_t(e)])) {
                load.mustEndProgram = true;
                return load;
            }
        } else {
            LoadTGATexture(gl, messages, path, load.set.names[size_t(e)]);
        }
    }
    return load;
}

QString installedDataFolder(const QString& programFolder) {
    return QDir::cleanPath(joinPath(programFolder, QStringLiteral(PITWRIGHT_DATA_FROM_PROGRAM)));
}

QString textureStartFolder(const QString& currentFolder, const QString& programFolder) {
    const QString folder = QStringLiteral("CamTextures");
    for (const QString& candidate :
         {currentFolder, programFolder, installedDataFolder(programFolder)})
        if (pw::model::folderExists(joinPath(candidate, folder))) return candidate;
    return currentFolder;
}

namespace {

// "<name without its last three characters>tga"; only the file-name part of the stored name
// counts, so a stored name never leads out of the texture folder.
QString tgaName(const QByteArray& storedName) {
    const QString name = pw::model::fileNamePart(QString::fromLatin1(storedName));
    return name.left(qMax(0, name.size() - 3)) + QStringLiteral("tga");
}

bool fileEndsWithTgaFooter(const QString& path) {
    QFile file(pw::model::resolvePath(path));
    // Only a regular file: a named pipe would hold the open for ever.
    if (!pw::model::fileExists(path) || !file.open(QIODevice::ReadOnly) || file.size() < 2)
        return false;
    file.seek(file.size() - 2);
    return images::endsWithTgaFooter(file.read(2));
}

}  // namespace

void ResolveShapeTexture(GlSink& gl, MessageSink& messages, const QString& startFolder,
                         const QByteArray& storedName, int k, ShapeTextures& textures) {
    ResolveShapeTexture(gl, messages, *TextureFolderListing::of(startFolder), storedName, k, textures);
}

void ResolveShapeTexture(GlSink& gl, MessageSink& messages, const TextureFolderListing& folder,
                         const QByteArray& storedName, int k, ShapeTextures& textures) {
    if (k < 0 || size_t(k) >= textures.texture.size()) return;
    const QString plain = tgaName(storedName);
    textures.plainImage[size_t(k)] = folder.hasFile(plain);
    QString chosen = plain;
    if (folder.hasFile(QStringLiteral("hi_") + plain)) chosen = QStringLiteral("hi_") + plain;
    if (!folder.hasFile(chosen)) return;
    const QString path = folder.pathOf(chosen);
    textures.flip[size_t(k)] = fileEndsWithTgaFooter(path);
    LoadTGATexture(gl, messages, path, textures.texture[size_t(k)]);
}

void releaseShapeTextures(GlSink& gl, const ShapeTextures& textures) {
    for (TextureName t : textures.texture)
        if (t != 0) gl.deleteTexture(t);
}

}  // namespace pw::preview
