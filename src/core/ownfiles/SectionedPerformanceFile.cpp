#include "core/ownfiles/SectionedPerformanceFile.h"

#include "core/ownfiles/PerformanceText.h"
#include "core/bytes/ByteIO.h"
#include "core/tables/Conversions.h"
#include "core/bytes/Text.h"
#include "core/tables/TyreBrands.h"

namespace pw::files {

const char kSectionedFirstLine[] = "** GP3edit - Performance File **";
const char kSectionedVersion[] = "213";

namespace {

// "#00".."#09", "#10": the two-digit team numbers of the section and entry names.
QByteArray teamNumber(int i) {
    return (i < 10 ? QByteArray("#0") : QByteArray("#")) + QByteArray::number(i);
}

QByteArray shownPower(uint16_t stored) {
    return QByteArray::number(model::powerToDisplay(stored));
}

QByteArray driverLine(const char* key, const model::DriverRecord& d) {
    // Race pair first, as the other tools write it.
    return QByteArray(key) + QByteArray::number(d.number) + ',' + model::StripNul(d.name) + ',' +
           QByteArray::number(d.raceAbility) + ',' + QByteArray::number(d.raceVariation) + ',' +
           QByteArray::number(d.qualifyAbility) + ',' + QByteArray::number(d.qualifyVariation);
}

void line(model::ByteWriter& w, const QByteArray& text) {
    w.bytes(text + "\r\n");
}

}  // namespace

QByteArray writeSectionedPerformanceFile(const model::EditorModel& m) {
    model::ByteWriter w;
    line(w, kSectionedFirstLine);
    line(w, {});
    for (int i = 0; i < model::kTeamCount; ++i) {
        const model::TeamRecord& t = m.teams[i];
        line(w, "[Team " + teamNumber(i) + ']');
        line(w, "Name=" + model::StripNul(t.teamName) + ',' + model::StripNul(t.engineName));
        line(w, "Performance=" + shownPower(t.racePower) + ',' + shownPower(t.qualifyPower) + ',' +
                    QByteArray::number(t.failureRate));
        line(w, driverLine("First Driver=", m.drivers[2 * i]));
        line(w, driverLine("Second Driver=", m.drivers[2 * i + 1]));
        line(w, {});
    }
    line(w, {});
    line(w, "[File]");
    line(w, QByteArray("Version=") + kSectionedVersion);
    line(w, {});
    line(w, "[Tyres]");
    for (int i = 0; i < model::kTeamCount; ++i)
        line(w, "Team " + teamNumber(i) + '=' + (m.teams[i].tyreBrand == 1 ? "1" : "0"));
    line(w, {});
    line(w, "[Gears]");
    for (int i = 0; i < model::kTeamCount; ++i)
        line(w, "Team " + teamNumber(i) + '=' + QByteArray::number(m.teams[i].gearCount));
    return w.data();
}

namespace {

void readTeamBlock(TextLines& lines, int t, PerformanceFileContent& c) {
    // Blocks past the eleventh are read all the same so that a cut-short one is still noticed.
    const bool kept = t < model::kTeamCount;
    PerformanceTeamValues dropped;
    PerformanceTeamValues& team = kept ? c.teams[t] : dropped;

    const QString names = lines.nextValue(QStringLiteral("the \"Name=\" line of a team block"));
    const qsizetype comma = names.indexOf(QLatin1Char(','));
    team.teamName = comma < 0 ? QString() : names.left(comma);
    team.engineName = comma < 0 ? names : names.mid(comma + 1);

    QString rest = lines.nextValue(QStringLiteral("the \"Performance=\" line of a team block"));
    team.qualifyPower = NextField(rest);
    team.racePower = NextField(rest);
    team.failureRate = NextField(rest);

    for (int k = 0; k < 2; ++k) {
        PerformanceDriverValues droppedDriver;
        PerformanceDriverValues& d = kept ? c.drivers[2 * t + k] : droppedDriver;
        rest =
            lines.nextValue(k == 0 ? QStringLiteral("the \"First Driver=\" line of a team block")
                                   : QStringLiteral("the \"Second Driver=\" line of a team block"));
        d.number = NextField(rest);
        d.name = NextField(rest);
        d.qualifyAbility = NextField(rest);
        d.qualifyVariation = NextField(rest);
        d.raceAbility = NextField(rest);
        d.raceVariation = NextField(rest);
    }
    if (!kept) ++c.ignoredTeamBlocks;
}

}  // namespace

PerformanceFileContent readSectionedPerformanceFile(const QByteArray& bytes,
                                                    const QString& fileName) {
    TextLines lines(bytes, fileName);
    PerformanceFileContent c;
    int t = 0;
    while (!lines.atEnd()) {
        QString l = lines.next(QString());
        // Each test sees the last line read before it, as the other tools' reader does.
        if (l.startsWith(QLatin1String("[Team"))) {
            readTeamBlock(lines, t++, c);
            l = lines.last();
        }
        if (l.startsWith(QLatin1String("[File"))) {
            c.recognised = true;
            l = lines.next(QStringLiteral("the version line of the [File] section"));
            // A version line without "=" counts as another version: only a warning.
            if (ValueAfterEquals(l) != QString::fromLatin1(kSectionedVersion))
                c.versionMismatch = true;
        }
        if (l.startsWith(QLatin1String("[Tyre"))) {
            for (int i = 0; i < model::kTeamCount; ++i) {
                const QString what = QStringLiteral("the tyre brand of team %1").arg(i + 1);
                const int v = lines.integerOf(lines.nextValue(what), what);
                if (v < 0 || v >= model::kTyreBrandCount)
                    lines.fail(
                        QStringLiteral("a tyre brand 0 to 2 for team %1, found %2").arg(i + 1).arg(v));
                c.teams[i].tyreBrand = v;
            }
            l = lines.last();
        }
        if (l.startsWith(QLatin1String("[Gear"))) {
            for (int i = 0; i < model::kTeamCount; ++i) {
                const QString what = QStringLiteral("the gear count of team %1").arg(i + 1);
                const QString text = lines.nextValue(what);
                c.teams[i].gearPosition = lines.integerOf(text, what);
                c.teams[i].gearCaption = text;
            }
        }
    }
    return c;
}

}  // namespace pw::files
