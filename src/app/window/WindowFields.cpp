#include "app/window/WindowFields.h"

#include "app/widgets/ColourSwatch.h"
#include "app/widgets/FieldEdit.h"
#include "app/widgets/LabelPanel.h"
#include "app/widgets/Stepper.h"
#include "app/window/CameraRows.h"
#include "app/window/ComponentNames.h"
#include "app/window/FieldValueError.h"
#include "core/tables/Conversions.h"

namespace pw::app {

FieldEdit* WindowFields::edit(const QString& name) const {
    return registry_.get<FieldEdit>(name);
}
LabelPanel* WindowFields::panel(const QString& name) const {
    return registry_.get<LabelPanel>(name);
}
ColourSwatch* WindowFields::swatch(const QString& name) const {
    return registry_.get<ColourSwatch>(name);
}
Stepper* WindowFields::stepper(const QString& name) const {
    return registry_.get<Stepper>(name);
}

QString WindowFields::text(const QString& name) const {
    if (QWidget* w = registry_.find(name)) {
        if (auto* field = qobject_cast<FieldEdit*>(w)) return field->text();
        if (auto* label = qobject_cast<LabelPanel*>(w)) return label->text();
    }
    throw std::logic_error("no text field named " + name.toStdString());
}

void WindowFields::setText(const QString& name, const QString& text) const {
    QWidget* w = registry_.find(name);
    if (auto* field = qobject_cast<FieldEdit*>(w)) {
        field->setText(text);
        // A text set from code shows from its start, as a typed one does.
        field->setCursorPosition(0);
    } else if (auto* label = qobject_cast<LabelPanel*>(w)) {
        label->setText(text);
    } else {
        throw std::logic_error("no text field named " + name.toStdString());
    }
}

void WindowFields::setNumber(const QString& name, double value) const {
    setText(name, model::formatNumber(value));
}

int WindowFields::integer(const QString& name) const {
    const QString t = text(name);
    const std::optional<int> value = model::parseInteger(t);
    if (!value) throw FieldValueError(name, t, FieldValueError::Kind::Integer);
    return *value;
}

double WindowFields::number(const QString& name) const {
    const QString t = text(name);
    const std::optional<double> value = model::parseNumber(t);
    if (!value) throw FieldValueError(name, t, FieldValueError::Kind::Number);
    return *value;
}

FieldEdit* WindowFields::cameraEdit(int fieldId) const {
    if (fieldId == camrows::kTCamY || fieldId == camrows::kTCamZ) return nullptr;
    return edit(names::cameraField(fieldId));
}

static QString cameraFieldName(int fieldId) {
    if (fieldId == camrows::kTCamY) return names::tcamY(0);
    if (fieldId == camrows::kTCamZ) return names::tcamZ(0);
    return names::cameraField(fieldId);
}

int WindowFields::cameraField(int fieldId) const {
    return integer(cameraFieldName(fieldId));
}

QString WindowFields::cameraFieldText(int fieldId) const {
    return text(cameraFieldName(fieldId));
}

void WindowFields::setCameraField(int fieldId, int value) const {
    if (FieldEdit* field = cameraEdit(fieldId)) {
        field->setText(QString::number(value));
        field->setCursorPosition(0);
    }
}

}  // namespace pw::app
