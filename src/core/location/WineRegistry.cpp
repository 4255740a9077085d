#include "core/location/WineRegistry.h"

#include <set>

namespace pw::model {

namespace {
const QByteArray kSignature = QByteArrayLiteral("WINE REGISTRY Version 2");

// Keys compare without regard to letter case or a leading separator.
QString keyOf(const QString& key) {
    int start = 0;
    while (start < key.size() && key[start] == QLatin1Char('\\')) ++start;
    return key.mid(start).toCaseFolded();
}

int hexDigit(QChar c) {
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

bool isOctal(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('7');
}

// The escaped text from pos up to the first unescaped end character; pos is left after it.
// Nothing when the end character never comes.
std::optional<QString> readEscaped(const QString& line, int& pos, QChar end) {
    QString out;
    while (pos < line.size()) {
        const QChar c = line[pos++];
        if (c == end) return out;
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (pos >= line.size()) return std::nullopt;
        const QChar e = line[pos++];
        switch (e.unicode()) {
            case 'a':
                out += QChar(0x07);
                break;
            case 'b':
                out += QChar(0x08);
                break;
            case 'e':
                out += QChar(0x1B);
                break;
            case 'f':
                out += QChar(0x0C);
                break;
            case 'n':
                out += QChar(0x0A);
                break;
            case 'r':
                out += QChar(0x0D);
                break;
            case 't':
                out += QChar(0x09);
                break;
            case 'v':
                out += QChar(0x0B);
                break;
            case 'x': {
                if (pos >= line.size() || hexDigit(line[pos]) < 0) {
                    out += e;  // "\x" without digits stands for "x"
                    break;
                }
                ushort unit = 0;
                for (int n = 0; n < 4 && pos < line.size() && hexDigit(line[pos]) >= 0; ++n)
                    unit = ushort(unit * 16 + hexDigit(line[pos++]));
                out += QChar(unit);
                break;
            }
            default:
                if (isOctal(e)) {
                    ushort unit = ushort(e.unicode() - '0');
                    for (int n = 0; n < 2 && pos < line.size() && isOctal(line[pos]); ++n)
                        unit = ushort(unit * 8 + (line[pos++].unicode() - '0'));
                    out += QChar(unit);
                } else {
                    out += e;  // "\\", "\"" and any other character stand for themselves
                }
        }
    }
    return std::nullopt;
}

bool onlyBlanksFrom(const QString& line, int pos) {
    for (; pos < line.size(); ++pos)
        if (!line[pos].isSpace()) return false;
    return true;
}

// "[key] stamp": the key, or nothing when the line does not parse.
std::optional<QString> sectionOf(const QString& line) {
    int pos = 1;
    return readEscaped(line, pos, QLatin1Char(']'));
}

struct TextValue {
    QString name, text;
};

// "name"="text" or @="text"; nothing for other value types and lines that do not parse.
std::optional<TextValue> textValueOf(const QString& line) {
    int pos = 0;
    TextValue value;
    if (line.startsWith(QLatin1Char('@'))) {
        pos = 1;
    } else {
        pos = 1;  // the caller saw the opening quote
        std::optional<QString> name = readEscaped(line, pos, QLatin1Char('"'));
        if (!name) return std::nullopt;
        value.name = *name;
    }
    if (pos + 1 >= line.size() || line[pos] != QLatin1Char('=') ||
        line[pos + 1] != QLatin1Char('"'))
        return std::nullopt;
    pos += 2;
    std::optional<QString> text = readEscaped(line, pos, QLatin1Char('"'));
    if (!text || !onlyBlanksFrom(line, pos)) return std::nullopt;
    value.text = *text;
    return value;
}

QByteArray withoutLineEnd(QByteArray line) {
    while (line.endsWith('\r')) line.chop(1);
    return line;
}
}  // namespace

std::optional<QString> WineRegistry::text(const QString& key, const QString& name) const {
    const auto k = keys_.find(keyOf(key));
    if (k == keys_.end()) return std::nullopt;
    const auto v = k->second.find(name.toCaseFolded());
    if (v == k->second.end()) return std::nullopt;
    return v->second;
}

void WineRegistry::setText(const QString& key, const QString& name, const QString& value) {
    keys_[keyOf(key)][name.toCaseFolded()] = value;
}

std::optional<WineRegistry> parseWineRegistry(const QByteArray& bytes,
                                              const QStringList& onlyKeys) {
    int start = int(bytes.indexOf('\n'));
    if (start < 0) start = int(bytes.size());
    if (withoutLineEnd(bytes.left(start)) != kSignature) return std::nullopt;

    std::set<QString> wanted;
    for (const QString& k : onlyKeys) wanted.insert(keyOf(k));
    WineRegistry registry;
    std::optional<QString> section;  // the key of the lines that follow, if they are kept
    while (start < bytes.size()) {
        const int from = start + 1;
        int to = int(bytes.indexOf('\n', from));
        if (to < 0) to = int(bytes.size());
        start = to;
        if (from >= to) continue;
        const char first = bytes[from];
        if (first == '[') {
            section = sectionOf(QString::fromUtf8(withoutLineEnd(bytes.mid(from, to - from))));
            if (section && !wanted.empty() && wanted.count(keyOf(*section)) == 0) section.reset();
        } else if (section && (first == '"' || first == '@')) {
            const std::optional<TextValue> value =
                textValueOf(QString::fromUtf8(withoutLineEnd(bytes.mid(from, to - from))));
            if (value) registry.setText(*section, value->name, value->text);
        }
    }
    return registry;
}

}  // namespace pw::model
