#pragma once

#include <QString>
#include <QStringList>

namespace pw::test {

// One run of the command line in this process: its exit status and what it wrote.
struct CliResult {
    int status = -1;
    QString out;
    QString err;
    QStringList errLines() const;
};

// Runs "pitwright <arguments>".
CliResult runCli(const QStringList& arguments);

}  // namespace pw::test
