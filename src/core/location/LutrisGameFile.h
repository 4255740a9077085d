#pragma once

#include <QByteArray>
#include <QString>

namespace pw::model {

// The Wine prefix named by a Lutris game file (YAML): the value of "prefix:" directly under the
// top-level "game:" block, unquoted. Empty when the file names none. Only this one key is read;
// the rest of the file is not interpreted.
QString lutrisGamePrefix(const QByteArray& yaml);

}  // namespace pw::model
