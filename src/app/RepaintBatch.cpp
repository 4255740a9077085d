#include "app/RepaintBatch.h"

namespace pw::app {

void BatchedPreview::requestRepaint() {
    if (depth_ > 0)
        held_ = true;
    else
        target_->requestRepaint();
}

void BatchedPreview::close() {
    if (--depth_ > 0 || !held_) return;
    held_ = false;
    target_->requestRepaint();
}

}  // namespace pw::app
