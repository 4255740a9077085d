#pragma once

#include <QWidget>

#include "app/window/FieldRegistry.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pw::app {

// "Images": the selected team's two driver pictures and grid-car picture with the drivers'
// names, and the exchange of pictures between two teams.
class ImagesPage : public QWidget {
    Q_OBJECT
public:
    ImagesPage(FieldRegistry& registry, QWidget* parent = nullptr);

    QLabel* driverPicture(int j) const { return driverPictures_[j]; }
    QLabel* gridCarPicture() const { return gridCar_; }
    QLineEdit* driverNameBox(int j) const { return driverNames_[j]; }
    QComboBox* firstTeam() const { return firstTeam_; }
    QComboBox* secondTeam() const { return secondTeam_; }
    QPushButton* applyButton() const { return apply_; }

private:
    QLabel* driverPictures_[2];
    QLabel* gridCar_;
    QLineEdit* driverNames_[2];
    QComboBox* firstTeam_;
    QComboBox* secondTeam_;
    QPushButton* apply_;
};

}  // namespace pw::app
