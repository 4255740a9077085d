#pragma once

#include <QString>

namespace pw::model {

// Every game path goes through here. Paths kept in the settings may use "\" or "/"; file names
// are matched without regard to letter case, as on the system the game was made for, so a game
// copied from Windows ("GP4.EXE", "MenuData") is found on a case-sensitive file system.

// The text after the last "\" or "/" (the whole text when it holds neither).
QString fileNamePart(const QString& path);
// Everything before the last separator, the separator dropped ("" when there is none).
QString folderPart(const QString& path);
// Joins a folder and a relative path written with either separator.
QString joinPath(const QString& folder, const QString& relative);
// The path as it exists on disk: every component that exists under another letter case is
// replaced by its real spelling. Components that do not exist are kept as given, so the caller
// can still tell the user which path was tried.
QString resolvePath(const QString& path);
// resolvePath, then whether a file (not a folder) is there.
bool fileExists(const QString& path);
bool folderExists(const QString& path);

}  // namespace pw::model
