#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <map>

#include "EditorHarness.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/ImagesPage.h"
#include "app/window/SlotsPage.h"
#include "app/window/WindowFields.h"
#include "core/bytes/Text.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {

using Values = std::map<std::string, QString>;

constexpr int kCopy = 0;
constexpr int kSwap = 1;

class TeamSlots : public testing::Test {
protected:
    void SetUp() override {
        h.editor().setTeamImages(nullptr);
        h.importAll();
    }
    const app::WindowFields& f() { return h.editor().fields(); }
    app::SlotsPage* page() { return h.window().slotsPage(); }

    // Everything a team takes to another slot, by what it is rather than where it sits.
    Values team(int t) {
        Values v;
        v["shape model"] = QString::fromLatin1(h.model().teams[t].carShapeName);
        v["shape"] = h.text(names::carShapeName(t));
        v["arm"] = QString::number(f().swatch(names::armSwatch(t, 0))->colourValue(), 16);
        v["rim"] = QString::number(f().swatch(names::rimSwatch(t, 0))->colourValue(), 16);
        v["helmetY"] = h.text(names::helmetY(t));
        v["helmetZ"] = h.text(names::helmetZ(t));
        v["wheelY"] = h.text(names::wheelY(t));
        v["wheelZ"] = h.text(names::wheelZ(t));
        v["tcamY"] = h.text(names::tcamY(t));
        v["tcamZ"] = h.text(names::tcamZ(t));
        v["brand"] = QString::number(f().stepper(names::brandStepper(t))->position());
        v["brand label"] = h.text(names::brandCaption(t));
        v["team name"] = h.text(names::teamName(t));
        v["engine name"] = h.text(names::engineName(t));
        v["qualify power"] = h.text(names::qualifyPower(t));
        v["race power"] = h.text(names::racePower(t));
        v["failure"] = h.text(names::failureRate(t));
        v["gear"] = QString::number(f().stepper(names::gearStepper(t))->position());
        v["gear label"] = h.text(names::gearCaption(t));
        for (int k = 0; k < 2; ++k) {
            const int d = 2 * t + k;
            const std::string p = "driver " + std::to_string(k) + " ";
            v[p + "number"] = h.text(names::driverNumber(d));
            v[p + "name"] = h.text(names::driverName(d));
            v[p + "qualify ability"] = h.text(names::qualifyAbility(d));
            v[p + "qualify variation"] = h.text(names::qualifyVariation(d));
            v[p + "race ability"] = h.text(names::raceAbility(d));
            v[p + "race variation"] = h.text(names::raceVariation(d));
        }
        return v;
    }
    std::vector<Values> allTeams() {
        std::vector<Values> all;
        for (int t = 0; t < 11; ++t) all.push_back(team(t));
        return all;
    }
    // What does not move with a team.
    QStringList unmoved() {
        QStringList v;
        for (int t = 0; t < 11; ++t) {
            v << QString::number(f().swatch(names::armSwatch(t, 1))->colourValue());
            v << QString::number(f().swatch(names::rimSwatch(t, 1))->colourValue());
        }
        for (int id : {1, 11, 21, 105, 135, 101, 102}) v << h.text(names::cameraField(id));
        for (int a = 0; a < 3; ++a) v << h.text(names::cockpitWheel(a));
        for (int n = 1; n <= 12; ++n) v << h.text(names::tyrePosition(n));
        return v;
    }
    void apply(int operation, int first, int second) {
        page()->operation()->setCurrentIndex(operation);
        page()->firstTeam()->setCurrentIndex(first);
        page()->secondTeam()->setCurrentIndex(second);
        page()->applyButton()->click();
        ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    }
    static void expectSame(const Values& expected, const Values& actual, const char* what) {
        for (const auto& [key, value] : expected)
            EXPECT_EQ(actual.at(key), value) << what << ": " << key;
    }

    EditorHarness h;
};

}  // namespace

TEST_F(TeamSlots, TheLabelsAgreeWithTheOperationFromTheStart) {
    EXPECT_EQ(page()->operation()->currentText(), "Swap");
    EXPECT_EQ(page()->firstLabel()->text(), "between");
    EXPECT_EQ(page()->secondLabel()->text(), "and");
    page()->operation()->setCurrentIndex(kCopy);
    EXPECT_EQ(page()->firstLabel()->text(), "from");
    EXPECT_EQ(page()->secondLabel()->text(), "to");
    page()->operation()->setCurrentIndex(kSwap);
    EXPECT_EQ(page()->firstLabel()->text(), "between");
}

TEST_F(TeamSlots, CopyPutsEveryItemOfTheFirstTeamOnTheSecond) {
    h.setText(names::helmetY(3), "-40");  // a value no other team has
    const auto before = allTeams();
    const QStringList fixed = unmoved();
    h.editor().setStatus("before");
    apply(kCopy, 3, 6);
    const auto after = allTeams();
    for (int t = 0; t < 11; ++t) {
        SCOPED_TRACE(t);
        expectSame(t == 6 ? before[3] : before[t], after[t], "team");
    }
    EXPECT_EQ(unmoved(), fixed);
    EXPECT_EQ(h.text(names::teamsCaption(6)), "Benetton");  // the team name's captions follow
    EXPECT_EQ(h.model().teams[6].teamName, "benetton");
    EXPECT_EQ(h.model().SelectedTeam, 3);
    EXPECT_TRUE(h.model().PendingImageSwaps.empty());
    EXPECT_EQ(h.editor().status(), "");
    EXPECT_EQ(h.model().EditsLive, 1);
    EXPECT_TRUE(h.editor().previewInputs().shapeChanged);
}

TEST_F(TeamSlots, TheBrandKeepsToTheDestinationsRange) {
    struct Case {
        int operation, first, second;
        int brand;  // the first team's brand before
        int secondPosition;
        const char* secondLabel;
        int firstPosition;  // after a swap
        const char* firstLabel;
    };
    const Case cases[] = {
        {kCopy, 1, 4, 2, 1, "Michelin", 2, "McLaren"},
        {kCopy, 0, 1, 0, 0, "Bridgestone", 0, "Bridgestone"},
        {kCopy, 2, 1, 1, 1, "Michelin", 1, "Michelin"},
        {kSwap, 1, 4, 2, 1, "Michelin", 0, "Bridgestone"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << " -> " << c.second);
        h.importAll();
        ASSERT_EQ(f().stepper(names::brandStepper(c.first))->position(), c.brand);
        apply(c.operation, c.first, c.second);
        EXPECT_EQ(f().stepper(names::brandStepper(c.second))->position(), c.secondPosition);
        EXPECT_EQ(h.text(names::brandCaption(c.second)), c.secondLabel);
        EXPECT_EQ(f().stepper(names::brandStepper(c.first))->position(), c.firstPosition);
        EXPECT_EQ(h.text(names::brandCaption(c.first)), c.firstLabel);
    }
}

TEST_F(TeamSlots, SwapExchangesTeamsDriversAndPictures) {
    const auto before = allTeams();
    const QStringList fixed = unmoved();
    h.click(names::teamsCaption(7));
    apply(kSwap, 0, 2);
    const auto after = allTeams();
    expectSame(before[2], after[0], "first team");
    expectSame(before[0], after[2], "third team");
    for (int t : {1, 3, 4, 5, 6, 7, 8, 9, 10}) expectSame(before[t], after[t], "other team");
    EXPECT_EQ(unmoved(), fixed);
    // Drivers 0, 1 and 4, 5 changed places, numbers and names included.
    EXPECT_EQ(h.text(names::driverNumber(0)), "5");
    EXPECT_EQ(h.text(names::driverNumber(5)), "2");
    EXPECT_EQ(h.text(names::driverName(4)), before[0].at("driver 0 name"));
    // The first team is selected and shows the third team's former values.
    EXPECT_EQ(h.model().SelectedTeam, 0);
    EXPECT_FLOAT_EQ(h.editor().previewInputs().helmetZ, before[2].at("helmetZ").toFloat() / 100);
    EXPECT_EQ(h.model().currentShapeName, before[2].at("shape model"));
    // The pictures went with the team.
    EXPECT_EQ(h.model().PendingImageSwaps, (std::vector<std::pair<int, int>>{{0, 2}}));
    EXPECT_EQ(h.model().teams[0].driverImageNames[0], "72");
    EXPECT_EQ(h.model().teams[2].gridCarImageName, "178");
    EXPECT_EQ(h.window().imagesPage()->driverNameBox(0)->text(),
              model::Mister(before[2].at("driver 0 name")));
}

TEST_F(TeamSlots, ATeamWithItself) {
    const auto before = allTeams();
    apply(kCopy, 5, 5);
    EXPECT_EQ(allTeams(), before);
    EXPECT_TRUE(h.model().PendingImageSwaps.empty());
    apply(kSwap, 5, 5);
    EXPECT_EQ(allTeams(), before);
    EXPECT_EQ(h.model().PendingImageSwaps, (std::vector<std::pair<int, int>>{{5, 5}}));
    EXPECT_EQ(h.model().SelectedTeam, 5);
}

TEST_F(TeamSlots, NothingHappensWithoutBothTeams) {
    const auto before = allTeams();
    h.model().EditsLive = 5;
    page()->operation()->setCurrentIndex(kCopy);
    page()->firstTeam()->setCurrentIndex(2);
    page()->secondTeam()->setCurrentIndex(-1);
    page()->applyButton()->click();
    EXPECT_EQ(allTeams(), before);
    EXPECT_EQ(h.model().EditsLive, 5);
    EXPECT_EQ(h.model().SelectedTeam, 0);
}
