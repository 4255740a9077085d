#pragma once

#include <QString>
#include <stdexcept>

namespace pw::cli {

// Exit statuses, as diff gives them.
constexpr int kExitSame = 0;
constexpr int kExitDiffer = 1;
constexpr int kExitError = 2;

// Bad input or a refusal: one line for stderr (naming the file, the key and the line where they
// are known); the command ends with kExitError and no game file changed.
class CliError : public std::runtime_error {
public:
    explicit CliError(const QString& line) : std::runtime_error(line.toStdString()) {}
    QString line() const { return QString::fromUtf8(what()); }
};

}  // namespace pw::cli
