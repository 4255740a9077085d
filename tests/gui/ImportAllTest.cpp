#include <gtest/gtest.h>

#include "EditorHarness.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/WindowFields.h"
#include "core/tables/Defaults.h"
#include "core/bytes/Text.h"
#include "core/tables/TyreBrands.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;
namespace dt = pw::model::DefaultTables;

namespace {

class ImportAll : public testing::TestWithParam<uint8_t> {
protected:
    HarnessOptions options() const {
        HarnessOptions o;
        o.demo.versionByte = GetParam();
        return o;
    }
};

}  // namespace

TEST_P(ImportAll, FillsEveryFieldWithTheGameValues) {
    EditorHarness h(options());
    h.importAll();
    EXPECT_TRUE(h.messages.shown.isEmpty()) << h.messages.shown.join('\n').toStdString();

    // Cameras, by the rows of the default table the demo game was made from.
    for (const auto& row : dt::cameraRows(GetParam())) {
        for (int c = 0; c < dt::kCameraColumnCount; ++c) {
            if (!row.value[c]) continue;
            // The Virtual Cam row comes from the settings, here still at their defaults.
            const int id = row.fieldBase + 10 * c;
            EXPECT_EQ(h.text(names::cameraField(id)), QString::number(*row.value[c])) << id;
        }
    }
    EXPECT_EQ(h.text(names::cameraField(5 + 20)), GetParam() == 0 ? "26" : "-20");  // Camera 4 Z
    EXPECT_EQ(h.text(names::cameraField(101)), "-768");
    EXPECT_EQ(h.text(names::cameraField(102)), "192");
    // Details page: the demo's detail levels.
    for (int base : {105, 106, 1, 2, 10}) {
        EXPECT_EQ(h.text(names::cameraField(base + 60)), "2");
        EXPECT_EQ(h.text(names::cameraField(base + 90)), "1");
    }
    EXPECT_EQ(h.text(names::cameraField(103)), "Positions Tab");

    // Cockpit positions.
    const char* cockpit[] = {"-0.6", "45", "3", "-0.6", "62.5", "13"};
    for (int a = 0; a < 3; ++a) {
        EXPECT_EQ(h.text(names::cockpitWheel(a)), cockpit[a]);
        EXPECT_EQ(h.text(names::cockpitDash(a)), cockpit[a + 3]);
    }
    // Wheel positions.
    for (int w = 0; w < 4; ++w)
        for (int a = 0; a < 3; ++a)
            EXPECT_EQ(h.text(names::tyrePosition(3 * w + 1 + a)),
                      QString::number(dt::kTyreShown[w][a]));

    const QStringList teamCaptions = {"Ferrari", "Mclaren", "Williams", "Benetton",
                                      "Bar",     "Jordan",  "Arrows",   "Sauber",
                                      "Jaguar",  "Minardi", "Prost"};
    const app::WindowFields& f = h.editor().fields();
    for (int t = 0; t < 11; ++t) {
        SCOPED_TRACE(t);
        const auto& pos = dt::kTeamPositions[t];
        EXPECT_EQ(h.text(names::tcamY(t)), QString::number(pos.tcamY));
        EXPECT_EQ(h.text(names::tcamZ(t)), QString::number(pos.tcamZ));
        EXPECT_EQ(h.text(names::helmetY(t)), QString::number(pos.helmetY));
        EXPECT_EQ(h.text(names::helmetZ(t)), QString::number(pos.helmetZ));
        EXPECT_EQ(h.text(names::wheelY(t)), QString::number(pos.wheelY));
        EXPECT_EQ(h.text(names::wheelZ(t)), QString::number(pos.wheelZ));  // -4.4, not -4.40000009
        EXPECT_EQ(f.swatch(names::armSwatch(t, 0))->colourValue(), dt::kTeamColours[t].arm);
        EXPECT_EQ(f.swatch(names::rimSwatch(t, 0))->colourValue(), dt::kTeamColours[t].rim);
        EXPECT_FALSE(f.swatch(names::armSwatch(t, 1))->isEnabled());
        EXPECT_FALSE(f.swatch(names::rimSwatch(t, 1))->isEnabled());
        EXPECT_TRUE(f.swatch(names::armSwatch(t, 0))->isEnabled());
        const int brand = dt::kTeamColours[t].tyreBrand;
        EXPECT_EQ(f.stepper(names::brandStepper(t))->position(), brand);
        EXPECT_EQ(h.text(names::brandCaption(t)), QLatin1String(model::TyreBrandNames[brand]));
        const auto& data = dt::kTeamData[t];
        EXPECT_EQ(h.text(names::teamName(t)), QLatin1String(data.teamName));
        EXPECT_EQ(h.text(names::engineName(t)), QLatin1String(data.engineName));
        EXPECT_EQ(h.text(names::qualifyPower(t)), QString::number(data.qualifyPower));
        EXPECT_EQ(h.text(names::racePower(t)), QString::number(data.racePower));
        EXPECT_EQ(h.text(names::failureRate(t)), QString::number(data.failureRate));
        EXPECT_EQ(h.text(names::gearCaption(t)), QString::number(data.gearCount));
        EXPECT_EQ(f.stepper(names::gearStepper(t))->position(), data.gearCount);
        EXPECT_EQ(h.text(names::carShapeName(t)), teamCaptions[t]);
        const QString caption = model::Mister(QLatin1String(data.teamName));
        for (const QString& name :
             {names::teamsCaption(t), names::positionsCaption(t), names::imagesCaption(t)})
            EXPECT_EQ(h.text(name), caption) << name.toStdString();
    }
    EXPECT_EQ(h.text(names::teamsCaption(1)), "Mclaren");
    for (int d = 0; d < 22; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(h.text(names::driverNumber(d)), QString::number(dt::driverNumber(d)));
        EXPECT_EQ(h.text(names::driverName(d)), QLatin1String(dt::kDriverNames[d]));
        EXPECT_EQ(h.text(names::qualifyAbility(d)), QString::number(dt::kDriverData[d].ability));
        EXPECT_EQ(h.text(names::raceAbility(d)), QString::number(dt::kDriverData[d].ability));
        EXPECT_EQ(h.text(names::qualifyVariation(d)),
                  QString::number(dt::kDriverData[d].variation));
        EXPECT_EQ(h.text(names::raceVariation(d)), QString::number(dt::kDriverData[d].variation));
    }
}

TEST_P(ImportAll, EndsWithTheCockpitCameraAndTeamZeroSelected) {
    EditorHarness h(options());
    h.importAll();
    EXPECT_EQ(h.model().EditsLive, 1);
    EXPECT_EQ(h.model().SelectedCamera, 105);
    EXPECT_EQ(h.model().SelectedTeam, 0);
    EXPECT_EQ(h.window().windowTitle().remove("[*]"), "Pitwright 2.4");
    EXPECT_EQ(h.images.resets, 1);
    EXPECT_FALSE(h.images.loaded.empty());
    EXPECT_EQ(h.images.loaded.back(), 0);
    EXPECT_EQ(h.model().currentShapeName, "Ferrari");
    EXPECT_TRUE(h.editor().previewInputs().shapeChanged);
    // Team 0's helmet -15, 1 and T-Cam -62, 63 reach the preview.
    EXPECT_FLOAT_EQ(h.editor().previewInputs().helmetY, -0.15f);
    EXPECT_FLOAT_EQ(h.editor().previewInputs().helmetZ, 0.01f);
    EXPECT_EQ(h.editor().previewInputs().tcamY, -62);
    EXPECT_EQ(h.editor().previewInputs().tcamZ, 63);
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, ImportAll, testing::Values(uint8_t(0), uint8_t(102)),
                         [](const auto& info) { return info.param == 0 ? "LayoutA" : "LayoutB"; });
