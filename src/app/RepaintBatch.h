#pragma once

#include "app/PreviewInputs.h"

namespace pw::app {

// The preview as the field reactions see it: passes every repaint request on at once, except
// while a RepaintBatch is open. Then the requests are held, and the end of the outermost batch
// paints once, with every write of the batch done.
class BatchedPreview : public PreviewSurface {
public:
    explicit BatchedPreview(PreviewSurface* target) : target_(target) {}

    void setTarget(PreviewSurface* target) { target_ = target; }
    void requestRepaint() override;

private:
    friend class RepaintBatch;
    void open() { ++depth_; }
    void close();

    PreviewSurface* target_;
    int depth_ = 0;
    bool held_ = false;
};

// One step of a drag that writes several fields: the frames between the writes never reach the
// screen, so they are not drawn at all.
class RepaintBatch {
public:
    explicit RepaintBatch(BatchedPreview& preview) : preview_(preview) { preview_.open(); }
    ~RepaintBatch() { preview_.close(); }
    RepaintBatch(const RepaintBatch&) = delete;
    RepaintBatch& operator=(const RepaintBatch&) = delete;

private:
    BatchedPreview& preview_;
};

}  // namespace pw::app
