// The team-bound steps of the chase view on a real OpenGL context, each beside a floor doing the
// same drawing in the same run: a drag step of a helmet field against one bare repaint of the
// view, and a change of team (a click on a team's caption, which reloads the car shape) against
// the bare reload of the same two shapes in turn, with the demo bodies and with 20,000-triangle
// bodies.
#include <benchmark/benchmark.h>

#include "GlBenchEditor.h"
#include "app/commands/MouseActions.h"
#include "app/widgets/LabelPanel.h"
#include "app/window/CameraRows.h"
#include "app/window/ComponentNames.h"
#include "app/window/WindowFields.h"

namespace pw::bench {

namespace camrows = pw::app::camrows;
namespace names = pw::app::names;

namespace {

// Two teams given the 20,000-triangle bodies for the large team change.
constexpr int kBigTeams[2] = {9, 10};
const QByteArray kBigShapeNames[2] = {"benchbig_a", "benchbig_b"};
// The two teams of the demo-body team change.
constexpr int kTeams[2] = {1, 2};

void selectTeam(int team) {
    emit editor->editor->fields().panel(names::teamsCaption(team))->clicked();
}

// Team 0 selected again and painted: the other benchmarks draw its car, not a large body.
class TeamZeroAfterwards {
public:
    TeamZeroAfterwards() = default;
    ~TeamZeroAfterwards() {
        selectTeam(0);
        editor->finish();
    }
    TeamZeroAfterwards(const TeamZeroAfterwards&) = delete;
    TeamZeroAfterwards& operator=(const TeamZeroAfterwards&) = delete;
};

void helmetDrag(benchmark::State& state) {
    selectTeam(0);
    editor->select(camrows::kChase);
    app::MouseActions& mouse = editor->editor->mouse();
    dragSteps(
        state, [&](QPoint p) { mouse.decimalFieldPressed(names::helmetY(0), p); },
        [&](QPoint p) { mouse.fieldMoved(p, Qt::LeftButton); }, [&] { mouse.fieldReleased(); });
}

// Gives the big teams the 20,000-triangle bodies for the lifetime of the object.
class BigBodies {
public:
    explicit BigBodies(bool on) : on_(on) {
        if (!on_) return;
        for (int i = 0; i < 2; ++i) {
            QByteArray& name = editor->editor->model().teams[kBigTeams[i]].carShapeName;
            kept_[i] = name;
            name = kBigShapeNames[i];
        }
    }
    ~BigBodies() {
        if (on_)
            for (int i = 0; i < 2; ++i)
                editor->editor->model().teams[kBigTeams[i]].carShapeName = kept_[i];
    }
    BigBodies(const BigBodies&) = delete;
    BigBodies& operator=(const BigBodies&) = delete;

private:
    bool on_;
    QByteArray kept_[2];
};

// Each step clicks the caption of the other team.
void teamChange(benchmark::State& state, bool big) {
    const TeamZeroAfterwards teamZero;
    const BigBodies bodies(big);
    const int* teams = big ? kBigTeams : kTeams;
    selectTeam(teams[0]);
    editor->select(camrows::kChase);
    int i = 0;
    for (auto _ : state) {
        selectTeam(teams[++i % 2]);
        editor->finish();
    }
}

// The same two shapes loaded in turn and drawn, without any selection work.
void shapeReload(benchmark::State& state, bool big) {
    const TeamZeroAfterwards teamZero;
    const BigBodies bodies(big);
    const int* teams = big ? kBigTeams : kTeams;
    selectTeam(teams[0]);
    editor->select(camrows::kChase);
    model::EditorModel& model = editor->editor->model();
    int i = 0;
    for (auto _ : state) {
        model.currentShapeName = QString::fromLatin1(model.teams[teams[++i % 2]].carShapeName);
        editor->editor->previewInputs().shapeChanged = true;
        editor->binding->requestRepaint();
        editor->finish();
    }
}

}  // namespace

std::vector<wad::WadFileEntry> teamBenchmarkEntries() {
    std::vector<wad::WadFileEntry> entries;
    const QByteArray body = shapeOf(20000);
    for (const QByteArray& name : kBigShapeNames)
        entries.push_back({"cars\\" + name + "\\car_" + name + "_car1_lod_0.gp4", body});
    return entries;
}

void registerTeamBenchmarks() {
    using benchmark::RegisterBenchmark;
    RegisterBenchmark("repaint_chase", [](benchmark::State& s) {
        selectTeam(0);  // the helmet drag's team
        frame(s, camrows::kChase);
    })->Unit(benchmark::kMicrosecond);
    RegisterBenchmark("helmet_drag_chase@repaint_chase", helmetDrag)->Unit(benchmark::kMicrosecond);
    for (bool big : {false, true}) {
        const std::string suffix = big ? "_20000" : "";
        RegisterBenchmark(("team_change_chase" + suffix + "@reload_shape_chase" + suffix).c_str(),
                          [big](benchmark::State& s) { teamChange(s, big); })
            ->Unit(benchmark::kMicrosecond);
        RegisterBenchmark(("reload_shape_chase" + suffix).c_str(), [big](benchmark::State& s) {
            shapeReload(s, big);
        })->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace pw::bench
