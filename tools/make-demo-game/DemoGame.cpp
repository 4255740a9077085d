#include "DemoGame.h"

#include <QDir>

#include "model/GameFileError.h"

namespace pw::demo {

void writeDemoGame(const QString& folder, const DemoOptions&) { QDir().mkpath(folder); }

void registerDemoGame(const QString& folder) {
    throw model::GameFileError(folder, model::GameFileError::kNoOffset,
                               QStringLiteral("registering a game folder is not built yet"));
}

}  // namespace pw::demo
