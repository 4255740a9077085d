#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <functional>

#include "EditorHarness.h"
#include "GameFileFixtures.h"
#include "app/commands/EditHistory.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/LabelPanel.h"
#include "app/window/ComponentNames.h"
#include "app/window/ImagesPage.h"
#include "app/window/PositionsPage.h"
#include "app/window/SlotsPage.h"
#include "app/window/TeamsPage.h"
#include "app/window/WindowFields.h"
#include "core/ownfiles/TeamFile.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {

QString pictureKey(const QLabel* box) {
    const QImage picture = box->pixmap().toImage();
    return QCryptographicHash::hash(
               QByteArray::fromRawData(reinterpret_cast<const char*>(picture.constBits()),
                                       qsizetype(picture.sizeInBytes())),
               QCryptographicHash::Sha1)
        .toHex();
}

// Undo and redo of a step that changed several teams leave the selection on the team the user
// had selected, and the window and the preview show that team.
class UndoSelection : public testing::Test {
public:  // the step table below drives the fixture
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        h.editor().setTeamImages(nullptr);  // the window's own pictures, shown on the Images page
        h.importAll();
    }
    QUndoStack& stack() { return h.editor().history().stack(); }
    void chooseColour(const QString& swatch, uint32_t colour) {
        h.dialogs.colour = colour;
        QTest::mouseDClick(h.editor().fields().swatch(swatch), Qt::LeftButton);
    }

    // Everything that says which team is selected: the model, the highlighted team labels, what
    // the preview is given and the Images page's names and pictures.
    std::string selectionView() {
        QStringList view{QStringLiteral("team %1").arg(h.model().SelectedTeam)};
        for (int t = 0; t < model::kTeamCount; ++t)
            for (const QString& name : {names::teamsCaption(t), names::positionsCaption(t),
                                        names::slotsCaption(t), names::imagesCaption(t)})
                if (h.editor().fields().panel(name)->isHighlighted()) view << name;
        const app::PreviewInputs& in = h.editor().previewInputs();
        view << QStringLiteral("helmet %1 %2, wheel %3 %4, t-cam %5 %6")
                    .arg(in.helmetY)
                    .arg(in.helmetZ)
                    .arg(in.wheelY)
                    .arg(in.wheelZ)
                    .arg(in.tcamY)
                    .arg(in.tcamZ);
        for (const auto& colour : {in.armColour, in.rimColour})
            view << QStringLiteral("colour %1 %2 %3").arg(colour[0]).arg(colour[1]).arg(colour[2]);
        view << h.model().currentShapeName;
        app::ImagesPage* images = h.window().imagesPage();
        for (int j = 0; j < 2; ++j)
            view << images->driverNameBox(j)->text() << pictureKey(images->driverPicture(j));
        view << pictureKey(images->gridCarPicture());
        return view.join(QLatin1Char('\n')).toStdString();
    }
    // The view must be exactly the one a fresh click on team `team`'s label gives.
    void expectTeamShown(int team, const char* when) {
        const std::string now = selectionView();
        h.click(names::teamsCaption(team));
        EXPECT_EQ(now, selectionView()) << when;
        EXPECT_EQ(h.model().SelectedTeam, team) << when;
    }

    QTemporaryDir dir;
    EditorHarness h;
};

struct SeveralTeamsStep {
    const char* name;
    std::function<void(UndoSelection&)> edit;  // makes the step change something
    std::function<void(UndoSelection&)> act;   // the step
};

}  // namespace

TEST_F(UndoSelection, UndoAndRedoOfAStepOfSeveralTeamsKeepTheSelectedTeam) {
    constexpr int kSelected = 4;  // neither the first team nor the last one a step touches
    // A default step finds everything at its defaults but one team's value: a step that changes
    // a single team's colour is still no step of that team.
    const auto afterDefault = [](void (*act)(UndoSelection&), void (*edit)(UndoSelection&)) {
        return [act, edit](UndoSelection& t) {
            act(t);
            edit(t);
        };
    };
    const auto defaultArms = [](UndoSelection& t) {
        t.h.window().teamsPage()->defaultArms()->click();
    };
    const auto defaultRims = [](UndoSelection& t) {
        t.h.window().teamsPage()->defaultRims()->click();
    };
    const auto defaultAll = [](UndoSelection& t) { t.h.window().defaultAllAction()->trigger(); };
    const auto defaultHelmet = [](UndoSelection& t) {
        t.h.window().positionsPage()->defaultHelmet()->click();
    };
    const std::vector<SeveralTeamsStep> steps = {
        {"Default Arms",
         afterDefault(defaultArms,
                      [](UndoSelection& t) { t.chooseColour(names::armSwatch(9, 0), 0x405060u); }),
         defaultArms},
        {"Default Rims",
         afterDefault(defaultRims,
                      [](UndoSelection& t) { t.chooseColour(names::rimSwatch(9, 0), 0x405060u); }),
         defaultRims},
        {"Default All",
         afterDefault(defaultAll,
                      [](UndoSelection& t) {
                          t.h.setText(names::helmetY(2), "41");
                          t.chooseColour(names::armSwatch(9, 0), 0x708090u);
                      }),
         defaultAll},
        {"Default Helmet",
         afterDefault(defaultHelmet,
                      [](UndoSelection& t) {
                          t.h.setText(names::helmetY(2), "37");
                          t.h.setText(names::helmetZ(9), "-21");
                      }),
         defaultHelmet},
        {"team file",
         [](UndoSelection& t) {
             model::EditorModel m = t.h.model();
             for (model::TeamRecord& team : m.teams) team.helmetY += 3;
             m.teams[9].armColour ^= 0x00102030u;
             files::TeamFileSelection parts;
             parts.helmets = parts.armColours = files::kTeamMaskBits;
             writeFile(t.dir.filePath("teams.car"), files::writeTeamFile(m, {}, parts));
             t.h.dialogs.files.push_back(t.dir.filePath("teams.car"));
         },
         [](UndoSelection& t) { t.h.window().loadTeamAction()->trigger(); }},
        {"swap",
         [](UndoSelection& t) {
             app::SlotsPage* page = t.h.window().slotsPage();
             page->operation()->setCurrentIndex(1);
             page->firstTeam()->setCurrentIndex(2);
             page->secondTeam()->setCurrentIndex(9);
         },
         [](UndoSelection& t) { t.h.window().slotsPage()->applyButton()->click(); }},
    };
    for (const SeveralTeamsStep& step : steps) {
        SCOPED_TRACE(step.name);
        step.edit(*this);
        h.click(names::teamsCaption(kSelected));
        const int index = stack().index();
        step.act(*this);
        ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
        ASSERT_EQ(stack().index(), index + 1)
            << "the step changed nothing: " << h.editor().status().toStdString();
        // The step itself may select a team of its own; the user goes back to theirs.
        h.click(names::teamsCaption(kSelected));

        h.window().undoAction()->trigger();
        expectTeamShown(kSelected, "after undo");
        h.window().redoAction()->trigger();
        expectTeamShown(kSelected, "after redo");
        h.window().undoAction()->trigger();
        EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    }
}
