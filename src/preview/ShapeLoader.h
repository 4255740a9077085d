#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

#include "preview/GlSink.h"
#include "preview/PreviewMessages.h"
#include "preview/ShapeCompiler.h"
#include "preview/TextureSet.h"

namespace pw::preview {

// What the cars archive holds for an entry name. The archive reader fills it: the bytes to parse
// (the whole archive or the entry's own bytes) and where in them the entry's data begin.
struct ShapeSource {
    enum class Status { ArchiveMissing, NotFound, Found };
    Status status = Status::ArchiveMissing;
    QByteArray bytes;
    qint64 offset = 0;
    QString sourceName;  // names the file in error messages
    // Keeps alive what bytes points into without owning it (a mapped file), if anything.
    std::shared_ptr<void> keepAlive;
    // Two sources of the same entry name with the same stamp hold the same bytes (the archive
    // did not change in between); null: never taken as the same.
    std::shared_ptr<const void> stamp;
};
using ShapeLookup = std::function<ShapeSource(const QString& entryName)>;

// Shown in the first paint when there is no cars archive.
inline const QString kCarsWadMissingText =
    QStringLiteral("Sorry but as the cars wad can't be found, car shapes won't be displayed");

enum class ShapeLoadStatus { Loaded, ArchiveMissing, NotFound, Refused };

struct ShapeLoadResult {
    ShapeLoadStatus status = ShapeLoadStatus::Loaded;
    QString error;  // Refused: the reason, for the application's error box
};

class TextureFolderListing;

// What a slot holds, to tell whether a load of the same entry finds the same shape: the entry
// name, the stamp of its bytes, the texture folder its textures were found in, the shape as
// parsed, and what its batches were compiled with.
struct HeldShape {
    QString name;
    std::shared_ptr<const void> stamp;
    std::shared_ptr<const TextureFolderListing> folder;
    std::shared_ptr<const pw::wad::CarShape> shape;
    bool batchesCompiled = false;
    Rgba armColour;
    TextureName dashboardTexture = 0;
};

// One display-list slot holding a car shape, with the textures of the shape it holds.
struct ShapeSlot {
    ShapeSlot() = default;
    ShapeSlot(int slot, ListName list, ShapeTextures textures, ListName batches = 0)
        : slot(slot), list(list), textures(std::move(textures)), batches(batches) {}

    int slot = kCarSlot;
    ListName list = 0;
    ShapeTextures textures;
    // The list holding the shape's batches, called by list (0: one is made at the first load).
    ListName batches = 0;
    HeldShape held;
};

// Loads entry name into the slot: find it, parse it, resolve its textures below startFolder and
// compile the slot's lists. The same entry with the same stamp, its texture folder unchanged, is
// neither parsed nor given its textures again: only what changed is compiled (the placement, and
// the batches when the arm colour or the dashboard texture changed). A missing archive shows its
// message only when paintCounter is 1 (the first paint) and leaves the list alone; an entry that is
// not in the archive empties the list, so nothing else is drawn in its place; a shape that cannot
// be read keeps the list it had and returns the reason (messages shown to the user are the
// caller's). The textures of the shape replaced are deleted.
ShapeLoadResult LoadShape(GlSink& gl, MessageSink& messages, const ShapeLookup& lookup,
                          const QString& name, ShapeSlot& slot, const ShapeCompileInputs& inputs,
                          const QString& startFolder, int paintCounter);

}  // namespace pw::preview
