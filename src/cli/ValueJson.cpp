#include "cli/ValueJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include "cli/CliError.h"
#include "core/values/NamedValues.h"

namespace pw::cli {

const char kStoredSuffix[] = " (stored)";

namespace {

QString storedKey(const QString& column) {
    return column + QLatin1String(kStoredSuffix);
}

int lineAt(const QByteArray& text, qsizetype offset) {
    return int(text.left(offset).count('\n')) + 1;
}

// The line of a key in the document's text: each key is looked for after its parents, which is
// where the parser found it unless a text value spells the same name before it.
int lineOfKey(const QByteArray& text, const QStringList& keys) {
    qsizetype from = 0;
    for (const QString& key : keys) {
        const QByteArray quoted =
            QJsonDocument(QJsonArray{key}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
        const qsizetype at = text.indexOf(quoted, from);
        if (at < 0) break;
        from = at;
    }
    return lineAt(text, from);
}

[[noreturn]] void fail(const QByteArray& text, const QString& fileName, const QStringList& keys,
                       const QString& message) {
    throw CliError(QStringLiteral("%1:%2: %3: %4")
                       .arg(fileName)
                       .arg(lineOfKey(text, keys))
                       .arg(keys.join(QLatin1Char('/')), message));
}

QJsonObject parseObject(const QByteArray& text, const QString& fileName) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        throw CliError(QStringLiteral("%1:%2: %3")
                           .arg(fileName)
                           .arg(lineAt(text, error.offset))
                           .arg(error.errorString()));
    if (!doc.isObject())
        throw CliError(
            QStringLiteral("%1:1: not a dump: the document is not an object").arg(fileName));
    return doc.object();
}

}  // namespace

QJsonObject valuesToJson(const model::EditorModel& m, const QStringList& groups) {
    QJsonObject root;
    for (const QString& group : values::groupNames()) {
        if (!groups.isEmpty() && !groups.contains(group)) continue;
        QJsonObject rows;
        for (const values::NamedValue& v : values::allValues()) {
            if (v.group != group) continue;
            QJsonObject row = rows.value(v.row).toObject();
            row.insert(v.column, v.shown(m));
            if (!v.shownIsExact(m)) row.insert(storedKey(v.column), v.stored(m));
            rows.insert(v.row, row);
        }
        root.insert(group, rows);
    }
    return root;
}

QStringList groupsOf(const QString& list) {
    QStringList groups;
    for (const QString& name : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString group = name.trimmed();
        if (!values::groupNames().contains(group))
            throw CliError(QStringLiteral("--only: %1 is no group (groups: %2)")
                               .arg(group, values::groupNames().join(QStringLiteral(", "))));
        groups << group;
    }
    return groups;
}

QJsonObject parseDump(const QByteArray& text, const QString& fileName) {
    const QJsonObject root = parseObject(text, fileName);
    // Every key must name a value: checked as applyJson checks, on a model that is thrown away.
    model::EditorModel scratch;
    applyJson(text, fileName, scratch);
    return root;
}

void applyJson(const QByteArray& text, const QString& fileName, model::EditorModel& m) {
    const QJsonObject root = parseObject(text, fileName);
    model::EditorModel next = m;
    for (auto g = root.begin(); g != root.end(); ++g) {
        const QString group = g.key();
        if (!values::groupNames().contains(group))
            fail(text, fileName, {group}, QStringLiteral("unknown group"));
        if (!g.value().isObject()) fail(text, fileName, {group}, QStringLiteral("not an object"));
        const QJsonObject rows = g.value().toObject();
        for (auto r = rows.begin(); r != rows.end(); ++r) {
            if (!r.value().isObject())
                fail(text, fileName, {group, r.key()}, QStringLiteral("not an object"));
            const QJsonObject row = r.value().toObject();
            for (auto c = row.begin(); c != row.end(); ++c) {
                const QStringList keys{group, r.key(), c.key()};
                QString column = c.key();
                const bool storedOnly = column.endsWith(QLatin1String(kStoredSuffix));
                if (storedOnly) column.chop(int(qstrlen(kStoredSuffix)));
                const values::NamedValue* v = values::findValue(group, r.key(), column);
                if (!v) fail(text, fileName, keys, QStringLiteral("unknown key"));
                // A stored value is taken with its shown value, or alone when that is absent.
                if (storedOnly && row.contains(column)) continue;
                try {
                    if (storedOnly) {
                        v->setStored(next, c.value());
                    } else {
                        const QJsonValue stored = row.value(storedKey(column));
                        values::applyShown(*v, next, c.value(),
                                           stored.isUndefined() ? nullptr : &stored);
                    }
                } catch (const values::ValueError& e) {
                    fail(text, fileName, keys, e.message());
                }
            }
        }
    }
    values::followTeam0TCam(next, m);
    m = next;
}

QString ValueChange::line() const {
    return QStringLiteral("%1: %2 \u2192 %3").arg(name, before, after);
}

std::vector<ValueChange> changesBetween(const QJsonObject& before, const QJsonObject& after) {
    std::vector<ValueChange> changes;
    const auto lookup = [](const QJsonObject& root, const values::NamedValue& v,
                           const QString& column) {
        return root.value(v.group).toObject().value(v.row).toObject().value(column);
    };
    for (const values::NamedValue& v : values::allValues()) {
        const QJsonValue a = lookup(before, v, v.column), b = lookup(after, v, v.column);
        if (a.isUndefined() || b.isUndefined()) continue;
        if (!values::sameJson(a, b)) {
            changes.push_back({v.path(), values::jsonText(a), values::jsonText(b)});
            continue;
        }
        // Alike as shown: the stored values may still differ.
        const auto storedOf = [&](const QJsonObject& root, const QJsonValue& shown) {
            const QJsonValue stored = lookup(root, v, storedKey(v.column));
            if (!stored.isUndefined()) return stored;
            try {
                return v.storedFromShown(shown);
            } catch (const values::ValueError&) {
                return shown;
            }
        };
        const QJsonValue sa = storedOf(before, a), sb = storedOf(after, b);
        if (!values::sameJson(sa, sb))
            changes.push_back({v.path() + QLatin1String(kStoredSuffix), values::jsonText(sa),
                               values::jsonText(sb)});
    }
    return changes;
}

}  // namespace pw::cli
