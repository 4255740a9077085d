#include "core/bytes/FileFingerprint.h"

#include <QFile>
#include <cerrno>
#include <cstring>

#include "core/bytes/GameFileError.h"
#include "core/bytes/SaveFile.h"

#ifdef Q_OS_WIN
#include <io.h>

#include <QCryptographicHash>
#else
#include <openssl/evp.h>
#include <unistd.h>
#endif

namespace pw::model {

QByteArray sha256Hex(const QByteArray& bytes) {
#ifdef Q_OS_WIN
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
#else
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    // EVP picks the processor's SHA instructions where it has them.
    if (!EVP_Digest(bytes.constData(), size_t(bytes.size()), digest, &length, EVP_sha256(),
                    nullptr))
        throw std::runtime_error("SHA-256 is not available");
    return QByteArray(reinterpret_cast<const char*>(digest), int(length)).toHex();
#endif
}

FileContents readFingerprinted(const QString& path) {
    FileContents contents;
    contents.fingerprint.stamp = fileStampOf(path);
    if (!contents.fingerprint.exists()) return contents;
    contents.bytes = readWholeFile(path);
    // The stamp is of the bytes read: a file that changes while it is read is read again once.
    const FileStamp after = fileStampOf(path);
    if (after != contents.fingerprint.stamp) {
        contents.fingerprint.stamp = after;
        contents.bytes = readWholeFile(path);
    }
    contents.fingerprint.sha256 = sha256Hex(contents.bytes);
    return contents;
}

void syncToDisk(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        throw GameFileError(
            path, GameFileError::kNoOffset,
            QStringLiteral("cannot be opened to write it to the disk: ") + file.errorString());
#ifdef Q_OS_WIN
    const bool synced = _commit(file.handle()) == 0;
#else
    const bool synced = ::fsync(file.handle()) == 0;
#endif
    if (!synced)
        throw GameFileError(path, GameFileError::kNoOffset,
                            QStringLiteral("cannot be written to the disk: ") +
                                QString::fromLocal8Bit(std::strerror(errno)));
}

}  // namespace pw::model
