#include "core/bytes/GamePaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

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

namespace {
QString joined(const QString& folder, const QString& name) {
    return folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder + name
                                                                 : folder + QLatin1Char('/') + name;
}

// How much of a path names where it starts, kept as written: "/" for an absolute path; on
// Windows also a drive ("C:/") or a network share ("//server/share/"). -1 for a path relative to
// a drive's current folder ("C:GP4"), which is left to the system.
int rootLength(const QString& p) {
#ifdef Q_OS_WIN
    if (p.size() >= 2 && p[1] == QLatin1Char(':') && p[0].isLetter())
        return p.size() > 2 && p[2] == QLatin1Char('/') ? 3 : p.size() == 2 ? 2 : -1;
    if (p.startsWith(QLatin1String("//"))) {
        const int server = p.indexOf(QLatin1Char('/'), 2);
        const int share = server < 0 ? -1 : p.indexOf(QLatin1Char('/'), server + 1);
        return share < 0 ? int(p.size()) : share + 1;
    }
#endif
    return p.startsWith(QLatin1Char('/')) ? 1 : 0;
}

// The name of `part` (an entry of `folder`; `path` is both joined) as the disk spells it, or
// "" when the folder holds no such entry in any letter case.
QString spellingOnDisk(const QString& folder, const QString& path, const QString& part) {
#ifdef Q_OS_WIN
    // Windows opens a name in any letter case, so the spelling is asked of the folder: one
    // lookup rather than a listing. Wildcards would match other names.
    if (part == QLatin1String(".") || part == QLatin1String(".."))
        return QFileInfo::exists(path) ? part : QString();
    if (part.contains(QLatin1Char('*')) || part.contains(QLatin1Char('?'))) return {};
    Q_UNUSED(folder)
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(
        reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    return QString::fromWCharArray(found.cFileName);
#else
    if (QFileInfo::exists(path)) return part;
    // Look for the one entry of the folder that differs only in letter case.
    const QStringList entries =
        QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(part, Qt::CaseInsensitive) == 0) return e;
    return {};
#endif
}
}  // namespace

QString resolvePath(const QString& path) {
    const QString p = normalised(path);
    if (p.isEmpty()) return p;
#ifndef Q_OS_WIN
    // Where it exists as written, it is spelled as on disk.
    if (QFileInfo::exists(p)) return p;
#endif
    const int root = rootLength(p);
    if (root < 0) return p;
    QString current = p.left(root);
    const QStringList parts = p.mid(root).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    int i = 0;
    for (; i < parts.size(); ++i) {
        const QString spelled = spellingOnDisk(current, joined(current, parts[i]), parts[i]);
        if (spelled.isEmpty()) break;
        current = joined(current, spelled);
    }
    for (; i < parts.size(); ++i) current = joined(current, parts[i]);
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
