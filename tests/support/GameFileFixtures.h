#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace pw::test {

// Synthetic game files for the table readers and writers. Files are filled with a fixed pattern
// of non-zero-looking bytes rather than zeros, so that a stray write of zeros (into a gap the
// game owns) changes the file and shows in a whole-file comparison.
QByteArray patternBytes(qint64 size);

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

// Overwrites bytes at offset (which must lie inside).
void poke(QByteArray& bytes, qint64 offset, const QByteArray& value);
QByteArray u8le(uint8_t v);
QByteArray u16le(uint16_t v);
QByteArray u32le(uint32_t v);
QByteArray f32le(float v);
// The text's bytes followed by zero bytes up to width.
QByteArray record(const char* text, int width);

}  // namespace pw::test
