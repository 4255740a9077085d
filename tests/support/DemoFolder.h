#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <map>

#include "DemoGame.h"

namespace pw::test {

// A generated game folder in a temporary directory, removed with the fixture.
class DemoFolder {
public:
    explicit DemoFolder(const demo::DemoOptions& options = {});

    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.filePath(relative); }
    QString exe() const { return file(QStringLiteral("GP4.exe")); }
    QString saveState() const { return file(QStringLiteral("f1gstate.sav")); }
    QString carsWad() const { return file(QStringLiteral("cars.wad")); }

    // Every file of the folder with its bytes, for whole-folder comparisons.
    std::map<QString, QByteArray> snapshot() const;

private:
    QTemporaryDir dir_;
};

}  // namespace pw::test
