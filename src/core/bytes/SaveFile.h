#pragma once

#include <QByteArray>
#include <QString>
#include <limits>

namespace pw::model {

// Writes the whole file through a temporary file that replaces the target only once every byte
// is on disk: a failed save (disk full, no permission) leaves the previous file as it was.
// Throws model::GameFileError naming the file and the reason.
void saveFileAtomically(const QString& path, const QByteArray& bytes);

// Writes the whole file in place (created or emptied first) and flushes it to the disk, with no
// temporary file: for files inside a folder that is taken for whole only once it is renamed.
// Throws model::GameFileError naming the file and the reason.
void writeFileToDisk(const QString& path, const QByteArray& bytes);
// Flushes the folder's list of names (files made, renamed or removed in it) to the disk. Windows
// has no such flush of a folder: there it does nothing. Throws model::GameFileError.
void syncFolderToDisk(const QString& folder);
// Flushes what was written through an open file's handle to the disk. Throws
// model::GameFileError naming path.
void flushOpenFile(int handle, const QString& path);

// The whole file; throws model::GameFileError when it cannot be opened or read, or when it holds
// more than maxSize bytes (checked before anything is read).
QByteArray readWholeFile(const QString& path,
                         qint64 maxSize = std::numeric_limits<qint64>::max());

}  // namespace pw::model
