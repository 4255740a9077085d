#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace pw::files {

// Text helpers of the performance file readers. The files hold single-byte characters and end
// their lines with CR LF (a bare LF is accepted too).

// The text after the first "=" of the line, trailing spaces removed, leading spaces kept;
// none when the line holds no "=".
std::optional<QString> ValueAfterEquals(const QString& line);

// Takes the next comma-separated field off the front of rest: the text before the first ","
// (unchanged), or, without a comma, the whole rest with trailing spaces removed. Once rest is
// empty every further field is empty.
QString NextField(QString& rest);

// The lines of a text file in order, each with the byte offset where it starts, so that an error
// can say where the file went wrong.
class TextLines {
public:
    TextLines(const QByteArray& bytes, QString fileName);

    bool atEnd() const { return next_ >= lines_.size(); }
    // The next line; throws model::GameFileError (the file ends before `what`) past the end.
    QString next(const QString& what);
    // The next line's value after "="; throws when the line is missing or holds no "=".
    QString nextValue(const QString& what);
    // text as an integer; throws about the line last returned when it is not one.
    int integerOf(const QString& text, const QString& what) const;
    // The line last returned (empty before the first).
    QString last() const;

    // Where the line last returned starts, and its number counted from 1.
    qint64 lastOffset() const;
    int lastNumber() const { return int(next_); }
    const QString& fileName() const { return fileName_; }
    // Throws model::GameFileError about the line last returned.
    [[noreturn]] void fail(const QString& expected) const;

private:
    struct Line {
        QString text;
        qint64 offset;
    };
    std::vector<Line> lines_;
    qint64 size_ = 0;
    std::size_t next_ = 0;
    QString fileName_;
};

}  // namespace pw::files
