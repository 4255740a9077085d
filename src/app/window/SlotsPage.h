#pragma once

#include <QWidget>

#include "app/window/FieldRegistry.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace pw::app {

// "Slots": copying or swapping whole teams between slots, and the car-shape name of each team.
class SlotsPage : public QWidget {
    Q_OBJECT
public:
    SlotsPage(FieldRegistry& registry, QWidget* parent = nullptr);

    QComboBox* operation() const { return operation_; }
    QComboBox* firstTeam() const { return firstTeam_; }
    QComboBox* secondTeam() const { return secondTeam_; }
    QLabel* firstLabel() const { return firstLabel_; }
    QLabel* secondLabel() const { return secondLabel_; }
    QPushButton* applyButton() const { return apply_; }
    QPushButton* defaultButton() const { return default_; }

    // The two labels follow the chosen operation: "from"/"to" for Copy, "between"/"and" for Swap.
    void showOperationLabels(int operation);

private:
    QComboBox* operation_;
    QComboBox* firstTeam_;
    QComboBox* secondTeam_;
    QLabel* firstLabel_;
    QLabel* secondLabel_;
    QPushButton* apply_;
    QPushButton* default_;
};

}  // namespace pw::app
