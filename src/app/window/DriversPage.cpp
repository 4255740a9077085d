#include "app/window/DriversPage.h"

#include <QVBoxLayout>

#include "app/widgets/FieldEdit.h"
#include "app/widgets/PageKit.h"
#include "app/window/ComponentNames.h"

namespace pw::app {

DriversPage::DriversPage(FieldRegistry& registry, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabDrivers"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    QGridLayout* grid = nullptr;
    QWidget* box = kit::group(QStringLiteral("Driver Datas"), this, &grid);
    grid->addWidget(kit::header(QStringLiteral("Nb"), box), 0, 0);
    grid->addWidget(kit::header(QStringLiteral("Driver Names"), box), 0, 1);
    grid->addWidget(kit::header(QStringLiteral("Qualify"), box), 0, 2, 1, 2);
    grid->addWidget(kit::header(QStringLiteral("Race"), box), 0, 4, 1, 2);
    for (int c = 0; c < 4; ++c)
        grid->addWidget(
            kit::header(c % 2 == 0 ? QStringLiteral("Ability") : QStringLiteral("Var."), box), 1,
            c + 2);
    for (int d = 0; d < 22; ++d) {
        const int line = d + 2;
        grid->addWidget(kit::edit(registry, names::driverNumber(d), 24, false, box), line, 0);
        FieldEdit* name = kit::edit(registry, names::driverName(d), 100, false, box);
        name->setMaxLength(32);
        grid->addWidget(name, line, 1);
        const QString ratings[] = {names::qualifyAbility(d), names::qualifyVariation(d),
                                   names::raceAbility(d), names::raceVariation(d)};
        for (int c = 0; c < 4; ++c)
            grid->addWidget(kit::edit(registry, ratings[c], 44, false, box), line, c + 2);
    }
    defaultNames_ =
        kit::button(QStringLiteral("Default Names"), box, QStringLiteral("DefaultDName"));
    defaultDatas_ =
        kit::button(QStringLiteral("Default Datas"), box, QStringLiteral("DefaultDData"));
    grid->addWidget(kit::buttonRow({defaultNames_, defaultDatas_}, box), 24, 0, 1, 6);
    layout->addWidget(box);
    layout->addStretch(1);
}

}  // namespace pw::app
