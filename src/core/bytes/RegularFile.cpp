#include "core/bytes/RegularFile.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

namespace pw::model {

OpenedFile openRegularFile(const QString& path, int flags) {
    OpenedFile opened;
    opened.fd = ::open(QFile::encodeName(path).constData(), flags | O_NONBLOCK | O_CLOEXEC);
    if (opened.fd < 0) {
        opened.error = errno;
        // A folder opened for writing fails so: it is no regular file either.
        opened.regular = opened.error != EISDIR;
        return opened;
    }
    if (::fstat(opened.fd, &opened.status) != 0 || !S_ISREG(opened.status.st_mode)) {
        ::close(opened.fd);
        opened.fd = -1;
        opened.regular = false;
    }
    return opened;
}

}  // namespace pw::model
#endif
