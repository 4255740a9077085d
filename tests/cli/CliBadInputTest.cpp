#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "CliRun.h"
#include "DemoFolder.h"
#include "GameFileFixtures.h"

using namespace pw;
using namespace pw::test;

namespace {

struct BadInput {
    const char* what;
    // Prepares the case in the game folder and a folder of files; returns the arguments.
    std::function<QStringList(const DemoFolder&, const QTemporaryDir&)> prepare;
    // Texts the one line on stderr must hold.
    QStringList mentions;
};

QString put(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    writeFile(dir.filePath(QLatin1String(name)), bytes);
    return dir.filePath(QLatin1String(name));
}

void truncate(const QString& path, qint64 size) {
    QFile f(path);
    ASSERT_TRUE(f.resize(size));
}

std::vector<BadInput> badInputs() {
    const auto apply = [](const DemoFolder& g, const QString& file) {
        return QStringList{"apply", g.path(), file, "--dry-run"};
    };
    return {
        {"a folder that holds no game",
         [](const DemoFolder&, const QTemporaryDir& d) {
             return QStringList{"dump", d.path()};
         },
         {"holds no game"}},
        {"a damaged executable",
         [](const DemoFolder& g, const QTemporaryDir&) {
             truncate(g.exe(), 4000);
             return QStringList{"dump", g.path()};
         },
         {"GP4.exe"}},
        {"a damaged cars archive",
         [](const DemoFolder& g, const QTemporaryDir&) {
             truncate(g.carsWad(), 100);
             return QStringList{"dump", g.path()};
         },
         {"cars.wad"}},
        {"an own file that cannot be read",
         [apply](const DemoFolder& g, const QTemporaryDir& d) {
             return apply(g, d.filePath("missing.car"));
         },
         {"missing.car"}},
        {"a damaged team file",
         [apply](const DemoFolder& g, const QTemporaryDir& d) {
             // Version 4, all twelve cameras announced, no body.
             return apply(g, put(d, "cut.car", u16le(4) + u16le(0x0FFF) + QByteArray(16, '\0')));
         },
         {"cut.car"}},
        {"a performance file with a gear count that is no number",
         [apply](const DemoFolder& g, const QTemporaryDir& d) {
             return apply(g,
                          put(d, "bad.txt", "[File]\r\nVersion=213\r\n[Gears]\r\nTeam #00=x\r\n"));
         },
         {"bad.txt"}},
        {"JSON that does not parse",
         [apply](const DemoFolder& g, const QTemporaryDir& d) {
             return apply(g, put(d, "bad.json", "{\n  \"teams\": {\n    \"Team 3\" 7\n"));
         },
         {"bad.json:3"}},
        {"an unknown key",
         [apply](const DemoFolder& g, const QTemporaryDir& d) {
             return apply(g, put(d, "bad.json",
                                 "{\n  \"teams\": {\n    \"Team 3\": {\n      \"Gears\": 7\n"
                                 "    }\n  }\n}\n"));
         },
         {"bad.json:4", "teams/Team 3/Gears", "unknown key"}},
        {"an unknown team",
         [apply](const DemoFolder& g, const QTemporaryDir& d) {
             return apply(g, put(d, "bad.json", R"({"teams": {"Team 12": {"Gear": 7}}})"));
         },
         {"bad.json:1", "teams/Team 12/Gear"}},
        {"a value out of its field's range",
         [apply](const DemoFolder& g, const QTemporaryDir& d) {
             return apply(g, put(d, "bad.json", "{\"teams\": {\n\"Team 3\": {\"Gear\": 300}}}"));
         },
         {"bad.json:2", "teams/Team 3/Gear", "outside 0..255"}},
        {"a value of the wrong type",
         [apply](const DemoFolder& g, const QTemporaryDir& d) {
             return apply(g, put(d, "bad.json", R"({"drivers": {"Driver 2": {"Nb": "seven"}}})"));
         },
         {"drivers/Driver 2/Nb", "not a whole number"}},
        {"a brand the team's selector does not offer",
         [apply](const DemoFolder& g, const QTemporaryDir& d) {
             return apply(
                 g, put(d, "bad.json", R"({"teams": {"Team 3": {"Brand Types": "McLaren"}}})"));
         },
         {"teams/Team 3/Brand Types"}},
        {"a name longer than its record",
         [apply](const DemoFolder& g, const QTemporaryDir& d) {
             return apply(g, put(d, "bad.json",
                                 R"({"teams": {"Team 3": {"Team Names": "fourteen chars"}}})"));
         },
         {"teams/Team 3/Team Names", "longer than 13"}},
    };
}

}  // namespace

TEST(CliBadInput, OneLineNamingFileAndKeyStatusTwoAndNoGameFileChanged) {
    for (const BadInput& c : badInputs()) {
        SCOPED_TRACE(c.what);
        DemoFolder game;
        QTemporaryDir dir;
        const QStringList arguments = c.prepare(game, dir);
        const auto before = game.snapshot();
        for (const QStringList& args :
             {arguments, arguments.mid(0, arguments.size() - 1)}) {  // with and without --dry-run
            if (args.front() != "apply" && args.size() < arguments.size()) continue;
            const CliResult r = runCli(args);
            EXPECT_EQ(r.status, 2);
            EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
            ASSERT_EQ(r.errLines().size(), 1) << r.err.toStdString();
            for (const QString& mention : c.mentions)
                EXPECT_TRUE(r.err.contains(mention)) << r.err.toStdString();
        }
        EXPECT_EQ(game.snapshot(), before);
    }
}

TEST(CliBadInput, UnknownCommandsAndOptions) {
    for (const QStringList& args : {QStringList{"frobnicate"}, QStringList{"dump", "--bogus"},
                                    QStringList{"restore"}, QStringList{"apply", "x"}}) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.errLines().size(), 1) << r.err.toStdString();
    }
}
