#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "EditorHarness.h"
#include "FileSizeLimit.h"
#include "GameFileFixtures.h"
#include "WindowValues.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/WindowFields.h"
#include "core/location/SettingsStore.h"
#include "core/tables/TyreBrands.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {

QString setting(EditorHarness& h, const char* key) {
    return h.settings().read(QLatin1String(model::settings::kSection), QLatin1String(key),
                             QStringLiteral("<absent>"));
}

QList<QByteArray> linesOf(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
    return lines;
}

class PerformanceFileCommands : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        h.importAll();
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // Gives every box a performance file carries a value the demo game does not hold.
    WindowValues editEverything() {
        const app::WindowFields& fields = h.editor().fields();
        for (int t = 0; t < model::kTeamCount; ++t) {
            h.setText(names::teamName(t), QStringLiteral("Team %1").arg(char('A' + t)));
            h.setText(names::engineName(t), QStringLiteral("Engine %1").arg(t));
            h.setText(names::qualifyPower(t), QString::number(701 + t));
            h.setText(names::racePower(t), QString::number(-752 - t));
            h.setText(names::failureRate(t), QString::number(31 + t));
            app::Stepper* gears = fields.stepper(names::gearStepper(t));
            gears->step(gears->position() == 7 ? -1 : 1);
            app::Stepper* brand = fields.stepper(names::brandStepper(t));
            brand->step(brand->position() == brand->maximum() ? -1 : 1);
        }
        for (int d = 0; d < model::kDriverCount; ++d) {
            h.setText(names::driverNumber(d), QString::number(40 + d));
            h.setText(names::driverName(d), QStringLiteral("Driver %1").arg(d));
            h.setText(names::qualifyAbility(d), QString::number(1000 + d));
            h.setText(names::qualifyVariation(d), QString::number(200 + d));
            h.setText(names::raceAbility(d), QString::number(3000 + d));
            h.setText(names::raceVariation(d), QString::number(400 + d));
        }
        return windowValues(h.editor(), performanceBoxes());
    }

    void save(const QString& file, int filter) {
        h.dialogs.saves.push_back({file, filter});
        h.window().savePerformanceAction()->trigger();
    }
    void load(const QString& file) {
        h.dialogs.files.push_back(file);
        h.window().loadPerformanceAction()->trigger();
    }
    void expectNoErrors() {
        EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    }

    // Saves the edited values with filter, imports afresh and loads the file back; returns what
    // the performance boxes showed after the fresh import.
    WindowValues roundTrip(const QString& file, int filter) {
        save(file, filter);
        expectNoErrors();
        EXPECT_EQ(h.editor().status(), "Performance Data saved");
        h.importAll();
        const WindowValues before = windowValues(h.editor(), everyValueBox());
        load(file);
        expectNoErrors();
        EXPECT_TRUE(h.messages.shown.isEmpty()) << h.messages.shown.join('\n').toStdString();
        EXPECT_EQ(h.editor().status(), "Performance Datas loaded");
        return before;
    }

    EditorHarness h;
    QTemporaryDir dir;
};

// Of the expected values, those that differ from before (a tyre code or gear count can meet the
// game's own); at least minimum of them.
WindowValues differing(const WindowValues& before, const WindowValues& expected, size_t minimum) {
    WindowValues changed;
    for (const auto& [name, value] : expected)
        if (before.at(name) != value) changed[name] = value;
    EXPECT_GE(changed.size(), minimum);
    return changed;
}

TEST_F(PerformanceFileCommands, SectionedRoundTripExchangesQualifyingAndRaceValues) {
    const WindowValues edited = editEverything();
    const WindowValues before = roundTrip(path("perf.txt"), 1);

    const QByteArray text = readFile(path("perf.txt"));
    EXPECT_EQ(linesOf(text).size(), 97);
    EXPECT_TRUE(text.startsWith("** GP3edit - Performance File **\r\n\r\n[Team #00]\r\n"));

    WindowValues expected;
    for (int t = 0; t < model::kTeamCount; ++t) {
        for (const QString& name : {names::teamName(t), names::engineName(t), names::failureRate(t),
                                    names::gearCaption(t), names::gearStepper(t)})
            expected[name] = edited.at(name);
        // The file holds race first, the reader takes the first value as qualifying.
        expected[names::qualifyPower(t)] = edited.at(names::racePower(t));
        expected[names::racePower(t)] = edited.at(names::qualifyPower(t));
        // Tyre code 1 for Michelin, 0 for any other brand (McLaren comes back as Bridgestone).
        const int brand = edited.at(names::brandStepper(t)) == "1" ? 1 : 0;
        expected[names::brandStepper(t)] = QString::number(brand);
        expected[names::brandCaption(t)] = QLatin1String(model::TyreBrandNames[brand]);
    }
    for (int d = 0; d < model::kDriverCount; ++d) {
        expected[names::driverNumber(d)] = edited.at(names::driverNumber(d));
        expected[names::driverName(d)] = edited.at(names::driverName(d));
        expected[names::qualifyAbility(d)] = edited.at(names::raceAbility(d));
        expected[names::raceAbility(d)] = edited.at(names::qualifyAbility(d));
        expected[names::qualifyVariation(d)] = edited.at(names::raceVariation(d));
        expected[names::raceVariation(d)] = edited.at(names::qualifyVariation(d));
    }
    const WindowValues changed = differing(before, expected, 5 * 11 + 6 * 22);
    expectOnlyChanged(before, changed, windowValues(h.editor(), everyValueBox()));
    EXPECT_EQ(h.model().teams[3].teamName, "Team D");
}

TEST_F(PerformanceFileCommands, KeyedListRoundTripKeepsEveryValueItCarries) {
    const WindowValues edited = editEverything();
    const WindowValues before = roundTrip(path("perf.g4p"), 2);
    EXPECT_EQ(linesOf(readFile(path("perf.g4p"))).size(), 222);

    WindowValues expected = edited;
    for (int t = 0; t < model::kTeamCount; ++t) {  // the keyed list carries no tyre brands
        expected.erase(names::brandStepper(t));
        expected.erase(names::brandCaption(t));
    }
    const WindowValues changed = differing(before, expected, 6 * 11 + 6 * 22);
    expectOnlyChanged(before, changed, windowValues(h.editor(), everyValueBox()));
}

TEST_F(PerformanceFileCommands, ABadOrCutShortFileChangesNothingAndSaysSo) {
    editEverything();
    save(path("good.txt"), 1);
    save(path("good.g4p"), 2);
    const QList<QByteArray> sectioned = linesOf(readFile(path("good.txt")));
    const QList<QByteArray> keyed = linesOf(readFile(path("good.g4p")));
    const auto joined = [](QList<QByteArray> lines, int count) {
        lines = lines.mid(0, count);
        return lines.join('\n') + '\n';
    };
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    QList<QByteArray> badTyre = sectioned;
    badTyre[76] = "Team #03=5\r";
    QList<QByteArray> badPower = keyed;
    badPower[178] = "3=lots\r";  // "[TQP]" entry 3
    QList<QByteArray> noEquals = keyed;
    noEquals[30] = "Driver without equals\r";
    const Case cases[] = {
        {"cut.txt", joined(sectioned, 22)},       // inside team 3's block
        {"cutgears.txt", joined(sectioned, 90)},  // inside "[Gears]"
        {"tyre.txt", joined(badTyre, 97)},       {"cut.g4p", joined(keyed, 150)},
        {"power.g4p", joined(badPower, 222)},    {"equals.G4P", joined(noEquals, 222)},
    };
    h.importAll();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QLatin1String(c.name));
        writeFile(file, c.bytes);
        h.editor().setStatus("before");
        h.messages.errors.clear();
        const WindowValues before = windowValues(h.editor(), everyValueBox());
        load(file);
        ASSERT_EQ(h.messages.errors.size(), 1);
        EXPECT_TRUE(h.messages.errors[0].contains(file)) << h.messages.errors[0].toStdString();
        EXPECT_TRUE(h.messages.errors[0].endsWith("Nothing has been loaded."));
        EXPECT_TRUE(h.messages.shown.isEmpty()) << h.messages.shown.join('\n').toStdString();
        EXPECT_EQ(h.editor().status(), "before");
        expectOnlyChanged(before, {}, windowValues(h.editor(), everyValueBox()));
    }
}

TEST_F(PerformanceFileCommands, OddButReadableFilesLoadWithTheirMessages) {
    editEverything();
    save(path("good.txt"), 1);
    QList<QByteArray> lines = linesOf(readFile(path("good.txt")));
    struct Case {
        const char* name;
        QList<QByteArray> lines;
        const char* message;  // none: the status text
        bool loads;
    };
    QList<QByteArray> otherVersion = lines;
    otherVersion[70] = "Version=212\r";
    QList<QByteArray> noFileSection = lines;
    noFileSection.remove(69, 2);  // "[File]" and its version
    const Case cases[] = {
        {"v212.txt", otherVersion,
         "File version is not 213. Some troubles can happen with this file.", true},
        {"nofile.txt", noFileSection, "This file is not a performance file (or an unknown one :)",
         true},
        {"perf.dat", lines, "This file is not a performance file (or an unknown one :)", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        h.importAll();
        h.messages.shown.clear();
        const WindowValues before = windowValues(h.editor(), performanceBoxes());
        writeFile(path(c.name), c.lines.join('\n') + '\n');
        load(path(c.name));
        expectNoErrors();
        EXPECT_EQ(h.messages.shown, QStringList{QLatin1String(c.message)});
        EXPECT_EQ(setting(h, "LoadPerfsPath"), QDir::toNativeSeparators(path(c.name)));
        const WindowValues now = windowValues(h.editor(), performanceBoxes());
        if (c.loads) {
            EXPECT_EQ(now.at(names::teamName(10)), "Team K");
            EXPECT_EQ(now.at(names::driverName(21)), "Driver 21");
        } else {
            expectOnlyChanged(before, {}, now);
        }
        const bool loadedWithStatus = std::string(c.name) == "v212.txt";
        EXPECT_EQ(h.editor().status(),
                  loadedWithStatus ? "Performance Datas loaded" : "Import Done");
    }
}

TEST_F(PerformanceFileCommands, AFailedSaveSaysSo) {
    for (int filter : {1, 2}) {
        SCOPED_TRACE(filter);
        h.messages.errors.clear();
        save(path("none/perf.txt"), filter);
        ASSERT_EQ(h.messages.errors.size(), 1);
        EXPECT_TRUE(h.messages.errors[0].endsWith(
            "Nothing has been saved: an earlier file of that name is left as it was."));
        EXPECT_FALSE(QFile::exists(path("none/perf.txt")));
        EXPECT_EQ(h.editor().status(), "Import Done");
    }
}

TEST_F(PerformanceFileCommands, ASaveOnAFullDiskLeavesTheEarlierFileWhole) {
    const QByteArray earlier(1500, '\x5a');
    for (int filter : {1, 2}) {
        SCOPED_TRACE(filter);
        const QString file = path(filter == 1 ? "old.txt" : "old.g4p");
        writeFile(file, earlier);
        h.messages.errors.clear();
        {
            FileSizeLimit full(100);
            save(file, filter);
        }
        ASSERT_EQ(h.messages.errors.size(), 1);
        EXPECT_TRUE(h.messages.errors[0].contains(file)) << h.messages.errors[0].toStdString();
        EXPECT_TRUE(h.messages.errors[0].endsWith(
            "Nothing has been saved: an earlier file of that name is left as it was."));
        EXPECT_EQ(readFile(file), earlier);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), filter)
            << "no temporary file left behind";
        EXPECT_EQ(h.editor().status(), "Import Done");
    }
}

TEST_F(PerformanceFileCommands, ABoxThatIsNotANumberStopsTheSaveBeforeAnyWrite) {
    const uint16_t ability = h.model().drivers[0].raceAbility;
    h.setText(names::raceAbility(0), QString::number(ability + 1));
    h.setText(names::qualifyVariation(5), "1..2");
    save(path("never.txt"), 1);
    ASSERT_EQ(h.messages.errors.size(), 1);
    EXPECT_TRUE(h.messages.errors[0].contains("Qualify Var. of driver 6"))
        << h.messages.errors[0].toStdString();
    EXPECT_FALSE(QFile::exists(path("never.txt")));
    EXPECT_EQ(h.model().drivers[0].raceAbility, ability);
    EXPECT_EQ(h.editor().status(), "Import Done");
}

TEST_F(PerformanceFileCommands, DialogsStartFromTheRememberedPaths) {
    const QString here = QDir::toNativeSeparators(QDir::currentPath()) + QDir::separator();
    const QString there = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    load(QString());
    ASSERT_EQ(h.dialogs.requests.size(), 1u);
    EXPECT_EQ(h.dialogs.requests[0].title, "Choose a Performance file");
    EXPECT_EQ(h.dialogs.requests[0].filter,
              "All Performance files (*.g4p,*.txt)|*.g4p;*.txt|GP4Editor Performance file "
              "(*.txt)|*.txt|PerfEditor Performance file (*.g4p)|*.g4p|All (*.*)|*.*");
    EXPECT_EQ(h.dialogs.requests[0].initialFolder, here);
    EXPECT_EQ(h.dialogs.requests[0].initialName, "");
    EXPECT_EQ(setting(h, "LoadPerfsPath"), "<absent>");

    save(QString(), 1);  // cancelled
    h.dialogs.saves.clear();
    ASSERT_EQ(h.dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(h.dialogs.saveRequests[0].title, "Save Performance File to...");
    EXPECT_EQ(h.dialogs.saveRequests[0].filter,
              "GPEdit Performance file (*.txt)|*.txt|PerfEditor Performance file (*.g4p)|*.g4p");
    EXPECT_EQ(h.dialogs.saveRequests[0].defaultSuffix, ".txt");
    EXPECT_EQ(h.dialogs.saveRequests[0].initialFolder, here);
    EXPECT_EQ(h.dialogs.saveRequests[0].initialName, "");
    EXPECT_EQ(h.dialogs.saveRequests[0].filterIndex, 1);
    EXPECT_EQ(setting(h, "SavePerfsPath"), "<absent>");

    save(path("mine.g4p"), 2);
    EXPECT_EQ(setting(h, "SavePerfsPath"), QDir::toNativeSeparators(path("mine.g4p")));
    load(path("mine.g4p"));
    EXPECT_EQ(setting(h, "LoadPerfsPath"), QDir::toNativeSeparators(path("mine.g4p")));
    load(QString());
    EXPECT_EQ(h.dialogs.requests.back().initialFolder, there);
    EXPECT_EQ(h.dialogs.requests.back().initialName, "mine.g4p");
    save(QString(), 1);
    EXPECT_EQ(h.dialogs.saveRequests.back().initialFolder, there);
    EXPECT_EQ(h.dialogs.saveRequests.back().initialName, "mine");
    EXPECT_EQ(h.dialogs.saveRequests.back().filterIndex, 2);
    expectNoErrors();
}

}  // namespace
