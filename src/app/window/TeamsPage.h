#pragma once

#include <QWidget>

#include "app/window/FieldRegistry.h"

class QPushButton;

namespace pw::app {

// "Teams": per team the arm and rim colours, the tyre brand, the team and engine names, the
// engine powers, the failure rate and the gear count.
class TeamsPage : public QWidget {
    Q_OBJECT
public:
    TeamsPage(FieldRegistry& registry, QWidget* parent = nullptr);

    QPushButton* defaultArms() const { return defaultArms_; }
    QPushButton* defaultRims() const { return defaultRims_; }
    QPushButton* defaultBrands() const { return defaultBrands_; }
    QPushButton* defaultNames() const { return defaultNames_; }
    QPushButton* defaultDatas() const { return defaultDatas_; }

private:
    QWidget* coloursGroup(FieldRegistry& registry);
    QWidget* dataGroup(FieldRegistry& registry);

    QPushButton* defaultArms_ = nullptr;
    QPushButton* defaultRims_ = nullptr;
    QPushButton* defaultBrands_ = nullptr;
    QPushButton* defaultNames_ = nullptr;
    QPushButton* defaultDatas_ = nullptr;
};

}  // namespace pw::app
