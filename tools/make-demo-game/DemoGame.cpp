#include "DemoGame.h"

#include <QDir>

namespace pw::demo {

void writeDemoGame(const QString& folder, const DemoOptions&) { QDir().mkpath(folder); }

}  // namespace pw::demo
