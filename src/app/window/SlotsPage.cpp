#include "app/window/SlotsPage.h"

#include <QComboBox>
#include <QVBoxLayout>

#include "app/widgets/FieldEdit.h"
#include "app/widgets/LabelPanel.h"
#include "app/widgets/PageKit.h"
#include "app/widgets/TeamChooser.h"
#include "app/window/ComponentNames.h"

namespace pw::app {

namespace {
const char* const kOriginalNames[] = {"Ferrari", "Mclaren", "Williams", "Benetton",
                                      "Bar",     "Jordan",  "Arrows",   "Sauber",
                                      "Jaguar",  "Minardi", "Prost"};
}

SlotsPage::SlotsPage(FieldRegistry& registry, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSlots"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);

    QGridLayout* ops = nullptr;
    QWidget* operations =
        kit::group(QStringLiteral("Lensmith Team Datas Operations"), this, &ops);
    operation_ = new QComboBox(operations);
    operation_->setObjectName(QStringLiteral("LMDTeamOp"));
    operation_->addItems({QStringLiteral("Copy"), QStringLiteral("Swap")});
    operation_->setCurrentIndex(1);
    firstLabel_ = new QLabel(operations);
    firstLabel_->setObjectName(QStringLiteral("LabelFrom"));
    secondLabel_ = new QLabel(operations);
    secondLabel_->setObjectName(QStringLiteral("LabelTo"));
    firstTeam_ = makeTeamChooser(QStringLiteral("LMDTeam1"), operations);
    secondTeam_ = makeTeamChooser(QStringLiteral("LMDTeam2"), operations);
    apply_ = kit::button(QStringLiteral("Apply"), operations, QStringLiteral("LMDApply"));
    ops->addWidget(operation_, 0, 0);
    ops->addWidget(firstLabel_, 0, 1);
    ops->addWidget(firstTeam_, 0, 2);
    ops->addWidget(secondLabel_, 0, 3);
    ops->addWidget(secondTeam_, 0, 4);
    ops->addWidget(apply_, 1, 4, Qt::AlignRight);
    showOperationLabels(operation_->currentIndex());
    layout->addWidget(operations);

    QGridLayout* grid = nullptr;
    QWidget* shapes = kit::group(QStringLiteral("Team Carshape Names"), this, &grid);
    grid->addWidget(kit::header(QStringLiteral("Original Names"), shapes), 0, 1);
    grid->addWidget(kit::header(QStringLiteral("Current Names"), shapes), 0, 2);
    for (int i = 0; i < 11; ++i) {
        grid->addWidget(kit::panel(registry, names::slotsTeamLabel(i),
                                   QStringLiteral("Team %1").arg(i + 1), 56, shapes),
                        i + 1, 0);
        grid->addWidget(kit::panel(registry, names::slotsCaption(i), kOriginalNames[i], 80, shapes),
                        i + 1, 1);
        FieldEdit* name = kit::edit(registry, names::carShapeName(i), 150, false, shapes);
        name->setMaxLength(32);
        grid->addWidget(name, i + 1, 2);
    }
    default_ = kit::button(QStringLiteral("Default"), shapes, QStringLiteral("DefaultTeam"));
    grid->addWidget(kit::buttonRow({default_}, shapes), 12, 0, 1, 3);
    layout->addWidget(shapes);
    layout->addStretch(1);
}

void SlotsPage::showOperationLabels(int operation) {
    if (operation == 0) {
        firstLabel_->setText(QStringLiteral("from"));
        secondLabel_->setText(QStringLiteral("to"));
    } else if (operation == 1) {
        firstLabel_->setText(QStringLiteral("between"));
        secondLabel_->setText(QStringLiteral("and"));
    }
}

}  // namespace pw::app
