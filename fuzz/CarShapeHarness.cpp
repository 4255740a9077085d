// A car shape as the preview loads it from the archive: parsed, its textures looked up (in a
// folder that holds none) and compiled into display lists, for the car and for the dashboard in
// the cockpit view. Input: the shape entry.

#include "Harness.h"
#include "NullGlSink.h"
#include "preview/PreviewMessages.h"
#include "preview/ShapeLoader.h"

namespace pw::fuzz {

namespace {
class IgnoredMessages : public preview::MessageSink {
public:
    void show(const images::ImageMessage&) override {}
};
}  // namespace

void fuzzCarShape(const uint8_t* data, size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    const preview::ShapeLookup lookup = [&](const QString&) {
        preview::ShapeSource source;
        source.status = preview::ShapeSource::Status::Found;
        source.bytes = bytes;
        source.sourceName = QStringLiteral("cars.wad");
        return source;
    };
    NullGlSink gl;
    IgnoredMessages messages;
    const QString noTextures = QStringLiteral("/nonexistent-folder-for-the-shape-harness");
    for (const bool cockpit : {false, true}) {
        preview::ShapeSlot slot;
        slot.slot = cockpit ? preview::kDashboardSlot : preview::kCarSlot;
        slot.list = 1;
        preview::ShapeCompileInputs inputs;
        inputs.cockpitView = cockpit;
        inputs.dashboardTexture = 1;
        const preview::ShapeLoadResult r = preview::LoadShape(
            gl, messages, lookup, QStringLiteral("car_body_00.gp4"), slot, inputs, noTextures, 1);
        promise(r.status == preview::ShapeLoadStatus::Loaded ||
                    (r.status == preview::ShapeLoadStatus::Refused && !r.error.isEmpty()),
                "a shape is loaded or refused with its reason");
    }
}

}  // namespace pw::fuzz
