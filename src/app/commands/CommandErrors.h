#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

#include "app/window/FieldValueError.h"

namespace pw::app {

class MessageSink;

// Runs a command handler; an error it does not handle itself (a game file that cannot be read or
// written, a field that is not a number, anything else thrown) stops it and is shown in an error
// box. Nothing is thrown out of here, so no exception ever reaches the event loop. Returns false
// when the handler stopped on an error.
bool runGuarded(MessageSink& messages, const std::function<void()>& handler);

}  // namespace pw::app
