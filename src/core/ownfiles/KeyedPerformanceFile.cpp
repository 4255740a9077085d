#include "core/ownfiles/KeyedPerformanceFile.h"

#include <functional>

#include "core/ownfiles/PerformanceText.h"
#include "core/bytes/ByteIO.h"
#include "core/tables/Conversions.h"
#include "core/bytes/Text.h"

namespace pw::files {

namespace {

void line(model::ByteWriter& w, const QByteArray& text) {
    w.bytes(text + "\r\n");
}

template <typename Value>
void section(model::ByteWriter& w, const char* name, int count, int firstKey, Value value) {
    line(w, name);
    for (int k = 0; k < count; ++k) line(w, QByteArray::number(firstKey + k) + '=' + value(k));
}

QString withoutNul(QString s) {
    return s.remove(QChar(0));
}

}  // namespace

QByteArray writeKeyedPerformanceFile(const model::EditorModel& m) {
    using model::kDriverCount;
    using model::kTeamCount;
    const auto& d = m.drivers;
    const auto& t = m.teams;
    model::ByteWriter w;
    section(w, "[NBR]", kDriverCount, 0, [&](int k) { return QByteArray::number(d[k].number); });
    section(w, "[Name]", kDriverCount, 0, [&](int k) { return model::StripNul(d[k].name); });
    section(w, "[QP]", kDriverCount, 0,
            [&](int k) { return QByteArray::number(d[k].qualifyAbility); });
    section(w, "[RP]", kDriverCount, 0,
            [&](int k) { return QByteArray::number(d[k].raceAbility); });
    section(w, "[QA]", kDriverCount, 0,
            [&](int k) { return QByteArray::number(d[k].qualifyVariation); });
    section(w, "[RA]", kDriverCount, 0,
            [&](int k) { return QByteArray::number(d[k].raceVariation); });
    section(w, "[TNBR]", kTeamCount, kDriverCount, [](int k) { return QByteArray::number(k); });
    section(w, "[TNAME]", kTeamCount, 0, [&](int k) { return model::StripNul(t[k].teamName); });
    section(w, "[TENG]", kTeamCount, 0, [&](int k) { return model::StripNul(t[k].engineName); });
    section(w, "[TQP]", kTeamCount, 0,
            [&](int k) { return QByteArray::number(t[k].qualifyPower); });
    section(w, "[TRP]", kTeamCount, 0, [&](int k) { return QByteArray::number(t[k].racePower); });
    section(w, "[TFAIL]", kTeamCount, 0,
            [&](int k) { return QByteArray::number(t[k].failureRate); });
    section(w, "[CGEARS]", kTeamCount, 0,
            [&](int k) { return QByteArray::number(t[k].gearCount); });
    return w.data();
}

PerformanceFileContent readKeyedPerformanceFile(const QByteArray& bytes, const QString& fileName) {
    TextLines lines(bytes, fileName);
    PerformanceFileContent c;
    c.recognised = true;

    // One section: its heading line skipped unread, then count entries taken by position.
    const auto entries = [&](const char* name, int count,
                             const std::function<void(int, const QString&)>& take) {
        const QString section = QString::fromLatin1(name);
        lines.next(QStringLiteral("the %1 section line").arg(section));
        for (int k = 0; k < count; ++k)
            take(k, lines.nextValue(QStringLiteral("entry %1 of %2").arg(k).arg(section)));
    };
    const auto shownPower = [&](const QString& text, const QString& what) {
        return QString::number(qint64(lines.integerOf(text, what)) - model::kPowerBias);
    };
    auto& d = c.drivers;
    auto& t = c.teams;
    using model::kDriverCount;
    using model::kTeamCount;

    entries("[NBR]", kDriverCount, [&](int k, const QString& v) { d[k].number = v; });
    entries("[Name]", kDriverCount, [&](int k, const QString& v) { d[k].name = withoutNul(v); });
    entries("[QP]", kDriverCount, [&](int k, const QString& v) { d[k].qualifyAbility = v; });
    entries("[RP]", kDriverCount, [&](int k, const QString& v) { d[k].raceAbility = v; });
    entries("[QA]", kDriverCount, [&](int k, const QString& v) { d[k].qualifyVariation = v; });
    entries("[RA]", kDriverCount, [&](int k, const QString& v) { d[k].raceVariation = v; });
    // "[TNBR]" with its eleven entries and the "[TNAME]" line: never read.
    for (int k = 0; k < kTeamCount + 2; ++k) lines.next(QStringLiteral("the [TNBR] section"));
    for (int k = 0; k < kTeamCount; ++k)
        t[k].teamName = withoutNul(lines.nextValue(QStringLiteral("entry %1 of [TNAME]").arg(k)));
    entries("[TENG]", kTeamCount,
            [&](int k, const QString& v) { t[k].engineName = withoutNul(v); });
    entries("[TQP]", kTeamCount, [&](int k, const QString& v) {
        t[k].qualifyPower = shownPower(v, QStringLiteral("the qualifying power of team %1").arg(k + 1));
    });
    entries("[TRP]", kTeamCount, [&](int k, const QString& v) {
        t[k].racePower = shownPower(v, QStringLiteral("the race power of team %1").arg(k + 1));
    });
    entries("[TFAIL]", kTeamCount, [&](int k, const QString& v) { t[k].failureRate = v; });
    entries("[CGEARS]", kTeamCount, [&](int k, const QString& v) {
        t[k].gearPosition = lines.integerOf(v, QStringLiteral("the gear count of team %1").arg(k + 1));
        t[k].gearCaption = v;
    });
    return c;
}

}  // namespace pw::files
