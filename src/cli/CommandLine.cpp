#include "cli/CommandLine.h"

#include <QCoreApplication>
#include <cstdio>

#include "cli/CliError.h"

namespace pw::cli {

namespace {

constexpr char kProgramHelp[] =
    "Usage: pitwright [COMMAND [ARGUMENTS]]\n"
    "Without a command, opens the editor window.\n"
    "\n"
    "Commands:\n"
    "  dump [GAME_FOLDER] [--only GROUP,...]  every value the window shows, as JSON\n"
    "  apply GAME_FOLDER FILE... [--dry-run]  applies team files, camera sets, tyre sets,\n"
    "                                         performance files and dumps, then exports\n"
    "  diff A B                               every value that differs between two game\n"
    "                                         folders or dumps\n"
    "  restore GAME_FOLDER [--list | BACKUP]  the backups Export All made of the game\n"
    "\n"
    "Options:\n"
    "  -h, --help     shows this help; \"pitwright COMMAND --help\" shows a command's\n"
    "  -v, --version  shows the version\n"
    "\n"
    "Exit status: 0 done (diff: equal), 1 diff: they differ, 2 an error.\n";

struct Command {
    const char* name;
    int (*run)(const QStringList&, Streams);
};
constexpr Command kCommands[] = {
    {"dump", runDump},
    {"apply", runApply},
    {"diff", runDiff},
    {"restore", runRestore},
};

}  // namespace

bool wantsCommandLine(const QStringList& arguments) {
    if (arguments.size() < 2) return false;
    const QString first = arguments.at(1);
    // The window's own options (start-up measurements) start with "--" and are none of these.
    if (first == QLatin1String("-h") || first == QLatin1String("--help") ||
        first == QLatin1String("-v") || first == QLatin1String("--version"))
        return true;
    return !first.startsWith(QLatin1Char('-'));
}

int run(const QStringList& arguments, Streams streams) {
    const QString first = arguments.value(1);
    if (first == QLatin1String("-h") || first == QLatin1String("--help") ||
        first == QLatin1String("help")) {
        streams.out << kProgramHelp;
        return kExitSame;
    }
    if (first == QLatin1String("-v") || first == QLatin1String("--version")) {
        streams.out << QCoreApplication::applicationName() << ' '
                    << QCoreApplication::applicationVersion() << '\n';
        return kExitSame;
    }
    for (const Command& command : kCommands)
        if (first == QLatin1String(command.name)) {
            try {
                return command.run(arguments.mid(1), streams);
            } catch (const CliError& e) {
                streams.err << "pitwright " << command.name << ": " << e.line() << '\n';
                return kExitError;
            }
        }
    streams.err << "pitwright: unknown command \"" << first
                << "\"; \"pitwright --help\" lists the commands\n";
    return kExitError;
}

int run(const QStringList& arguments) {
    QTextStream out(stdout), err(stderr);
    return run(arguments, Streams{out, err});
}

}  // namespace pw::cli
