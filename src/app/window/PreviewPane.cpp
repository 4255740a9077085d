#include "app/window/PreviewPane.h"

#include <QMouseEvent>
#include <QPainter>

namespace pw::app {

PreviewPane::PreviewPane(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PreviewPane"));
    setFrameShape(QFrame::Box);
    setGeometry(kLeft, kTop, 360, 241);
}

QSize PreviewPane::paneSize(QSize windowSize) {
    int width = windowSize.width() - 354;
    int height = width * 3 / 4;
    if (height > windowSize.height() - 140) {
        height = windowSize.height() - 140;
        width = height * 4 / 3;
    }
    return QSize(width, height);
}

void PreviewPane::setView(QWidget* view) {
    view_ = view;
    view_->setParent(this);
    view_->setGeometry(rect().adjusted(1, 1, -1, -1));
    view_->show();
}

void PreviewPane::requestRepaint() {
    ++repaintRequests_;
    if (view_)
        view_->update();
    else
        update();
}

void PreviewPane::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    if (view_) view_->setGeometry(rect().adjusted(1, 1, -1, -1));
}

void PreviewPane::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (view_) return;
    QPainter painter(this);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), Qt::black);
}

void PreviewPane::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->button(), event->globalPosition().toPoint());
}

void PreviewPane::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->globalPosition().toPoint());
}

void PreviewPane::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->button(), event->globalPosition().toPoint());
}

}  // namespace pw::app
