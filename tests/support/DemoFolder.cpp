#include "DemoFolder.h"

#include <QDirIterator>
#include <QFile>

namespace pw::test {

DemoFolder::DemoFolder(const demo::DemoOptions& options) { demo::writeDemoGame(dir_.path(), options); }

std::map<QString, QByteArray> DemoFolder::snapshot() const {
    std::map<QString, QByteArray> files;
    QDirIterator it(dir_.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) files[path.mid(dir_.path().size() + 1)] = f.readAll();
    }
    return files;
}

}  // namespace pw::test
