#include <gtest/gtest.h>

#include <QFileInfo>

#include "DemoFolder.h"
#include "core/images/TeamPictures.h"
#include "core/tables/Defaults.h"
#include "core/tables/ExeTables.h"
#include "core/tables/SaveState.h"
#include "core/bytes/Text.h"
#include "core/archive/CarShape.h"
#include "core/archive/TyrePositions.h"
#include "core/archive/WadArchive.h"

using namespace pw;

namespace {

// Everything Import All takes from the game's files, read with the data core's readers.
model::EditorModel readGame(const test::DemoFolder& game) {
    model::EditorModel m;
    model::ReadExeTables(game.exe(), m);
    EXPECT_EQ(wad::ReadTyrePositions(game.carsWad(), m), wad::TyreReadResult::Read);
    const auto brands = model::ReadTyreBrands(game.saveState(), game.exe(), m);
    EXPECT_TRUE(brands.saveStateFound);
    EXPECT_EQ(brands.brandWord, model::BrandWordStatus::Done);
    EXPECT_EQ(model::ReadSaveStateTables(game.saveState(), game.exe(), m), model::SaveStateStatus::Done);
    EXPECT_EQ(model::GetNames(game.exe(), m), model::ShapeNamesStatus::Done);
    return m;
}

void writeGame(const test::DemoFolder& game, const model::EditorModel& m) {
    model::WriteExeTables(game.exe(), m);
    EXPECT_EQ(wad::WriteTyrePositions(game.carsWad(), m), wad::TyreWriteResult::Written);
    model::WriteTyreBrands(game.saveState(), game.exe(), m);
    model::WriteSaveStateTables(game.saveState(), game.exe(), m);
}

class DemoGame : public ::testing::TestWithParam<uint8_t> {};

}  // namespace

TEST_P(DemoGame, ReadsBackAsTheDefaultTables) {
    const test::DemoFolder game({GetParam()});
    const model::EditorModel m = readGame(game);
    const model::EditorModel expected = demo::demoModel(GetParam());

    EXPECT_EQ(m.versionByte, GetParam());
    for (int t = 0; t < model::kTeamCount; ++t) {
        SCOPED_TRACE(t);
        const auto& a = m.teams[size_t(t)];
        const auto& e = expected.teams[size_t(t)];
        EXPECT_EQ(a.armColour, e.armColour);
        EXPECT_EQ(a.rimColour, e.rimColour);
        EXPECT_EQ(a.helmetY, e.helmetY);
        EXPECT_EQ(a.wheelZ, e.wheelZ);
        EXPECT_EQ(a.tcamY, e.tcamY);
        EXPECT_EQ(a.tcamZ, e.tcamZ);
        EXPECT_EQ(a.carShapeName, e.carShapeName);
        EXPECT_EQ(model::StripNul(a.teamName), e.teamName);
        EXPECT_EQ(model::StripNul(a.engineName), e.engineName);
        EXPECT_EQ(a.qualifyPower, e.qualifyPower);
        EXPECT_EQ(a.racePower, e.racePower);
        EXPECT_EQ(a.failureRate, e.failureRate);
        EXPECT_EQ(a.gearCount, e.gearCount);
        EXPECT_EQ(a.tyreBrand, e.tyreBrand);
    }
    for (int d = 0; d < model::kDriverCount; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(m.drivers[size_t(d)].number, expected.drivers[size_t(d)].number);
        EXPECT_EQ(model::StripNul(m.drivers[size_t(d)].name), expected.drivers[size_t(d)].name);
        EXPECT_EQ(m.drivers[size_t(d)].raceVariation, expected.drivers[size_t(d)].raceVariation);
    }
    for (int c = 0; c < model::kCameraCount; ++c)
        EXPECT_EQ(m.cameras[size_t(c)].field, expected.cameras[size_t(c)].field) << "camera " << c;
    EXPECT_EQ(m.chaseY, expected.chaseY);
    EXPECT_EQ(m.chaseZ, expected.chaseZ);
    EXPECT_EQ(m.cockpit.dashY, expected.cockpit.dashY);
    EXPECT_EQ(m.tyres.wheel, model::DefaultTables::kTyreFloats);
    EXPECT_EQ(m.mclarenBrandWord, expected.mclarenBrandWord);
}

TEST_P(DemoGame, ReadingAndWritingWithoutEditsLeavesEveryFileAsItWas) {
    const test::DemoFolder game({GetParam()});
    const auto before = game.snapshot();
    writeGame(game, readGame(game));
    const auto after = game.snapshot();
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, bytes] : before) EXPECT_TRUE(after.at(name) == bytes) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, DemoGame, ::testing::Values(uint8_t(0), uint8_t(102)),
                         [](const auto& info) { return info.param == 102 ? "LayoutB" : "LayoutA"; });

TEST(DemoGameFolder, HoldsEveryTeamPictureAndACollisionMeshThatIsNotTheFirstEntry) {
    const test::DemoFolder game;
    for (const auto& numbers : images::kInitialPictureNumbers) {
        for (const char* n : numbers.drivers)
            EXPECT_EQ(QFileInfo(game.file(QStringLiteral("MenuData/PC/GP2001/images/%1.gpi").arg(QLatin1String(n)))).size(),
                      images::kDriverPictureBytes);
        EXPECT_EQ(QFileInfo(game.file(QStringLiteral("MenuData/PC/GP2001/images/%1.gpi").arg(QLatin1String(numbers.gridCar)))).size(),
                  images::kGridCarBytes);
    }
    EXPECT_TRUE(wad::IsCarsArchive(game.carsWad()));
    auto archive = wad::WadArchive::OpenArchive(game.carsWad());
    ASSERT_TRUE(archive);
    const auto first = archive->FindEntry(QStringLiteral("readme.txt"));
    const auto mesh = archive->FindFirstCollisionMesh();
    ASSERT_TRUE(first && mesh);
    EXPECT_GT(*mesh, first->offset);

    // The shapes the preview asks for: dashboard, cockpit and every team's body.
    QStringList names{QStringLiteral("cockpit_dash.gp4"), QStringLiteral("car_cockpit_00.gp4")};
    for (const auto& team : demo::demoModel(0).teams)
        names << QStringLiteral("car_%1_car1_lod_0.gp4").arg(QString::fromLatin1(team.carShapeName));
    for (const QString& name : names) {
        const auto entry = archive->FindEntry(name);
        ASSERT_TRUE(entry) << name.toStdString();
        model::ByteReader reader(archive->file().read(entry->offset, entry->length, "a shape"), name);
        EXPECT_NO_THROW(wad::parseCarShape(reader)) << name.toStdString();
    }
}
