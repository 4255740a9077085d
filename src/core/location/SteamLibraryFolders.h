#pragma once

#include <QByteArray>
#include <QStringList>

namespace pw::model {

// The library folders listed in Steam's "steamapps/libraryfolders.vdf" (KeyValues text): the
// "path" of every library, and the numbered entries of the older layout whose value is a
// folder. Only absolute folders are kept, in the file's order, without repeats.
QStringList steamLibraryFolders(const QByteArray& vdf);

}  // namespace pw::model
