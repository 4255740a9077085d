#include "WinePrefixFixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "GameFileFixtures.h"

namespace pw::test {

QByteArray systemRegistryWith(const QByteArray& escapedKey, const QByteArray& escapedDirectory) {
    return QByteArrayLiteral(
               "WINE REGISTRY Version 2\n"
               ";; All keys relative to \\\\Machine\n"
               "\n"
               "#arch=win64\n"
               "\n"
               "[Software\\\\Classes\\\\.txt] 1700000000\n"
               "#time=1da2b3c4d5e6f70\n"
               "@=\"txtfile\"\n"
               "\"Content Type\"=\"text/plain\"\n"
               "\n"
               "[") +
           escapedKey +
           QByteArrayLiteral(
               "] 1700000001\n"
               "#time=1da2b3c4d5e6f71\n"
               "\"Directory\"=\"") +
           escapedDirectory +
           QByteArrayLiteral(
               "\"\n"
               "\"Version\"=dword:00000001\n"
               "\n"
               "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager] 1700000002\n"
               "\"Data\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,\\\n"
               "  15,16,17,18,19,1a\n");
}

void makeWinePrefix(const QString& prefix, const QByteArray& systemReg,
                    const std::map<char, QString>& drives) {
    const QDir dir(prefix);
    if (!dir.mkpath(QStringLiteral("drive_c/windows")) || !dir.mkpath(QStringLiteral("dosdevices")))
        throw std::runtime_error("the prefix's folders could not be made");
    if (!QFile::link(QStringLiteral("../drive_c"), dir.filePath(QStringLiteral("dosdevices/c:"))))
        throw std::runtime_error("the prefix's C: drive could not be linked");
    for (const auto& [letter, target] : drives) {
        QDir().mkpath(target);
        const QString link = dir.filePath(QStringLiteral("dosdevices/") + QChar(letter) + ':');
        if (!QFile::link(target, link)) throw std::runtime_error("a drive could not be linked");
    }
    writeFile(dir.filePath(QStringLiteral("system.reg")), systemReg);
}

void touchFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    writeFile(path, QByteArray());
}

}  // namespace pw::test
