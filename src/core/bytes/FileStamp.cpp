#include "core/bytes/FileStamp.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace pw::model {

namespace {
qint64 settleMs = kDefaultSettleMs;
}

#ifdef Q_OS_UNIX
FileStamp fileStampOfStatus(const struct stat& st) {
    return {qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}
#endif

FileStamp fileStampOf(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    return fileStampOfStatus(st);
#else
    const QFileInfo info(path);
    if (!info.exists()) return {};
    return {info.size(),
            info.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch() * 1000000,
            info.fileTime(QFileDevice::FileMetadataChangeTime).toMSecsSinceEpoch() * 1000000};
#endif
}

bool stampSettled(const FileStamp& stamp, qint64 nowMs) {
    return settleMs <= 0 ||
           std::max(stamp.modified, stamp.statusChanged) < (nowMs - settleMs) * qint64(1000000);
}

void setSettleTime(qint64 milliseconds) {
    settleMs = milliseconds;
}

qint64 settleTime() {
    return settleMs;
}

}  // namespace pw::model
