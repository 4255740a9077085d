#include "app/window/ImagesPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/widgets/LabelPanel.h"
#include "app/widgets/PageKit.h"
#include "app/widgets/TeamChooser.h"
#include "app/window/ComponentNames.h"

namespace pw::app {

namespace {
QLabel* pictureBox(const QString& name, int width, int height, QWidget* parent) {
    auto* box = new QLabel(parent);
    box->setObjectName(name);
    box->setFixedSize(width, height);
    box->setFrameShape(QFrame::Box);
    box->setScaledContents(true);
    return box;
}
}  // namespace

ImagesPage::ImagesPage(FieldRegistry& registry, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabImages"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);

    QGridLayout* grid = nullptr;
    QWidget* images = kit::group(QStringLiteral("Team Images"), this, &grid);
    auto* teams = new QVBoxLayout;
    teams->setSpacing(1);
    for (int i = 0; i < 11; ++i)
        teams->addWidget(
            kit::panel(registry, names::imagesCaption(i), kit::teamCaptions()[i], 72, images));
    teams->addStretch(1);
    grid->addLayout(teams, 0, 0, 6, 1);
    grid->addWidget(kit::header(QStringLiteral("First Driver"), images), 0, 1);
    grid->addWidget(kit::header(QStringLiteral("Second Driver"), images), 0, 2);
    for (int j = 0; j < 2; ++j) {
        driverPictures_[j] = pictureBox(
            j == 0 ? QStringLiteral("ImageFirstDriver") : QStringLiteral("ImageSecondDriver"), 97,
            97, images);
        grid->addWidget(driverPictures_[j], 1, 1 + j);
        driverNames_[j] = new QLineEdit(images);
        driverNames_[j]->setObjectName(QStringLiteral("EditDriverName%1").arg(j + 1));
        driverNames_[j]->setReadOnly(true);
        driverNames_[j]->setFixedSize(97, kit::kRowHeight + 2);
        grid->addWidget(driverNames_[j], 2, 1 + j);
    }
    grid->addWidget(kit::header(QStringLiteral("Grid Car"), images), 3, 1, 1, 2);
    gridCar_ = pictureBox(QStringLiteral("ImageGridCar"), 200, 49, images);
    // The grid car shows at its own size: a frame would take a pixel off every side.
    gridCar_->setFrameShape(QFrame::NoFrame);
    gridCar_->setScaledContents(false);
    grid->addWidget(gridCar_, 4, 1, 1, 2);
    grid->setRowStretch(5, 1);
    layout->addWidget(images);

    QGridLayout* ops = nullptr;
    QWidget* operations = kit::group(QStringLiteral("Team Images Operations"), this, &ops);
    ops->addWidget(new QLabel(QStringLiteral("Swap Images"), operations), 0, 0);
    ops->addWidget(new QLabel(QStringLiteral("between"), operations), 0, 1);
    firstTeam_ = makeTeamChooser(QStringLiteral("LMDImgTeam1"), operations);
    ops->addWidget(firstTeam_, 0, 2);
    ops->addWidget(new QLabel(QStringLiteral("and"), operations), 0, 3);
    secondTeam_ = makeTeamChooser(QStringLiteral("LMDImgTeam2"), operations);
    ops->addWidget(secondTeam_, 0, 4);
    apply_ = kit::button(QStringLiteral("Apply"), operations, QStringLiteral("LMDButton11"));
    ops->addWidget(apply_, 1, 4, Qt::AlignRight);
    layout->addWidget(operations);
    layout->addStretch(1);
}

}  // namespace pw::app
