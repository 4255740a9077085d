#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace pw::model {

// The bytes of a file that someone else wrote and that we came across by looking around the
// user's folders (a Lutris game file, Steam's list of libraries, a prefix's registry). Only a
// regular file is read, and only when it holds at most maxBytes: a named pipe would block the
// reader for ever, and a link to /dev/zero would never end. Nothing when the path holds no such
// file, or it cannot be read whole.
std::optional<QByteArray> readForeignFile(const QString& path, qint64 maxBytes);

}  // namespace pw::model
