#include "Editor.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

#include "CamerasPage.h"
#include "CommandErrors.h"
#include "CommandStrip.h"
#include "ComponentNames.h"
#include "DriversPage.h"
#include "FieldReactions.h"
#include "GameLocationCommands.h"
#include "GameTransfer.h"
#include "ImagesPage.h"
#include "LabelPanel.h"
#include "MainWindow.h"
#include "PerformanceFileCommands.h"
#include "PositionsPage.h"
#include "PreviewPane.h"
#include "SelectionController.h"
#include "SlotsPage.h"
#include "TeamFileCommands.h"
#include "TeamsPage.h"
#include "UserPrompts.h"
#include "model/SettingsStore.h"

namespace pw::app {

Editor::Editor(MainWindow& window, model::SettingsStore& settings, MessageSink& messages,
               DialogRunner& dialogs)
    : QObject(&window),
      window_(window),
      settings_(settings),
      messages_(messages),
      dialogs_(dialogs),
      fields_(window.fields()),
      preview_(window.previewPane()),
      selector_(std::make_unique<SelectionController>(*this)),
      reactions_(std::make_unique<FieldReactions>(*this)),
      transfer_(std::make_unique<GameTransfer>(*this)),
      location_(std::make_unique<GameLocationCommands>(*this)),
      teamFiles_(std::make_unique<TeamFileCommands>(*this)),
      performanceFiles_(std::make_unique<PerformanceFileCommands>(*this)) {
    terminateHandler_ = [] { QCoreApplication::exit(0); };
    reactions_->connectAll();
    connectCommands();
    teamFiles_->connectCommands();
    performanceFiles_->connectCommands();
}

Editor::~Editor() = default;

void Editor::setPreview(PreviewSurface* preview) {
    preview_ = preview ? preview : window_.previewPane();
}
void Editor::setTeamImages(TeamImagesPort* images) {
    teamImages_ = images ? images : &noImages_;
}
void Editor::setSaveSelection(SaveSelectionPort* dialog) {
    saveSelection_ = dialog ? dialog : &noSaveSelection_;
    saveSelection_->setSaveHandler(
        [this] { runGuarded(messages_, [this] { teamFiles_->SaveTeamFile(); }); });
}

void Editor::setStatus(const QString& text) {
    window_.commandStrip()->setStatus(text);
}
QString Editor::status() const {
    return window_.commandStrip()->status();
}

void Editor::showTeamCaption(int team, const QString& caption) {
    for (const QString& name :
         {names::teamsCaption(team), names::positionsCaption(team), names::imagesCaption(team)})
        fields_.panel(name)->setText(caption);
    saveSelection_->setTeamLabel(team, caption);
}

void Editor::importAll() {
    runGuarded(messages_, [this] { transfer_->importAll(); });
}

void Editor::exportAll() {
    runGuarded(messages_, [this] { transfer_->exportAll(); });
}

void Editor::terminate() {
    terminated_ = true;
    if (terminateHandler_) terminateHandler_();
}

void Editor::saveVirtualCam() {
    for (const auto& value : model::settings::kVirtualCam)
        settings_.write(QLatin1String(model::settings::kSection), QLatin1String(value.name),
                        fields_.text(names::cameraField(value.fieldId)));
}

void Editor::notAvailableYet(const QString& command) {
    messages_.show(QStringLiteral("\"%1\" is not available yet.").arg(command));
}

void Editor::connectCommands() {
    CommandStrip* strip = window_.commandStrip();
    connect(strip->importButton(), &QPushButton::clicked, this, &Editor::importAll);
    connect(strip->exportButton(), &QPushButton::clicked, this, &Editor::exportAll);
    // Import All and Export All have keyboard shortcuts of their own (they are buttons, not menu
    // commands).
    auto* importKeys = new QAction(&window_);
    importKeys->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    auto* exportKeys = new QAction(&window_);
    exportKeys->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    window_.addAction(importKeys);
    window_.addAction(exportKeys);
    connect(importKeys, &QAction::triggered, this, &Editor::importAll);
    connect(exportKeys, &QAction::triggered, this, &Editor::exportAll);

    connect(&window_, &MainWindow::closing, this,
            [this] { runGuarded(messages_, [this] { saveVirtualCam(); }); });
    connect(window_.changeGamePathAction(), &QAction::triggered, this,
            [this] { runGuarded(messages_, [this] { location_->ChooseGP4Path(); }); });
    connect(window_.changeCarsWadAction(), &QAction::triggered, this,
            [this] { runGuarded(messages_, [this] { location_->ChangeCarswad(); }); });
    connect(window_.changeImagesPathAction(), &QAction::triggered, this,
            [this] { runGuarded(messages_, [this] { location_->ChangeImagesPath1Click(); }); });

    // The Slots page's labels follow the chosen operation.
    SlotsPage* slotsPage = window_.slotsPage();
    connect(slotsPage->operation(), &QComboBox::currentIndexChanged, this,
            [slotsPage](int index) { slotsPage->showOperationLabels(index); });

    // Commands that arrive with later parts of the program.
    const std::pair<QAction*, QString> menuCommands[] = {
        {window_.defaultAllAction(), QStringLiteral("Default All (but images)")}};
    for (const auto& [action, caption] : menuCommands) {
        const QString c = caption;
        connect(action, &QAction::triggered, this, [this, c] { notAvailableYet(c); });
    }
    const std::pair<QPushButton*, QString> buttons[] = {
        {window_.camerasPage()->defaultButton(), QStringLiteral("Default")},
        {window_.positionsPage()->defaultCockpit(), QStringLiteral("Default Cockpit")},
        {window_.positionsPage()->defaultTCam(), QStringLiteral("Default T-Cam")},
        {window_.positionsPage()->defaultHelmet(), QStringLiteral("Default Helmet")},
        {window_.positionsPage()->defaultWheel(), QStringLiteral("Default Wheel")},
        {window_.positionsPage()->defaultTyrePositions(), QStringLiteral("Default")},
        {window_.teamsPage()->defaultArms(), QStringLiteral("Default Arms")},
        {window_.teamsPage()->defaultRims(), QStringLiteral("Default Rims")},
        {window_.teamsPage()->defaultBrands(), QStringLiteral("Default Brands")},
        {window_.teamsPage()->defaultNames(), QStringLiteral("Default Names")},
        {window_.teamsPage()->defaultDatas(), QStringLiteral("Default Datas")},
        {window_.driversPage()->defaultNames(), QStringLiteral("Default Names")},
        {window_.driversPage()->defaultDatas(), QStringLiteral("Default Datas")},
        {window_.slotsPage()->defaultButton(), QStringLiteral("Default")},
        {window_.slotsPage()->applyButton(), QStringLiteral("Apply")},
        {window_.imagesPage()->applyButton(), QStringLiteral("Apply")}};
    for (const auto& [button, caption] : buttons) {
        const QString c = caption;
        connect(button, &QPushButton::clicked, this, [this, c] { notAvailableYet(c); });
    }
}

}  // namespace pw::app
