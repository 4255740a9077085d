#include "ShapeLoader.h"

#include "model/ByteIO.h"

namespace pw::preview {

ShapeLoadResult LoadShape(GlSink& gl, MessageSink& messages, const ShapeLookup& lookup, const QString& name,
                          ShapeSlot& slot, const ShapeCompileInputs& inputs, const QString& startFolder,
                          int paintCounter) {
    const ShapeSource source = lookup(name);
    if (source.status == ShapeSource::Status::ArchiveMissing) {
        if (paintCounter == 1) messages.show({QString(), kCarsWadMissingText});
        return {ShapeLoadStatus::ArchiveMissing, {}};
    }
    if (source.status == ShapeSource::Status::NotFound) {
        releaseShapeTextures(gl, slot.textures);
        slot.textures = ShapeTextures();
        gl.newList(slot.list);
        gl.endList();
        return {ShapeLoadStatus::NotFound, {}};
    }

    pw::wad::CarShape shape;
    try {
        pw::model::ByteReader reader(source.bytes, source.sourceName);
        reader.seek(source.offset, "the car shape");
        shape = pw::wad::parseCarShape(reader);
    } catch (const pw::model::GameFileError& e) {
        return {ShapeLoadStatus::Refused, e.message()};
    }

    releaseShapeTextures(gl, slot.textures);
    slot.textures = ShapeTextures(int(shape.textureNames.size()));
    for (size_t k = 0; k < shape.textureNames.size(); ++k)
        ResolveShapeTexture(gl, messages, startFolder, shape.textureNames[k], int(k), slot.textures);
    compileShape(gl, slot.list, slot.slot, shape, slot.textures, inputs);
    return {ShapeLoadStatus::Loaded, {}};
}

}  // namespace pw::preview
