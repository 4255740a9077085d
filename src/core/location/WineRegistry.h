#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace pw::model {

// The string values of a Wine prefix's text registry file ("system.reg", "user.reg"). Read only:
// nothing here ever writes a registry file.
class WineRegistry {
public:
    // The text value name of key (a path such as "Software\Vendor\Product", without the root),
    // both matched without regard to letter case; "" names the key's default value. Nothing when
    // the key, the value or a text of that name is missing.
    std::optional<QString> text(const QString& key, const QString& name) const;

    // Sets a value; the reader's own use, and tests.
    void setText(const QString& key, const QString& name, const QString& value);

    // Number of keys that hold at least one text value.
    int keyCount() const { return int(keys_.size()); }

private:
    // Case-folded key -> case-folded value name -> text.
    std::map<QString, std::map<QString, QString>> keys_;
};

// Reads a registry file given as bytes. Nothing when the first line is not
// "WINE REGISTRY Version 2". Only text values ("name"="text" and @="text") are kept; values of
// other types, comments and lines that do not parse are skipped. Names and texts are unescaped
// as the file format writes them: \\, \", \a \b \e \f \n \r \t \v, \x with one to four hex
// digits (one UTF-16 unit) and octal escapes. onlyKeys, when not empty, limits the values kept
// to those keys (a prefix's system registry runs to megabytes; a caller needs a handful of
// keys).
std::optional<WineRegistry> parseWineRegistry(const QByteArray& bytes,
                                              const QStringList& onlyKeys = {});

}  // namespace pw::model
