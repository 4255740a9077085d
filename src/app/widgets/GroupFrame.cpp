#include "app/widgets/GroupFrame.h"

#include <QEvent>
#include <QPainter>

namespace pw::app {

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QWidget(parent), title_(title) {
    setAccessibleName(title);
    updateMargins();
}

int GroupFrame::titleHeight() const {
    return title_.isEmpty() ? 0 : fontMetrics().height();
}

void GroupFrame::updateMargins() {
    setContentsMargins(1, titleHeight() + 1, 1, 1);
}

void GroupFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) updateMargins();
    QWidget::changeEvent(event);
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int top = titleHeight();
    if (!title_.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(1, 0, width() - 2, top), Qt::AlignLeft | Qt::AlignVCenter, title_);
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(0, top, width() - 1, height() - top - 1);
}

}  // namespace pw::app
