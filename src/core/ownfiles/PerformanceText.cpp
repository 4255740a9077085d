#include "core/ownfiles/PerformanceText.h"

#include "core/tables/Conversions.h"
#include "core/bytes/GameFileError.h"

namespace pw::files {

namespace {
QString withoutTrailingSpaces(const QString& s) {
    qsizetype end = s.size();
    while (end > 0 && s[end - 1] == QLatin1Char(' ')) --end;
    return s.left(end);
}
}  // namespace

std::optional<QString> ValueAfterEquals(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) return std::nullopt;
    return withoutTrailingSpaces(line.mid(eq + 1));
}

QString NextField(QString& rest) {
    const qsizetype comma = rest.indexOf(QLatin1Char(','));
    if (comma >= 0) {
        const QString field = rest.left(comma);
        rest.remove(0, comma + 1);
        return field;
    }
    const QString field = withoutTrailingSpaces(rest);
    rest.clear();
    return field;
}

TextLines::TextLines(const QByteArray& bytes, QString fileName)
    : size_(bytes.size()), fileName_(std::move(fileName)) {
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0) end = bytes.size();
        qsizetype textEnd = end;
        if (textEnd > start && bytes[textEnd - 1] == '\r') --textEnd;
        lines_.push_back({QString::fromLatin1(bytes.mid(start, textEnd - start)), start});
        start = next;
    }
}

QString TextLines::next(const QString& what) {
    if (atEnd())
        throw model::GameFileError(
            fileName_, size_,
            QStringLiteral("file ends before line %1 (%2)").arg(lines_.size() + 1).arg(what));
    return lines_[next_++].text;
}

QString TextLines::nextValue(const QString& what) {
    const std::optional<QString> v = ValueAfterEquals(next(what));
    if (!v) fail(QStringLiteral("a \"=\" in %1").arg(what));
    return *v;
}

int TextLines::integerOf(const QString& text, const QString& what) const {
    const std::optional<int> v = model::parseInteger(text);
    if (!v) fail(QStringLiteral("an integer for %1, found \"%2\"").arg(what, text));
    return *v;
}

QString TextLines::last() const {
    return next_ == 0 ? QString() : lines_[next_ - 1].text;
}

qint64 TextLines::lastOffset() const {
    return next_ == 0 ? 0 : lines_[next_ - 1].offset;
}

void TextLines::fail(const QString& expected) const {
    throw model::GameFileError(fileName_, lastOffset(),
                               QStringLiteral("line %1: %2").arg(lastNumber()).arg(expected));
}

}  // namespace pw::files
