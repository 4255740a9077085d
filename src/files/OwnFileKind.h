#pragma once

#include <QString>

namespace pw::files {

// The loaders choose the reader by the last three characters of the chosen name, lower-cased;
// the dialog's filter plays no part.
enum class TeamFileKind { None, TeamFile, CameraSet, TyreSet };
enum class PerformanceFileKind { None, Sectioned, KeyedList };

TeamFileKind teamFileKindOf(const QString& fileName);
PerformanceFileKind performanceFileKindOf(const QString& fileName);

}  // namespace pw::files
