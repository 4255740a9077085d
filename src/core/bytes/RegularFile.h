#pragma once

#include <QString>

#ifdef Q_OS_UNIX
#include <sys/stat.h>

namespace pw::model {

// A file opened without waiting (a named pipe's open waits for a writer; for a regular file the
// flag changes nothing) and its status, taken from the file opened. What is not a regular file is
// closed again and refused: a named pipe would hold its reads, a device would never end.
struct OpenedFile {
    int fd = -1;          // -1: not opened
    int error = 0;        // errno of a failed open
    bool regular = true;  // false: something else is at the path (fd is -1)
    struct stat status {};
};
OpenedFile openRegularFile(const QString& path, int flags);

}  // namespace pw::model
#endif
