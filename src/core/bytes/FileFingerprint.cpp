#include "core/bytes/FileFingerprint.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <memory>

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

namespace {

// SHA-256 fed piece by piece (OpenSSL's EVP uses the processor's SHA instructions where it
// has them).
class Sha256 {
public:
#ifdef Q_OS_WIN
    void add(const char* data, qint64 size) {
        hash_.addData(QByteArrayView(data, size));
    }
    QByteArray hex() {
        return hash_.result().toHex();
    }

private:
    QCryptographicHash hash_{QCryptographicHash::Sha256};
#else
    Sha256() : context_(EVP_MD_CTX_new()) {
        if (!context_ || !EVP_DigestInit_ex(context_, EVP_sha256(), nullptr))
            throw std::runtime_error("SHA-256 is not available");
    }
    ~Sha256() {
        EVP_MD_CTX_free(context_);
    }
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;
    void add(const char* data, qint64 size) {
        if (!EVP_DigestUpdate(context_, data, size_t(size)))
            throw std::runtime_error("SHA-256 failed");
    }
    QByteArray hex() {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int length = 0;
        if (!EVP_DigestFinal_ex(context_, digest, &length))
            throw std::runtime_error("SHA-256 failed");
        return QByteArray(reinterpret_cast<const char*>(digest), int(length)).toHex();
    }

private:
    EVP_MD_CTX* context_;
#endif
};

// Small enough to stay in the processor's cache between the read and the hash.
constexpr qint64 kPieceSize = 128 * 1024;

QByteArray streamedSha256(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw GameFileError(path, GameFileError::kNoOffset,
                            QStringLiteral("cannot be opened: ") + file.errorString());
    const std::unique_ptr<char[]> piece(new char[kPieceSize]);
    Sha256 hash;
    for (;;) {
        const qint64 got = file.read(piece.get(), kPieceSize);
        if (got < 0)
            throw GameFileError(path, GameFileError::kNoOffset,
                                QStringLiteral("cannot be read: ") + file.errorString());
        if (got == 0) break;
        hash.add(piece.get(), got);
    }
    return hash.hex();
}

}  // namespace

QByteArray sha256Hex(const QByteArray& bytes) {
    Sha256 hash;
    hash.add(bytes.constData(), bytes.size());
    return hash.hex();
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

FileFingerprint fingerprintOf(const QString& path) {
    FileFingerprint fingerprint;
    fingerprint.stamp = fileStampOf(path);
    if (!fingerprint.exists()) return fingerprint;
    fingerprint.sha256 = streamedSha256(path);
    // The stamp is of the bytes hashed: a file that changes meanwhile is hashed again once.
    const FileStamp after = fileStampOf(path);
    if (after != fingerprint.stamp) {
        fingerprint.stamp = after;
        fingerprint.sha256 = streamedSha256(path);
    }
    return fingerprint;
}

void syncToDisk(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        throw GameFileError(
            path, GameFileError::kNoOffset,
            QStringLiteral("cannot be opened to write it to the disk: ") + file.errorString());
    flushOpenFile(file.handle(), path);
}

}  // namespace pw::model
