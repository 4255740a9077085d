#pragma once

#include <QDateTime>
#include <QString>

namespace pw::test {

// Sets when a file or a folder was last changed. Returns "" or why it failed. (The C library's
// ways fail on a folder under Windows, and QFile opens files only.)
QString setModifiedTime(const QString& path, const QDateTime& when);

}  // namespace pw::test
