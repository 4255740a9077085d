#include "PreviewFixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace pw::preview::fakes {

images::DecodedImage solidImage(int w, int h, int r, int g, int b, int a) {
    images::DecodedImage image;
    image.width = w;
    image.height = h;
    image.format = a < 0 ? images::PixelFormat::Rgb : images::PixelFormat::Rgba;
    for (int i = 0; i < w * h; ++i) {
        image.pixels.append(char(r));
        image.pixels.append(char(g));
        image.pixels.append(char(b));
        if (a >= 0) image.pixels.append(char(a));
    }
    return image;
}

void writeFile(const QString& folder, const QString& relative, const QByteArray& bytes) {
    const QString path = QDir(folder).filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write fixture file");
    f.write(bytes);
}

}  // namespace pw::preview::fakes
