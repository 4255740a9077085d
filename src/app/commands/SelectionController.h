#pragma once

namespace pw::app {

class Editor;

// Which team and which camera the preview shows, and the highlights that say so: the selected
// team's row labels, the selected camera's row label and the lit quick-camera button.
class SelectionController {
public:
    explicit SelectionController(Editor& editor) : editor_(editor) {}

    // Selects team t: recomputes the preview inputs from its fields, loads its pictures,
    // highlights its labels and repaints. Stops (leaving what it did) on a field that is not a
    // number, which the caller reports.
    void CarRefresh(int team);
    // Highlights the row labels of the selected team on every page.
    void HighSelteam();
    // While edits are live: settles the selected camera on its row and highlights that row label.
    void HighSelCam();

    // Quick-camera button b (0..14) pressed.
    void quickCamPressed(int button);
    // A camera row label clicked: the same as its quick-camera button.
    void cameraRowLabelClicked(int row);
    // The chase cameras' front/rear switch.
    void switchClicked();

    // Lights button b and makes it the selection's quick-camera button.
    void lightQuickCam(int button);

private:
    Editor& editor_;
};

}  // namespace pw::app
