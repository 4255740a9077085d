#include "app/window/DetailsPage.h"

#include <QVBoxLayout>

#include "app/widgets/FieldEdit.h"
#include "app/widgets/PageKit.h"
#include "app/window/CameraRows.h"
#include "app/window/ComponentNames.h"

namespace pw::app {

DetailsPage::DetailsPage(FieldRegistry& registry, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabDetails"));
    auto* layout = new QVBoxLayout(this);
    QGridLayout* grid = nullptr;
    QWidget* box = kit::group(QString(), this, &grid);
    grid->addWidget(kit::header(QStringLiteral("Car Details"), box), 0, 1, 1, 2);
    grid->addWidget(kit::header(QStringLiteral("Wheels Details"), box), 0, 3, 1, 2);
    for (int c = 0; c < 4; ++c)
        grid->addWidget(
            kit::header(c % 2 == 0 ? QStringLiteral("Rear") : QStringLiteral("Front"), box), 1,
            c + 1);
    int line = 2;
    for (const camrows::Row& row : camrows::kPageRows) {
        if (row.base == camrows::kChase || row.base == camrows::kVirtual) continue;
        grid->addWidget(new QLabel(row.label, box), line, 0);
        for (int c = 0; c < 4; ++c)
            grid->addWidget(
                kit::edit(registry, names::cameraField(row.base + 60 + 10 * c), 40, true, box),
                line, c + 1);
        ++line;
    }
    layout->addWidget(box);
}

}  // namespace pw::app
