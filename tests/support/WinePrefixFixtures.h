#pragma once

#include <QByteArray>
#include <QString>
#include <map>

namespace pw::test {

// Wine prefixes as Wine lays them out, for the game search.

// A system registry file: a few unrelated keys (a default value, a number, binary data over
// continued lines), then key holding "Directory"=directory. Both are given as the file writes
// them: escaped ("Software\\\\Infogrames\\\\...", "C:\\\\Games\\\\GP4").
QByteArray systemRegistryWith(const QByteArray& escapedKey, const QByteArray& escapedDirectory);

// The game's installation key as the file writes it, in the 32-bit view of a 64-bit prefix or
// in a 32-bit prefix.
inline constexpr char kWow64InstallKey[] =
    "Software\\\\Wow6432Node\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir";
inline constexpr char kInstallKey[] =
    "Software\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir";

// Creates prefix with drive_c, dosdevices/c: -> ../drive_c, one dosdevices link per entry of
// drives (letter -> folder, created when missing), and systemReg as its "system.reg".
void makeWinePrefix(const QString& prefix, const QByteArray& systemReg,
                    const std::map<char, QString>& drives = {});

// A Lutris game file for a Wine game as Lutris saves it: its configuration through a YAML
// library's default dump (keys in name order, 80 columns), where a text holding a letter beyond
// ASCII is written in double quotes with "\x" and "\u" escapes and folded over lines with
// escaped line breaks.
QByteArray lutrisGameFile(const QString& exe, const QString& prefix);

// An empty file at path, its folders created.
void touchFile(const QString& path);

}  // namespace pw::test
