#include <QJsonDocument>

#include "cli/CliError.h"
#include "cli/CommandOptions.h"
#include "cli/GameArgument.h"
#include "cli/OwnFiles.h"
#include "cli/ValueJson.h"

namespace pw::cli {

namespace {
constexpr char kNothingToExport[] = "Nothing to export: the game already holds every value.";
}  // namespace

int runApply(const QStringList& arguments, Streams streams) {
    CommandOptions options(
        QStringLiteral("apply"),
        QStringLiteral("Applies team files (.car), camera sets (.cam), tyre sets (.tyr), "
                       "performance files (.txt, .g4p) and dumps (.json, any subset of a dump's "
                       "keys) in the order given, then exports them with the checks and the "
                       "backup of Export All."),
        QStringLiteral("GAME_FOLDER FILE... [--dry-run]"));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        QStringLiteral(
            "Lists every value that would change (name: old \u2192 new); writes nothing."));
    options.parser().addOption(dryRun);
    options.parser().addPositionalArgument(QStringLiteral("GAME_FOLDER"),
                                           QStringLiteral("The game's folder."));
    options.parser().addPositionalArgument(QStringLiteral("FILE"),
                                           QStringLiteral("Files to apply, in order."),
                                           QStringLiteral("FILE..."));
    if (!options.parse(arguments, streams)) return kExitSame;
    const QStringList positional = options.positional();
    if (positional.size() < 2)
        throw CliError(QStringLiteral("the game folder and at least one file are needed"));

    QStringList notes;
    const ImportedGame game =
        readGame(gameInFolder(positional.front()), notes,
                 options.parser().isSet(dryRun) ? ReadFor::Values : ReadFor::Export);
    for (const QString& note : notes) streams.err << "pitwright apply: " << note << '\n';
    model::EditorModel applied = game.read.model;
    for (const QString& file : positional.mid(1)) {
        for (const QString& note : applyFile(file, applied))
            streams.err << "pitwright apply: " << file << ": " << note << '\n';
    }

    const std::vector<ValueChange> changes =
        changesBetween(valuesToJson(game.read.model), valuesToJson(applied));
    if (changes.empty()) {
        streams.out << kNothingToExport << '\n';
        return kExitSame;
    }
    for (const ValueChange& change : changes) streams.out << change.line() << '\n';
    if (options.parser().isSet(dryRun)) return kExitSame;
    return exportApplied(game, applied, streams);
}

}  // namespace pw::cli
