#include "core/bytes/Text.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace pw::model {

QByteArray StripNul(const QByteArray& bytes) {
    // One pass: the text before the first NUL is copied as it is, the rest without its NULs.
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    const auto* firstNul = static_cast<const char*>(std::memchr(begin, 0, size_t(bytes.size())));
    if (!firstNul) return bytes;
    QByteArray out(bytes.size(), Qt::Uninitialized);
    char* o = std::copy(begin, firstNul, out.data());
    o = std::remove_copy(firstNul, end, o, '\0');
    out.truncate(o - out.constData());
    return out;
}

QString Mister(const QString& text) {
    QString out = text;
    for (int i = 0; i < out.size(); ++i) {
        const bool wordStart = i == 0 || out[i - 1] == QLatin1Char(' ');
        if (wordStart && out[i] >= QLatin1Char('a') && out[i] <= QLatin1Char('z'))
            out[i] = QChar(out[i].unicode() - 'a' + 'A');
    }
    return out;
}

QByteArray carShapeNameFromRecord(const QByteArray& record) {
    if (record.isEmpty()) return record;
    QByteArray rest = record.mid(1);
    // Latin-1 lower-casing of the remaining bytes, as the game's own platform does it.
    rest = QString::fromLatin1(rest).toLower().toLatin1();
    return StripNul(record.left(1) + rest);
}

}  // namespace pw::model
