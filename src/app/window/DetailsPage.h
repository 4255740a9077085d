#pragma once

#include <QWidget>

#include "app/window/FieldRegistry.h"

namespace pw::app {

// "Details": the car and wheel detail levels of every onboard camera. The page is never shown;
// Import All fills its fields and Export All reads them back.
class DetailsPage : public QWidget {
    Q_OBJECT
public:
    DetailsPage(FieldRegistry& registry, QWidget* parent = nullptr);
};

}  // namespace pw::app
