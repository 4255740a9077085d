#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

#include "preview/GlSink.h"
#include "preview/PreviewMessages.h"

namespace pw::preview {

// The fixed textures of the preview, loaded once per rendering context. A texture whose file
// failed to load stays 0 and its users draw the bare material colour.
struct TextureSet {
    enum Entry {
        Shadow,
        Arm,
        Glove,
        SteeringWheel,
        CockpitDamage,
        Michelin,
        McLaren,
        Bridgestone,
        Tread,
        DashboardDisplays,
        kCount
    };
    // File of each entry, relative to the start-up folder, in loading order.
    static const std::array<const char*, kCount> kFiles;

    std::array<TextureName, kCount> names{};

    TextureName operator[](Entry e) const { return names[e]; }
    // Sidewall texture of a tyre brand: 0 Bridgestone, 1 Michelin, 2 McLaren (0 otherwise).
    TextureName brand(int brandIndex) const;
};

// Loads the ten textures in table order from folder. mustEndProgram is set when the tread BMP
// yielded no pixels: its messages were shown, loading stopped there, and the caller ends the
// program with images::kBmpNoPixelsExitCode.
struct TextureSetLoad {
    TextureSet set;
    bool mustEndProgram = false;
};
TextureSetLoad LoadTextureSet(GlSink& gl, MessageSink& messages, const QString& folder);

// The installed program's data folder: "../share/pitwright" from the program's folder in the
// usual layout (the relative path comes from the build's install directories).
QString installedDataFolder(const QString& programFolder);

// The folder "CamTextures" is looked up in: the current folder when it holds one, otherwise the
// program's own folder when that does, otherwise the installed data folder when that does
// (started from a desktop menu), otherwise the current folder (whose messages then name the
// missing files).
QString textureStartFolder(const QString& currentFolder, const QString& programFolder);

// Textures of one loaded car shape, index k for the shape's texture name k, with one spare
// entry. All start as 0 / false.
struct ShapeTextures {
    explicit ShapeTextures(int count = 0)
        : texture(size_t(count + 1), 0), flip(size_t(count + 1), false), plainImage(size_t(count + 1), false) {}

    std::vector<TextureName> texture;
    // The image carries the TGA 2.0 footer: draw v as 1 - v.
    std::vector<bool> flip;
    // The plain "<name>.tga" (not only its "hi_" variant) exists; such batches are drawn white,
    // the others in the arm colour.
    std::vector<bool> plainImage;
};

// Fills entry k of textures for the shape's texture name as stored: "<base>.xxx" is looked up
// as "CamTextures/hi_<base>.tga" first, then as "CamTextures/<base>.tga", below startFolder.
// Nothing found: no message, entry k stays untextured.
void ResolveShapeTexture(GlSink& gl, MessageSink& messages, const QString& startFolder,
                         const QByteArray& storedName, int k, ShapeTextures& textures);
// The same in the start folder's texture folder as listed (see TextureFolderListing).
class TextureFolderListing;
void ResolveShapeTexture(GlSink& gl, MessageSink& messages, const TextureFolderListing& folder,
                         const QByteArray& storedName, int k, ShapeTextures& textures);

// Removes the textures a shape table holds (textures of a replaced shape are not reused).
void releaseShapeTextures(GlSink& gl, const ShapeTextures& textures);

}  // namespace pw::preview
