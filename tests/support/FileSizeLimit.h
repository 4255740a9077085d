#pragma once

#include <sys/resource.h>

namespace pw::test {

// For one scope, no file this process writes may grow past the given size: a write beyond it
// fails with an error (SIGXFSZ is ignored meanwhile), much as on a disk that is full. Root is
// bound by it too, so the failure path of a save can be tested on any machine.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace pw::test
