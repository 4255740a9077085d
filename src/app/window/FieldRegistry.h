#pragma once

#include <QHash>
#include <QString>
#include <QWidget>
#include <stdexcept>

#include "app/widgets/WidgetRegistrar.h"

namespace pw::app {

// Every named field and label of the window, found by its component name. Pages register their
// widgets as they build them; commands look them up by the name patterns of ComponentNames.h.
class FieldRegistry : public WidgetRegistrar {
public:
    // Registers a widget under its objectName; a name can be registered only once.
    void add(QWidget* widget) override;

    QWidget* find(const QString& name) const { return widgets_.value(name, nullptr); }
    bool contains(const QString& name) const { return widgets_.contains(name); }

    // The widget of that name as type T; a missing name or another type is a programming fault.
    template <typename T>
    T* get(const QString& name) const {
        T* widget = qobject_cast<T*>(find(name));
        if (!widget) throw std::logic_error("no field named " + name.toStdString());
        return widget;
    }

    int size() const { return int(widgets_.size()); }
    QList<QString> names() const { return widgets_.keys(); }

private:
    QHash<QString, QWidget*> widgets_;
};

}  // namespace pw::app
