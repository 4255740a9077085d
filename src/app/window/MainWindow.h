#pragma once

#include <QMainWindow>
#include <functional>

#include "app/window/FieldRegistry.h"

class QAction;
class QTabWidget;

namespace pw::app {

class AboutDialog;
class CamerasPage;
class CommandStrip;
class DetailsPage;
class DriversPage;
class ImagesPage;
class PositionsPage;
class PreviewPane;
class SlotsPage;
class TeamsPage;

// The editor window: the pages of fields on the left, the command strip and the preview pane on
// the right, and the menus. It only builds and lays out; the Editor wires the commands.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kWidth = 780;
    static constexpr int kHeight = 560;
    static constexpr int kPageWidth = 340;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    FieldRegistry& fields() { return registry_; }
    const FieldRegistry& fields() const { return registry_; }

    QTabWidget* tabs() const { return tabs_; }
    CamerasPage* camerasPage() const { return cameras_; }
    PositionsPage* positionsPage() const { return positions_; }
    TeamsPage* teamsPage() const { return teams_; }
    DriversPage* driversPage() const { return drivers_; }
    ImagesPage* imagesPage() const { return images_; }
    SlotsPage* slotsPage() const { return slots_; }
    DetailsPage* detailsPage() const { return details_; }
    CommandStrip* commandStrip() const { return strip_; }
    PreviewPane* previewPane() const { return preview_; }
    AboutDialog* aboutDialog() const { return about_; }

    // Menu commands, in menu order.
    QAction* importAllAction() const { return importAll_; }
    QAction* exportAllAction() const { return exportAll_; }
    QAction* loadTeamAction() const { return loadTeam_; }
    QAction* saveTeamAction() const { return saveTeam_; }
    QAction* loadPerformanceAction() const { return loadPerformance_; }
    QAction* savePerformanceAction() const { return savePerformance_; }
    QAction* quitAction() const { return quit_; }
    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }
    QAction* defaultAllAction() const { return defaultAll_; }
    QAction* changeCarsWadAction() const { return changeCarsWad_; }
    QAction* changeGamePathAction() const { return changeGamePath_; }
    QAction* changeImagesPathAction() const { return changeImagesPath_; }
    QAction* restoreGameFilesAction() const { return restoreGameFiles_; }
    QAction* aboutAction() const { return aboutAction_; }

    // Places the window at its start size in the middle of its screen.
    void centreOnScreen();

    // Asked before the window closes; false keeps it open (the user chose to stay).
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

signals:
    // The window is closing (by "Quit" or its own close control); it closes right after.
    void closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void layoutChildren();

    FieldRegistry registry_;
    QTabWidget* tabs_;
    CamerasPage* cameras_;
    PositionsPage* positions_;
    TeamsPage* teams_;
    DriversPage* drivers_;
    ImagesPage* images_;
    SlotsPage* slots_;
    DetailsPage* details_;
    CommandStrip* strip_;
    PreviewPane* preview_;
    AboutDialog* about_;

    QAction* importAll_ = nullptr;
    QAction* exportAll_ = nullptr;
    QAction* loadTeam_ = nullptr;
    QAction* saveTeam_ = nullptr;
    QAction* loadPerformance_ = nullptr;
    QAction* savePerformance_ = nullptr;
    QAction* quit_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* defaultAll_ = nullptr;
    QAction* changeCarsWad_ = nullptr;
    QAction* changeGamePath_ = nullptr;
    QAction* changeImagesPath_ = nullptr;
    QAction* restoreGameFiles_ = nullptr;
    QAction* aboutAction_ = nullptr;
    std::function<bool()> closeGuard_;
};

}  // namespace pw::app
