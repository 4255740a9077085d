#include "core/location/LutrisGameFile.h"

#include <QList>

namespace pw::model {

namespace {
int indentOf(const QString& line) {
    int n = 0;
    while (n < line.size() && (line[n] == QLatin1Char(' ') || line[n] == QLatin1Char('\t'))) ++n;
    return n;
}

// A plain, single-quoted or double-quoted scalar.
QString scalarOf(QString value) {
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('\'')) &&
        value.endsWith(QLatin1Char('\''))) {
        return value.mid(1, value.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    }
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
        value.endsWith(QLatin1Char('"'))) {
        QString out;
        const QString inner = value.mid(1, value.size() - 2);
        for (int i = 0; i < inner.size(); ++i) {
            if (inner[i] == QLatin1Char('\\') && i + 1 < inner.size()) ++i;
            out += inner[i];
        }
        return out;
    }
    // A plain scalar ends at a comment.
    const int comment = int(value.indexOf(QStringLiteral(" #")));
    return comment < 0 ? value : value.left(comment).trimmed();
}
}  // namespace

QString lutrisGamePrefix(const QByteArray& yaml) {
    const QList<QByteArray> lines = yaml.split('\n');
    bool inGame = false;
    int childIndent = -1;
    for (const QByteArray& raw : lines) {
        const QString line = QString::fromUtf8(raw).remove(QLatin1Char('\r'));
        const QString content = line.trimmed();
        if (content.isEmpty() || content.startsWith(QLatin1Char('#'))) continue;
        const int indent = indentOf(line);
        if (indent == 0) {
            inGame = content == QStringLiteral("game:");
            childIndent = -1;
            continue;
        }
        if (!inGame) continue;
        if (childIndent < 0) childIndent = indent;
        if (indent != childIndent || !content.startsWith(QStringLiteral("prefix:"))) continue;
        return scalarOf(content.mid(int(qstrlen("prefix:"))));
    }
    return QString();
}

}  // namespace pw::model
