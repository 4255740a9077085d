#pragma once

#include <QByteArray>
#include <QString>

namespace pw::model {

// Texts of the game files are single-byte (Latin-1) characters in NUL-padded records.

// Removes every NUL, wherever it stands: bytes after an embedded NUL are joined on.
QByteArray StripNul(const QByteArray& bytes);
// Upper-cases the first character and every character directly after a blank (a to z only).
QString Mister(const QString& text);
// A car-shape name record: the first byte as stored, the other bytes lower-cased, NULs removed.
QByteArray carShapeNameFromRecord(const QByteArray& record);
// Shown text of a NUL-padded record.
inline QString textFromRecord(const QByteArray& record) { return QString::fromLatin1(StripNul(record)); }
// Bytes of a shown text (characters outside Latin-1 become "?").
inline QByteArray recordFromText(const QString& text) { return text.toLatin1(); }

}  // namespace pw::model
