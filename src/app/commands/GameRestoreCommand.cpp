#include "app/commands/GameRestoreCommand.h"

#include <QDir>

#include "app/Editor.h"
#include "app/commands/GameTransfer.h"
#include "app/dialogs/UserPrompts.h"
#include "core/backup/GameBackup.h"
#include "core/location/GameInstall.h"
#include "core/location/SettingsStore.h"

namespace pw::app {

namespace {

QString fileLine(const backup::Backup& backup, const backup::BackupEntry& entry) {
    QString name = QDir::toNativeSeparators(entry.path);
    if (entry.kind == backup::BackupEntry::Kind::Range)
        name += QStringLiteral(" (wheel positions)");
    if (!backup.finished) return name + QStringLiteral(": the export stopped before its end");
    return name + (backup::MatchesStateAfter(backup, entry)
                       ? QStringLiteral(": as that export left it")
                       : QStringLiteral(": changed since that export"));
}

}  // namespace

void GameRestoreCommand::RestoreGameFiles() {
    const model::GameInstall game = model::ResolveGameFolder(editor_.settings());
    if (!game.found) {
        editor_.messages().show(QStringLiteral("Please choose your GP4 folder"));
        return;
    }
    const std::vector<backup::Backup> backups =
        backup::ListBackups(backup::backupsFolder(), game.folder);
    if (backups.empty()) {
        editor_.messages().show(QStringLiteral("There is no backup of the game files in %1.")
                                    .arg(QDir::toNativeSeparators(game.folder)));
        return;
    }
    std::vector<BackupListing> listings;
    for (const backup::Backup& b : backups) {
        BackupListing listing;
        // Kept in UTC, shown in the local time of now.
        listing.made = b.created.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (b.first) listing.made += QStringLiteral(" (the game before its first export)");
        for (const backup::BackupEntry& e : b.entries) listing.files << fileLine(b, e);
        listings.push_back(listing);
    }
    const std::optional<int> chosen = editor_.dialogs().chooseBackup(listings);
    if (!chosen || *chosen < 0 || size_t(*chosen) >= backups.size()) return;

    const backup::Backup& backup = backups[size_t(*chosen)];
    const backup::RestoreReport report = backup::RestoreBackup(backup);
    QString text = report.skipped.isEmpty()
                       ? QStringLiteral(
                             "The game files are back as they were before the export "
                             "of %1.")
                             .arg(listings[size_t(*chosen)].made)
                       : QStringLiteral(
                             "Only some of the game files are back as they were before "
                             "the export of %1.")
                             .arg(listings[size_t(*chosen)].made);
    for (const QString& skipped : report.skipped) text += QStringLiteral("\r\n") + skipped;
    editor_.messages().show(text);
    editor_.transfer().importAll();
}

void GameRestoreCommand::offerUnfinishedExport(const QString& gameFolder) {
    std::optional<backup::Backup> unfinished =
        backup::UnfinishedExport(backup::backupsFolder(), gameFolder);
    if (!unfinished) return;
    const QString made =
        unfinished->created.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QStringList files;
    for (const backup::BackupEntry& e : unfinished->entries)
        if (!backup::MatchesStateBefore(*unfinished, e)) files << QDir::toNativeSeparators(e.path);
    if (files.isEmpty()) {
        // Stopped before its first write, or already put back: nothing to ask.
        backup::RecordStateAfter(*unfinished);
        return;
    }
    const QString question =
        QStringLiteral(
            "The Export All of %1 into %2 did not finish: %3 may be half-written. Put "
            "the game files back as they were before it?")
            .arg(made, QDir::toNativeSeparators(gameFolder), files.join(QStringLiteral(", ")));
    if (editor_.messages().askPutBackUnfinishedExport(question)) {
        const backup::RestoreReport report = backup::RestoreBackup(*unfinished);
        QString text = report.skipped.isEmpty()
                           ? QStringLiteral(
                                 "The game files are back as they were before the "
                                 "export of %1.")
                                 .arg(made)
                           : QStringLiteral(
                                 "Only some of the game files are back as they were "
                                 "before the export of %1.")
                                 .arg(made);
        for (const QString& skipped : report.skipped) text += QStringLiteral("\r\n") + skipped;
        editor_.messages().show(text);
    }
    // Settled either way; it stays in "Restore Game Files...".
    backup::RecordStateAfter(*unfinished);
}

}  // namespace pw::app
