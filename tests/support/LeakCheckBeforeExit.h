#pragma once

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace pw::test {

// Under the address sanitizer, looks for leaks now, while the application object still lives:
// destroying it closes the display, which unloads the OpenGL driver, and leaks of a library that
// is gone can no longer be traced to it (nor told apart from ours). Does nothing otherwise.
inline void checkLeaksWhileTheDriverIsLoaded() {
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
}

}  // namespace pw::test
