#pragma once

#include <QString>
#include <optional>

namespace pw::model::windows {

// The installation entry in the Windows registry. The game's 32-bit installer writes it below
// HKEY_LOCAL_MACHINE, in the 32-bit view. Writing there needs administrator rights; without them
// the choice is kept below HKEY_CURRENT_USER (same key path), which then comes first when read.

// The per-user entry when there is one, else the machine's; nothing when neither has the value.
std::optional<QString> readInstallEntry(const wchar_t* keyPath, const wchar_t* valueName);
// The machine's entry (then any per-user one is removed), else the per-user entry; false only
// when both were refused.
bool writeInstallEntry(const wchar_t* keyPath, const wchar_t* valueName, const QString& folder);

}  // namespace pw::model::windows
