#include <QJsonDocument>

#include "cli/CliError.h"
#include "cli/CommandOptions.h"
#include "cli/GameArgument.h"
#include "cli/ValueJson.h"

namespace pw::cli {

int runDump(const QStringList& arguments, Streams streams) {
    CommandOptions options(
        QStringLiteral("dump"),
        QStringLiteral("Writes every value the window shows, read as Import All reads it, as JSON "
                       "grouped by the window's pages. Without GAME_FOLDER, the game the editor "
                       "would open."),
        QStringLiteral("[GAME_FOLDER] [--only GROUP,...]"));
    const QCommandLineOption only(QStringLiteral("only"),
                                  QStringLiteral("Only these groups: cameras, positions, teams, "
                                                 "drivers, details, slots."),
                                  QStringLiteral("GROUP,..."));
    options.parser().addOption(only);
    options.parser().addPositionalArgument(QStringLiteral("GAME_FOLDER"),
                                           QStringLiteral("The game's folder."),
                                           QStringLiteral("[GAME_FOLDER]"));
    if (!options.parse(arguments, streams)) return kExitSame;
    const QStringList folders = options.positional();
    if (folders.size() > 1) throw CliError(QStringLiteral("one game folder at most"));
    const QStringList groups = groupsOf(options.parser().value(only));

    const transfer::GameFiles files =
        folders.isEmpty() ? gameOfEditor() : gameInFolder(folders.front());
    QStringList notes;
    const ImportedGame game = readGame(files, notes);
    for (const QString& note : notes) streams.err << "pitwright dump: " << note << '\n';
    streams.out
        << QJsonDocument(valuesToJson(game.read.model, groups)).toJson(QJsonDocument::Indented);
    return kExitSame;
}

}  // namespace pw::cli
