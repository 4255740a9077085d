#pragma once

#include <QComboBox>

namespace pw::app {

// A list of the eleven team slots "Team 1".."Team 11" (index 0..10), starting with no entry.
QComboBox* makeTeamChooser(const QString& componentName, QWidget* parent);

}  // namespace pw::app
