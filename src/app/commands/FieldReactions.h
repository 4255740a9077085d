#pragma once

#include <QString>
#include <functional>

namespace pw::app {

class Editor;

// What the window does when the user types into a field, clicks it or steps it: which preview
// inputs are recomputed, which model values change at once, what gets selected. The reactions
// to typing act only while the model's EditsLive is above 0, so bulk writers (Import All, the
// defaults, team files) fill fields quietly; the team-name reaction alone always runs.
class FieldReactions {
public:
    explicit FieldReactions(Editor& editor) : editor_(editor) {}

    // Connects every field, label, swatch, stepper and button of the window to its reaction.
    void connectAll();

    // The reactions, by the field that raised them.
    void cameraFieldPressed(int fieldId);
    void cameraFieldClicked(int fieldId);
    void cameraFieldChanged(int fieldId);
    enum class TeamPosition { TCam, Helmet, Wheel };
    void teamPositionChanged(TeamPosition kind, int team, const QString& fieldName);
    void cockpitChanged(bool steeringWheel, const QString& fieldName);
    void tyrePositionChanged(const QString& fieldName);
    void colourSwatchClicked(int team);
    void colourSwatchDoubleClicked(int team, bool arm);
    void brandStepped(int team, int position);
    void gearStepped(int team, int position);
    void teamNameChanged(int team, const QString& text);

    // The model's tyre positions from the twelve wheel position fields (no guard).
    void tyrePositionsFromFields();
    // The six "Virtual Cam" fields from the settings.
    void readVirtualCamSettings();

private:
    // Runs a reaction with errors shown in the error box, never thrown into the event loop.
    void guarded(const std::function<void()>& reaction);
    // The guard of the typing reactions: edits are live and the text is neither empty nor "-".
    bool live(const QString& text) const;

    Editor& editor_;
};

}  // namespace pw::app
