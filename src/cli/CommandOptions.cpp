#include "cli/CommandOptions.h"

#include "cli/CliError.h"

namespace pw::cli {

CommandOptions::CommandOptions(const QString& name, const QString& description,
                               const QString& synopsis)
    : name_(name), synopsis_(synopsis) {
    parser_.setApplicationDescription(description);
    parser_.addHelpOption();
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
}

bool CommandOptions::parse(const QStringList& arguments, Streams streams) {
    // The parser takes the first argument as the program.
    if (!parser_.parse(QStringList{QStringLiteral("pitwright ") + name_} + arguments.mid(1)))
        throw CliError(parser_.errorText());
    if (parser_.isSet(QStringLiteral("help"))) {
        QString help = parser_.helpText();
        // Qt's first line names the program alone; ours gives the whole synopsis.
        help.replace(0, help.indexOf(QLatin1Char('\n')),
                     QStringLiteral("Usage: pitwright %1 %2").arg(name_, synopsis_));
        streams.out << help;
        return false;
    }
    return true;
}

}  // namespace pw::cli
