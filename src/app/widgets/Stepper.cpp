#include "app/widgets/Stepper.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace pw::app {

Stepper::Stepper(const QString& componentName, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), position_(minimum) {
    setObjectName(componentName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setFixedSize(14, 8);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
    // As tall as the row it sits in, so that a page of steppers keeps its rows tight.
    setFixedSize(14, 16);
}

void Stepper::setPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
}

void Stepper::step(int delta) {
    setPosition(position_ + delta);
    emit stepped(position_);
}

}  // namespace pw::app
