#include "app/widgets/ColourSwatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace pw::app {

ColourSwatch::ColourSwatch(const QString& componentName, QWidget* parent) : QFrame(parent) {
    setObjectName(componentName);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
}

QColor ColourSwatch::toQColor(uint32_t bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

uint32_t ColourSwatch::fromQColor(const QColor& colour) {
    return uint32_t(colour.red()) | (uint32_t(colour.green()) << 8) |
           (uint32_t(colour.blue()) << 16);
}

void ColourSwatch::setColourValue(uint32_t bgr) {
    if (value_ == bgr) return;
    value_ = bgr;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect().adjusted(1, 1, -1, -1);
    painter.fillRect(inner, isEnabled() ? toQColor(value_) : palette().color(QPalette::Window));
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (isEnabled() && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

void ColourSwatch::mouseDoubleClickEvent(QMouseEvent* event) {
    QFrame::mouseDoubleClickEvent(event);
    if (isEnabled() && event->button() == Qt::LeftButton) emit doubleClicked();
}

}  // namespace pw::app
