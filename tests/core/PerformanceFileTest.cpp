#include <gtest/gtest.h>

#include <QByteArrayList>

#include "OwnFileSamples.h"
#include "core/ownfiles/KeyedPerformanceFile.h"
#include "core/ownfiles/PerformanceText.h"
#include "core/ownfiles/SectionedPerformanceFile.h"
#include "core/bytes/GameFileError.h"

using namespace pw::files;
using namespace pw::model;
using pw::files::testing::sampleModel;

namespace {

const QString kTxt = QStringLiteral("perf.txt");
const QString kG4p = QStringLiteral("perf.g4p");

// The lines of a file whose every line ends in CR LF (a missing final CR LF fails the test).
QList<QByteArray> crlfLines(const QByteArray& file) {
    EXPECT_TRUE(file.endsWith("\r\n"));
    EXPECT_EQ(file.count("\n"), file.count("\r\n")) << "a line ends without CR";
    QList<QByteArray> lines = file.split('\n');
    lines.removeLast();
    for (QByteArray& l : lines) l.chop(1);
    return lines;
}

QByteArray joined(const QList<QByteArray>& lines) {
    QByteArray out;
    for (const QByteArray& l : lines) out += l + "\r\n";
    return out;
}

QString text(int v) {
    return QString::number(v);
}

// A sectioned file of a few team blocks and a [File] section, in the other tools' style.
QList<QByteArray> sectioned(const QList<QByteArray>& body) {
    return QList<QByteArray>{"anything at all", ""} + body +
           QList<QByteArray>{"", "[File]", "Version=213"};
}

QList<QByteArray> teamBlock(const QByteArray& number, const QByteArray& name) {
    return {"[Team #" + number + "]", "Name=" + name + ",V10", "Performance=900,850,5",
            "First Driver=1,A,10,11,12,13", "Second Driver=2,B,20,21,22,23"};
}

}  // namespace

TEST(PerformanceText, ValueAfterEquals) {
    const struct {
        const char* line;
        std::optional<QString> value;
    } cases[] = {
        {"Name=Ferrari,Ferrari  ", QStringLiteral("Ferrari,Ferrari")},
        {"Team #00= 1 ", QStringLiteral(" 1")},
        {"a=b=c", QStringLiteral("b=c")},
        {"a=", QString()},
        {"=x", QStringLiteral("x")},
        {"no equals sign", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValueAfterEquals(QString::fromLatin1(c.line)), c.value) << c.line;
}

TEST(PerformanceText, NextField) {
    const struct {
        const char* rest;
        std::vector<const char*> fields;  // then empty fields for ever
    } cases[] = {
        {"1, 2 ,3  ", {"1", " 2 ", "3"}},
        {"a,,b", {"a", "", "b"}},
        {"x  ", {"x"}},
        {"a,", {"a", ""}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rest);
        QString rest = QString::fromLatin1(c.rest);
        for (const char* f : c.fields) EXPECT_EQ(NextField(rest), QString::fromLatin1(f));
        EXPECT_TRUE(rest.isEmpty());
        EXPECT_EQ(NextField(rest), QString());
        EXPECT_EQ(NextField(rest), QString());
    }
}

TEST(SectionedPerformanceFile, Has97CrLfLinesWithRaceValuesFirst) {
    EditorModel m = sampleModel();
    m.teams[0].teamName = QByteArray("Ferrari\0\0\0", 10);
    m.teams[0].racePower = 32817;        // shown 0
    m.teams[0].qualifyPower = 0;         // shown -32817
    m.drivers[1].raceVariation = 65535;  // a shown -1 as stored
    const QList<QByteArray> lines = crlfLines(writeSectionedPerformanceFile(m));
    ASSERT_EQ(lines.size(), 97);
    const struct {
        int line;  // counted from 1
        QByteArray text;
    } expected[] = {
        {1, "** GP3edit - Performance File **"},
        {2, ""},
        {3, "[Team #00]"},
        {4, "Name=Ferrari,Engine0"},
        {5, "Performance=0,-32817,10"},
        {6, "First Driver=1,Driver 0,3000,4000,1000,2000"},
        {7, "Second Driver=2,Driver 1,3001,65535,1001,2001"},
        {8, ""},
        {15, "[Team #02]"},
        {63, "[Team #10]"},
        {65, "Performance=810,710,20"},
        {68, ""},
        {69, ""},
        {70, "[File]"},
        {71, "Version=213"},
        {72, ""},
        {73, "[Tyres]"},
        {74, "Team #00=0"},
        {75, "Team #01=0"},  // McLaren is written as Bridgestone
        {76, "Team #02=0"},
        {77, "Team #03=1"},
        {84, "Team #10=0"},
        {85, ""},
        {86, "[Gears]"},
        {87, "Team #00=6"},
        {97, "Team #10=6"},
    };
    for (const auto& e : expected) EXPECT_EQ(lines[e.line - 1], e.text) << "line " << e.line;
}

TEST(SectionedPerformanceFile, RoundTripExchangesQualifyingAndRaceValues) {
    const EditorModel m = sampleModel();
    const PerformanceFileContent c =
        readSectionedPerformanceFile(writeSectionedPerformanceFile(m), kTxt);
    EXPECT_TRUE(c.recognised);
    EXPECT_FALSE(c.versionMismatch);
    for (int i = 0; i < kTeamCount; ++i) {
        SCOPED_TRACE(i);
        const TeamRecord& t = m.teams[i];
        EXPECT_EQ(c.teams[i].teamName, QString::fromLatin1(t.teamName));
        EXPECT_EQ(c.teams[i].engineName, QString::fromLatin1(t.engineName));
        EXPECT_EQ(c.teams[i].qualifyPower, text(t.racePower - 32817));
        EXPECT_EQ(c.teams[i].racePower, text(t.qualifyPower - 32817));
        EXPECT_EQ(c.teams[i].failureRate, text(t.failureRate));
        EXPECT_EQ(c.teams[i].tyreBrand, t.tyreBrand == 1 ? 1 : 0);
        EXPECT_EQ(c.teams[i].gearCaption, text(t.gearCount));
        EXPECT_EQ(c.teams[i].gearPosition, t.gearCount);
    }
    for (int d = 0; d < kDriverCount; ++d) {
        SCOPED_TRACE(d);
        const DriverRecord& r = m.drivers[d];
        EXPECT_EQ(c.drivers[d].number, text(r.number));
        EXPECT_EQ(c.drivers[d].name, QString::fromLatin1(r.name));
        EXPECT_EQ(c.drivers[d].qualifyAbility, text(r.raceAbility));
        EXPECT_EQ(c.drivers[d].qualifyVariation, text(r.raceVariation));
        EXPECT_EQ(c.drivers[d].raceAbility, text(r.qualifyAbility));
        EXPECT_EQ(c.drivers[d].raceVariation, text(r.qualifyVariation));
    }
}

TEST(SectionedPerformanceFile, BlocksFillTeamsInTheOrderTheyComeWhateverTheirNumbers) {
    QList<QByteArray> body = teamBlock("05", "Jordan") + teamBlock("02", "Williams");
    body[6] = "Name=OnlyEngine";      // no comma: all of it is the engine
    body[7] = "Performance=900,850";  // two fields: failure % empty
    const PerformanceFileContent c = readSectionedPerformanceFile(joined(sectioned(body)), kTxt);
    EXPECT_TRUE(c.recognised);
    EXPECT_EQ(c.teams[0].teamName, QStringLiteral("Jordan"));
    EXPECT_EQ(c.teams[0].engineName, QStringLiteral("V10"));
    EXPECT_EQ(c.teams[0].qualifyPower, QStringLiteral("900"));
    EXPECT_EQ(c.teams[1].teamName, QString());
    EXPECT_EQ(c.teams[1].engineName, QStringLiteral("OnlyEngine"));
    EXPECT_EQ(c.teams[1].racePower, QStringLiteral("850"));
    EXPECT_EQ(c.teams[1].failureRate, QString());
    EXPECT_EQ(c.drivers[3].number, QStringLiteral("2"));
    EXPECT_EQ(c.drivers[3].raceVariation, QStringLiteral("23"));
    EXPECT_FALSE(c.teams[2].teamName) << "teams without a block are left alone";
    EXPECT_FALSE(c.drivers[4].name);
    EXPECT_FALSE(c.teams[0].tyreBrand);
}

TEST(SectionedPerformanceFile, FileSectionAndVersion) {
    const struct {
        QList<QByteArray> lines;
        bool recognised, mismatch;
    } cases[] = {
        {{"** GP3edit - Performance File **", "[File]", "Version=213"}, true, false},
        {{"[File]", "Version=212"}, true, true},
        {{"[File]", "Version= 213"}, true, true},
        {teamBlock("00", "X"), false, false},  // values kept, but not a performance file
        {{}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(joined(c.lines).toStdString());
        const PerformanceFileContent r = readSectionedPerformanceFile(joined(c.lines), kTxt);
        EXPECT_EQ(r.recognised, c.recognised);
        EXPECT_EQ(r.versionMismatch, c.mismatch);
    }
    // A section straight after "[File]" takes the version line's place and is still read.
    QList<QByteArray> lines{"[File]", "[Tyres]"};
    for (int i = 0; i < kTeamCount; ++i)
        lines << "Team #" + QByteArray::number(i) + "=" + (i == 4 ? "1" : "0");
    const PerformanceFileContent r = readSectionedPerformanceFile(joined(lines), kTxt);
    EXPECT_TRUE(r.versionMismatch);
    EXPECT_EQ(r.teams[4].tyreBrand, 1);
    EXPECT_EQ(r.teams[5].tyreBrand, 0);
}

TEST(SectionedPerformanceFile, BlocksPastTheEleventhAreDropped) {
    QList<QByteArray> body;
    for (int t = 0; t < 13; ++t)
        body += teamBlock(QByteArray::number(t), "Team" + QByteArray::number(t));
    const PerformanceFileContent c = readSectionedPerformanceFile(joined(sectioned(body)), kTxt);
    EXPECT_EQ(c.ignoredTeamBlocks, 2);
    EXPECT_EQ(c.teams[10].teamName, QStringLiteral("Team10"));
    EXPECT_EQ(c.drivers[21].number, QStringLiteral("2"));
}

TEST(SectionedPerformanceFileBadInput, IsRefusedWholeWithTheLineNamed) {
    QList<QByteArray> tyres{"[Tyres]"};
    for (int i = 0; i < kTeamCount; ++i) tyres << "Team #0" + QByteArray::number(i) + "=0";
    QList<QByteArray> gears{"[Gears]"};
    for (int i = 0; i < kTeamCount; ++i) gears << "Team #0" + QByteArray::number(i) + "=6";
    const auto with = [](QList<QByteArray> lines, int index, const QByteArray& line) {
        lines[index] = line;
        return lines;
    };
    const struct {
        const char* name;
        QList<QByteArray> lines;
        const char* expected;
    } cases[] = {
        {"block cut short", teamBlock("00", "X").mid(0, 3), "file ends before line 4"},
        {"[File] last", {"x", "[File]"}, "file ends before line 3"},
        {"tyres cut short", tyres.mid(0, 6), "file ends before line 7"},
        {"value without =", with(teamBlock("00", "X"), 2, "Performance 1,2,3"), "line 3"},
        {"driver without =", with(teamBlock("00", "X"), 4, ""), "line 5"},
        {"tyre not a number", with(tyres, 3, "Team #02=x"), "line 4"},
        {"tyre brand 3", with(tyres, 11, "Team #10=3"), "line 12: a tyre brand 0 to 2 for team 11,"},
        {"tyre brand -1", with(tyres, 1, "Team #00=-1"), "line 2"},
        {"gear not a number", with(gears, 2, "Team #01=six"), "line 3"},
        {"tyre without =", with(tyres, 5, "Team #04"), "line 6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            readSectionedPerformanceFile(joined(c.lines), kTxt);
            ADD_FAILURE() << "accepted";
        } catch (const GameFileError& e) {
            EXPECT_EQ(e.file(), kTxt);
            EXPECT_TRUE(e.expected().startsWith(QLatin1String(c.expected)))
                << e.message().toStdString();
        }
    }
}

TEST(KeyedPerformanceFile, Has222CrLfLinesInThirteenSections) {
    EditorModel m = sampleModel();
    m.teams[2].qualifyPower = 32817;  // shown 0
    m.drivers[0].name = QByteArray("Schu\0macher", 11);
    const QList<QByteArray> lines = crlfLines(writeKeyedPerformanceFile(m));
    ASSERT_EQ(lines.size(), 222);
    for (const QByteArray& l : lines) EXPECT_FALSE(l.isEmpty());
    const struct {
        int line;
        QByteArray text;
    } expected[] = {
        {1, "[NBR]"},         {2, "0=1"},       {23, "21=22"},    {24, "[Name]"},
        {25, "0=Schumacher"}, {47, "[QP]"},     {48, "0=1000"},   {70, "[RP]"},
        {71, "0=3000"},       {93, "[QA]"},     {94, "0=2000"},   {116, "[RA]"},
        {117, "0=4000"},      {139, "[TNBR]"},  {140, "22=0"},    {150, "32=10"},
        {151, "[TNAME]"},     {152, "0=Team0"}, {163, "[TENG]"},  {175, "[TQP]"},
        {178, "2=32817"},     {187, "[TRP]"},   {188, "0=33617"}, {199, "[TFAIL]"},
        {211, "[CGEARS]"},    {222, "10=6"},
    };
    for (const auto& e : expected) EXPECT_EQ(lines[e.line - 1], e.text) << "line " << e.line;
}

TEST(KeyedPerformanceFile, RoundTripGivesBackEveryShownValue) {
    EditorModel m = sampleModel();
    m.teams[3].racePower = 0;  // shown -32817
    m.drivers[5].qualifyAbility = 65535;
    const PerformanceFileContent c = readKeyedPerformanceFile(writeKeyedPerformanceFile(m), kG4p);
    EXPECT_TRUE(c.recognised);
    for (int i = 0; i < kTeamCount; ++i) {
        SCOPED_TRACE(i);
        const TeamRecord& t = m.teams[i];
        EXPECT_EQ(c.teams[i].teamName, QString::fromLatin1(t.teamName));
        EXPECT_EQ(c.teams[i].engineName, QString::fromLatin1(t.engineName));
        EXPECT_EQ(c.teams[i].qualifyPower, text(t.qualifyPower - 32817));
        EXPECT_EQ(c.teams[i].racePower, text(t.racePower - 32817));
        EXPECT_EQ(c.teams[i].failureRate, text(t.failureRate));
        EXPECT_EQ(c.teams[i].gearCaption, text(t.gearCount));
        EXPECT_EQ(c.teams[i].gearPosition, t.gearCount);
        EXPECT_FALSE(c.teams[i].tyreBrand) << "the keyed list carries no tyre brands";
    }
    EXPECT_EQ(c.teams[3].racePower, QStringLiteral("-32817"));
    for (int d = 0; d < kDriverCount; ++d) {
        SCOPED_TRACE(d);
        const DriverRecord& r = m.drivers[d];
        EXPECT_EQ(c.drivers[d].number, text(r.number));
        EXPECT_EQ(c.drivers[d].name, QString::fromLatin1(r.name));
        EXPECT_EQ(c.drivers[d].qualifyAbility, text(r.qualifyAbility));
        EXPECT_EQ(c.drivers[d].qualifyVariation, text(r.qualifyVariation));
        EXPECT_EQ(c.drivers[d].raceAbility, text(r.raceAbility));
        EXPECT_EQ(c.drivers[d].raceVariation, text(r.raceVariation));
    }
}

TEST(KeyedPerformanceFile, ReadsByPositionNotByKey) {
    QList<QByteArray> lines = crlfLines(writeKeyedPerformanceFile(sampleModel()));
    lines[0] = "[whatever]";
    lines[1] = "key=9";
    lines[139] = "not an entry";  // inside [TNBR]: never read
    const PerformanceFileContent c = readKeyedPerformanceFile(joined(lines), kG4p);
    EXPECT_EQ(c.drivers[0].number, QStringLiteral("9"));
}

TEST(KeyedPerformanceFileBadInput, IsRefusedWholeWithTheLineNamed) {
    const QList<QByteArray> good = crlfLines(writeKeyedPerformanceFile(sampleModel()));
    for (int n = 0; n < good.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_THROW(readKeyedPerformanceFile(joined(good.mid(0, n)), kG4p), GameFileError);
    }
    const struct {
        int line;  // counted from 1
        QByteArray text;
    } cases[] = {
        {2, "no equals"},                        // a driver number entry
        {152, "Team0"},                          // a team name entry
        {176, "0=fast"},                         // a qualifying power
        {188, "0=99999999999"}, {212, "0=six"},  // a gear count
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        QList<QByteArray> lines = good;
        lines[c.line - 1] = c.text;
        try {
            readKeyedPerformanceFile(joined(lines), kG4p);
            ADD_FAILURE() << "accepted";
        } catch (const GameFileError& e) {
            EXPECT_TRUE(e.expected().startsWith(QStringLiteral("line %1:").arg(c.line)))
                << e.message().toStdString();
        }
    }
}
