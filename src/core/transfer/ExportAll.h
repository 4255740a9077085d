#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/backup/GameBackup.h"
#include "core/bytes/GameFileError.h"
#include "core/tables/EditorModel.h"
#include "core/transfer/GameFiles.h"
#include "core/transfer/ImportRecord.h"

namespace pw::transfer {

// Export All without a window: the model's values into the game files that the last Import All
// read. In order: every file is checked against the import record (a file changed since is never
// written); what the export will overwrite is backed up; the executable's tables, the archive's
// wheel positions, the save-state's tables and checksum and the pending picture exchanges are
// written and flushed to the disk. A failure after the first write puts every game file back from
// the backup before the error is thrown.

struct ExportSettings {
    QString backupsRoot = backup::backupsFolder();
    int backupsKept = backup::kBackupsKept;
};

struct ExportResult {
    // The backup made before the first write; none when the export changed no byte.
    std::optional<backup::Backup> backup;
    // The game files as the export left them: the next export checks against this.
    ImportRecord record;
    QStringList changed;  // the game files whose bytes changed
    // A note for after "Export Done" (the backup's record could not be completed), or empty.
    QString afterNote;
};

// What state an export that failed left the game files in.
class ExportError : public model::GameFileError {
public:
    enum class State {
        Untouched,   // refused or stopped before the first write to the game
        RolledBack,  // written, then put back from the backup: every file as before
        Mixed,       // the roll-back failed too: differing() names the files not as before
    };
    ExportError(const model::GameFileError& cause, State state, QStringList differing = {});
    State state() const { return state_; }
    const QStringList& differing() const { return differing_; }

private:
    State state_;
    QStringList differing_;
};

// Notes shown as the export goes (a missing archive, a missing images folder...), in order.
using ExportNotes = std::function<void(const QString&)>;

// Writes the model into the game files. The model's pending picture exchanges are forgotten once
// they are carried out. Throws ExportError (a GameFileError) when the export is refused or fails.
ExportResult ExportAll(model::EditorModel& model, const GameFiles& files,
                       const ImportRecord& imported, const ExportNotes& notes,
                       const ExportSettings& settings = {});

}  // namespace pw::transfer
