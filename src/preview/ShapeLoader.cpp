#include "preview/ShapeLoader.h"

#include "core/bytes/ByteIO.h"
#include "preview/TextureFolderListing.h"

namespace pw::preview {

ShapeLoadResult LoadShape(GlSink& gl, MessageSink& messages, const ShapeLookup& lookup,
                          const QString& name, ShapeSlot& slot, const ShapeCompileInputs& inputs,
                          const QString& startFolder, int paintCounter) {
    const ShapeSource source = lookup(name);
    if (source.status == ShapeSource::Status::ArchiveMissing) {
        if (paintCounter == 1) messages.show({QString(), kCarsWadMissingText});
        return {ShapeLoadStatus::ArchiveMissing, {}};
    }
    if (source.status == ShapeSource::Status::NotFound) {
        releaseShapeTextures(gl, slot.textures);
        slot.textures = ShapeTextures();
        slot.held = HeldShape();
        gl.newList(slot.list);
        gl.endList();
        return {ShapeLoadStatus::NotFound, {}};
    }

    HeldShape& held = slot.held;
    const std::shared_ptr<const TextureFolderListing> folder =
        TextureFolderListing::of(startFolder);
    const bool same = source.stamp && held.shape && held.stamp == source.stamp &&
                      held.name == name && held.folder == folder;
    if (!same) {
        auto shape = std::make_shared<pw::wad::CarShape>();
        try {
            pw::model::ByteReader reader(source.bytes, source.sourceName);
            reader.seek(source.offset, "the car shape");
            *shape = pw::wad::parseCarShape(reader);
        } catch (const pw::model::GameFileError& e) {
            return {ShapeLoadStatus::Refused, e.message()};
        }

        releaseShapeTextures(gl, slot.textures);
        slot.textures = ShapeTextures(int(shape->textureNames.size()));
        for (size_t k = 0; k < shape->textureNames.size(); ++k)
            ResolveShapeTexture(gl, messages, *folder, shape->textureNames[k], int(k),
                                slot.textures);
        held = HeldShape{name, source.stamp, folder, std::move(shape), false, {}, 0};
    }

    if (slot.batches == 0) slot.batches = gl.genLists(1);
    if (!held.batchesCompiled || held.armColour != inputs.armColour ||
        held.dashboardTexture != inputs.dashboardTexture) {
        compileShapeBatches(gl, slot.batches, slot.slot, *held.shape, slot.textures, inputs);
        held.batchesCompiled = true;
        held.armColour = inputs.armColour;
        held.dashboardTexture = inputs.dashboardTexture;
    }
    compileShapePlacement(gl, slot.list, slot.slot, slot.batches, inputs);
    return {ShapeLoadStatus::Loaded, {}};
}

}  // namespace pw::preview
