#include "app/commands/EditState.h"

#include <algorithm>
#include <cstring>

#include "app/Editor.h"
#include "app/commands/SelectionController.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/FieldEdit.h"
#include "app/widgets/LabelPanel.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/MainWindow.h"
#include "core/images/TeamImages.h"
#include "core/location/SettingsStore.h"

namespace pw::app {

namespace {

// Bit for bit: a float the user never touched must come back exactly as it was read.
template <typename T>
bool sameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

template <typename T>
void compareAll(const QVector<T>& before, const QVector<T>& after,
                std::vector<EditStep::Change<T>>& into) {
    for (int i = 0; i < before.size(); ++i)
        if (before[i] != after[i]) into.push_back({i, before[i], after[i]});
}

// Merges the entries of `later` into `into`: an index present in both keeps its first value
// before and takes the later value after; entries back at their start are dropped.
template <typename T>
void absorbAll(std::vector<EditStep::Change<T>>& into,
               const std::vector<EditStep::Change<T>>& later) {
    for (const auto& change : later) {
        auto it = std::find_if(into.begin(), into.end(),
                               [&](const auto& c) { return c.index == change.index; });
        if (it == into.end())
            into.push_back(change);
        else
            it->after = change.after;
    }
    into.erase(
        std::remove_if(into.begin(), into.end(), [](const auto& c) { return c.before == c.after; }),
        into.end());
}

template <typename T>
void absorbOne(std::optional<EditStep::Change<T>>& into,
               const std::optional<EditStep::Change<T>>& later) {
    if (!later) return;
    if (!into)
        into = later;
    else
        into->after = later->after;
    if (sameBits(into->before, into->after)) into.reset();
}

// Exchanges the pictures of two teams; two exchanges of the same teams in a row cancel out, so
// that an undone exchange leaves Export All nothing to copy.
void exchangePictures(model::EditorModel& model, const std::pair<int, int>& teams) {
    images::exchangeTeamImages(model, teams.first, teams.second);
    auto& pending = model.PendingImageSwaps;
    const size_t n = pending.size();
    if (n >= 2 && pending[n - 1] == pending[n - 2]) pending.resize(n - 2);
}

template <typename T>
void putAll(QVector<T>& values, const std::vector<EditStep::Change<T>>& changes, bool undo) {
    for (const auto& change : changes) values[change.index] = undo ? change.before : change.after;
}

}  // namespace

bool EditStep::empty() const {
    return texts.empty() && colours.empty() && positions.empty() && !cockpit && !tyres &&
           shapeNames.empty() && exchangesDropped.empty() && exchangesAdded.empty();
}

void EditStep::absorb(const EditStep& later) {
    absorbAll(texts, later.texts);
    absorbAll(colours, later.colours);
    absorbAll(positions, later.positions);
    absorbOne(cockpit, later.cockpit);
    absorbOne(tyres, later.tyres);
    absorbAll(shapeNames, later.shapeNames);
    // The later step drops from the end of what this one left, then adds.
    size_t drop = later.exchangesDropped.size();
    const size_t fromAdded = std::min(drop, exchangesAdded.size());
    exchangesAdded.resize(exchangesAdded.size() - fromAdded);
    drop -= fromAdded;
    exchangesDropped.insert(exchangesDropped.begin(), later.exchangesDropped.begin(),
                            later.exchangesDropped.begin() + std::ptrdiff_t(drop));
    exchangesAdded.insert(exchangesAdded.end(), later.exchangesAdded.begin(),
                          later.exchangesAdded.end());
}

EditStep difference(const EditSnapshot& before, const EditSnapshot& after) {
    EditStep step;
    compareAll(before.texts, after.texts, step.texts);
    compareAll(before.colours, after.colours, step.colours);
    compareAll(before.positions, after.positions, step.positions);
    if (!sameBits(before.cockpit, after.cockpit))
        step.cockpit = EditStep::Change<model::CockpitPositions>{0, before.cockpit, after.cockpit};
    if (!sameBits(before.tyres, after.tyres))
        step.tyres = EditStep::Change<decltype(before.tyres)>{0, before.tyres, after.tyres};
    for (int t = 0; t < model::kTeamCount; ++t)
        if (before.shapeNames[t] != after.shapeNames[t])
            step.shapeNames.push_back({t, before.shapeNames[t], after.shapeNames[t]});
    const auto& b = before.exchanges;
    const auto& a = after.exchanges;
    const auto common = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
    step.exchangesDropped.assign(common.first, b.end());
    step.exchangesAdded.assign(common.second, a.end());
    return step;
}

EditState::EditState(Editor& editor) : editor_(editor) {
    const FieldRegistry& registry = editor.window().fields();
    QStringList all = registry.names();
    all.sort();
    QStringList captionNames;
    for (int t = 0; t < model::kTeamCount; ++t)
        captionNames << names::brandCaption(t) << names::gearCaption(t);
    for (const QString& name : all) {
        QWidget* widget = registry.find(name);
        if (auto* edit = qobject_cast<FieldEdit*>(widget)) {
            const bool camera = name.startsWith(QLatin1String("LMDEdit"));
            const int fieldId = camera ? name.mid(7).toInt() : 0;
            // The "Virtual Cam" row is a setting of this program, stored when the window closes,
            // never in the game files: its values are no game edit to undo, export or discard.
            if (std::any_of(model::settings::kVirtualCam.begin(),
                            model::settings::kVirtualCam.end(),
                            [fieldId](const auto& value) { return value.fieldId == fieldId; }))
                continue;
            edits_.push_back(edit);
            cameraFieldIds_.push_back(fieldId);
        } else if (auto* swatch = qobject_cast<ColourSwatch*>(widget)) {
            swatches_.push_back(swatch);
            swatchTeams_.push_back(name.mid(7).toInt() % 20);  // "PanelAC" / "PanelRC" + i (+20)
        } else if (auto* stepper = qobject_cast<Stepper*>(widget)) {
            steppers_.push_back(stepper);
        }
    }
    for (const QString& name : captionNames) captions_.push_back(registry.get<LabelPanel>(name));
    for (int i = 0; i < captions_.size(); ++i) cameraFieldIds_.push_back(0);
    teamNames_.fill(false, edits_.size() + captions_.size());
    for (int t = 0; t < model::kTeamCount; ++t) teamNames_[textIndex(names::teamName(t))] = true;
}

QString EditState::textName(int index) const {
    return index < edits_.size() ? edits_[index]->objectName()
                                 : captions_[index - edits_.size()]->objectName();
}

int EditState::textIndex(const QString& name) const {
    for (int i = 0; i < edits_.size(); ++i)
        if (edits_[i]->objectName() == name) return i;
    for (int i = 0; i < captions_.size(); ++i)
        if (captions_[i]->objectName() == name) return int(edits_.size()) + i;
    return -1;
}

EditSnapshot EditState::capture() const {
    EditSnapshot s;
    s.texts.reserve(edits_.size() + captions_.size());
    for (const FieldEdit* edit : edits_) s.texts.push_back(edit->text());
    for (const LabelPanel* caption : captions_) s.texts.push_back(caption->text());
    for (const ColourSwatch* swatch : swatches_) s.colours.push_back(swatch->colourValue());
    for (const Stepper* stepper : steppers_) s.positions.push_back(stepper->position());
    const model::EditorModel& model = editor_.model();
    s.cockpit = model.cockpit;
    s.tyres = model.tyres.wheel;
    for (int t = 0; t < model::kTeamCount; ++t) s.shapeNames[t] = model.teams[t].carShapeName;
    s.exchanges = model.PendingImageSwaps;
    return s;
}

void EditState::setText(int index, const QString& text) const {
    if (index >= edits_.size()) {
        captions_[index - edits_.size()]->setText(text);
        return;
    }
    // A camera box reacts for the row of the box pressed last, so it is "pressed" first: the
    // preview turns to the camera that changes, as when the user edits it.
    if (cameraFieldIds_[index] > 0) editor_.selection().SelectedField = cameraFieldIds_[index];
    editor_.fields().setText(edits_[index]->objectName(), text);
}

void EditState::apply(const EditStep& step, bool undo, const EditSnapshot& from,
                      std::optional<int> showTeam) {
    EditSnapshot target = from;
    putAll(target.texts, step.texts, undo);
    putAll(target.colours, step.colours, undo);
    putAll(target.positions, step.positions, undo);
    if (step.cockpit) target.cockpit = undo ? step.cockpit->before : step.cockpit->after;
    if (step.tyres) target.tyres = undo ? step.tyres->before : step.tyres->after;
    for (const auto& change : step.shapeNames)
        target.shapeNames[change.index] = undo ? change.before : change.after;

    // Texts, team names first: their reaction reads the "Virtual Cam" boxes back from the
    // settings, which a later pass puts right again where the target says otherwise.
    for (int pass = 0; pass < 3; ++pass) {
        bool changed = false;
        for (bool names : {true, false}) {
            for (int i = 0; i < target.texts.size(); ++i) {
                if (teamNames_[i] != names) continue;
                const QString now =
                    i < edits_.size() ? edits_[i]->text() : captions_[i - edits_.size()]->text();
                if (now == target.texts[i]) continue;
                setText(i, target.texts[i]);
                changed = true;
            }
        }
        if (!changed) break;
    }
    bool steppersChanged = false;
    for (int i = 0; i < steppers_.size(); ++i) {
        if (steppers_[i]->position() == target.positions[i]) continue;
        steppers_[i]->setPosition(target.positions[i]);
        steppersChanged = true;
    }
    std::optional<int> colouredTeam;
    for (int i = 0; i < swatches_.size(); ++i) {
        if (swatches_[i]->colourValue() == target.colours[i]) continue;
        swatches_[i]->setColourValue(target.colours[i]);
        colouredTeam = swatchTeams_[i];
    }

    model::EditorModel& model = editor_.model();
    const auto& takeBack = undo ? step.exchangesAdded : step.exchangesDropped;
    const auto& bringBack = undo ? step.exchangesDropped : step.exchangesAdded;
    for (auto it = takeBack.rbegin(); it != takeBack.rend(); ++it) exchangePictures(model, *it);
    for (const auto& exchange : bringBack) exchangePictures(model, exchange);
    // The reactions above rebuilt these from the boxes' rounded texts; the exact values go back.
    model.cockpit = target.cockpit;
    model.tyres.wheel = target.tyres;
    for (int t = 0; t < model::kTeamCount; ++t) model.teams[t].carShapeName = target.shapeNames[t];

    PreviewInputs& preview = editor_.previewInputs();
    if (step.cockpit) preview.dashboardChanged = true;
    if (step.tyres) preview.tyresChanged = true;
    if (showTeam)
        editor_.selector().CarRefresh(*showTeam);
    else if (colouredTeam)
        editor_.selector().CarRefresh(*colouredTeam);
    else if (steppersChanged || !step.exchangesAdded.empty() || !step.exchangesDropped.empty() ||
             !step.shapeNames.empty())
        editor_.selector().CarRefresh(model.SelectedTeam);
    if (!step.shapeNames.empty()) {
        model.currentShapeName = QString::fromLatin1(model.teams[model.SelectedTeam].carShapeName);
        preview.shapeChanged = true;
    }
    editor_.preview().requestRepaint();
}

}  // namespace pw::app
