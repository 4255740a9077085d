#include "app/window/TeamsPage.h"

#include <QVBoxLayout>

#include "app/widgets/ColourSwatch.h"
#include "app/widgets/FieldEdit.h"
#include "app/widgets/LabelPanel.h"
#include "app/widgets/PageKit.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"

namespace pw::app {

TeamsPage::TeamsPage(FieldRegistry& registry, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabTeams"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(coloursGroup(registry));
    layout->addWidget(dataGroup(registry));
    layout->addStretch(1);
}

QWidget* TeamsPage::coloursGroup(FieldRegistry& registry) {
    QGridLayout* grid = nullptr;
    QWidget* box = kit::group(QStringLiteral("Colors and Tyres"), this, &grid);
    grid->addWidget(kit::header(QStringLiteral("Arm Colors"), box), 0, 1, 1, 2);
    grid->addWidget(kit::header(QStringLiteral("Rim Colors"), box), 0, 3, 1, 2);
    grid->addWidget(kit::header(QStringLiteral("Brand Types"), box), 0, 5, 1, 2);
    for (int c = 0; c < 4; ++c)
        grid->addWidget(
            kit::header(c % 2 == 0 ? QStringLiteral("Car 1") : QStringLiteral("Car 2"), box), 1,
            c + 1);
    for (int i = 0; i < 11; ++i) {
        const int line = i + 2;
        grid->addWidget(
            kit::panel(registry, names::teamsCaption(i), kit::teamCaptions()[i], 60, box), line, 0);
        const QString swatches[] = {names::armSwatch(i, 0), names::armSwatch(i, 1),
                                    names::rimSwatch(i, 0), names::rimSwatch(i, 1)};
        for (int c = 0; c < 4; ++c) {
            auto* swatch = new ColourSwatch(swatches[c], box);
            swatch->setFixedSize(30, kit::kRowHeight);
            registry.add(swatch);
            grid->addWidget(swatch, line, c + 1);
        }
        grid->addWidget(
            kit::panel(registry, names::brandCaption(i), QStringLiteral("Bridgestone"), 74, box),
            line, 5);
        auto* stepper = new Stepper(names::brandStepper(i), 0, i == 1 ? 2 : 1, box);
        registry.add(stepper);
        grid->addWidget(stepper, line, 6);
    }
    defaultArms_ =
        kit::button(QStringLiteral("Default Arms"), box, QStringLiteral("DefaultArmButton"));
    defaultRims_ =
        kit::button(QStringLiteral("Default Rims"), box, QStringLiteral("DefaultRimButton"));
    defaultBrands_ =
        kit::button(QStringLiteral("Default Brands"), box, QStringLiteral("DefaultBrands"));
    grid->addWidget(kit::buttonRow({defaultArms_, defaultRims_, defaultBrands_}, box), 13, 0, 1, 7);
    return box;
}

QWidget* TeamsPage::dataGroup(FieldRegistry& registry) {
    QGridLayout* grid = nullptr;
    QWidget* box = kit::group(QStringLiteral("Team Datas"), this, &grid);
    grid->addWidget(kit::header(QStringLiteral("Team Names"), box), 0, 0);
    grid->addWidget(kit::header(QStringLiteral("Engine Names"), box), 0, 1);
    grid->addWidget(kit::header(QStringLiteral("Power(BHP)"), box), 0, 2, 1, 2);
    grid->addWidget(kit::header(QStringLiteral("Failure"), box), 0, 4);
    grid->addWidget(kit::header(QStringLiteral("CC"), box), 0, 5, 1, 2);
    grid->addWidget(kit::header(QStringLiteral("Qual."), box), 1, 2);
    grid->addWidget(kit::header(QStringLiteral("Race"), box), 1, 3);
    grid->addWidget(kit::header(QStringLiteral("%"), box), 1, 4);
    grid->addWidget(kit::header(QStringLiteral("Gear"), box), 1, 5, 1, 2);
    for (int i = 0; i < 11; ++i) {
        const int line = i + 2;
        FieldEdit* team = kit::edit(registry, names::teamName(i), 66, false, box);
        FieldEdit* engine = kit::edit(registry, names::engineName(i), 66, false, box);
        team->setMaxLength(13);
        engine->setMaxLength(13);
        grid->addWidget(team, line, 0);
        grid->addWidget(engine, line, 1);
        grid->addWidget(kit::edit(registry, names::qualifyPower(i), 34, false, box), line, 2);
        grid->addWidget(kit::edit(registry, names::racePower(i), 34, false, box), line, 3);
        grid->addWidget(kit::edit(registry, names::failureRate(i), 34, false, box), line, 4);
        grid->addWidget(kit::panel(registry, names::gearCaption(i), QStringLiteral("6"), 18, box),
                        line, 5);
        auto* stepper = new Stepper(names::gearStepper(i), 6, 7, box);
        registry.add(stepper);
        grid->addWidget(stepper, line, 6);
    }
    defaultNames_ =
        kit::button(QStringLiteral("Default Names"), box, QStringLiteral("DefaultTName"));
    defaultDatas_ =
        kit::button(QStringLiteral("Default Datas"), box, QStringLiteral("DefaultTData"));
    grid->addWidget(kit::buttonRow({defaultNames_, defaultDatas_}, box), 13, 0, 1, 7);
    return box;
}

}  // namespace pw::app
