#include "core/bytes/ForeignFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace pw::model {

std::optional<QByteArray> readForeignFile(const QString& path, qint64 maxBytes) {
#ifdef Q_OS_UNIX
    // Opened without blocking, so that a named pipe does not wait for a writer; its type and
    // size are then judged on what was opened, not on what the path named a moment before.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<QByteArray> result;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && qint64(st.st_size) <= maxBytes) {
        // Read to the end, not to the size seen: the file may change meanwhile, but never past
        // the limit.
        QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
        qint64 done = 0;
        bool failed = false;
        for (;;) {
            if (done == bytes.size()) {
                if (done > maxBytes) break;
                bytes.resize(qsizetype(std::min<qint64>(maxBytes + 1, done * 2 + 4096)));
            }
            const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) failed = true;
            if (n <= 0) break;
            done += n;
        }
        if (!failed && done <= maxBytes) {
            bytes.truncate(qsizetype(done));
            result = std::move(bytes);
        }
    }
    ::close(fd);
    return result;
#else
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxBytes) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > maxBytes) return std::nullopt;
    return bytes;
#endif
}

}  // namespace pw::model
