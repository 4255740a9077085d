#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <array>

namespace pw::app {

class Editor;
class FieldEdit;

// Changing values by dragging the mouse. A press on a numeric field and a sideways move change
// that field by one unit per pixel (a camera direction field also changes its pitch with the
// vertical move); a press in the preview and a move move or turn the selected camera. Every value
// goes into its field's text, so the field reactions recompute and repaint as for typing.
class MouseActions : public QObject {
    Q_OBJECT
public:
    explicit MouseActions(Editor& editor);

    // Connects every draggable field and the preview pane.
    void connectAll();

    // The drags by screen positions of the cursor; public so that any view can feed them.
    void cameraFieldPressed(int fieldId, QPoint globalPos,
                            Qt::MouseButton button = Qt::LeftButton);
    void decimalFieldPressed(const QString& fieldName, QPoint globalPos,
                             Qt::MouseButton button = Qt::LeftButton);
    // A field drag acts only while its button is held and no box has come up since the press
    // (a box takes the release); anything else ends it, as does the field losing the focus.
    void fieldMoved(QPoint globalPos, Qt::MouseButtons buttons);
    void fieldReleased();
    void previewPressed(Qt::MouseButton button, QPoint globalPos);
    void previewMoved(QPoint globalPos);
    void previewReleased();

    bool fieldDragActive() const { return fieldDrag_; }
    bool previewDragActive() const { return previewDrag_; }

    // The camera direction fields (rows 1..10, Cockpit, T-Cam): their pitch is field + 10.
    static bool isDirectionField(int fieldId);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeDraggable(FieldEdit* field);
    int previewWidth() const;

    Editor& editor_;

    bool fieldDrag_ = false;
    bool previewDrag_ = false;
    QPoint press_;  // shared by both kinds of drag
    int boxesAtPress_ = 0;  // the editor's box count when the drag began
    bool boxShownSincePress() const;

    // Field drag: a camera field (integer) or a decimal field.
    int cameraField_ = 0;
    int cameraStart_ = 0, pitchStart_ = 0;
    QString decimalField_;  // empty while the drag is a camera field's
    float decimalStart_ = 0;
    Qt::MouseButton fieldButton_ = Qt::NoButton;

    // Preview drag.
    Qt::MouseButton previewButton_ = Qt::NoButton;
    float angleScale_ = 1;  // k: 400 / preview width
    int previewRow_ = 0;
    std::array<int, 5> previewStart_{};  // X, Y, Z, Dir., Pitch
};

}  // namespace pw::app
