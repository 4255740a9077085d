#pragma once

#include <QCommandLineParser>
#include <QStringList>

#include "cli/CommandLine.h"

namespace pw::cli {

// A command's options: its --help, its own options, its positional arguments. Parsing fails
// with a CliError; help() is true when the command was asked for its help (already written).
class CommandOptions {
public:
    CommandOptions(const QString& name, const QString& description, const QString& synopsis);
    QCommandLineParser& parser() { return parser_; }
    // Parses the command's arguments (its name first); false when --help was given and shown.
    bool parse(const QStringList& arguments, Streams streams);
    QStringList positional() const { return parser_.positionalArguments(); }

private:
    QString name_, synopsis_;
    QCommandLineParser parser_;
};

}  // namespace pw::cli
