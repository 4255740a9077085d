#pragma once

#include <QString>
#include <stdexcept>

namespace pw::app {

// A field whose text is not the number a command needs. The command stops where it is.
class FieldValueError : public std::runtime_error {
public:
    enum class Kind { Integer, Number };
    FieldValueError(QString componentName, QString text, Kind kind);

    const QString& componentName() const { return name_; }
    const QString& text() const { return text_; }
    // "Failure % of team 4 holds "abc", which is not a whole number."
    QString message() const;

private:
    QString name_;
    QString text_;
    Kind kind_;
};

// What a field stands for, in the window's own words ("Helmets Y of team 3").
QString describeField(const QString& componentName);

}  // namespace pw::app
