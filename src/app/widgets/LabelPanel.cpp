#include "app/widgets/LabelPanel.h"

#include <QApplication>
#include <QMouseEvent>

namespace pw::app {

LabelPanel::LabelPanel(const QString& componentName, const QString& caption, QWidget* parent)
    : QLabel(caption, parent) {
    setObjectName(componentName);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAlignment(Qt::AlignCenter);
    setHighlighted(false);
}

QColor LabelPanel::highlightColour() {
    return QApplication::palette().color(QPalette::Button);
}

QColor LabelPanel::normalColour() {
    // Qt has no role for the active window border; this is that colour's common grey.
    return QColor(0xB4, 0xB4, 0xB4);
}

void LabelPanel::setHighlighted(bool on) {
    highlighted_ = on;
    const QColor colour = on ? highlightColour() : normalColour();
    // Setting a palette costs a style pass; a team selection sets 44 panels, most unchanged.
    if (hasColour(colour)) return;
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

bool LabelPanel::hasColour(const QColor& colour) const {
    if (!testAttribute(Qt::WA_SetPalette)) return false;
    const QPalette& p = palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        if (!p.isBrushSet(g, QPalette::Window) || p.color(g, QPalette::Window) != colour)
            return false;
    return true;
}

void LabelPanel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

}  // namespace pw::app
