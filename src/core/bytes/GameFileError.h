#pragma once

#include <QString>
#include <stdexcept>

namespace pw::model {

// The one error every reader and writer of the data core throws: which file, where in it, and
// what was expected there. Command handlers catch it at their boundary and show message().
class GameFileError : public std::runtime_error {
public:
    static constexpr qint64 kNoOffset = -1;

    GameFileError(QString file, qint64 offset, QString expected);

    const QString& file() const { return file_; }
    qint64 offset() const { return offset_; }
    const QString& expected() const { return expected_; }
    // "<file>: <expected> (offset <n>)", the text shown to the user.
    QString message() const;

private:
    QString file_;
    qint64 offset_;
    QString expected_;
};

}  // namespace pw::model
