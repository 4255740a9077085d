#include "core/images/TeamPictures.h"

#include <cstring>

namespace pw::images {

QImage pictureFromBytes(const QByteArray& bytes, int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    const int rowBytes = width * 4;
    if (bytes.size() < qint64(rowBytes) * height) return QImage();
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), bytes.constData() + qint64(y) * rowBytes, size_t(rowBytes));
    return image;
}

QByteArray bytesFromPicture(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int rowBytes = argb.width() * 4;
    QByteArray out;
    out.reserve(rowBytes * argb.height());
    for (int y = 0; y < argb.height(); ++y)
        out.append(reinterpret_cast<const char*>(argb.constScanLine(y)), rowBytes);
    return out;
}

}  // namespace pw::images
