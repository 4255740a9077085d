#include "app/commands/MouseActions.h"

#include <QMouseEvent>
#include <cmath>
#include <limits>

#include "app/Editor.h"
#include "app/commands/CommandErrors.h"
#include "app/widgets/FieldEdit.h"
#include "app/window/CameraRows.h"
#include "app/window/ComponentNames.h"
#include "app/window/MainWindow.h"
#include "app/window/PreviewPane.h"
#include "core/tables/Conversions.h"

namespace pw::app {

namespace {

constexpr float kAngleScaleWidth = 400.0f;  // a preview this wide turns one degree per pixel
constexpr double kPi = 3.14159265358979323846;

// Truncation toward zero, kept inside the int range (a wild drag must not overflow).
int truncated(double value) {
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    if (!(value > lo)) return std::numeric_limits<int>::min();
    if (!(value < hi)) return std::numeric_limits<int>::max();
    return int(std::trunc(value));
}

// Start value plus the move, rounded to four decimals (halves to even, on the decimal the user
// reads) and written in its shortest form: -0.6 moved 3 pixels gives "2.4".
QString decimalDragText(float start, int pixels) {
    const double value = model::floatToDecimal(start) + pixels;
    const double rounded = model::roundHalfEven(model::asShown(value * 10000.0)) / 10000.0;
    return model::formatNumber(rounded);
}

}  // namespace

MouseActions::MouseActions(Editor& editor) : QObject(&editor), editor_(editor) {}

bool MouseActions::isDirectionField(int fieldId) {
    return (fieldId >= 31 && fieldId <= 40) || fieldId == 135 || fieldId == 136;
}

void MouseActions::makeDraggable(FieldEdit* field) {
    // Every button drags, so the right button must reach the field rather than open a menu.
    field->setContextMenuPolicy(Qt::PreventContextMenu);
    field->installEventFilter(this);
    connect(field, &FieldEdit::moved, this,
            [this](QPoint pos, Qt::MouseButtons buttons) { fieldMoved(pos, buttons); });
    connect(field, &FieldEdit::released, this, [this] { fieldReleased(); });
}

void MouseActions::connectAll() {
    const WindowFields& fields = editor_.fields();
    for (const camrows::Row& row : camrows::kPageRows) {
        for (int id : camrows::pageFieldIds(row)) {
            FieldEdit* field = fields.cameraEdit(id);
            if (!field) continue;  // the T-Cam row has no Y and Z of its own
            makeDraggable(field);
            connect(field, &FieldEdit::pressed, this,
                    [this, id](Qt::MouseButton button, QPoint pos) {
                        cameraFieldPressed(id, pos, button);
                    });
        }
    }
    QStringList decimals;
    for (int t = 0; t < model::kTeamCount; ++t)
        decimals << names::helmetY(t) << names::helmetZ(t) << names::wheelY(t) << names::wheelZ(t)
                 << names::tcamY(t) << names::tcamZ(t);
    for (int n = 1; n <= 12; ++n) decimals << names::tyrePosition(n);
    for (int axis = 0; axis < 3; ++axis)
        decimals << names::cockpitWheel(axis) << names::cockpitDash(axis);
    for (const QString& name : decimals) {
        FieldEdit* field = fields.edit(name);
        makeDraggable(field);
        connect(field, &FieldEdit::pressed, this,
                [this, name](Qt::MouseButton button, QPoint pos) {
                    decimalFieldPressed(name, pos, button);
                });
    }

    PreviewPane* pane = editor_.window().previewPane();
    connect(pane, &PreviewPane::mousePressed, this,
            [this](Qt::MouseButton button, QPoint pos) { previewPressed(button, pos); });
    connect(pane, &PreviewPane::mouseMoved, this, [this](QPoint pos) { previewMoved(pos); });
    connect(pane, &PreviewPane::mouseReleased, this, [this] { previewReleased(); });
}

bool MouseActions::eventFilter(QObject* watched, QEvent* event) {
    // A field that loses the focus (another window, a box) loses its drag with it.
    if (event->type() == QEvent::FocusOut && qobject_cast<FieldEdit*>(watched)) fieldDrag_ = false;
    // A line edit pastes the selection on a middle-button release; after a middle-button drag
    // that would overwrite the dragged value. The release ends the drag and goes no further.
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::MiddleButton) {
            if (auto* field = qobject_cast<FieldEdit*>(watched)) {
                emit field->released(mouse->button(), mouse->globalPosition().toPoint());
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

// ---- Field drags
// ---------------------------------------------------------------------------------

bool MouseActions::boxShownSincePress() const {
    return editor_.boxesShown() != boxesAtPress_;
}

void MouseActions::cameraFieldPressed(int fieldId, QPoint globalPos, Qt::MouseButton button) {
    runGuarded(editor_.messages(), [&] {
        const WindowFields& fields = editor_.fields();
        editor_.selection().SelectedField = fieldId;
        press_ = globalPos;
        // A text that is not a whole number stops here: no drag starts.
        cameraStart_ = fields.cameraField(fieldId);
        if (isDirectionField(fieldId)) pitchStart_ = fields.cameraField(fieldId + 10);
        cameraField_ = fieldId;
        decimalField_.clear();
        fieldButton_ = button;
        boxesAtPress_ = editor_.boxesShown();
        fieldDrag_ = true;
    });
}

void MouseActions::decimalFieldPressed(const QString& fieldName, QPoint globalPos,
                                       Qt::MouseButton button) {
    runGuarded(editor_.messages(), [&] {
        press_ = globalPos;
        decimalStart_ = float(editor_.fields().number(fieldName));
        decimalField_ = fieldName;
        fieldButton_ = button;
        boxesAtPress_ = editor_.boxesShown();
        fieldDrag_ = true;
    });
}

void MouseActions::fieldMoved(QPoint globalPos, Qt::MouseButtons buttons) {
    if (fieldDrag_ && (!(buttons & fieldButton_) || boxShownSincePress())) fieldDrag_ = false;
    if (!fieldDrag_) return;
    const bool ok = runGuarded(editor_.messages(), [&] {
        const WindowFields& fields = editor_.fields();
        const RepaintBatch oneFrame(editor_.preview());
        const int dx = globalPos.x() - press_.x();
        if (!decimalField_.isEmpty()) {
            fields.setText(decimalField_, decimalDragText(decimalStart_, dx));
            return;
        }
        fields.setCameraField(cameraField_, truncated(double(cameraStart_) + dx));
        // Moving up raises the pitch.
        if (isDirectionField(cameraField_))
            fields.setCameraField(cameraField_ + 10,
                                  truncated(double(pitchStart_) - (globalPos.y() - press_.y())));
    });
    // One box per drag, not one per pixel: an error here or in a field's reaction ends it.
    if (!ok || boxShownSincePress()) fieldDrag_ = false;
}

void MouseActions::fieldReleased() {
    fieldDrag_ = false;
}

// ---- Preview drag
// --------------------------------------------------------------------------------

int MouseActions::previewWidth() const {
    const PreviewPane* pane = editor_.window().previewPane();
    return pane->view() ? pane->view()->width() : pane->width();
}

void MouseActions::previewPressed(Qt::MouseButton button, QPoint globalPos) {
    runGuarded(editor_.messages(), [&] {
        press_ = globalPos;
        angleScale_ = kAngleScaleWidth / float(std::max(1, previewWidth()));
        SelectionState& selection = editor_.selection();
        if (!selection.SelectedField) selection.SelectedField = camrows::kCockpit;
        const int row = camrows::CameraRow(*selection.SelectedField);
        editor_.model().SelectedCamera = row;
        // The chase cameras have no position of their own to move.
        if (row == camrows::kChase) return;
        previewButton_ = button;
        std::array<int, 5> start{};
        // The T-Cam row's Y and Z come from the field lookup (team 0's T-Cam fields).
        for (int i = 0; i < 5; ++i) start[i] = editor_.fields().cameraField(row + 10 * i);
        previewStart_ = start;
        previewRow_ = row;
        boxesAtPress_ = editor_.boxesShown();
        previewDrag_ = true;
    });
}

void MouseActions::previewMoved(QPoint globalPos) {
    if (previewDrag_ && boxShownSincePress()) previewDrag_ = false;
    if (!previewDrag_) return;
    const bool ok = runGuarded(editor_.messages(), [&] {
        const WindowFields& fields = editor_.fields();
        const RepaintBatch oneFrame(editor_.preview());
        const int base = previewRow_;
        const double dx = globalPos.x() - press_.x();
        const double dy = press_.y() - globalPos.y();  // positive when the mouse moved up
        // The farther the camera sits, the faster it moves.
        const double s = std::abs(fields.cameraField(base + 20) / 400.0) + 1;
        const auto& [x0, y0, z0, d0, p0] = previewStart_;
        // Writes aimed at the T-Cam row's Y and Z go nowhere: there are no such fields.
        switch (previewButton_) {
            case Qt::LeftButton: {
                const float a = float(fields.cameraField(base + 30) * kPi / 180.0);
                const double sinA = std::sin(double(a)), cosA = std::cos(double(a));
                fields.setCameraField(base + 10, truncated((sinA * dx - cosA * dy) * s + y0));
                fields.setCameraField(base, truncated((-sinA * dy - cosA * dx) * s + x0));
                break;
            }
            case Qt::RightButton:
                fields.setCameraField(base + 20, truncated(dy * s + z0));
                break;
            case Qt::MiddleButton:
                fields.setCameraField(base + 30, truncated(dx * double(angleScale_) + d0));
                fields.setCameraField(base + 40, truncated(dy * double(angleScale_) + p0));
                break;
            default:
                break;
        }
    });
    if (!ok || boxShownSincePress()) previewDrag_ = false;
}

void MouseActions::previewReleased() {
    previewDrag_ = false;
}

}  // namespace pw::app
