#pragma once

// The game's executable and save-state file are megabytes long, but their readers look only at
// a few fixed regions. A harness spreads its input over those regions of a file of zeros, so
// every input byte reaches a reader, and lets the input choose where the file ends.

#include <QByteArray>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pw::fuzz {

// The fuzzer's bytes, taken in order; zeros once they are used up.
class ByteSource {
public:
    ByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    void fill(char* out, qint64 count) {
        for (qint64 i = 0; i < count; ++i) out[i] = char(byte());
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

struct Region {
    qint64 offset;
    qint64 size;
};

// Where a file ends: inside region `region` after `offset` bytes of it (capped at its size), or
// at the end of the last region when `region` is past the last one.
struct FileEnd {
    uint8_t region = 0xFF;
    uint8_t offset = 0;
};

// Fills regions (sorted by offset, not overlapping) of buffer from source and returns the file
// up to end, without copying the buffer. The buffer grows to hold the last region; bytes outside
// the regions stay zero.
QByteArray sparseFile(QByteArray& buffer, std::vector<Region> regions, ByteSource& source,
                      FileEnd end);

}  // namespace pw::fuzz
