#include "app/widgets/TeamChooser.h"

namespace pw::app {

QComboBox* makeTeamChooser(const QString& componentName, QWidget* parent) {
    auto* chooser = new QComboBox(parent);
    chooser->setObjectName(componentName);
    for (int i = 1; i <= 11; ++i) chooser->addItem(QStringLiteral("Team %1").arg(i));
    chooser->setCurrentIndex(-1);
    chooser->setFixedSize(70, 20);
    return chooser;
}

}  // namespace pw::app
