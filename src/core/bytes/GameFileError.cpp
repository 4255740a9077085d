#include "core/bytes/GameFileError.h"

namespace pw::model {

namespace {
QString compose(const QString& file, qint64 offset, const QString& expected) {
    QString text = file + QStringLiteral(": ") + expected;
    if (offset != GameFileError::kNoOffset) text += QStringLiteral(" (offset %1)").arg(offset);
    return text;
}
}  // namespace

GameFileError::GameFileError(QString file, qint64 offset, QString expected)
    : std::runtime_error(compose(file, offset, expected).toStdString()),
      file_(std::move(file)),
      offset_(offset),
      expected_(std::move(expected)) {}

QString GameFileError::message() const { return compose(file_, offset_, expected_); }

}  // namespace pw::model
