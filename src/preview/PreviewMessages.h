#pragma once

#include "core/images/DecodedImage.h"

namespace pw::preview {

// Where the preview's loaders show their message boxes. The window shows them modally; tests
// collect them.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const images::ImageMessage& message) = 0;
};

}  // namespace pw::preview
