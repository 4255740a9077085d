#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "CliRun.h"
#include "DemoFolder.h"
#include "GameFileFixtures.h"
#include "core/tables/ExeLayout.h"
#include "core/tables/SaveState.h"

using namespace pw;
using namespace pw::test;
namespace exe = pw::model::exe;

namespace {
QString dumpFile(const QTemporaryDir& dir, const QString& game, const char* name) {
    const CliResult r = runCli({"dump", game});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const QString path = dir.filePath(QLatin1String(name));
    writeFile(path, r.out.toUtf8());
    return path;
}
}  // namespace

TEST(CliDiff, EqualGamesAndDumpsGiveNothingAndStatusZero) {
    QTemporaryDir dir;
    DemoFolder a, b;
    const QString dump = dumpFile(dir, a.path(), "a.json");
    for (const auto& [left, right] :
         {std::pair{a.path(), b.path()}, std::pair{a.path(), dump}, std::pair{dump, b.path()}}) {
        const CliResult r = runCli({"diff", left, right});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
}

TEST(CliDiff, EveryDifferingValueByNameOldToNew) {
    QTemporaryDir dir;
    DemoFolder a, b;
    // b: another driver name, another gear count, a helmet that shows the same but is stored
    // otherwise.
    QByteArray save = readFile(b.saveState());
    poke(save, model::save::kDriverNames + 24 * 3, record("new driver", 24));
    writeFile(b.saveState(), save);
    const exe::Layout& L = exe::layoutFor(0);
    QByteArray bytes = readFile(b.exe());
    poke(bytes, L.performance + exe::kPerfGearCount + 2, u8le(7));
    poke(bytes, L.helmets + 8 * 3 + 4, f32le(-0.2601f));  // shows -26 as the demo's -0.26
    writeFile(b.exe(), bytes);

    const QString dumpA = dumpFile(dir, a.path(), "a.json");
    for (const QString& left : {a.path(), dumpA}) {
        const CliResult r = runCli({"diff", left, b.path()});
        EXPECT_EQ(r.status, 1) << r.err.toStdString();
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 3) << r.out.toStdString();
        EXPECT_TRUE(lines[0].startsWith("positions/Team 4/Helmets Y (stored): -0.25999999"))
            << lines[0].toStdString();
        EXPECT_TRUE(lines[0].contains("\u2192 -0.2601000")) << lines[0].toStdString();
        EXPECT_EQ(lines[1], "teams/Team 3/Gear: 6 \u2192 7");
        EXPECT_TRUE(lines[2].startsWith("drivers/Driver 4/Driver Names: \""));
        EXPECT_TRUE(lines[2].endsWith("\u2192 \"new driver\""));
    }
}

TEST(CliDiff, AnErrorIsStatusTwo) {
    DemoFolder a;
    QTemporaryDir dir;
    for (const QStringList& args :
         {QStringList{"diff", a.path(), dir.filePath("nothing.json")},
          QStringList{"diff", a.path(), dir.path()}, QStringList{"diff", a.path()}}) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.errLines().size(), 1) << r.err.toStdString();
    }
}
