#include "core/ownfiles/OwnFileKind.h"

namespace pw::files {

namespace {
QString ending(const QString& fileName) {
    return fileName.right(3).toLower();
}
}  // namespace

TeamFileKind teamFileKindOf(const QString& fileName) {
    const QString e = ending(fileName);
    if (e == QLatin1String("car")) return TeamFileKind::TeamFile;
    if (e == QLatin1String("cam")) return TeamFileKind::CameraSet;
    if (e == QLatin1String("tyr")) return TeamFileKind::TyreSet;
    return TeamFileKind::None;
}

PerformanceFileKind performanceFileKindOf(const QString& fileName) {
    const QString e = ending(fileName);
    if (e == QLatin1String("txt")) return PerformanceFileKind::Sectioned;
    if (e == QLatin1String("g4p")) return PerformanceFileKind::KeyedList;
    return PerformanceFileKind::None;
}

}  // namespace pw::files
