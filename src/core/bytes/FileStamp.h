#pragma once

#include <QString>

#ifdef Q_OS_UNIX
struct stat;
#endif

namespace pw::model {

// What tells one file (or folder) at a path from another: replacing or rewriting it changes its
// size or one of its times. What is kept about a file is kept under its stamp and used again only
// while the stamp is the same.
struct FileStamp {
    qint64 size = -1;     // -1: nothing at the path
    qint64 modified = 0;  // nanoseconds since the epoch
    qint64 statusChanged = 0;
    bool exists() const { return size >= 0; }
    bool operator==(const FileStamp& o) const {
        return size == o.size && modified == o.modified && statusChanged == o.statusChanged;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

// The status of what is at path, in one call where the platform has it.
FileStamp fileStampOf(const QString& path);
#ifdef Q_OS_UNIX
// The same from a status already taken (of a file open, say).
FileStamp fileStampOfStatus(const struct stat& status);
#endif

// Longer than any file system's time-stamp resolution (two seconds on the coarsest).
inline constexpr qint64 kDefaultSettleMs = 2500;
// Whether the stamp, taken at nowMs, can be trusted to tell a further change: a file changed
// less than the settle time before may change again within the resolution of its time stamps
// without changing its stamp, so nothing about it may be kept yet.
bool stampSettled(const FileStamp& stamp, qint64 nowMs);
// Tests that write files and look at them at once shorten it (0: trusted at once).
void setSettleTime(qint64 milliseconds);
qint64 settleTime();

}  // namespace pw::model
