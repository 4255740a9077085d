#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <functional>
#include <map>

#include "EditorHarness.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/Stepper.h"
#include "app/window/CamerasPage.h"
#include "app/window/ComponentNames.h"
#include "app/window/DriversPage.h"
#include "app/window/ImagesPage.h"
#include "app/window/PositionsPage.h"
#include "app/window/SlotsPage.h"
#include "app/window/TeamsPage.h"
#include "app/window/WindowFields.h"
#include "core/tables/Defaults.h"
#include "core/tables/ExeTables.h"
#include "core/tables/TyreBrands.h"
#include "core/archive/TyrePositions.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;
namespace dt = pw::model::DefaultTables;

namespace {

using Texts = std::map<QString, QString>;

// The field texts each default command must leave, written out from the default tables.
Texts cameraTexts(uint8_t versionByte) {
    Texts t;
    for (const auto& row : dt::cameraRows(versionByte))
        for (int c = 0; c < dt::kCameraColumnCount; ++c)
            if (row.value[c])
                t[names::cameraField(row.fieldBase + 10 * c)] = QString::number(*row.value[c]);
    t[names::cameraField(101)] = "-768";
    t[names::cameraField(102)] = "192";
    return t;
}
Texts perTeam(const std::function<void(Texts&, int)>& add) {
    Texts t;
    for (int i = 0; i < 11; ++i) add(t, i);
    return t;
}
Texts perDriver(const std::function<void(Texts&, int)>& add) {
    Texts t;
    for (int d = 0; d < 22; ++d) add(t, d);
    return t;
}
Texts tcamTexts() {
    return perTeam([](Texts& t, int i) {
        t[names::tcamY(i)] = QString::number(dt::kTeamPositions[i].tcamY);
        t[names::tcamZ(i)] = QString::number(dt::kTeamPositions[i].tcamZ);
    });
}
Texts helmetTexts() {
    return perTeam([](Texts& t, int i) {
        t[names::helmetY(i)] = QString::number(dt::kTeamPositions[i].helmetY);
        t[names::helmetZ(i)] = QString::number(dt::kTeamPositions[i].helmetZ);
    });
}
Texts wheelTexts() {
    const char* z[] = {"-11", "-4.4", "-9", "-10", "-13", "-4", "-2", "0", "-2", "-11", "-17"};
    return perTeam([&](Texts& t, int i) {
        t[names::wheelY(i)] = QString::number(dt::kTeamPositions[i].wheelY);
        t[names::wheelZ(i)] = z[i];
    });
}
Texts cockpitTexts() {
    const char* texts[] = {"-0.6", "45", "3", "-0.6", "62.5", "13"};
    Texts t;
    for (int a = 0; a < 3; ++a) {
        t[names::cockpitWheel(a)] = texts[a];
        t[names::cockpitDash(a)] = texts[a + 3];
    }
    return t;
}
Texts tyreTexts() {
    const char* texts[] = {"70", "114",  "-23", "-72", "114",  "-23",
                           "70", "-181", "-23", "-71", "-181", "-23"};
    Texts t;
    for (int n = 1; n <= 12; ++n) t[names::tyrePosition(n)] = texts[n - 1];
    return t;
}
Texts brandTexts() {
    return perTeam([](Texts& t, int i) {
        t[names::brandCaption(i)] =
            QLatin1String(model::TyreBrandNames[dt::kTeamColours[i].tyreBrand]);
    });
}
Texts teamNameTexts() {
    return perTeam([](Texts& t, int i) {
        t[names::teamName(i)] = QLatin1String(dt::kTeamData[i].teamName);
        t[names::engineName(i)] = QLatin1String(dt::kTeamData[i].engineName);
    });
}
Texts teamDataTexts() {
    return perTeam([](Texts& t, int i) {
        const auto& d = dt::kTeamData[i];
        t[names::qualifyPower(i)] = QString::number(d.qualifyPower);
        t[names::racePower(i)] = QString::number(d.racePower);
        t[names::failureRate(i)] = QString::number(d.failureRate);
        t[names::gearCaption(i)] = QString::number(d.gearCount);
    });
}
Texts driverNameTexts() {
    return perDriver(
        [](Texts& t, int d) { t[names::driverName(d)] = QLatin1String(dt::kDriverNames[d]); });
}
Texts driverDataTexts() {
    const int numbers[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                           12, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23};
    return perDriver([&](Texts& t, int d) {
        t[names::driverNumber(d)] = QString::number(numbers[d]);
        t[names::qualifyAbility(d)] = t[names::raceAbility(d)] =
            QString::number(dt::kDriverData[d].ability);
        t[names::qualifyVariation(d)] = t[names::raceVariation(d)] =
            QString::number(dt::kDriverData[d].variation);
    });
}
Texts shapeNameTexts() {
    return perTeam([](Texts& t, int i) {
        t[names::carShapeName(i)] = QLatin1String(dt::kTeamData[i].carShapeName);
    });
}
Texts merged(std::initializer_list<Texts> parts) {
    Texts all;
    for (const Texts& p : parts) all.insert(p.begin(), p.end());
    return all;
}

// Puts a value into every field that no default holds, without running any reaction.
void scramble(EditorHarness& h, const Texts& texts) {
    const int live = h.model().EditsLive;
    h.model().EditsLive = 0;
    for (const auto& [name, value] : texts) {
        bool isNumber = false;
        value.toDouble(&isNumber);
        // Team names run their reaction whatever EditsLive says; that is fine here.
        h.editor().fields().setText(name, isNumber ? QStringLiteral("7") : QStringLiteral("zz"));
    }
    h.model().EditsLive = live;
}

void expectTexts(EditorHarness& h, const Texts& texts) {
    for (const auto& [name, value] : texts) EXPECT_EQ(h.text(name), value) << name.toStdString();
}

struct Case {
    const char* name;
    std::function<QPushButton*(app::MainWindow&)> button;
    std::function<Texts(uint8_t)> texts;
    const char* status;  // nullptr: the status line keeps its text
};

const Case kCases[] = {
    {"Cameras", [](app::MainWindow& w) { return w.camerasPage()->defaultButton(); }, cameraTexts,
     "Back to default cameras positions"},
    {"TCam", [](app::MainWindow& w) { return w.positionsPage()->defaultTCam(); },
     [](uint8_t) { return tcamTexts(); }, "Back to default t-cam positions"},
    {"Helmet", [](app::MainWindow& w) { return w.positionsPage()->defaultHelmet(); },
     [](uint8_t) { return helmetTexts(); }, "Back to default helmets positions"},
    {"Wheel", [](app::MainWindow& w) { return w.positionsPage()->defaultWheel(); },
     [](uint8_t) { return wheelTexts(); }, "Back to default external steering wheel positions"},
    {"Cockpit", [](app::MainWindow& w) { return w.positionsPage()->defaultCockpit(); },
     [](uint8_t) { return cockpitTexts(); }, "Back to default cockpit positions"},
    {"TyrePositions", [](app::MainWindow& w) { return w.positionsPage()->defaultTyrePositions(); },
     [](uint8_t) { return tyreTexts(); }, "Default Tyre Positions"},
    {"Arms", [](app::MainWindow& w) { return w.teamsPage()->defaultArms(); },
     [](uint8_t) { return Texts(); }, "Back to default arm colors"},
    {"Rims", [](app::MainWindow& w) { return w.teamsPage()->defaultRims(); },
     [](uint8_t) { return Texts(); }, "Back to default rim colors"},
    {"Brands", [](app::MainWindow& w) { return w.teamsPage()->defaultBrands(); },
     [](uint8_t) { return brandTexts(); }, "Default Tyre brands"},
    {"TeamNames", [](app::MainWindow& w) { return w.teamsPage()->defaultNames(); },
     [](uint8_t) { return teamNameTexts(); }, nullptr},
    {"TeamDatas", [](app::MainWindow& w) { return w.teamsPage()->defaultDatas(); },
     [](uint8_t) { return teamDataTexts(); }, nullptr},
    {"DriverNames", [](app::MainWindow& w) { return w.driversPage()->defaultNames(); },
     [](uint8_t) { return driverNameTexts(); }, nullptr},
    {"DriverDatas", [](app::MainWindow& w) { return w.driversPage()->defaultDatas(); },
     [](uint8_t) { return driverDataTexts(); }, nullptr},
    {"Slots", [](app::MainWindow& w) { return w.slotsPage()->defaultButton(); },
     [](uint8_t) {
         return merged({shapeNameTexts(), tcamTexts(), wheelTexts(), helmetTexts(), brandTexts(),
                        driverNameTexts(), teamNameTexts(), teamDataTexts(), driverDataTexts()});
     },
     "Default Teams Datas"},
};

class DefaultCommand : public testing::TestWithParam<std::tuple<Case, uint8_t>> {
protected:
    const Case& command() const { return std::get<0>(GetParam()); }
    uint8_t versionByte() const { return std::get<1>(GetParam()); }
};

}  // namespace

TEST_P(DefaultCommand, WritesItsFieldsAndItsStatus) {
    HarnessOptions o;
    o.demo.versionByte = versionByte();
    EditorHarness h(o);
    h.editor().setTeamImages(nullptr);
    h.importAll();
    const Texts expected = command().texts(versionByte());
    scramble(h, expected);
    for (int i = 0; i < 11; ++i) {
        h.editor().fields().swatch(names::armSwatch(i, 0))->setColourValue(0x123456);
        h.editor().fields().swatch(names::rimSwatch(i, 0))->setColourValue(0x654321);
    }
    h.editor().setStatus("before");

    command().button(h.window())->click();

    EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    expectTexts(h, expected);
    EXPECT_EQ(h.editor().status(), command().status ? command().status : "before");
    EXPECT_EQ(h.model().EditsLive, 1);
    const std::string which = command().name;
    const bool arms = which == "Arms" || which == "Slots";
    const bool rims = which == "Rims" || which == "Slots";
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(h.editor().fields().swatch(names::armSwatch(i, 0))->colourValue(),
                  arms ? dt::kTeamColours[i].arm : 0x123456u);
        EXPECT_EQ(h.editor().fields().swatch(names::rimSwatch(i, 0))->colourValue(),
                  rims ? dt::kTeamColours[i].rim : 0x654321u);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, DefaultCommand,
                         testing::Combine(testing::ValuesIn(kCases),
                                          testing::Values(uint8_t(0), uint8_t(102))),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == 0 ? "_LayoutA" : "_LayoutB");
                         });

namespace {
class Defaults : public testing::Test {
protected:
    void SetUp() override {
        h.editor().setTeamImages(nullptr);  // the window's own pictures
        h.importAll();
    }
    const app::WindowFields& f() { return h.editor().fields(); }
    EditorHarness h;
};
}  // namespace

TEST_F(Defaults, Camera4ZFollowsTheVersionByte) {
    for (uint16_t version : {0, 102, 1}) {
        h.model().versionByte = version;
        h.setText(names::cameraField(25), "99");
        h.window().camerasPage()->defaultButton()->click();
        EXPECT_EQ(h.text(names::cameraField(25)), version == 0 ? "26" : "-20") << version;
    }
}

TEST_F(Defaults, CamerasKeepTheSelectionAndTheTCamRowKeepsItsTeamFields) {
    h.setText(names::tcamY(0), "5");  // selects the T-Cam row and team 0
    h.click(names::teamsCaption(4));
    h.window().camerasPage()->defaultButton()->click();
    EXPECT_EQ(h.model().SelectedCamera, 106);
    EXPECT_EQ(h.model().SelectedTeam, 4);
    EXPECT_EQ(h.text(names::tcamY(0)), "5");
}

TEST_F(Defaults, PositionCommandsSelectTeamZeroAndRecomputeThePreview) {
    h.click(names::teamsCaption(6));
    h.setText(names::helmetY(0), "40");
    h.click(names::teamsCaption(6));
    h.window().positionsPage()->defaultHelmet()->click();
    EXPECT_EQ(h.model().SelectedTeam, 0);
    EXPECT_FLOAT_EQ(h.editor().previewInputs().helmetY, -0.15f);
    EXPECT_EQ(h.model().SelectedCamera, 105);

    h.click(names::teamsCaption(6));
    h.window().positionsPage()->defaultTCam()->click();
    EXPECT_EQ(h.model().SelectedTeam, 0);
    EXPECT_EQ(h.model().SelectedCamera, 106);
    EXPECT_EQ(h.editor().selection().SelectedField, 106);
    EXPECT_EQ(h.editor().previewInputs().tcamY, -62);
}

TEST_F(Defaults, CockpitSetsTheModelValuesAndTheDashboardFlag) {
    h.setText(names::cockpitWheel(0), "12");
    h.setText(names::cockpitDash(1), "70");
    h.editor().previewInputs().dashboardChanged = false;
    h.window().positionsPage()->defaultCockpit()->click();
    const model::CockpitPositions& c = h.model().cockpit;
    EXPECT_FLOAT_EQ(c.wheelX, -0.006f);
    EXPECT_FLOAT_EQ(c.wheelY, -0.45f);
    EXPECT_FLOAT_EQ(c.wheelZ, 0.03f);
    EXPECT_FLOAT_EQ(c.dashX, -0.006f);
    EXPECT_FLOAT_EQ(c.dashY, -0.005f);
    EXPECT_FLOAT_EQ(c.dashZ, 0.05f);
    EXPECT_TRUE(h.editor().previewInputs().dashboardChanged);
}

TEST_F(Defaults, TyrePositionsReachTheModelAsShownOverAHundred) {
    h.setText(names::tyrePosition(1), "90");
    h.editor().previewInputs().tyresChanged = false;
    h.window().positionsPage()->defaultTyrePositions()->click();
    EXPECT_FLOAT_EQ(h.model().tyres.wheel[0][0], 0.70f);
    EXPECT_FLOAT_EQ(h.model().tyres.wheel[0][2], 1.14f);
    EXPECT_FLOAT_EQ(h.model().tyres.wheel[3][1], -0.23f);
    EXPECT_TRUE(h.editor().previewInputs().tyresChanged);
}

TEST_F(Defaults, BrandsSetTheSteppers) {
    for (int t : {1, 2}) f().stepper(names::brandStepper(t))->setPosition(0);
    h.window().teamsPage()->defaultBrands()->click();
    for (int t = 0; t < 11; ++t)
        EXPECT_EQ(f().stepper(names::brandStepper(t))->position(), dt::kTeamColours[t].tyreBrand);
}

TEST_F(Defaults, TeamNamesPutTheVirtualCamBackAndRenameTheCaptions) {
    h.setText(names::teamName(3), "lotus");
    h.setText(names::cameraField(104), "5");
    h.window().teamsPage()->defaultNames()->click();
    EXPECT_EQ(h.text(names::cameraField(104)), "69");
    EXPECT_EQ(h.text(names::teamsCaption(3)), "Benetton");
    EXPECT_EQ(h.model().teams[3].teamName, "benetton");
}

TEST_F(Defaults, TeamNamesPutTheVirtualCamBackWhenTheNamesStayTheSame) {
    h.window().teamsPage()->defaultNames()->click();  // the names are the defaults now
    h.setText(names::cameraField(104), "5");
    h.setText(names::cameraField(154), "7");
    h.window().teamsPage()->defaultNames()->click();
    EXPECT_EQ(h.text(names::cameraField(104)), "69");
    EXPECT_EQ(h.text(names::cameraField(154)), h.settings().read("Pitwright", "VirtualCamRoll", "0"));
}

TEST_F(Defaults, TeamDataSetsTheGearSteppers) {
    f().stepper(names::gearStepper(0))->setPosition(6);
    h.window().teamsPage()->defaultDatas()->click();
    for (int t = 0; t < 11; ++t)
        EXPECT_EQ(f().stepper(names::gearStepper(t))->position(), dt::kTeamData[t].gearCount);
}

TEST_F(Defaults, DriverDataSkipsNumber13AndSetsTheModelNumbers) {
    h.model().drivers[12].number = 99;
    h.window().driversPage()->defaultDatas()->click();
    for (int d = 0; d < 22; ++d) {
        EXPECT_NE(h.text(names::driverNumber(d)), "13");
        EXPECT_EQ(h.model().drivers[d].number, d < 12 ? d + 1 : d + 2);
    }
}

TEST_F(Defaults, DefaultAllEndsWithTeamZeroTheCockpitAndNoPendingPictures) {
    h.window().imagesPage()->firstTeam()->setCurrentIndex(1);
    h.window().imagesPage()->secondTeam()->setCurrentIndex(2);
    h.window().imagesPage()->applyButton()->click();
    ASSERT_EQ(h.model().PendingImageSwaps.size(), 1u);
    ASSERT_EQ(h.model().teams[1].gridCarImageName, "182");
    h.click(names::teamsCaption(7));
    h.click(names::quickCamButton(4));
    h.setText(names::carShapeName(3), "Other");
    h.setText(names::cameraField(3), "1");
    h.setText(names::tyrePosition(2), "1");
    h.setText(names::cockpitDash(2), "1");
    h.editor().previewInputs().shapeChanged = false;

    h.window().defaultAllAction()->trigger();

    EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_EQ(h.editor().status(), "All parameters have been reset to defaults");
    EXPECT_EQ(h.model().SelectedTeam, 0);
    EXPECT_EQ(h.model().SelectedCamera, 105);
    EXPECT_EQ(h.editor().selection().SelectedField, 105);
    EXPECT_TRUE(h.model().PendingImageSwaps.empty());
    // The picture numbers follow the emptied list, so the window shows what the files hold.
    EXPECT_EQ(h.model().teams[1].gridCarImageName, "179");
    EXPECT_EQ(h.model().teams[3].carShapeName, "Benetton");
    EXPECT_EQ(h.model().currentShapeName, "Ferrari");
    EXPECT_TRUE(h.editor().previewInputs().shapeChanged);
    expectTexts(h, merged({cameraTexts(0), tyreTexts(), cockpitTexts(), shapeNameTexts()}));
}

namespace {
class DefaultsThenExport : public testing::TestWithParam<uint8_t> {};
}  // namespace

// Values typed into a game and exported change its files; "Default All (but images)" and
// "Default Brands" followed by Export All write the default tables' bytes instead. The reference
// is a demo game with the data core's defaults written over it (the demo keeps the game's own
// wheel floats and car-shape name spelling, which the defaults do not).
TEST_P(DefaultsThenExport, WritesTheDefaultTablesBytes) {
    HarnessOptions o;
    o.demo.versionByte = GetParam();
    EditorHarness h(o);
    const DemoFolder reference(o.demo);
    {
        model::EditorModel defaults = demo::demoModel(GetParam());
        model::applyDefaults(defaults, GetParam());
        model::WriteExeTables(reference.exe(), defaults);
        ASSERT_EQ(wad::ReadTyrePositions(reference.carsWad(), defaults), wad::TyreReadResult::Read);
        model::applyDefaults(defaults, GetParam());
        ASSERT_EQ(wad::WriteTyrePositions(reference.carsWad(), defaults),
                  wad::TyreWriteResult::Written);
    }
    h.editor().setTeamImages(nullptr);
    h.importAll();
    const auto original = h.game().snapshot();
    ASSERT_EQ(original.size(), reference.snapshot().size());

    const std::pair<QString, QString> edits[] = {
        {names::cameraField(4), "99"},   {names::cameraField(101), "-700"},
        {names::helmetY(3), "7"},        {names::wheelZ(1), "3.5"},
        {names::tcamZ(9), "60"},         {names::teamName(4), "zzz"},
        {names::engineName(5), "yyy"},   {names::failureRate(5), "1234"},
        {names::qualifyPower(8), "900"}, {names::driverName(7), "someone else"},
        {names::driverNumber(9), "44"},  {names::raceVariation(20), "5"},
        {names::carShapeName(6), "Foo"}, {names::cockpitWheel(0), "1.5"},
        {names::tyrePosition(5), "80"}};
    for (const auto& [name, text] : edits) h.setText(name, text);
    h.editor().fields().swatch(names::armSwatch(2, 0))->setColourValue(0x0000FF);
    h.editor().fields().stepper(names::brandStepper(2))->setPosition(0);
    h.editor().fields().stepper(names::gearStepper(3))->setPosition(7);
    h.editor().fields().setText(names::gearCaption(3), "7");
    h.editor().exportAll();
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    const auto edited = h.game().snapshot();
    for (const char* file : {"GP4.exe", "f1gstate.sav", "cars.wad"})
        EXPECT_NE(edited.at(file), original.at(file)) << file;

    h.window().defaultAllAction()->trigger();
    h.window().teamsPage()->defaultBrands()->click();
    h.editor().exportAll();
    EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_TRUE(h.messages.shown.isEmpty()) << h.messages.shown.join('\n').toStdString();
    const auto written = h.game().snapshot();
    for (const auto& [name, bytes] : reference.snapshot()) {
        const QByteArray& got = written.at(name);
        ASSERT_EQ(got.size(), bytes.size()) << name.toStdString();
        for (qint64 i = 0; i < bytes.size(); ++i)
            if (got[i] != bytes[i]) {
                ADD_FAILURE() << name.toStdString() << " differs first at offset " << i << ": "
                              << bytes.mid(i, 8).toHex().toStdString() << " expected, "
                              << got.mid(i, 8).toHex().toStdString() << " written";
                break;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, DefaultsThenExport, testing::Values(uint8_t(0), uint8_t(102)),
                         [](const auto& info) { return info.param == 0 ? "LayoutA" : "LayoutB"; });
