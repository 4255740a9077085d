#pragma once

#include <QString>
#include <cstdint>

#include "app/window/FieldRegistry.h"

namespace pw::app {

class ColourSwatch;
class FieldEdit;
class LabelPanel;
class Stepper;

// Typed access to the window's fields by component name, with the number parsing and printing
// every command shares ("." as the decimal separator, whatever the locale).
class WindowFields {
public:
    explicit WindowFields(const FieldRegistry& registry) : registry_(registry) {}

    FieldEdit* edit(const QString& name) const;
    LabelPanel* panel(const QString& name) const;
    ColourSwatch* swatch(const QString& name) const;
    Stepper* stepper(const QString& name) const;

    QString text(const QString& name) const;
    // Setting a text from code raises the field's change reaction, as typing does.
    void setText(const QString& name, const QString& text) const;
    void setNumber(const QString& name, double value) const;

    // The field's text as a whole number / a decimal number; FieldValueError when it is not one.
    int integer(const QString& name) const;
    double number(const QString& name) const;

    // Camera fields by FieldId. 116 and 126 have no box: reading them reads team 0's T-Cam Y and
    // Z fields, writing them does nothing.
    FieldEdit* cameraEdit(int fieldId) const;
    int cameraField(int fieldId) const;
    QString cameraFieldText(int fieldId) const;
    void setCameraField(int fieldId, int value) const;

private:
    const FieldRegistry& registry_;
};

}  // namespace pw::app
