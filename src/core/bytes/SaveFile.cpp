#include "core/bytes/SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "core/bytes/GameFileError.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include "core/bytes/RegularFile.h"
#endif

namespace pw::model {

void saveFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw GameFileError(path, GameFileError::kNoOffset,
                            QStringLiteral("cannot be created: ") + file.errorString());
    // Small writes only fill a buffer; its flush is where a full disk shows. commit() would flush
    // it too, but does not notice that failure and renames the short file over the earlier one.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        // A write that fails in the buffer's flush leaves Qt's own reason at "Unknown error";
        // the system's (a full disk) is what helps.
        const int code = errno;
        const QString reason =
            code != 0 ? QString::fromLocal8Bit(std::strerror(code)) : file.errorString();
        file.cancelWriting();
        throw GameFileError(path, GameFileError::kNoOffset,
                            QStringLiteral("cannot be written: ") + reason);
    }
    if (!file.commit())
        throw GameFileError(path, GameFileError::kNoOffset,
                            QStringLiteral("cannot be saved: ") + file.errorString());
}

void writeFileToDisk(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw GameFileError(path, GameFileError::kNoOffset,
                            QStringLiteral("cannot be created: ") + file.errorString());
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int code = errno;
        throw GameFileError(
            path, GameFileError::kNoOffset,
            QStringLiteral("cannot be written: ") +
                (code != 0 ? QString::fromLocal8Bit(std::strerror(code)) : file.errorString()));
    }
    flushOpenFile(file.handle(), path);
}

void flushOpenFile(int handle, const QString& path) {
#ifdef Q_OS_WIN
    const bool synced = _commit(handle) == 0;
#else
    const bool synced = ::fsync(handle) == 0;
#endif
    if (!synced)
        throw GameFileError(path, GameFileError::kNoOffset,
                            QStringLiteral("cannot be written to the disk: ") +
                                QString::fromLocal8Bit(std::strerror(errno)));
}

void syncFolderToDisk(const QString& folder) {
#ifndef Q_OS_WIN
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const int code = errno;
    if (fd >= 0) ::close(fd);
    if (!synced)
        throw GameFileError(folder, GameFileError::kNoOffset,
                            QStringLiteral("cannot be written to the disk: ") +
                                QString::fromLocal8Bit(std::strerror(code)));
#else
    Q_UNUSED(folder);
#endif
}

namespace {

GameFileError tooLarge(const QString& path, qint64 size, qint64 maxSize) {
    return GameFileError(path, GameFileError::kNoOffset,
                         QStringLiteral("too large for a file of its kind (%1 bytes, at most %2)")
                             .arg(size)
                             .arg(maxSize));
}

}  // namespace

QByteArray readWholeFile(const QString& path, qint64 maxSize) {
    const auto notRegular = [&path] {
        // As for a game file: a named pipe or a device would hold the read for ever.
        return GameFileError(path, GameFileError::kNoOffset,
                             QStringLiteral("is not a regular file"));
    };
#ifdef Q_OS_UNIX
    // One open and one status call, on the file opened.
    const OpenedFile opened = openRegularFile(path, O_RDONLY);
    if (!opened.regular) throw notRegular();
    if (opened.fd < 0)
        throw GameFileError(path, GameFileError::kNoOffset,
                            QStringLiteral("cannot be opened: ") + qt_error_string(opened.error));
    const auto closing = qScopeGuard([&opened] { ::close(opened.fd); });
    const qint64 size = opened.status.st_size;
    if (size > maxSize) throw tooLarge(path, size, maxSize);
    // The size read, and once more to the end: a file that grew meanwhile is read whole.
    const qint64 limit = maxSize < std::numeric_limits<qint64>::max() ? maxSize + 1 : maxSize;
    QByteArray bytes(qsizetype(size) + 1, Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > maxSize) throw tooLarge(path, got, maxSize);
            bytes.resize(qsizetype(std::min<qint64>(got * 2 + 4096, limit)));
        }
        const ssize_t n = ::read(opened.fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0)
            throw GameFileError(path, GameFileError::kNoOffset,
                                QStringLiteral("cannot be read: ") + qt_error_string(errno));
        if (n == 0) break;
        got += n;
    }
    if (got > maxSize) throw tooLarge(path, got, maxSize);
    bytes.resize(qsizetype(got));
    return bytes;
#else
    if (const QFileInfo info(path); info.exists() && !info.isFile()) throw notRegular();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw GameFileError(path, GameFileError::kNoOffset,
                            QStringLiteral("cannot be opened: ") + file.errorString());
    if (file.size() > maxSize) throw tooLarge(path, file.size(), maxSize);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw GameFileError(path, GameFileError::kNoOffset,
                            QStringLiteral("cannot be read: ") + file.errorString());
    return bytes;
#endif
}

}  // namespace pw::model
