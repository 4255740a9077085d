#include "WindowValues.h"

#include <gtest/gtest.h>

#include "app/Editor.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/FieldEdit.h"
#include "app/widgets/LabelPanel.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/MainWindow.h"
#include "core/tables/Conversions.h"

namespace pw::test {

namespace names = app::names;

QString shownValue(const app::Editor& editor, const QString& name) {
    QWidget* w = const_cast<app::Editor&>(editor).window().fields().find(name);
    if (auto* field = qobject_cast<app::FieldEdit*>(w)) return field->text();
    if (auto* label = qobject_cast<app::LabelPanel*>(w)) return label->text();
    if (auto* swatch = qobject_cast<app::ColourSwatch*>(w))
        return QString::number(swatch->colourValue(), 16) +
               (swatch->isEnabled() ? QString() : QStringLiteral(" disabled"));
    if (auto* stepper = qobject_cast<app::Stepper*>(w)) return QString::number(stepper->position());
    ADD_FAILURE() << "no field named " << name.toStdString();
    return {};
}

WindowValues windowValues(const app::Editor& editor, const QStringList& names) {
    WindowValues values;
    for (const QString& name : names) values[name] = shownValue(editor, name);
    return values;
}

QStringList teamFileBoxes() {
    QStringList list;
    for (int r = 0; r < model::kCameraCount; ++r)
        for (int f = 0; f < model::kCameraFieldCount; ++f) {
            const int id = model::cameraFieldId(r, model::CameraField(f));
            if (id != 116 && id != 126) list << names::cameraField(id);
        }
    list << names::cameraField(101) << names::cameraField(102);
    for (int t = 0; t < model::kTeamCount; ++t)
        list << names::tcamY(t) << names::tcamZ(t) << names::helmetY(t) << names::helmetZ(t)
             << names::wheelY(t) << names::wheelZ(t) << names::armSwatch(t, 0)
             << names::rimSwatch(t, 0) << names::armSwatch(t, 1) << names::rimSwatch(t, 1)
             << names::brandStepper(t) << names::brandCaption(t) << names::carShapeName(t);
    for (int axis = 0; axis < 3; ++axis)
        list << names::cockpitWheel(axis) << names::cockpitDash(axis);
    for (int n = 1; n <= 12; ++n) list << names::tyrePosition(n);
    return list;
}

QStringList performanceBoxes() {
    QStringList list;
    for (int t = 0; t < model::kTeamCount; ++t)
        list << names::teamName(t) << names::engineName(t) << names::qualifyPower(t)
             << names::racePower(t) << names::failureRate(t) << names::gearCaption(t)
             << names::gearStepper(t) << names::brandStepper(t) << names::brandCaption(t);
    for (int d = 0; d < model::kDriverCount; ++d)
        list << names::driverNumber(d) << names::driverName(d) << names::qualifyAbility(d)
             << names::qualifyVariation(d) << names::raceAbility(d) << names::raceVariation(d);
    return list;
}

QStringList everyValueBox() {
    QStringList list = teamFileBoxes() + performanceBoxes();
    list.removeDuplicates();
    return list;
}

void expectOnlyChanged(const WindowValues& before, const WindowValues& changed,
                       const WindowValues& now) {
    for (const auto& [name, value] : before) {
        const auto c = changed.find(name);
        if (c == changed.end()) {
            EXPECT_EQ(now.at(name), value) << name.toStdString() << " must not change";
        } else {
            EXPECT_NE(value, c->second) << name.toStdString() << " held the new value already";
            EXPECT_EQ(now.at(name), c->second) << name.toStdString();
        }
    }
    for (const auto& [name, value] : changed)
        EXPECT_TRUE(before.count(name)) << name.toStdString() << " is not compared";
}

}  // namespace pw::test
