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

namespace {
// The dump's double-quoted style, from a given column, continued lines indented by indent.
QByteArray doubleQuoted(const QString& text, int column, int indent) {
    constexpr int kWidth = 80;
    QByteArray out = "\"";
    ++column;
    const int n = int(text.size());
    auto plain = [&](int from, int to) {
        return from < to ? text.mid(from, to - from).toLatin1() : QByteArray();
    };
    for (int start = 0, end = 0; end <= n; ++end) {
        const bool last = end == n;
        const ushort ch = last ? 0 : text[end].unicode();
        if (last || ch == '"' || ch == '\\' || ch < 0x20 || ch > 0x7E) {
            if (start < end) {
                out += plain(start, end);
                column += end - start;
                start = end;
            }
            if (!last) {
                const QByteArray escape =
                    ch == '"' || ch == '\\' ? QByteArray("\\") + char(ch)
                    : ch <= 0xFF
                        ? "\\x" + QByteArray::number(ch, 16).toUpper().rightJustified(2, '0')
                        : "\\u" + QByteArray::number(ch, 16).toUpper().rightJustified(4, '0');
                out += escape;
                column += int(escape.size());
                start = end + 1;
            }
        }
        // A line is broken at a space, or between escapes, once it runs past the width.
        if (0 < end && end < n - 1 && (ch == ' ' || start >= end) &&
            column + (end - start) > kWidth) {
            out += plain(start, end) + '\\';
            column += end - start + 1;
            if (start < end) start = end;
            out += '\n' + QByteArray(indent, ' ');
            column = indent;
            if (text[start] == QLatin1Char(' ')) {
                out += '\\';
                ++column;
            }
        }
    }
    return out + '"';
}

QByteArray scalar(const QString& text, int column, int indent) {
    for (const QChar c : text)
        if (c.unicode() > 0x7E) return doubleQuoted(text, column, indent);
    return text.toUtf8();
}
}  // namespace

QByteArray lutrisGameFile(const QString& exe, const QString& prefix) {
    // The values start in columns 7 and 10, after "  exe: " and "  prefix: ".
    return "game:\n  exe: " + scalar(exe, 7, 4) + "\n  prefix: " + scalar(prefix, 10, 4) +
           "\ngame_slug: grand-prix-4\nname: Grand Prix 4\nrunner: wine\nsystem: {}\n"
           "wine:\n  version: lutris-GE-Proton8-26-x86_64\n";
}

void touchFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    writeFile(path, QByteArray());
}

}  // namespace pw::test
