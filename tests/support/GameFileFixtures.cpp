#include "GameFileFixtures.h"

#include <QFile>
#include <cstring>
#include <stdexcept>

namespace pw::test {

QByteArray patternBytes(qint64 size) {
    QByteArray b(size, '\0');
    uint32_t x = 0x9E3779B9u;
    for (qint64 i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b[i] = char(x >> 24);
    }
    return b;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read test file");
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

void poke(QByteArray& bytes, qint64 offset, const QByteArray& value) {
    if (offset < 0 || offset + value.size() > bytes.size())
        throw std::out_of_range("poke outside the file");
    bytes.replace(offset, value.size(), value);
}

QByteArray u8le(uint8_t v) {
    return QByteArray(1, char(v));
}
QByteArray u16le(uint16_t v) {
    QByteArray b(2, '\0');
    b[0] = char(v);
    b[1] = char(v >> 8);
    return b;
}
QByteArray u32le(uint32_t v) {
    return u16le(uint16_t(v)) + u16le(uint16_t(v >> 16));
}
QByteArray f32le(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return u32le(bits);
}

QByteArray record(const char* text, int width) {
    QByteArray b(text);
    return b + QByteArray(width - b.size(), '\0');
}

}  // namespace pw::test
