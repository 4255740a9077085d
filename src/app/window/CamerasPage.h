#pragma once

#include <QWidget>

#include "app/window/FieldRegistry.h"

class QPushButton;

namespace pw::app {

// "Cameras": the position and angles of every onboard camera, the chase cameras and the
// Virtual Cam, one row each; the front/rear switch of the chase cameras and "Default".
class CamerasPage : public QWidget {
    Q_OBJECT
public:
    CamerasPage(FieldRegistry& registry, QWidget* parent = nullptr);

    QPushButton* switchButton() const { return switch_; }
    QPushButton* defaultButton() const { return default_; }

private:
    QPushButton* switch_;
    QPushButton* default_;
};

}  // namespace pw::app
