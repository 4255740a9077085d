#pragma once

#include <QString>
#include <cerrno>

namespace pw::test {

// For one scope, the system calls that write a file (write and pwrite, and fsync/fdatasync for
// Call::Sync)
// fail from their nth call on a file whose path contains pathPart: with the error given (EIO,
// ENOSPC...), or by killing the process on the spot (a power loss as far as the files are
// concerned). Only this test program's calls are affected; everything else passes through to
// the C library. The calls run through this program's own definitions of these functions, which
// take the place of the C library's for Qt too.
class FailingWrites {
public:
    enum class Call { Write, Sync };
    enum class Outcome { Error, Kill };

    FailingWrites(const QString& pathPart, int nth, Call call = Call::Write, int error = EIO,
                  Outcome outcome = Outcome::Error);
    // Fails only the nth call, not those after it.
    FailingWrites& once();
    // Once the nth call has failed, every later one on a file whose path contains folder fails
    // too (a disk that went bad), unnamed temporary files included.
    FailingWrites& thenAllUnder(const QString& folder);
    ~FailingWrites();
    FailingWrites(const FailingWrites&) = delete;
    FailingWrites& operator=(const FailingWrites&) = delete;

    // How many calls were failed so far.
    int failed() const;
};

}  // namespace pw::test
