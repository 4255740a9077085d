#pragma once

#include "core/tables/EditorModel.h"

namespace pw::app {

// Keeps the typing reactions quiet while a command fills many fields: EditsLive is 0 for the
// life of the object and 1 afterwards, also when the command stops on an error (a window whose
// reactions stayed dead would silently stop reacting to every later edit).
class QuietEdits {
public:
    explicit QuietEdits(model::EditorModel& model) : model_(model) { model_.EditsLive = 0; }
    ~QuietEdits() { model_.EditsLive = 1; }
    QuietEdits(const QuietEdits&) = delete;
    QuietEdits& operator=(const QuietEdits&) = delete;

private:
    model::EditorModel& model_;
};

}  // namespace pw::app
