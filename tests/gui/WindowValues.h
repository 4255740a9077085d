#pragma once

#include <QString>
#include <QStringList>
#include <map>

namespace pw::app {
class Editor;
}

namespace pw::test {

// What the window shows, field by field, for before/after comparisons of the file commands.
using WindowValues = std::map<QString, QString>;

// The value a named field, label, colour swatch or stepper shows, as text (a swatch as its
// window colour in hex, a stepper as its position).
QString shownValue(const app::Editor& editor, const QString& name);
WindowValues windowValues(const app::Editor& editor, const QStringList& names);

// Every box a team file, camera set or tyre set can fill: the camera fields of the twelve records
// (details included) and the chases, each team's T-Cam, helmet and steering wheel, its four colour
// swatches, tyre brand selector and caption and car-shape name, the cockpit steering wheel, the
// dashboard and the wheel positions.
QStringList teamFileBoxes();
// Every box a performance file can fill: team and engine names, powers, failure %, gear caption
// and selector, tyre brand selector and caption, and the six values of each driver.
QStringList performanceBoxes();
// Both lists.
QStringList everyValueBox();

// now must equal before, except for the names in changed, which must hold their given values;
// and each of those must have differed in before, so that the check can see the change.
void expectOnlyChanged(const WindowValues& before, const WindowValues& changed,
                       const WindowValues& now);

}  // namespace pw::test
