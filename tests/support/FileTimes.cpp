#include "FileTimes.h"

#include <QFile>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <QDir>
#else
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#endif

namespace pw::test {

QString setModifiedTime(const QString& path, const QDateTime& when) {
#ifdef Q_OS_WIN
    // A folder opens only with the backup-semantics flag.
    const HANDLE handle = CreateFileW(
        reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
        FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return QStringLiteral("cannot open %1 (error %2)").arg(path).arg(GetLastError());
    // 100-nanosecond steps since 1601-01-01.
    const qint64 steps = (when.toMSecsSinceEpoch() + 11644473600000LL) * 10000;
    FILETIME time;
    time.dwLowDateTime = DWORD(steps & 0xffffffff);
    time.dwHighDateTime = DWORD(quint64(steps) >> 32);
    const bool set = SetFileTime(handle, nullptr, nullptr, &time);
    const DWORD error = GetLastError();
    CloseHandle(handle);
    return set ? QString() : QStringLiteral("cannot set the time of %1 (error %2)").arg(path).arg(error);
#else
    const qint64 ms = when.toMSecsSinceEpoch();
    const timespec times[2] = {{0, UTIME_OMIT}, {time_t(ms / 1000), long(ms % 1000) * 1000000}};
    if (utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) != 0)
        return QStringLiteral("cannot set the time of %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    return {};
#endif
}

}  // namespace pw::test
