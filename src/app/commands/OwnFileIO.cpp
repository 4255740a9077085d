#include "app/commands/OwnFileIO.h"

#include "app/dialogs/UserPrompts.h"
#include "core/bytes/SaveFile.h"
#include "core/bytes/GameFileError.h"

namespace pw::app {

const char kNothingLoaded[] = "Nothing has been loaded.";
const char kNothingSaved[] =
    "Nothing has been saved: an earlier file of that name is left as it was.";

bool readOwnFile(MessageSink& messages, const QString& path, qint64 maxSize,
                 const std::function<void(const QByteArray&)>& parse) {
    try {
        parse(model::readWholeFile(path, maxSize));
        return true;
    } catch (const model::GameFileError& e) {
        messages.showError(e.message() + QStringLiteral("\r\n") + QLatin1String(kNothingLoaded));
        return false;
    }
}

bool writeOwnFile(MessageSink& messages, const QString& path, const QByteArray& bytes) {
    try {
        model::saveFileAtomically(path, bytes);
        return true;
    } catch (const model::GameFileError& e) {
        messages.showError(e.message() + QStringLiteral("\r\n") + QLatin1String(kNothingSaved));
        return false;
    }
}

}  // namespace pw::app
