#include "core/bytes/GamePaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace pw::model {

namespace {
int lastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}

QString normalised(const QString& path) {
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}
}  // namespace

QString fileNamePart(const QString& path) { return path.mid(lastSeparator(path) + 1); }

QString folderPart(const QString& path) {
    const int i = lastSeparator(path);
    return i < 0 ? QString() : path.left(i);
}

QString joinPath(const QString& folder, const QString& relative) {
    QString f = normalised(folder);
    QString r = normalised(relative);
    while (f.endsWith(QLatin1Char('/')) && f.size() > 1) f.chop(1);
    while (r.startsWith(QLatin1Char('/'))) r.remove(0, 1);
    if (f.isEmpty()) return r;
    if (r.isEmpty()) return f;
    return f + QLatin1Char('/') + r;
}

QString resolvePath(const QString& path) {
    const QString p = normalised(path);
    if (p.isEmpty() || QFileInfo::exists(p)) return p;

    const bool absolute = p.startsWith(QLatin1Char('/'));
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    int i = 0;
    for (; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const QString base = current.isEmpty() ? QStringLiteral(".") : current;
        QString next = current.isEmpty() ? part
                       : current.endsWith(QLatin1Char('/')) ? current + part
                                                            : current + QLatin1Char('/') + part;
        if (!QFileInfo::exists(next)) {
            // Look for the one entry of the folder that differs only in letter case.
            const QStringList entries =
                QDir(base).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            QString match;
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    match = e;
                    break;
                }
            }
            if (match.isEmpty()) break;
            next = current.isEmpty() ? match
                   : current.endsWith(QLatin1Char('/')) ? current + match
                                                        : current + QLatin1Char('/') + match;
        }
        current = next;
    }
    for (; i < parts.size(); ++i) {
        current = current.isEmpty() || current.endsWith(QLatin1Char('/')) ? current + parts[i]
                                                                         : current + QLatin1Char('/') + parts[i];
    }
    if (p.endsWith(QLatin1Char('/')) && !current.endsWith(QLatin1Char('/'))) current += QLatin1Char('/');
    return current;
}

bool fileExists(const QString& path) {
    const QFileInfo info(resolvePath(path));
    return info.exists() && info.isFile();
}

bool folderExists(const QString& path) {
    const QFileInfo info(resolvePath(path));
    return info.exists() && info.isDir();
}

}  // namespace pw::model
