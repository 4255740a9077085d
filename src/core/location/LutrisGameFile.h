#pragma once

#include <QByteArray>
#include <QString>

namespace pw::model {

// The Wine prefix named by a Lutris game file (YAML, as Lutris saves it: non-ASCII letters as
// "\x" and "\u" escapes in double quotes, long values folded over lines): the text value of
// "prefix" in the top-level mapping "game". Empty when the file names none or is not YAML.
QString lutrisGamePrefix(const QByteArray& yaml);

}  // namespace pw::model
