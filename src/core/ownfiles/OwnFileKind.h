#pragma once

#include <QString>

namespace pw::files {

// The loaders choose the reader by the last three characters of the chosen name, lower-cased;
// the dialog's filter plays no part.
enum class TeamFileKind { None, TeamFile, CameraSet, TyreSet };
enum class PerformanceFileKind { None, Sectioned, KeyedList };

// The largest own files read: far above any valid file of the kind (a team file holds at most a
// few kilobytes, a performance file some), so a wrong file chosen is refused before it is read.
constexpr qint64 kMaxTeamFileKindSize = 64 * 1024;  // team files, camera sets, tyre sets
constexpr qint64 kMaxPerformanceFileSize = 1024 * 1024;

TeamFileKind teamFileKindOf(const QString& fileName);
PerformanceFileKind performanceFileKindOf(const QString& fileName);

}  // namespace pw::files
