#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace pw::app {

class MessageSink;

// Reading and writing the program's own files (team files, camera and tyre sets, performance
// files) for the file commands, with the messages the user sees when that fails.

// Reads the whole file (refused unread when it holds more than maxSize bytes) and hands its bytes
// to parse, which checks all of them before the command changes anything. A file that cannot be read, or that parse refuses (model::GameFileError), is
// reported in an error box ending in "Nothing has been loaded."; the result is then false.
bool readOwnFile(MessageSink& messages, const QString& path, qint64 maxSize,
                 const std::function<void(const QByteArray&)>& parse);

// Writes the whole file at once. When that fails (no permission, disk full, no such folder), the
// error box says why and that any earlier file of that name is left as it was; the result is
// then false.
bool writeOwnFile(MessageSink& messages, const QString& path, const QByteArray& bytes);

extern const char kNothingLoaded[];
extern const char kNothingSaved[];

}  // namespace pw::app
