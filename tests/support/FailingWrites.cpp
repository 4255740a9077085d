#include "FailingWrites.h"

#include <dlfcn.h>
#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <atomic>
#include <cstring>
#include <mutex>
#include <string>

namespace {

struct Injection {
    std::mutex lock;
    bool active = false;
    std::string pathPart;
    int nth = 0;
    bool onlyOnce = false;
    pw::test::FailingWrites::Call call = pw::test::FailingWrites::Call::Write;
    int error = EIO;
    pw::test::FailingWrites::Outcome outcome = pw::test::FailingWrites::Outcome::Error;
    std::string thenPart;
    int seen = 0;
    int failed = 0;
};

Injection& injection() {
    static Injection i;
    return i;
}

std::atomic<bool> anyActive{false};

std::string pathOf(int fd) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t n = readlink(link, target, sizeof target - 1);
    return n > 0 ? std::string(target, size_t(n)) : std::string();
}

// Whether this call is to fail; sets errno (or kills the process) when it is.
bool shouldFail(int fd, pw::test::FailingWrites::Call call) {
    if (!anyActive.load()) return false;
    Injection& i = injection();
    std::lock_guard<std::mutex> guard(i.lock);
    if (!i.active || i.call != call) return false;
    const std::string path = pathOf(fd);
    if (i.failed > 0 && !i.thenPart.empty()) {
        if (path.find(i.thenPart) == std::string::npos) return false;
    } else {
        if (path.find(i.pathPart) == std::string::npos) return false;
        ++i.seen;
        if (i.seen < i.nth || (i.onlyOnce && i.seen > i.nth)) return false;
    }
    if (i.outcome == pw::test::FailingWrites::Outcome::Kill) ::kill(::getpid(), SIGKILL);
    ++i.failed;
    errno = i.error;
    return true;
}

template <typename F>
F real(const char* name) {
    static_assert(sizeof(F) == sizeof(void*));
    void* symbol = dlsym(RTLD_NEXT, name);
    F f;
    std::memcpy(&f, &symbol, sizeof f);
    return f;
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* buffer, size_t count) {
    static const auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    if (shouldFail(fd, pw::test::FailingWrites::Call::Write)) return -1;
    return next(fd, buffer, count);
}

ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset) {
    static const auto next = real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    if (shouldFail(fd, pw::test::FailingWrites::Call::Write)) return -1;
    return next(fd, buffer, count, offset);
}

ssize_t pwrite64(int fd, const void* buffer, size_t count, off64_t offset) {
    static const auto next = real<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    if (shouldFail(fd, pw::test::FailingWrites::Call::Write)) return -1;
    return next(fd, buffer, count, offset);
}

int fsync(int fd) {
    static const auto next = real<int (*)(int)>("fsync");
    if (shouldFail(fd, pw::test::FailingWrites::Call::Sync)) return -1;
    return next(fd);
}

int fdatasync(int fd) {
    static const auto next = real<int (*)(int)>("fdatasync");
    if (shouldFail(fd, pw::test::FailingWrites::Call::Sync)) return -1;
    return next(fd);
}

}  // extern "C"

namespace pw::test {

FailingWrites::FailingWrites(const QString& pathPart, int nth, Call call, int error,
                             Outcome outcome) {
    Injection& i = injection();
    std::lock_guard<std::mutex> guard(i.lock);
    i.active = true;
    i.pathPart = QFile::encodeName(pathPart).toStdString();
    i.nth = nth;
    i.onlyOnce = false;
    i.call = call;
    i.error = error;
    i.outcome = outcome;
    i.seen = 0;
    i.failed = 0;
    i.thenPart.clear();
    anyActive = true;
}

FailingWrites& FailingWrites::once() {
    std::lock_guard<std::mutex> guard(injection().lock);
    injection().onlyOnce = true;
    return *this;
}

FailingWrites& FailingWrites::thenAllUnder(const QString& folder) {
    std::lock_guard<std::mutex> guard(injection().lock);
    injection().thenPart = QFile::encodeName(folder).toStdString();
    return *this;
}

FailingWrites::~FailingWrites() {
    std::lock_guard<std::mutex> guard(injection().lock);
    injection().active = false;
    anyActive = false;
}

int FailingWrites::failed() const {
    std::lock_guard<std::mutex> guard(injection().lock);
    return injection().failed;
}

}  // namespace pw::test
