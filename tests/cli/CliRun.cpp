#include "CliRun.h"

#include <QTextStream>

#include "cli/CommandLine.h"

namespace pw::test {

QStringList CliResult::errLines() const {
    return err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

CliResult runCli(const QStringList& arguments) {
    CliResult result;
    {
        QTextStream out(&result.out), err(&result.err);
        result.status =
            cli::run(QStringList{QStringLiteral("pitwright")} + arguments, cli::Streams{out, err});
    }
    return result;
}

}  // namespace pw::test
