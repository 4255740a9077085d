#include "core/location/SteamLibraryFolders.h"

#include <vector>

namespace pw::model {

namespace {
struct Token {
    enum Kind { Text, Open, Close } kind;
    QString text;
};

// Quoted texts (with \\ \" \n \t escapes), bare words and braces; "//" starts a comment.
std::vector<Token> tokensOf(const QString& s) {
    std::vector<Token> tokens;
    int i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('/') && i + 1 < s.size() && s[i + 1] == QLatin1Char('/')) {
            while (i < s.size() && s[i] != QLatin1Char('\n')) ++i;
        } else if (c == QLatin1Char('{') || c == QLatin1Char('}')) {
            tokens.push_back({c == QLatin1Char('{') ? Token::Open : Token::Close, QString()});
            ++i;
        } else if (c == QLatin1Char('"')) {
            QString text;
            for (++i; i < s.size() && s[i] != QLatin1Char('"'); ++i) {
                if (s[i] == QLatin1Char('\\') && i + 1 < s.size()) {
                    const QChar e = s[++i];
                    text += e == QLatin1Char('n')   ? QChar(0x0A)
                            : e == QLatin1Char('t') ? QChar(0x09)
                                                    : e;
                } else {
                    text += s[i];
                }
            }
            if (i >= s.size()) break;  // a text cut short is not trusted
            ++i;                       // the closing quote
            tokens.push_back({Token::Text, text});
        } else {
            QString word;
            while (i < s.size() && !s[i].isSpace() && s[i] != QLatin1Char('{') &&
                   s[i] != QLatin1Char('}') && s[i] != QLatin1Char('"'))
                word += s[i++];
            tokens.push_back({Token::Text, word});
        }
    }
    return tokens;
}

bool isNumber(const QString& s) {
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (!c.isDigit()) return false;
    return true;
}
}  // namespace

QStringList steamLibraryFolders(const QByteArray& vdf) {
    const std::vector<Token> tokens = tokensOf(QString::fromUtf8(vdf));
    QStringList folders;
    for (size_t i = 0; i + 1 < tokens.size(); ++i) {
        const Token& key = tokens[i];
        const Token& value = tokens[i + 1];
        if (key.kind != Token::Text || value.kind != Token::Text) continue;
        const bool library =
            key.text.compare(QLatin1String("path"), Qt::CaseInsensitive) == 0 || isNumber(key.text);
        if (library && value.text.startsWith(QLatin1Char('/')) && !folders.contains(value.text))
            folders << value.text;
        ++i;  // a key and its value are a pair: the value is never the next key
    }
    return folders;
}

}  // namespace pw::model
