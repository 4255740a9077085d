#include <QDir>

#include "cli/CliError.h"
#include "cli/CommandOptions.h"
#include "cli/GameArgument.h"
#include "core/backup/GameBackup.h"
#include "core/bytes/GameFileError.h"

namespace pw::cli {

namespace {
QString nameOf(const backup::Backup& b) {
    return QDir(b.folder).dirName();
}
}  // namespace

int runRestore(const QStringList& arguments, Streams streams) {
    CommandOptions options(
        QStringLiteral("restore"),
        QStringLiteral("Lists the backups Export All made of the game's files (newest first), or "
                       "puts the files back as they were before the export of BACKUP."),
        QStringLiteral("GAME_FOLDER [--list | BACKUP]"));
    const QCommandLineOption list(QStringLiteral("list"), QStringLiteral("Lists the backups."));
    options.parser().addOption(list);
    options.parser().addPositionalArgument(QStringLiteral("GAME_FOLDER"),
                                           QStringLiteral("The game's folder."));
    options.parser().addPositionalArgument(QStringLiteral("BACKUP"),
                                           QStringLiteral("A backup's name, as --list shows it."),
                                           QStringLiteral("[BACKUP]"));
    if (!options.parse(arguments, streams)) return kExitSame;
    const QStringList positional = options.positional();
    const bool listing = options.parser().isSet(list);
    if (positional.isEmpty()) throw CliError(QStringLiteral("the game folder is needed"));
    if (listing == (positional.size() == 2) || positional.size() > 2)
        throw CliError(QStringLiteral("give either --list or the backup to restore"));

    const transfer::GameFiles game = gameInFolder(positional[0]);
    const std::vector<backup::Backup> backups =
        backup::ListBackups(backup::backupsFolder(), game.folder);
    if (listing) {
        for (const backup::Backup& b : backups) {
            streams.out << nameOf(b) << "  "
                        << b.created.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) << "  "
                        << b.entries.size() << (b.entries.size() == 1 ? " file" : " files")
                        << (b.first ? "  (the game before its first export)" : "")
                        << (b.finished ? "" : "  (export unfinished)") << '\n';
        }
        return kExitSame;
    }
    const QString wanted = positional[1];
    for (const backup::Backup& b : backups) {
        if (nameOf(b) != wanted) continue;
        try {
            const backup::RestoreReport report = backup::RestoreBackup(b);
            for (const QString& path : report.restored)
                streams.out << "restored " << QDir::toNativeSeparators(path) << '\n';
            for (const QString& skipped : report.skipped)
                streams.err << "pitwright restore: " << skipped << '\n';
        } catch (const model::GameFileError& e) {
            throw CliError(e.message());
        }
        return kExitSame;
    }
    throw CliError(QStringLiteral("%1: no backup of that name of %2 (\"--list\" lists them)")
                       .arg(wanted, QDir::toNativeSeparators(game.folder)));
}

}  // namespace pw::cli
