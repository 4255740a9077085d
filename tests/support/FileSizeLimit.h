#pragma once

#ifdef _WIN32
using rlim_t = unsigned long long;
#else
#include <sys/resource.h>
#endif

namespace pw::test {

// For one scope, no file this process writes may grow past the given size: a write beyond it
// fails with an error (SIGXFSZ is ignored meanwhile), much as on a disk that is full. Root is
// bound by it too, so the failure path of a save can be tested on any machine. Windows has no
// such limit: there it limits nothing, and the tests that need it are left out of the Wine run.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
#ifndef _WIN32
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
#endif
};

}  // namespace pw::test
