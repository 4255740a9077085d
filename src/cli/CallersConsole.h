#pragma once

namespace pw::cli {

// On Windows the program is a windowed one and starts without a console: a command typed in a
// console writes its output there (or to the file or pipe the caller gave). Elsewhere nothing
// to do.
void useCallersConsole();

}  // namespace pw::cli
