#include "Text.h"

#include <cctype>

namespace pw::model {

QByteArray StripNul(const QByteArray& bytes) {
    QByteArray out = bytes;
    out.replace('\0', QByteArray());
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
