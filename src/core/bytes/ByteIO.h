#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstring>

#include "core/bytes/FileStamp.h"
#include "core/bytes/GameFileError.h"

namespace pw::model {

// Little-endian encoding of the fixed-width values the game and our own files store.
namespace le {
inline uint16_t u16(const char* p) {
    return uint16_t(uint8_t(p[0]) | (uint8_t(p[1]) << 8));
}
inline uint32_t u32(const char* p) {
    return uint32_t(uint8_t(p[0])) | (uint32_t(uint8_t(p[1])) << 8) |
           (uint32_t(uint8_t(p[2])) << 16) | (uint32_t(uint8_t(p[3])) << 24);
}
inline float f32(const char* p) {
    const uint32_t bits = u32(p);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}
QByteArray bytesU16(uint16_t v);
QByteArray bytesU32(uint32_t v);
QByteArray bytesF32(float v);
// The text's bytes, cut to width, then zero bytes up to width: a long text never spills over.
QByteArray padded(const QByteArray& text, int width);
}  // namespace le

// Bounds-checked reader over bytes in memory. Every read checks that the bytes exist and throws
// GameFileError (naming the source, the offset and what was being read) when they do not.
class ByteReader {
public:
    ByteReader(QByteArray data, QString sourceName);

    qint64 size() const { return data_.size(); }
    qint64 pos() const { return pos_; }
    qint64 remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }
    const QByteArray& data() const { return data_; }
    const QString& sourceName() const { return name_; }

    void seek(qint64 offset, const char* what);
    void skip(qint64 count, const char* what);
    // Throws unless count bytes exist at offset; use before loops over counted records.
    void require(qint64 offset, qint64 count, const char* what) const;

    uint8_t u8(const char* what);
    uint16_t u16(const char* what);
    int16_t i16(const char* what) { return int16_t(u16(what)); }
    uint32_t u32(const char* what);
    int32_t i32(const char* what) { return int32_t(u32(what)); }
    float f32(const char* what);
    QByteArray bytes(qint64 count, const char* what);

    uint8_t u8At(qint64 offset, const char* what) const;
    uint16_t u16At(qint64 offset, const char* what) const;
    uint32_t u32At(qint64 offset, const char* what) const;
    float f32At(qint64 offset, const char* what) const;
    QByteArray bytesAt(qint64 offset, qint64 count, const char* what) const;

private:
    const char* at(qint64 offset, qint64 count, const char* what) const;

    QByteArray data_;
    QString name_;
    qint64 pos_ = 0;
};

// Appends little-endian values to a growing buffer (our own binary files).
class ByteWriter {
public:
    void u8(uint8_t v) { data_.append(char(v)); }
    void u16(uint16_t v) { data_.append(le::bytesU16(v)); }
    void i16(int16_t v) { u16(uint16_t(v)); }
    void u32(uint32_t v) { data_.append(le::bytesU32(v)); }
    void i32(int32_t v) { u32(uint32_t(v)); }
    void f32(float v) { data_.append(le::bytesF32(v)); }
    void bytes(const QByteArray& b) { data_.append(b); }
    void padded(const QByteArray& text, int width) { data_.append(le::padded(text, width)); }

    const QByteArray& data() const { return data_; }
    qint64 size() const { return data_.size(); }

private:
    QByteArray data_;
};

// A game file patched in place. It is opened for reading and writing even when only read, so
// a write-protected or locked file fails at once. Reads and writes must lie inside the file:
// a game file never grows or shrinks.
class GameFile {
public:
    enum class Access { ReadWrite, ReadOnly };

    explicit GameFile(const QString& path, Access access = Access::ReadWrite);
    // The same file's bytes held in memory under its display name: what the readers are fed
    // by tests and fuzzers. Writes land in the buffer (bytes()), never on disk.
    GameFile(const QByteArray& bytes, const QString& name);
    GameFile(const GameFile&) = delete;
    GameFile& operator=(const GameFile&) = delete;

    const QString& path() const { return path_; }
    QString displayName() const;
    qint64 size() const { return size_; }
    // The stamp of the file as opened (taken at the open, before any read); where the platform
    // cannot tell it from the open file, that of the file at the path now. None for a file in
    // memory.
    FileStamp stamp() const;

    QByteArray read(qint64 offset, qint64 count, const char* what);
    uint8_t readU8(qint64 offset, const char* what) { return uint8_t(read(offset, 1, what)[0]); }
    uint16_t readU16(qint64 offset, const char* what) { return le::u16(read(offset, 2, what).constData()); }
    int16_t readI16(qint64 offset, const char* what) { return int16_t(readU16(offset, what)); }
    uint32_t readU32(qint64 offset, const char* what) { return le::u32(read(offset, 4, what).constData()); }
    float readF32(qint64 offset, const char* what) { return le::f32(read(offset, 4, what).constData()); }
    // The whole file, for checksums and parsers that walk it in memory.
    ByteReader readAll();

    void write(qint64 offset, const QByteArray& bytes, const char* what);
    void writeU8(qint64 offset, uint8_t v, const char* what) { write(offset, QByteArray(1, char(v)), what); }
    void writeU16(qint64 offset, uint16_t v, const char* what) { write(offset, le::bytesU16(v), what); }
    void writeI16(qint64 offset, int16_t v, const char* what) { writeU16(offset, uint16_t(v), what); }
    void writeU32(qint64 offset, uint32_t v, const char* what) { write(offset, le::bytesU32(v), what); }
    void writeF32(qint64 offset, float v, const char* what) { write(offset, le::bytesF32(v), what); }

    void close() { device_->close(); }
    // The contents of an in-memory file, with whatever was written to it.
    QByteArray bytes() const { return buffer_.data(); }

private:
    void requireInside(qint64 offset, qint64 count, const char* what) const;

    QString path_;
    QFile file_;
    QBuffer buffer_;
    QIODevice* device_ = &file_;
    qint64 size_ = 0;
    FileStamp openedStamp_;
};

}  // namespace pw::model
