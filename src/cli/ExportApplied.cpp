#include "cli/CliError.h"
#include "cli/OwnFiles.h"

namespace pw::cli {

int exportApplied(const values::GameRead& read, const model::EditorModel&, Streams) {
    // The window's Export All (its checks, its backup, its writes) does not yet run outside the
    // window; rather than write the game's files another way, apply refuses.
    throw CliError(QStringLiteral("%1: not written: exporting from the command line waits for "
                                  "Export All to run outside the window; --dry-run lists the "
                                  "changes")
                       .arg(read.imported.folder));
}

}  // namespace pw::cli
