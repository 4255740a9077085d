#pragma once

#include <QString>
#include <QVector>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "core/tables/EditorModel.h"

namespace pw::app {

class ColourSwatch;
class Editor;
class FieldEdit;
class LabelPanel;
class Stepper;

// Everything an edit can change: the texts of the window's boxes and value captions, the swatch
// colours, the stepper positions, and the model values that no box holds (cockpit floats, tyre
// positions, car-shape names, picture exchanges). Captured whole (a few hundred shared strings),
// compared into the few entries one step changed.
struct EditSnapshot {
    QVector<QString> texts;
    QVector<uint32_t> colours;
    QVector<int> positions;
    model::CockpitPositions cockpit;
    std::array<std::array<float, 3>, model::kWheelCount> tyres{};
    std::array<QByteArray, model::kTeamCount> shapeNames;
    std::vector<std::pair<int, int>> exchanges;
};

// What one step changed: each entry holds the value before and after it.
struct EditStep {
    template <typename T>
    struct Change {
        int index;
        T before;
        T after;
    };
    std::vector<Change<QString>> texts;
    std::vector<Change<uint32_t>> colours;
    std::vector<Change<int>> positions;
    std::optional<Change<model::CockpitPositions>> cockpit;
    std::optional<Change<std::array<std::array<float, 3>, model::kWheelCount>>> tyres;
    std::vector<Change<QByteArray>> shapeNames;
    // Pending picture exchanges: those the step dropped from the end of the list (the defaults
    // forget them all) and those it added, in order. An exchange is its own inverse, so undo
    // and redo exchange pictures again rather than put back a list: an Export All in between
    // has carried out and forgotten the list it found.
    std::vector<std::pair<int, int>> exchangesDropped;
    std::vector<std::pair<int, int>> exchangesAdded;

    bool empty() const;
    // This step followed by `later`, as one step (entries that end where they began drop out).
    void absorb(const EditStep& later);
};

// The step that leads from `before` to `after`.
EditStep difference(const EditSnapshot& before, const EditSnapshot& after);

// The window's value-holding widgets in a fixed order, and the two ways across: capture the
// state, and put a step's values back (or forward) through the window's own change reactions.
class EditState {
public:
    explicit EditState(Editor& editor);

    EditSnapshot capture() const;
    // Puts the window and the model where `step` leaves `from` (undo: where it found it). Field
    // texts go in as typed ones do, so the reactions recompute the preview and the model; the
    // model values no box holds are then set exactly. Errors are thrown to the caller.
    // The reactions select the team of each box they put back. With `showTeam` that team is
    // selected in the end (a step of several teams); without it, the team of the step's boxes.
    void apply(const EditStep& step, bool undo, const EditSnapshot& from,
               std::optional<int> showTeam);

    // The component name of the text at `index` of a snapshot.
    QString textName(int index) const;
    int textIndex(const QString& name) const;
    // The edit boxes; box i is text i of a snapshot.
    const QVector<FieldEdit*>& edits() const { return edits_; }

private:
    void setText(int index, const QString& text) const;

    Editor& editor_;
    QVector<FieldEdit*> edits_;      // texts 0 .. edits_.size() - 1
    QVector<LabelPanel*> captions_;  // the texts after them
    QVector<ColourSwatch*> swatches_;
    QVector<int> swatchTeams_;
    QVector<Stepper*> steppers_;
    QVector<int> cameraFieldIds_;  // per text: its FieldId when a camera box, else 0
    QVector<bool> teamNames_;      // per text: a team-name box
};

}  // namespace pw::app
