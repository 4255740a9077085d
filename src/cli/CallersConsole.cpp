#include "cli/CallersConsole.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#endif

namespace pw::cli {

void useCallersConsole() {
#ifdef _WIN32
    // Streams the caller redirected (a file, a pipe) are already there and are kept.
    const bool outMissing = GetStdHandle(STD_OUTPUT_HANDLE) == nullptr;
    const bool errMissing = GetStdHandle(STD_ERROR_HANDLE) == nullptr;
    if (!outMissing && !errMissing) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;  // started without a console: none to use
    if (outMissing && std::freopen("CONOUT$", "w", stdout)) std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (errMissing && std::freopen("CONOUT$", "w", stderr)) std::setvbuf(stderr, nullptr, _IONBF, 0);
#endif
}

}  // namespace pw::cli
