#include "core/transfer/ExportAll.h"

#include <QDir>
#include <QFileInfo>
#include <map>

#include "core/archive/TyrePositions.h"
#include "core/bytes/FileFingerprint.h"
#include "core/bytes/GamePaths.h"
#include "core/images/TeamImages.h"
#include "core/tables/ExeTables.h"
#include "core/tables/ExportChecks.h"
#include "core/tables/SaveState.h"

namespace pw::transfer {

using model::FileContents;
using model::GameFileError;

namespace {

constexpr char kNoOffsetMessage[] =
    "No collision mesh was found in the cars wad, so tyre positions haven't been exported.";
constexpr char kNoImagesFolder[] =
    "Sorry but GP4's images folder can't be found.\r\nTeam images haven't been exchanged.";

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

ExportError refused(const GameFileError& e) {
    return ExportError(e, ExportError::State::Untouched);
}

// The file must hold the bytes Import All read.
void checkUnchanged(const QString& path, const model::FileFingerprint& imported,
                    const model::FileFingerprint& now) {
    if (now.sameContents(imported)) return;
    QString change;
    if (!now.exists())
        change = QStringLiteral("it is gone");
    else if (!imported.exists())
        change = QStringLiteral("it was not there then");
    else if (now.stamp.size != imported.stamp.size)
        change = QStringLiteral("%1 bytes, imported with %2")
                     .arg(now.stamp.size)
                     .arg(imported.stamp.size);
    else
        change = QStringLiteral("its bytes are not those imported");
    throw model::changedSinceImport(path, change);
}

struct CheckedFiles {
    FileContents exe, saveState;
    FileContents archive;  // the fingerprint only
    bool writeArchive = false;
};

// Every file is checked before the first is written: a refused export changes nothing. Each is
// read and hashed once; the backup saves the same bytes.
CheckedFiles checkBeforeExport(const model::EditorModel& model, const GameFiles& files,
                               const ImportRecord& imported, const ExportNotes& notes) {
    const model::ImportedGame& game = imported.game;
    if (files.folder.isEmpty() || files.folder != game.folder)
        throw model::changedSinceImport(
            files.folder.isEmpty() ? game.folder : files.folder,
            QStringLiteral("the game folder is not the one imported, %1").arg(shown(game.folder)));
    if (files.exe != game.exePath)
        throw model::changedSinceImport(
            files.exe,
            QStringLiteral("the game executable imported was %1").arg(shown(game.exePath)));
    CheckedFiles checked;
    checked.exe = model::readFingerprinted(files.exe);
    checkUnchanged(files.exe, imported.exe, checked.exe.fingerprint);
    model::CheckExeForExport(files.exe, game.versionByte);

    if (!files.carsArchive.isEmpty()) {
        checked.archive.fingerprint = ArchiveFingerprint(files.carsArchive);
        if (files.carsArchive == imported.carsArchive)
            checkUnchanged(files.carsArchive, imported.archive, checked.archive.fingerprint);
        else if (checked.archive.fingerprint.exists())
            throw model::changedSinceImport(
                files.carsArchive,
                QStringLiteral("the cars wad imported was %1").arg(shown(imported.carsArchive)));
    }
    wad::CheckTyrePositionsForExport(files.carsArchive, model);
    checked.writeArchive =
        checked.archive.fingerprint.exists() && model.tyres.collisionMeshOffset.has_value();

    const bool saveStateFound = model::fileExists(files.saveState);
    if (saveStateFound != game.saveStateFound)
        throw model::changedSinceImport(files.saveState,
                                        saveStateFound ? QStringLiteral("it was not there then")
                                                       : QStringLiteral("it is gone"));
    // Without a save-state file the export could only write the executable's half of the game's
    // values: it says so and writes nothing.
    if (!saveStateFound) notes(QLatin1String(model::kBrandsNotExportedMessage));
    model::CheckSaveStateForExport(files.saveState);
    checked.saveState = model::readFingerprinted(files.saveState);
    checkUnchanged(files.saveState, imported.saveState, checked.saveState.fingerprint);
    return checked;
}

backup::BackupPlan backupPlan(const model::EditorModel& model, const GameFiles& files,
                              const CheckedFiles& checked) {
    backup::BackupPlan plan;
    plan.gameFolder = files.folder;
    plan.wholeFiles << files.exe << files.saveState
                    << images::PicturesTouchedBy(files.imagesFolder, model.PendingImageSwaps);
    plan.contents[files.exe] = checked.exe;
    plan.contents[files.saveState] = checked.saveState;
    if (checked.writeArchive)
        plan.archiveRange = backup::BackupPlan::ArchiveRange{
            model::resolvePath(files.carsArchive),
            qint64(*model.tyres.collisionMeshOffset) + wad::kWheelOffsets.front(),
            wad::kWheelsEnd - wad::kWheelOffsets.front()};
    return plan;
}

// The writes, in the order of the command. Returns the game files written.
void writeGameFiles(model::EditorModel& model, const GameFiles& files, const CheckedFiles& checked,
                    const ExportNotes& notes) {
    QStringList written;
    bool exchanged = false;
    model::WriteExeTables(files.exe, model);
    written << files.exe;
    if (!checked.writeArchive) {
        notes(QLatin1String(checked.archive.fingerprint.exists() ? kNoOffsetMessage
                                                                 : wad::kArchiveMissingOnWrite));
    } else {
        wad::WriteTyrePositions(files.carsArchive, model);
        written << files.carsArchive;
    }
    model::WriteTyreBrands(files.saveState, files.exe, model,
                           model::BrandsChecksum::ByTablesWriter);
    model::WriteSaveStateTables(files.saveState, files.exe, model);
    written << files.saveState;
    if (!model.PendingImageSwaps.empty()) {
        const QStringList pictures =
            images::PicturesTouchedBy(files.imagesFolder, model.PendingImageSwaps);
        const images::SwapReport report =
            images::SwapGPIs(files.imagesFolder, model.PendingImageSwaps);
        if (!report.folderFound) {
            // Nothing was exchanged: the exchanges stay pending for a later Export All.
            notes(QLatin1String(kNoImagesFolder));
        } else {
            written << pictures;
            exchanged = true;
            if (report.failedCopies > 0)
                throw GameFileError(shown(files.imagesFolder), GameFileError::kNoOffset,
                                    QStringLiteral("%1 of the team pictures could not be copied")
                                        .arg(report.failedCopies));
        }
    }
    // "Export Done" promises the bytes are on the disk, not only in the system's caches.
    for (const QString& path : written)
        if (QFileInfo(path).isFile()) model::syncToDisk(path);
    // The files now hold the exchanged pictures under the game's own numbers. Forgetting the
    // exchanges keeps a second Export All from exchanging the files back.
    if (exchanged) images::resetTeamImages(model);
}

// Puts the game files back from the backup after a failed write, and says in what state they are.
ExportError rollBack(const backup::Backup& made, const GameFileError& cause) {
    try {
        backup::RestoreBackup(made);
    } catch (const GameFileError&) {
        // What it could not put back is found below, file by file.
    }
    QStringList differing;
    for (const backup::BackupEntry& e : made.entries)
        if (!backup::MatchesStateBefore(made, e))
            differing << QDir::toNativeSeparators(made.gamePath(e).isEmpty() ? e.path
                                                                             : made.gamePath(e));
    if (differing.isEmpty()) {
        // Nothing to put back any more: the next start must not offer it.
        backup::RemoveBackup(made);
        return ExportError(
            GameFileError(
                cause.file(), cause.offset(),
                cause.expected() + QStringLiteral(". Nothing has been exported: the game files are "
                                                  "as they were before.")),
            ExportError::State::RolledBack);
    }
    return ExportError(
        GameFileError(
            cause.file(), cause.offset(),
            cause.expected() +
                QStringLiteral(". The game files could not all be put back as they "
                               "were: %1 %2 not as before the export. \"Restore Game "
                               "Files...\" holds their earlier bytes.")
                    .arg(differing.join(QStringLiteral(", ")),
                         differing.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"))),
        ExportError::State::Mixed, differing);
}

}  // namespace

ExportError::ExportError(const GameFileError& cause, State state, QStringList differing)
    : GameFileError(cause), state_(state), differing_(std::move(differing)) {}

ExportResult ExportAll(model::EditorModel& model, const GameFiles& files,
                       const ImportRecord& imported, const ExportNotes& notes,
                       const ExportSettings& settings) {
    CheckedFiles checked;
    backup::Backup made;
    backup::BackupFolders listed;  // listed once, to be pruned after
    try {
        checked = checkBeforeExport(model, files, imported, notes);
        made =
            backup::CreateBackup(settings.backupsRoot, backupPlan(model, files, checked), &listed);
    } catch (const ExportError&) {
        throw;
    } catch (const GameFileError& e) {
        throw refused(e);
    }

    ExportResult result;
    try {
        writeGameFiles(model, files, checked, notes);
    } catch (const GameFileError& e) {
        throw rollBack(made, e);
    }

    // The state the export left, hashed once: for the next export's check and the backup (whose
    // first two entries are the executable and the save-state).
    result.record = imported;
    std::map<QString, QByteArray> after;
    result.record.exe = model::fingerprintOf(files.exe);
    result.record.saveState = model::fingerprintOf(files.saveState);
    after[made.entries[0].path] = result.record.exe.sha256;
    after[made.entries[1].path] = result.record.saveState.sha256;
    if (checked.writeArchive) result.record.archive = ArchiveFingerprint(files.carsArchive);
    std::optional<QString> notRecorded;
    try {
        backup::HashStateAfter(made, after);
    } catch (const GameFileError& e) {
        notRecorded = e.message();
    }
    for (const backup::BackupEntry& e : made.entries)
        if (e.sha256After != e.sha256Before)
            result.changed << (made.gamePath(e).isEmpty() ? e.path : made.gamePath(e));
    // The same bytes as before: the backup holds nothing the game does not, and goes without
    // being saved again.
    const bool removed = !notRecorded && result.changed.isEmpty() && backup::RemoveBackup(made);
    if (!removed && !notRecorded) {
        try {
            backup::SaveFinished(made);
        } catch (const GameFileError& e) {
            notRecorded = e.message();
        }
    }
    if (notRecorded)
        result.afterNote =
            *notRecorded +
            QStringLiteral(
                ". The export is complete; only its backup's record of it is not. The "
                "next Import All will take it for an export that did not finish: "
                "answer \"Leave As They Are\" to keep it.");
    if (!result.changed.isEmpty()) result.backup = made;
    // A backup removed again leaves as many as before: nothing to prune.
    if (!removed) backup::PruneBackups(listed, settings.backupsKept, made.folder);
    return result;
}

}  // namespace pw::transfer
