#include "SparseFile.h"

#include <algorithm>

namespace pw::fuzz {

QByteArray sparseFile(QByteArray& buffer, std::vector<Region> regions, ByteSource& source,
                      FileEnd end) {
    std::sort(regions.begin(), regions.end(),
              [](const Region& a, const Region& b) { return a.offset < b.offset; });
    const qint64 full = regions.empty() ? 0 : regions.back().offset + regions.back().size;
    if (buffer.size() < full) buffer = QByteArray(qsizetype(full), '\0');
    char* bytes = buffer.data();
    for (const Region& r : regions) source.fill(bytes + r.offset, r.size);
    qint64 size = full;
    if (end.region < regions.size()) {
        const Region& r = regions[end.region];
        size = r.offset + std::min<qint64>(end.offset, r.size);
    }
    return QByteArray::fromRawData(buffer.constData(), qsizetype(size));
}

}  // namespace pw::fuzz
