#pragma once

#include <QString>
#include <QStringList>

namespace pw::model {

class WineRegistry;

// The game's installation folder as recorded in a Wine prefix's registry, mapped into the file
// system. Read only: nothing is ever written into a prefix.

// "Directory" of the game's installation key in the registry: the 64-bit system's 32-bit view
// ("Software\Wow6432Node\...") first, then the key itself; each when present.
QStringList installDirectoriesInRegistry(const WineRegistry& registry);

// The folder a Windows path ("D:\Games\GP4", "c:/games") stands for in the prefix: through the
// prefix's "dosdevices/<letter>:" link, then resolved without regard to letter case. Empty when
// the path has no drive letter or the prefix has no such drive.
QString unixPathInPrefix(const QString& prefix, const QString& windowsPath);

// Both of the above for the prefix's "system.reg": the installation folders it records, in the
// order above, that lie on one of its drives. Empty when the registry or the entry is missing.
QStringList installFoldersInPrefix(const QString& prefix);

}  // namespace pw::model
