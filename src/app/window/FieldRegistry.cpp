#include "app/window/FieldRegistry.h"

namespace pw::app {

void FieldRegistry::add(QWidget* widget) {
    const QString name = widget->objectName();
    if (name.isEmpty() || widgets_.contains(name))
        throw std::logic_error("field name missing or used twice: " + name.toStdString());
    widgets_.insert(name, widget);
}

}  // namespace pw::app
