#include "app/Editor.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

#include "app/commands/CommandErrors.h"
#include "app/commands/DefaultCommands.h"
#include "app/commands/EditHistory.h"
#include "app/commands/FieldReactions.h"
#include "app/commands/GameLocationCommands.h"
#include "app/commands/GameRestoreCommand.h"
#include "app/commands/GameTransfer.h"
#include "app/commands/MouseActions.h"
#include "app/commands/PerformanceFileCommands.h"
#include "app/commands/SelectionController.h"
#include "app/commands/TeamFileCommands.h"
#include "app/commands/TeamImagesController.h"
#include "app/commands/TeamSlotCommands.h"
#include "app/dialogs/UserPrompts.h"
#include "app/widgets/LabelPanel.h"
#include "app/window/CamerasPage.h"
#include "app/window/CommandStrip.h"
#include "app/window/ComponentNames.h"
#include "app/window/DriversPage.h"
#include "app/window/ImagesPage.h"
#include "app/window/MainWindow.h"
#include "app/window/PositionsPage.h"
#include "app/window/PreviewPane.h"
#include "app/window/SlotsPage.h"
#include "app/window/TeamsPage.h"
#include "core/location/SettingsStore.h"

namespace pw::app {

Editor::Editor(MainWindow& window, model::SettingsStore& settings, MessageSink& messages,
               DialogRunner& dialogs)
    : QObject(&window),
      window_(window),
      settings_(settings),
      countedMessages_(std::make_unique<CountingMessageSink>(messages)),
      messages_(*countedMessages_),
      dialogs_(dialogs),
      fields_(window.fields()),
      windowPreview_(window.previewPane()),
      preview_(windowPreview_),
      imagesController_(std::make_unique<TeamImagesController>(*this)),
      teamImages_(imagesController_.get()),
      selector_(std::make_unique<SelectionController>(*this)),
      reactions_(std::make_unique<FieldReactions>(*this)),
      transfer_(std::make_unique<GameTransfer>(*this)),
      location_(std::make_unique<GameLocationCommands>(*this)),
      restore_(std::make_unique<GameRestoreCommand>(*this)),
      defaults_(std::make_unique<DefaultCommands>(*this)),
      teamSlots_(std::make_unique<TeamSlotCommands>(*this)),
      mouse_(new MouseActions(*this)),
      teamFiles_(std::make_unique<TeamFileCommands>(*this)),
      performanceFiles_(std::make_unique<PerformanceFileCommands>(*this)),
      history_(new EditHistory(*this)) {
    terminateHandler_ = [] { QCoreApplication::exit(0); };
    reactions_->connectAll();
    connectCommands();
    defaults_->connectAll();
    imagesController_->connectAll();
    teamSlots_->connectAll();
    mouse_->connectAll();
    teamFiles_->connectCommands();
    performanceFiles_->connectCommands();
    // Last: each step is taken after the command or reaction that made it has run.
    history_->connectAll();
}

Editor::~Editor() = default;

int Editor::boxesShown() const {
    return countedMessages_->boxesShown();
}

void Editor::setPreview(PreviewSurface* preview) {
    preview_.setTarget(preview ? preview : windowPreview_);
}
void Editor::setTeamImages(TeamImagesPort* images) {
    teamImages_ = images ? images : imagesController_.get();
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
    if (!history_->mayDiscardEdits()) return;
    runGuarded(messages_, [this] { transfer_->importAll(); });
}

void Editor::exportAll() {
    history_->settle();
    if (runGuarded(messages_, [this] { transfer_->exportAll(); })) history_->exported();
}

void Editor::terminate() {
    terminated_ = true;
    if (terminateHandler_) terminateHandler_();
}

void Editor::saveVirtualCam() {
    std::vector<std::pair<QString, QString>> values;
    for (const auto& value : model::settings::kVirtualCam)
        values.emplace_back(QLatin1String(value.name),
                            fields_.text(names::cameraField(value.fieldId)));
    settings_.write(QLatin1String(model::settings::kSection), values);
}

void Editor::connectCommands() {
    CommandStrip* strip = window_.commandStrip();
    connect(strip->importButton(), &QPushButton::clicked, this, &Editor::importAll);
    connect(strip->exportButton(), &QPushButton::clicked, this, &Editor::exportAll);
    connect(window_.importAllAction(), &QAction::triggered, this, &Editor::importAll);
    connect(window_.exportAllAction(), &QAction::triggered, this, &Editor::exportAll);

    connect(&window_, &MainWindow::closing, this,
            [this] { runGuarded(messages_, [this] { saveVirtualCam(); }); });
    connect(window_.changeGamePathAction(), &QAction::triggered, this, [this] {
        if (history_->mayDiscardEdits())
            runGuarded(messages_, [this] { location_->ChooseGP4Path(); });
    });
    connect(window_.changeCarsWadAction(), &QAction::triggered, this,
            [this] { runGuarded(messages_, [this] { location_->ChangeCarswad(); }); });
    connect(window_.changeImagesPathAction(), &QAction::triggered, this,
            [this] { runGuarded(messages_, [this] { location_->ChangeImagesPath1Click(); }); });
    connect(window_.restoreGameFilesAction(), &QAction::triggered, this, [this] {
        if (history_->mayDiscardEdits())
            runGuarded(messages_, [this] { restore_->RestoreGameFiles(); });
    });

    // The Slots page's labels follow the chosen operation.
    SlotsPage* slotsPage = window_.slotsPage();
    connect(slotsPage->operation(), &QComboBox::currentIndexChanged, this,
            [slotsPage](int index) { slotsPage->showOperationLabels(index); });
}

}  // namespace pw::app
