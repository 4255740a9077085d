#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "app/ExtensionPorts.h"
#include "core/ownfiles/TeamFileSelection.h"

class QBoxLayout;
class QCheckBox;
class QLabel;
class QPushButton;
class QShowEvent;

namespace pw::app {

// "Choose Datas to Save": the boxes that decide what a team file holds. Created once and only
// shown and hidden afterwards, so the ticks persist between saves; the first showing after every
// Import All ticks everything. Not modal: the main window stays usable while it is open.
class SaveSelectionDialog : public QDialog, public SaveSelectionPort {
    Q_OBJECT
public:
    static constexpr int kTeams = 11;
    static constexpr int kCameraBoxes = 12;  // the camera records, without "Chases" and "All"
    static constexpr int kColumns = 7;       // per-team boxes of a row, without its "All"
    static constexpr int kGlobalBoxes = 3;

    explicit SaveSelectionDialog(QWidget* parent = nullptr);

    // The boxes' ticks as team-file masks.
    files::TeamFileSelection selection() const override;

    // Row label of team 0..10 (the team name, already title-cased by the caller).
    void setTeamLabel(int team, const QString& caption) override;
    // Makes the next showing tick everything; Import All asks for it.
    void selectAllOnNextShow() override;
    // Shows the dialog (not modal) in front of the window.
    void showSelection() override;
    // What "Save" runs after the dialog has hidden itself (and emitted saveRequested()).
    void setSaveHandler(std::function<void()> handler) override {
        saveHandler_ = std::move(handler);
    }

signals:
    // "Save" was pressed; the dialog is already hidden.
    void saveRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildCameras(QBoxLayout* into);
    void buildTeamGrid(QBoxLayout* into);
    void buildGlobals(QBoxLayout* into);
    void buildButtons(QBoxLayout* into);

    // Click reactions; a box changed from code reacts as if the user had clicked it.
    void cameraBoxChanged();
    void allCamerasChanged(bool ticked);
    void gridBoxChanged(int team);
    void rowAllChanged(int team, bool ticked);
    void toggleSelectAll();

    void tickEverything();
    void clearEverything();
    void setAllSelected(bool selected);

    std::array<QCheckBox*, kCameraBoxes> cameraBoxes_{};
    QCheckBox* chases_ = nullptr;
    QCheckBox* allCameras_ = nullptr;
    std::array<std::array<QCheckBox*, kColumns>, kTeams> grid_{};
    std::array<QCheckBox*, kTeams> rowAll_{};
    std::array<QCheckBox*, kGlobalBoxes> globals_{};
    std::array<QLabel*, kTeams> teamLabels_{};
    QPushButton* saveButton_ = nullptr;
    QPushButton* selectButton_ = nullptr;

    bool allSelected_ = false;   // what the select button does next
    bool selectOnShow_ = false;  // set by Import All, used up by the next showing
    // Held while a reaction ticks or clears an "All" box itself, so that the "All" box does not
    // pass that change on to the boxes it governs.
    bool cascadeLock_ = false;
    std::function<void()> saveHandler_;
};

}  // namespace pw::app
