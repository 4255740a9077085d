#pragma once

class QWidget;

namespace pw::app {

// Where the page-building helpers hand each named widget they make, so the window can find it
// again by its component name.
class WidgetRegistrar {
public:
    virtual ~WidgetRegistrar() = default;
    // Registers a widget under its objectName.
    virtual void add(QWidget* widget) = 0;
};

}  // namespace pw::app
