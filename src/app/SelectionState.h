#pragma once

#include <optional>

namespace pw::app {

// Which camera field was pressed last, which side the chase camera looks from, which quick-camera
// button is lit and which team the preview holds. The selected team and camera themselves live
// in the EditorModel (SelectedTeam, SelectedCamera) next to EditsLive.
struct SelectionState {
    std::optional<int> SelectedField;  // FieldId; none until a camera field or row is chosen
    bool ChaseFront = false;
    int QuickCamButton = 0;
    std::optional<int> lastShownTeam;  // team whose car shape the preview holds

    // The mouse-drag and the camera-field reactions treat "none" as the Cockpit X field.
    int selectedFieldOrCockpit() const { return SelectedField.value_or(105); }
};

}  // namespace pw::app
