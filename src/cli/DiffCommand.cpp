#include <QFileInfo>

#include "cli/CliError.h"
#include "cli/CommandOptions.h"
#include "cli/GameArgument.h"
#include "cli/ValueJson.h"
#include "core/bytes/GameFileError.h"
#include "core/bytes/SaveFile.h"

namespace pw::cli {

namespace {
// The largest dump read: a full dump is some tens of kilobytes.
constexpr qint64 kMaxDumpSize = 16 * 1024 * 1024;

// A game folder's values, or a dump's.
QJsonObject valuesOf(const QString& argument, Streams streams) {
    if (QFileInfo(argument).isDir()) {
        QStringList notes;
        const ImportedGame game = readGame(gameInFolder(argument), notes);
        for (const QString& note : notes)
            streams.err << "pitwright diff: " << argument << ": " << note << '\n';
        return valuesToJson(game.read.model);
    }
    QByteArray text;
    try {
        text = model::readWholeFile(argument, kMaxDumpSize);
    } catch (const model::GameFileError& e) {
        throw CliError(e.message());
    }
    return parseDump(text, argument);
}
}  // namespace

int runDiff(const QStringList& arguments, Streams streams) {
    CommandOptions options(
        QStringLiteral("diff"),
        QStringLiteral("Lists every value that differs between A and B, each a game folder or a "
                       "dump, as \"name: A's value \u2192 B's value\". Exit status 0 when they are "
                       "equal, 1 when they differ, 2 on an error."),
        QStringLiteral("A B"));
    options.parser().addPositionalArgument(QStringLiteral("A"),
                                           QStringLiteral("A game folder or a dump."));
    options.parser().addPositionalArgument(QStringLiteral("B"),
                                           QStringLiteral("A game folder or a dump."));
    if (!options.parse(arguments, streams)) return kExitSame;
    const QStringList sides = options.positional();
    if (sides.size() != 2) throw CliError(QStringLiteral("two game folders or dumps are needed"));
    const QJsonObject a = valuesOf(sides[0], streams);
    const QJsonObject b = valuesOf(sides[1], streams);
    const std::vector<ValueChange> changes = changesBetween(a, b);
    for (const ValueChange& change : changes) streams.out << change.line() << '\n';
    return changes.empty() ? kExitSame : kExitDiffer;
}

}  // namespace pw::cli
