#include "FileSizeLimit.h"

#include <csignal>

namespace pw::test {

#ifdef _WIN32
FileSizeLimit::FileSizeLimit(rlim_t) {}
FileSizeLimit::~FileSizeLimit() = default;
#else
FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, oldHandler_);
}
#endif

}  // namespace pw::test
