#pragma once

#include <QWidget>

#include "app/window/FieldRegistry.h"

class QPushButton;

namespace pw::app {

// "Drivers": number, name and the qualifying and race ratings of each of the 22 drivers.
class DriversPage : public QWidget {
    Q_OBJECT
public:
    DriversPage(FieldRegistry& registry, QWidget* parent = nullptr);

    QPushButton* defaultNames() const { return defaultNames_; }
    QPushButton* defaultDatas() const { return defaultDatas_; }

private:
    QPushButton* defaultNames_;
    QPushButton* defaultDatas_;
};

}  // namespace pw::app
