#include "core/bytes/ByteIO.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>

#include "core/bytes/RegularFile.h"
#endif

namespace pw::model {

namespace le {
QByteArray bytesU16(uint16_t v) {
    QByteArray b(2, '\0');
    b[0] = char(v & 0xFF);
    b[1] = char(v >> 8);
    return b;
}
QByteArray bytesU32(uint32_t v) {
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i) b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}
QByteArray bytesF32(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return bytesU32(bits);
}
QByteArray padded(const QByteArray& text, int width) {
    QByteArray out = text.left(width);
    out.append(QByteArray(width - out.size(), '\0'));
    return out;
}
}  // namespace le

namespace {
QString shortfall(const char* what, qint64 count, qint64 available) {
    return QStringLiteral("file ends before %1 (needs %2 bytes, %3 left)")
        .arg(QString::fromUtf8(what))
        .arg(count)
        .arg(available < 0 ? 0 : available);
}
}  // namespace

ByteReader::ByteReader(QByteArray data, QString sourceName)
    : data_(std::move(data)), name_(std::move(sourceName)) {}

void ByteReader::require(qint64 offset, qint64 count, const char* what) const {
    if (offset < 0 || count < 0 || offset > data_.size() || count > data_.size() - offset)
        throw GameFileError(name_, offset, shortfall(what, count, data_.size() - offset));
}

const char* ByteReader::at(qint64 offset, qint64 count, const char* what) const {
    require(offset, count, what);
    return data_.constData() + offset;
}

void ByteReader::seek(qint64 offset, const char* what) {
    require(offset, 0, what);
    pos_ = offset;
}

void ByteReader::skip(qint64 count, const char* what) {
    require(pos_, count, what);
    pos_ += count;
}

uint8_t ByteReader::u8(const char* what) {
    const uint8_t v = uint8_t(*at(pos_, 1, what));
    pos_ += 1;
    return v;
}
uint16_t ByteReader::u16(const char* what) {
    const uint16_t v = le::u16(at(pos_, 2, what));
    pos_ += 2;
    return v;
}
uint32_t ByteReader::u32(const char* what) {
    const uint32_t v = le::u32(at(pos_, 4, what));
    pos_ += 4;
    return v;
}
float ByteReader::f32(const char* what) {
    const float v = le::f32(at(pos_, 4, what));
    pos_ += 4;
    return v;
}
QByteArray ByteReader::bytes(qint64 count, const char* what) {
    QByteArray b(at(pos_, count, what), qsizetype(count));
    pos_ += count;
    return b;
}

uint8_t ByteReader::u8At(qint64 offset, const char* what) const {
    return uint8_t(*at(offset, 1, what));
}
uint16_t ByteReader::u16At(qint64 offset, const char* what) const {
    return le::u16(at(offset, 2, what));
}
uint32_t ByteReader::u32At(qint64 offset, const char* what) const {
    return le::u32(at(offset, 4, what));
}
float ByteReader::f32At(qint64 offset, const char* what) const {
    return le::f32(at(offset, 4, what));
}
QByteArray ByteReader::bytesAt(qint64 offset, qint64 count, const char* what) const {
    return QByteArray(at(offset, count, what), qsizetype(count));
}

GameFile::GameFile(const QString& path, Access access) : path_(path), file_(path) {
    const bool rw = access == Access::ReadWrite;
    // ExistingOnly: a missing file is not created empty. Unbuffered: the reads and writes are a
    // few bytes at scattered offsets; a buffer would fill 16 KiB for each of them.
    const QIODevice::OpenMode mode = (rw ? QIODevice::ReadWrite : QIODevice::ReadOnly) |
                                     QIODevice::ExistingOnly | QIODevice::Unbuffered;
    const auto notRegular = [this] {
        // A named pipe would hold the open (or its reads) until something writes to it, a device
        // would never end: the game's files are regular files, and anything else is refused.
        return GameFileError(displayName(), GameFileError::kNoOffset,
                             QStringLiteral("is not a regular file"));
    };
    const auto notOpened = [this, rw](const QString& why) {
        return GameFileError(
            displayName(), GameFileError::kNoOffset,
            rw ? QStringLiteral("cannot be opened for reading and writing (%1)").arg(why)
               : QStringLiteral("cannot be opened (%1)").arg(why));
    };
#ifdef Q_OS_UNIX
    // One status call, on the file opened.
    const OpenedFile opened = openRegularFile(path, rw ? O_RDWR : O_RDONLY);
    if (!opened.regular) throw notRegular();
    if (opened.fd < 0) {
        if (opened.error == ENOENT)
            throw GameFileError(displayName(), GameFileError::kNoOffset,
                                QStringLiteral("file not found"));
        throw notOpened(qt_error_string(opened.error));
    }
    if (!file_.open(opened.fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(opened.fd);
        throw notOpened(file_.errorString());
    }
    // The size and the stamp the directory cache keeps, from the same status.
    openedStamp_ = fileStampOfStatus(opened.status);
    size_ = openedStamp_.size;
#else
    if (const QFileInfo info(path); info.exists() && !info.isFile()) throw notRegular();
    if (!file_.open(mode)) {
        if (!QFileInfo::exists(path))
            throw GameFileError(displayName(), GameFileError::kNoOffset,
                                QStringLiteral("file not found"));
        throw notOpened(file_.errorString());
    }
    size_ = file_.size();
#endif
}

FileStamp GameFile::stamp() const {
    if (device_ != &file_) return {};
#ifdef Q_OS_UNIX
    if (openedStamp_.exists()) return openedStamp_;
#endif
    return fileStampOf(path_);
}

GameFile::GameFile(const QByteArray& bytes, const QString& name) : path_(name), device_(&buffer_) {
    buffer_.setData(bytes);
    buffer_.open(QIODevice::ReadWrite);
    size_ = bytes.size();
}

QString GameFile::displayName() const {
    return QDir::toNativeSeparators(path_);
}

void GameFile::requireInside(qint64 offset, qint64 count, const char* what) const {
    if (offset < 0 || count < 0 || offset > size_ || count > size_ - offset)
        throw GameFileError(displayName(), offset, shortfall(what, count, size_ - offset));
}

// One positioned read or write where the platform has it, a seek and a read or write elsewhere.
QByteArray GameFile::read(qint64 offset, qint64 count, const char* what) {
    requireInside(offset, count, what);
    QByteArray b;
#ifdef Q_OS_UNIX
    if (device_ == &file_) {
        b.resize(qsizetype(count));
        qint64 done = 0;
        while (done < count) {
            const ssize_t n =
                ::pread(file_.handle(), b.data() + done, size_t(count - done), offset + done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0)
                throw GameFileError(displayName(), offset,
                                    QStringLiteral("cannot read %1 (%2)")
                                        .arg(QString::fromUtf8(what),
                                             n < 0 ? QString::fromLocal8Bit(std::strerror(errno))
                                                   : QStringLiteral("end of file")));
            done += n;
        }
        return b;
    }
#endif
    if (!device_->seek(offset) || (b = device_->read(count)).size() != count)
        throw GameFileError(displayName(), offset,
                            QStringLiteral("cannot read %1 (%2)")
                                .arg(QString::fromUtf8(what), device_->errorString()));
    return b;
}

ByteReader GameFile::readAll() {
    return ByteReader(read(0, size_, "the whole file"), displayName());
}

void GameFile::write(qint64 offset, const QByteArray& bytes, const char* what) {
    requireInside(offset, bytes.size(), what);
#ifdef Q_OS_UNIX
    if (device_ == &file_) {
        qint64 done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::pwrite(file_.handle(), bytes.constData() + done,
                                       size_t(bytes.size() - done), offset + done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0)
                throw GameFileError(displayName(), offset,
                                    QStringLiteral("cannot write %1 (%2)")
                                        .arg(QString::fromUtf8(what),
                                             QString::fromLocal8Bit(std::strerror(errno))));
            done += n;
        }
        return;
    }
#endif
    // Only a file on disk has a buffer to flush.
    const auto flush = [this] { return device_ != &file_ || file_.flush(); };
    if (!device_->seek(offset) || device_->write(bytes) != bytes.size() || !flush())
        throw GameFileError(displayName(), offset,
                            QStringLiteral("cannot write %1 (%2)")
                                .arg(QString::fromUtf8(what), device_->errorString()));
}

}  // namespace pw::model
