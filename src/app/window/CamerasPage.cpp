#include "app/window/CamerasPage.h"

#include <QVBoxLayout>

#include "app/widgets/FieldEdit.h"
#include "app/widgets/LabelPanel.h"
#include "app/widgets/PageKit.h"
#include "app/window/CameraRows.h"
#include "app/window/ComponentNames.h"

namespace pw::app {

namespace {
constexpr int kLabelWidth = 96;
constexpr int kFieldWidth = 34;
const char* const kColumns[] = {"X", "Y", "Z", "Dir.", "Pitch", "Roll"};
}  // namespace

CamerasPage::CamerasPage(FieldRegistry& registry, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabCameras"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    QGridLayout* grid = nullptr;
    QWidget* box = kit::group(QStringLiteral("Camera Positions"), this, &grid);
    for (int c = 0; c < 6; ++c) grid->addWidget(kit::header(kColumns[c], box), 0, c + 1);

    int line = 1;
    for (const camrows::Row& row : camrows::kPageRows) {
        grid->addWidget(
            kit::panel(registry, names::cameraRowLabel(row.base), row.label, kLabelWidth, box),
            line, 0);
        if (row.base == camrows::kChase) {
            grid->addWidget(kit::edit(registry, names::cameraField(101), kFieldWidth, true, box),
                            line, 2);
            grid->addWidget(kit::edit(registry, names::cameraField(102), kFieldWidth, true, box),
                            line, 3);
            switch_ = kit::button(QStringLiteral("Rear Cam"), box, QStringLiteral("Switch"));
            switch_->setFixedHeight(kit::kRowHeight + 2);
            grid->addWidget(switch_, line, 4, 1, 3);
        } else {
            for (int c = 0; c < 6; ++c) {
                const int id = row.base + 10 * c;
                if (row.base == camrows::kTCam && c == 1) {
                    FieldEdit* box103 =
                        kit::edit(registry, names::cameraField(camrows::kPositionsTabBox),
                                  2 * kFieldWidth + 2, false, box);
                    box103->setText(QStringLiteral("Positions Tab"));
                    box103->setEnabled(false);
                    box103->setAlignment(Qt::AlignCenter);
                    QFont small = box103->font();
                    small.setPointSizeF(6.5);
                    box103->setFont(small);
                    grid->addWidget(box103, line, 2, 1, 2);
                    continue;
                }
                if (row.base == camrows::kTCam && c == 2) continue;
                grid->addWidget(kit::edit(registry, names::cameraField(id), kFieldWidth, true, box),
                                line, c + 1);
            }
        }
        ++line;
    }
    layout->addWidget(box);
    default_ = kit::button(QStringLiteral("Default"), this, QStringLiteral("DefaultCams"));
    layout->addWidget(kit::buttonRow({default_}, this));
    layout->addStretch(1);
}

}  // namespace pw::app
