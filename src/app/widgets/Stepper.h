#pragma once

#include <QWidget>

class QToolButton;

namespace pw::app {

// An up/down stepper beside a caption panel (tyre brand, gear count). Setting the position from
// code is quiet; only the user's clicks emit stepped().
class Stepper : public QWidget {
    Q_OBJECT
public:
    Stepper(const QString& componentName, int minimum, int maximum, QWidget* parent = nullptr);

    int position() const { return position_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // Clamped to the range.
    void setPosition(int position);

    // What a click on the up (+1) or down (-1) arrow does.
    void step(int delta);

signals:
    void stepped(int position);

private:
    int minimum_;
    int maximum_;
    int position_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace pw::app
