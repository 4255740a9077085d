#include "app/commands/SelectionController.h"

#include <QPushButton>

#include "app/Editor.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/LabelPanel.h"
#include "app/window/CameraRows.h"
#include "app/window/CamerasPage.h"
#include "app/window/CommandStrip.h"
#include "app/window/ComponentNames.h"
#include "app/window/MainWindow.h"
#include "app/window/QuickCamBar.h"

namespace pw::app {

namespace {
std::array<float, 4> colourFloats(uint32_t bgr) {
    // Divided by 256, not 255: full intensity stays just below 1, as the game's own tools draw it.
    return {float(bgr & 0xFF) / 256.0f, float((bgr >> 8) & 0xFF) / 256.0f,
            float((bgr >> 16) & 0xFF) / 256.0f, 1.0f};
}
}  // namespace

void SelectionController::CarRefresh(int t) {
    model::EditorModel& model = editor_.model();
    const WindowFields& fields = editor_.fields();
    PreviewInputs& preview = editor_.previewInputs();

    editor_.clearStatus();
    model.SelectedTeam = t;
    preview.helmetY = float(fields.number(names::helmetY(t)) / 100);
    preview.helmetZ = float(fields.number(names::helmetZ(t)) / 100);
    preview.wheelY = float(fields.number(names::wheelY(t)) / 200 + model.wheelBaseY);
    preview.wheelZ = float(fields.number(names::wheelZ(t)) / 200 + model.wheelBaseZ);
    preview.tcamY = int16_t(fields.integer(names::tcamY(t)));
    preview.tcamZ = int16_t(fields.integer(names::tcamZ(t)));
    editor_.teamImages().importGPIs(t);
    preview.rimColour = colourFloats(fields.swatch(names::rimSwatch(t, 0))->colourValue());
    preview.armColour = colourFloats(fields.swatch(names::armSwatch(t, 0))->colourValue());
    preview.tyresChanged = true;
    if (editor_.selection().lastShownTeam != t) preview.shapeChanged = true;
    model.currentShapeName = QString::fromLatin1(model.teams[t].carShapeName);
    editor_.selection().lastShownTeam = t;
    HighSelteam();
    editor_.preview().requestRepaint();
}

void SelectionController::HighSelteam() {
    const int selected = editor_.model().SelectedTeam;
    const WindowFields& fields = editor_.fields();
    for (int i = 0; i < model::kTeamCount; ++i) {
        for (const QString& name : {names::teamsCaption(i), names::positionsCaption(i),
                                    names::slotsCaption(i), names::imagesCaption(i)})
            fields.panel(name)->setHighlighted(i == selected);
    }
}

void SelectionController::HighSelCam() {
    model::EditorModel& model = editor_.model();
    if (model.EditsLive <= 0) return;
    model.SelectedCamera = camrows::CameraRow(model.SelectedCamera);
    for (const camrows::Row& row : camrows::kPageRows)
        editor_.fields()
            .panel(names::cameraRowLabel(row.base))
            ->setHighlighted(row.base == model.SelectedCamera);
}

void SelectionController::lightQuickCam(int button) {
    editor_.selection().QuickCamButton = button;
    editor_.window().commandStrip()->quickCams()->light(button);
}

void SelectionController::quickCamPressed(int b) {
    SelectionState& selection = editor_.selection();
    model::EditorModel& model = editor_.model();
    model.SelectedCamera = camrows::rowOfQuickButton(b);
    if (b == 12) selection.ChaseFront = false;
    if (b == 13) selection.ChaseFront = true;
    selection.SelectedField = model.SelectedCamera;
    selection.QuickCamButton = b;
    HighSelCam();
    editor_.preview().requestRepaint();
    lightQuickCam(b);
}

void SelectionController::cameraRowLabelClicked(int row) {
    quickCamPressed(camrows::quickButtonOfRow(row, editor_.selection().ChaseFront));
}

void SelectionController::switchClicked() {
    SelectionState& selection = editor_.selection();
    editor_.model().SelectedCamera = camrows::kChase;
    selection.ChaseFront = !selection.ChaseFront;
    editor_.window().camerasPage()->switchButton()->setText(
        selection.ChaseFront ? QStringLiteral("Front Cam") : QStringLiteral("Rear Cam"));
    lightQuickCam(selection.ChaseFront ? 13 : 12);
    HighSelCam();
    editor_.preview().requestRepaint();
}

}  // namespace pw::app
