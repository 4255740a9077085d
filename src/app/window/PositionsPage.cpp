#include "app/window/PositionsPage.h"

#include <QPainter>
#include <QVBoxLayout>

#include "app/widgets/FieldEdit.h"
#include "app/widgets/LabelPanel.h"
#include "app/widgets/PageKit.h"
#include "app/window/ComponentNames.h"

namespace pw::app {

namespace {

constexpr int kFieldWidth = 34;

// A top view of a car with its four wheels, to show which block of fields is which wheel.
QPixmap carSketch() {
    QPixmap pixmap(44, 84);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(200, 40, 40));
    p.drawRoundedRect(QRectF(15, 4, 14, 76), 6, 6);  // body, nose at the top
    p.drawRect(QRectF(8, 4, 28, 5));                 // front wing
    p.drawRect(QRectF(10, 72, 24, 7));               // rear wing
    p.setBrush(QColor(30, 30, 30));
    for (QRectF wheel : {QRectF(3, 14, 9, 16), QRectF(32, 14, 9, 16), QRectF(2, 54, 10, 18),
                         QRectF(32, 54, 10, 18)})
        p.drawRoundedRect(wheel, 2, 2);
    return pixmap;
}

}  // namespace

PositionsPage::PositionsPage(FieldRegistry& registry, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabPositions"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(cockpitGroup(registry));
    layout->addWidget(miscGroup(registry));
    layout->addWidget(wheelGroup(registry));
    layout->addStretch(1);
}

QWidget* PositionsPage::cockpitGroup(FieldRegistry& registry) {
    QGridLayout* grid = nullptr;
    QWidget* box = kit::group(QStringLiteral("Cockpit Positions"), this, &grid);
    const char* axes[] = {"X", "Y", "Z"};
    for (int a = 0; a < 3; ++a) grid->addWidget(kit::header(axes[a], box), 0, a + 1);
    grid->addWidget(new QLabel(QStringLiteral("Steering Wheel"), box), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Dash Boards"), box), 2, 0);
    for (int a = 0; a < 3; ++a) {
        grid->addWidget(kit::edit(registry, names::cockpitWheel(a), kFieldWidth, true, box), 1,
                        a + 1);
        grid->addWidget(kit::edit(registry, names::cockpitDash(a), kFieldWidth, true, box), 2,
                        a + 1);
    }
    defaultCockpit_ =
        kit::button(QStringLiteral("Default Cockpit"), box, QStringLiteral("DefaultCockpit"));
    grid->addWidget(kit::buttonRow({defaultCockpit_}, box), 3, 0, 1, 5);
    grid->setColumnStretch(4, 1);
    return box;
}

QWidget* PositionsPage::miscGroup(FieldRegistry& registry) {
    QGridLayout* grid = nullptr;
    QWidget* box = kit::group(QStringLiteral("Misc. Positions"), this, &grid);
    const char* pairs[] = {"T-Cam", "Helmets", "St. Wheel"};
    for (int g = 0; g < 3; ++g) {
        grid->addWidget(kit::header(pairs[g], box), 0, 1 + 2 * g, 1, 2);
        grid->addWidget(kit::header(QStringLiteral("Y"), box), 1, 1 + 2 * g);
        grid->addWidget(kit::header(QStringLiteral("Z"), box), 1, 2 + 2 * g);
    }
    for (int i = 0; i < 11; ++i) {
        const int line = i + 2;
        grid->addWidget(
            kit::panel(registry, names::positionsCaption(i), kit::teamCaptions()[i], 60, box), line,
            0);
        const QString fields[] = {names::tcamY(i),   names::tcamZ(i),  names::helmetY(i),
                                  names::helmetZ(i), names::wheelY(i), names::wheelZ(i)};
        for (int c = 0; c < 6; ++c)
            grid->addWidget(kit::edit(registry, fields[c], kFieldWidth, true, box), line, c + 1);
    }
    defaultTCam_ = kit::button(QStringLiteral("Default T-Cam"), box, QStringLiteral("DefaultTcam"));
    defaultHelmet_ =
        kit::button(QStringLiteral("Default Helmet"), box, QStringLiteral("DefaultHelmet"));
    defaultWheel_ =
        kit::button(QStringLiteral("Default Wheel"), box, QStringLiteral("DefaultExtSW"));
    grid->addWidget(kit::buttonRow({defaultTCam_, defaultHelmet_, defaultWheel_}, box), 13, 0, 1,
                    7);
    return box;
}

QWidget* PositionsPage::wheelGroup(FieldRegistry& registry) {
    QGridLayout* grid = nullptr;
    QWidget* box = kit::group(QStringLiteral("Wheel Positions"), this, &grid);
    const char* axes[] = {"X", "Y", "Z"};
    // Wheels 2 and 4 on the left, 1 and 3 on the right; 1 and 2 are the front wheels (top row).
    auto addWheel = [&](int wheel, int line, int column) {
        for (int a = 0; a < 3; ++a) {
            grid->addWidget(kit::header(axes[a], box), line, column + a);
            grid->addWidget(
                kit::edit(registry, names::tyrePosition(3 * wheel - 2 + a), 32, true, box),
                line + 1, column + a);
        }
    };
    addWheel(2, 0, 0);
    addWheel(4, 2, 0);
    addWheel(1, 0, 4);
    addWheel(3, 2, 4);
    auto* picture = new QLabel(box);
    picture->setObjectName(QStringLiteral("ImageWheelPositions"));
    picture->setPixmap(carSketch());
    picture->setAlignment(Qt::AlignCenter);
    grid->addWidget(picture, 0, 3, 4, 1);
    defaultTyrePositions_ =
        kit::button(QStringLiteral("Default"), box, QStringLiteral("DefaultTP"));
    grid->addWidget(kit::buttonRow({defaultTyrePositions_}, box), 4, 0, 1, 8);
    grid->setColumnStretch(7, 1);
    return box;
}

}  // namespace pw::app
