#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <vector>

#include "core/tables/EditorModel.h"

namespace pw::cli {

// The dump's form: {group: {row: {column: shown value}}}, with the names of the window; a value
// whose shown form does not give the stored value back carries it beside, as "column (stored)".

extern const char kStoredSuffix[];  // " (stored)"

// The values of the groups named (all when empty) of a model in file form.
QJsonObject valuesToJson(const model::EditorModel& m, const QStringList& groups = {});

// The group names of a "--only" list; throws CliError for a name that is no group.
QStringList groupsOf(const QString& list);

// Parses a document in the dump's form (any subset of its keys) and puts its values into the
// model. Throws CliError naming the file, the line and the key: text that does not parse, an
// unknown key, a value of the wrong type or out of its field's range. The model is changed
// only when every value was taken.
void applyJson(const QByteArray& text, const QString& fileName, model::EditorModel& m);
// Parses a dump (for diff); throws CliError as above.
QJsonObject parseDump(const QByteArray& text, const QString& fileName);

// One value that differs: "teams/Team 3/Power(BHP) Qual.", and its two sides as text.
struct ValueChange {
    QString name;
    QString before, after;
    QString line() const;  // "name: before → after"
};
// Every value that differs between two dumps, in the window's order. A value only one side
// holds is not compared.
std::vector<ValueChange> changesBetween(const QJsonObject& before, const QJsonObject& after);

}  // namespace pw::cli
