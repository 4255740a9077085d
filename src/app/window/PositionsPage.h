#pragma once

#include <QWidget>

#include "app/window/FieldRegistry.h"

class QPushButton;

namespace pw::app {

// "Positions": the cockpit steering wheel and dashboard, the per-team T-Cam, helmet and
// steering-wheel positions, and the four wheel positions of the collision mesh.
class PositionsPage : public QWidget {
    Q_OBJECT
public:
    PositionsPage(FieldRegistry& registry, QWidget* parent = nullptr);

    QPushButton* defaultCockpit() const { return defaultCockpit_; }
    QPushButton* defaultTCam() const { return defaultTCam_; }
    QPushButton* defaultHelmet() const { return defaultHelmet_; }
    QPushButton* defaultWheel() const { return defaultWheel_; }
    QPushButton* defaultTyrePositions() const { return defaultTyrePositions_; }

private:
    QWidget* cockpitGroup(FieldRegistry& registry);
    QWidget* miscGroup(FieldRegistry& registry);
    QWidget* wheelGroup(FieldRegistry& registry);

    QPushButton* defaultCockpit_ = nullptr;
    QPushButton* defaultTCam_ = nullptr;
    QPushButton* defaultHelmet_ = nullptr;
    QPushButton* defaultWheel_ = nullptr;
    QPushButton* defaultTyrePositions_ = nullptr;
};

}  // namespace pw::app
