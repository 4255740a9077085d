#include "SmallDisk.h"

#include <sys/mount.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>

namespace pw::test {

SmallDisk::SmallDisk(const QString& folder, qint64 bytes) : folder_(folder) {
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(bytes);
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) ==
        0)
        mounted_ = true;
    else
        reason_ = QStringLiteral("cannot mount a small file system on %1: %2")
                      .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
}

bool SmallDisk::makeReadOnly() {
    if (::mount(nullptr, QFile::encodeName(folder_).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                nullptr) == 0)
        return true;
    reason_ = QStringLiteral("cannot make %1 read-only: %2")
                  .arg(folder_, QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

SmallDisk::~SmallDisk() {
    if (mounted_) ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

}  // namespace pw::test
