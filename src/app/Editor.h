#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "app/ExtensionPorts.h"
#include "app/PreviewInputs.h"
#include "app/RepaintBatch.h"
#include "app/SelectionState.h"
#include "app/window/WindowFields.h"
#include "core/tables/EditorModel.h"
#include "core/transfer/ImportRecord.h"

namespace pw::model {
class SettingsStore;
}

namespace pw::app {

class DefaultCommands;
class DialogRunner;
class EditHistory;
class FieldReactions;
class GameLocationCommands;
class GameRestoreCommand;
class GameTransfer;
class MainWindow;
class CountingMessageSink;
class MessageSink;
class MouseActions;
class PerformanceFileCommands;
class SelectionController;
class TeamFileCommands;
class TeamImagesController;
class TeamSlotCommands;

// The editor behind the main window: the one EditorModel, the selection, the preview inputs, and
// the commands and reactions wired to the window's controls. Every command runs guarded: an error
// it does not handle is shown in an error box and the program goes on.
class Editor : public QObject {
    Q_OBJECT
public:
    Editor(MainWindow& window, model::SettingsStore& settings, MessageSink& messages,
           DialogRunner& dialogs);
    ~Editor() override;

    model::EditorModel& model() { return model_; }
    SelectionState& selection() { return selection_; }
    PreviewInputs& previewInputs() { return previewInputs_; }
    const WindowFields& fields() const { return fields_; }
    MainWindow& window() { return window_; }
    model::SettingsStore& settings() { return settings_; }
    MessageSink& messages() { return messages_; }
    // How many message boxes the editor has shown so far.
    int boxesShown() const;
    DialogRunner& dialogs() { return dialogs_; }
    // The preview the reactions repaint; a RepaintBatch on it holds the repaints of a drag step.
    BatchedPreview& preview() { return preview_; }
    TeamImagesPort& teamImages() { return *teamImages_; }
    SaveSelectionPort& saveSelection() { return *saveSelection_; }

    SelectionController& selector() { return *selector_; }
    FieldReactions& reactions() { return *reactions_; }
    GameTransfer& transfer() { return *transfer_; }
    GameLocationCommands& location() { return *location_; }
    GameRestoreCommand& restore() { return *restore_; }
    DefaultCommands& defaults() { return *defaults_; }
    TeamImagesController& imagesController() { return *imagesController_; }
    TeamSlotCommands& teamSlots() { return *teamSlots_; }
    MouseActions& mouse() { return *mouse_; }
    TeamFileCommands& teamFiles() { return *teamFiles_; }
    PerformanceFileCommands& performanceFiles() { return *performanceFiles_; }
    EditHistory& history() { return *history_; }

    // Later parts of the program plug in here. The preview and the save-selection dialog default
    // to do-nothing stand-ins; the team pictures default to the window's own (tests put recorders
    // in their place, and nullptr puts the window's own back).
    void setPreview(PreviewSurface* preview);
    void setTeamImages(TeamImagesPort* images);
    // The dialog's "Save" runs the team-file save.
    void setSaveSelection(SaveSelectionPort* dialog);

    // The status box of the command strip.
    void setStatus(const QString& text);
    QString status() const;
    void clearStatus() { setStatus(QString()); }

    // Team t's caption on the Teams, Positions and Images pages and in the save-selection dialog.
    void showTeamCaption(int team, const QString& caption);

    // The game as the last Import All found it; none before an Import All succeeded and after
    // one failed. Export All refuses to run without it, and the preview shows nothing.
    const std::optional<transfer::ImportRecord>& importedGame() const { return importedGame_; }
    bool gameImported() const { return importedGame_.has_value(); }
    void setImportedGame(std::optional<transfer::ImportRecord> game) {
        importedGame_ = std::move(game);
    }

    // The two main commands, guarded (errors shown, never thrown). Import All asks first when
    // there are unexported edits; a finished Export All leaves none.
    void importAll();
    void exportAll();

    // Ends the program after the game could not be found. At start-up (before the event loop
    // runs) the caller checks terminated() instead of showing the window.
    void terminate();
    bool terminated() const { return terminated_; }
    // Tests replace what ending the program means.
    void setTerminateHandler(std::function<void()> handler) {
        terminateHandler_ = std::move(handler);
    }

    // Closing the window keeps the "Virtual Cam" fields in the settings.
    void saveVirtualCam();

private:
    void connectCommands();

    MainWindow& window_;
    model::SettingsStore& settings_;
    // Every message the editor shows passes here, so that its boxes are counted.
    std::unique_ptr<CountingMessageSink> countedMessages_;
    MessageSink& messages_;
    DialogRunner& dialogs_;
    model::EditorModel model_;
    SelectionState selection_;
    PreviewInputs previewInputs_;
    WindowFields fields_;
    // The window's own pane, kept from the start: a binding hands the preview back to it while
    // the window is being destroyed, when the window can no longer be asked.
    PreviewSurface* const windowPreview_;
    BatchedPreview preview_;
    SaveSelectionPort noSaveSelection_;
    std::unique_ptr<TeamImagesController> imagesController_;
    TeamImagesPort* teamImages_;
    SaveSelectionPort* saveSelection_ = &noSaveSelection_;
    std::unique_ptr<SelectionController> selector_;
    std::unique_ptr<FieldReactions> reactions_;
    std::unique_ptr<GameTransfer> transfer_;
    std::unique_ptr<GameLocationCommands> location_;
    std::unique_ptr<GameRestoreCommand> restore_;
    std::unique_ptr<DefaultCommands> defaults_;
    std::unique_ptr<TeamSlotCommands> teamSlots_;
    MouseActions* mouse_;  // a child of the editor
    std::unique_ptr<TeamFileCommands> teamFiles_;
    std::unique_ptr<PerformanceFileCommands> performanceFiles_;
    std::optional<transfer::ImportRecord> importedGame_;
    EditHistory* history_;  // a child of the editor
    bool terminated_ = false;
    std::function<void()> terminateHandler_;
};

}  // namespace pw::app
