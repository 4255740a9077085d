#include <QDir>

#include "cli/CliError.h"
#include "cli/OwnFiles.h"
#include "core/transfer/ExportAll.h"

namespace pw::cli {

namespace {
QString stateOf(const transfer::ExportError& e) {
    switch (e.state()) {
        case transfer::ExportError::State::Untouched:
            return QStringLiteral("no game file was written");
        case transfer::ExportError::State::RolledBack:
            return QStringLiteral("every game file was put back as it was");
        case transfer::ExportError::State::Mixed:
            return QStringLiteral("not as before: ") + e.differing().join(QStringLiteral(", "));
    }
    return {};
}
}  // namespace

int exportApplied(const ImportedGame& game, model::EditorModel& applied, Streams streams) {
    try {
        const transfer::ExportResult result =
            transfer::ExportAll(applied, game.files, game.record, [&](const QString& note) {
                streams.err << "pitwright apply: "
                            << QString(note).replace(QLatin1String("\r\n"), QLatin1String(" "))
                            << '\n';
            });
        if (!result.afterNote.isEmpty())
            streams.err << "pitwright apply: " << result.afterNote << '\n';
        streams.out << "Export Done";
        if (result.backup)
            streams.out << " (backup " << QDir(result.backup->folder).dirName() << ')';
        streams.out << '\n';
        return kExitSame;
    } catch (const transfer::ExportError& e) {
        throw CliError(e.message() + QStringLiteral(": ") + stateOf(e));
    } catch (const model::GameFileError& e) {
        throw CliError(e.message());
    }
}

}  // namespace pw::cli
