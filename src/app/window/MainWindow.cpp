#include "app/window/MainWindow.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>

#include "app/AppInfo.h"
#include "app/dialogs/AboutDialog.h"
#include "app/widgets/Icons.h"
#include "app/window/CamerasPage.h"
#include "app/window/CommandStrip.h"
#include "app/window/DetailsPage.h"
#include "app/window/DriversPage.h"
#include "app/window/ImagesPage.h"
#include "app/window/PositionsPage.h"
#include "app/window/PreviewPane.h"
#include "app/window/SlotsPage.h"
#include "app/window/TeamsPage.h"

namespace pw::app {

namespace {

// A page in a scroll area, so that no field is cut off when the fonts are larger than planned.
QWidget* scrolled(QWidget* page) {
    auto* area = new QScrollArea;
    area->setObjectName(page->objectName() + QStringLiteral("Scroll"));
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return area;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(windowTitleWithMarker());
    setMinimumSize(kWidth, kHeight);
    // A compact font, so that every page fits its 340 pixels as on the game's own platform.
    QFont compact = font();
    compact.setPointSizeF(7.5);
    setFont(compact);
    resize(kWidth, kHeight);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(central);

    tabs_ = new QTabWidget(central);
    tabs_->setObjectName(QStringLiteral("PageControl"));
    // Styled on the tab bar alone: a style sheet on the window would restyle every field.
    tabs_->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 2px 3px; border: 1px solid palette(mid); border-bottom: none;"
        " background: palette(button); margin-right: 1px; }"
        "QTabBar::tab:selected { background: palette(window); }"));
    cameras_ = new CamerasPage(registry_);
    positions_ = new PositionsPage(registry_);
    teams_ = new TeamsPage(registry_);
    drivers_ = new DriversPage(registry_);
    images_ = new ImagesPage(registry_);
    slots_ = new SlotsPage(registry_);
    tabs_->addTab(scrolled(cameras_), QStringLiteral("Cameras"));
    tabs_->addTab(scrolled(positions_), QStringLiteral("Positions"));
    tabs_->addTab(scrolled(teams_), QStringLiteral("Teams"));
    tabs_->addTab(scrolled(drivers_), QStringLiteral("Drivers"));
    tabs_->addTab(scrolled(images_), QStringLiteral("Images"));
    tabs_->addTab(scrolled(slots_), QStringLiteral("Slots"));
    tabs_->setCurrentIndex(3);  // opens on "Drivers"

    // The Details page is part of the window but never shown: its fields are filled and read by
    // Import All and Export All only.
    details_ = new DetailsPage(registry_, central);
    details_->hide();

    strip_ = new CommandStrip(central);
    preview_ = new PreviewPane(central);
    about_ = new AboutDialog(this);

    buildMenus();
    central->installEventFilter(this);
    layoutChildren();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    // Every caption carries a key (Alt+letter, then the letter in the open menu), one per menu.
    auto add = [this](QMenu* menu, const QString& text, IconId icon, const QKeySequence& keys,
                      const QString& name) {
        QAction* action = menu->addAction(makeIcon(icon), text);
        action->setObjectName(name);
        if (!keys.isEmpty()) {
            action->setShortcut(keys);
            action->setShortcutVisibleInContextMenu(true);
        }
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MenuFile"));
    // Import All and Export All are also the command strip's buttons; the menu is where a user
    // looks for them and learns their keys.
    importAll_ = add(file, QStringLiteral("&Import All"), IconId::ImportAll,
                     QKeySequence(Qt::CTRL | Qt::Key_I), QStringLiteral("ImportAll"));
    exportAll_ = add(file, QStringLiteral("&Export All"), IconId::ExportAll,
                     QKeySequence(Qt::CTRL | Qt::Key_E), QStringLiteral("ExportAll"));
    file->addSeparator();
    loadTeam_ = add(file, QStringLiteral("&Load Team File"), IconId::LoadTeam,
                    QKeySequence(Qt::CTRL | Qt::Key_O), QStringLiteral("LoadTeamFile"));
    saveTeam_ = add(file, QStringLiteral("&Save Team File"), IconId::SaveTeam,
                    QKeySequence(Qt::CTRL | Qt::Key_S), QStringLiteral("SaveTeamFile"));
    file->addSeparator();
    loadPerformance_ =
        add(file, QStringLiteral("Load &Performance File"), IconId::LoadPerformance,
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), QStringLiteral("LoadPerfFile"));
    savePerformance_ =
        add(file, QStringLiteral("Sa&ve Performance file"), IconId::SavePerformance,
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), QStringLiteral("SavePerfFile"));
    file->addSeparator();
    quit_ = add(file, QStringLiteral("&Quit"), IconId::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q),
                QStringLiteral("Quit"));

    // The Edit menu's captions name the step they take back; the history keeps them up to date.
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("MenuEdit"));
    undo_ = add(edit, QStringLiteral("&Undo"), IconId::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z),
                QStringLiteral("Undo"));
    redo_ = add(edit, QStringLiteral("&Redo"), IconId::Redo, {}, QStringLiteral("Redo"));
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    redo_->setShortcutVisibleInContextMenu(true);
    undo_->setEnabled(false);
    redo_->setEnabled(false);

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("MenuOptions"));
    defaultAll_ = add(options, QStringLiteral("&Default All (but images)"), IconId::DefaultAll, {},
                      QStringLiteral("DefaultAll"));
    options->addSeparator();
    changeCarsWad_ = add(options, QStringLiteral("Change &Cars wad"), IconId::ChangeCarsWad, {},
                         QStringLiteral("ChangeCarswad"));
    changeGamePath_ = add(options, QStringLiteral("Change &GP4 Path"), IconId::ChangeGamePath, {},
                          QStringLiteral("ChangeGP4Path"));
    changeImagesPath_ = add(options, QStringLiteral("Change &Images Path"),
                            IconId::ChangeImagesPath, {}, QStringLiteral("ChangeImagesPath1"));
    restoreGameFiles_ = add(options, QStringLiteral("&Restore Game Files..."),
                            IconId::RestoreGameFiles, {}, QStringLiteral("RestoreGameFiles"));

    QMenu* about = menuBar()->addMenu(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("MenuAbout"));
    aboutAction_ = add(about, QStringLiteral("&About Pitwright..."), IconId::About, {},
                       QStringLiteral("AboutPitwright"));

    connect(quit_, &QAction::triggered, this, &QWidget::close);
    connect(aboutAction_, &QAction::triggered, this, [this] {
        about_->show();
        about_->raise();
    });
}

void MainWindow::centreOnScreen() {
    resize(kWidth, kHeight);
    if (QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(available.center());
        move(frame.topLeft());
    }
}

void MainWindow::layoutChildren() {
    const QWidget* central = centralWidget();
    const int height = central->height();
    tabs_->setGeometry(0, 0, kPageWidth, height);
    strip_->setGeometry(PreviewPane::kLeft, 0, std::max(0, central->width() - PreviewPane::kLeft),
                        80);
    preview_->resize(PreviewPane::paneSize(size()));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) layoutChildren();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layoutChildren();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    emit closing();
    event->accept();
}

}  // namespace pw::app
