#pragma once

#include <QStringList>
#include <QTextStream>

namespace pw::cli {

// Where a command writes: results to out, messages to err. Nothing is ever asked.
struct Streams {
    QTextStream& out;
    QTextStream& err;
};

// Whether the program's arguments ask for the command line (a command, --help or --version)
// rather than the window. arguments[0] is the program.
bool wantsCommandLine(const QStringList& arguments);

// Runs the command of the arguments (arguments[0] is the program) and returns the exit status:
// 0 done (diff: equal), 1 diff: they differ, 2 an error, told in one line on err.
int run(const QStringList& arguments, Streams streams);
// The same on the process's stdout and stderr.
int run(const QStringList& arguments);

// The commands, each given its own arguments (the command's name first).
int runDump(const QStringList& arguments, Streams streams);
int runApply(const QStringList& arguments, Streams streams);
int runDiff(const QStringList& arguments, Streams streams);
int runRestore(const QStringList& arguments, Streams streams);

}  // namespace pw::cli
