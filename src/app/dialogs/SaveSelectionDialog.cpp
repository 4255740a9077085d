#include "app/dialogs/SaveSelectionDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace pw::app {

namespace {

using files::TeamFileSelection;

// The camera boxes CBCam1..CBCam12, top to bottom, and the camera record each one selects.
struct CameraBox {
    const char* caption;
    int record;
};
constexpr CameraBox kCameraTable[SaveSelectionDialog::kCameraBoxes] = {
    {"Cockpit", 0},  {"T-Cam", 11},   {"Camera 1", 2},  {"Camera 2", 3},
    {"Camera 3", 4}, {"Camera 4", 5}, {"Camera 5", 6},  {"Camera 6", 7},
    {"Camera 7", 8}, {"Camera 8", 9}, {"Camera 9", 10}, {"Camera 10", 1},
};

// The per-team columns of the grid, left to right: box CB(10i + column + 1) of team i.
struct GridColumn {
    const char* caption;
    uint16_t TeamFileSelection::*mask;
};
constexpr GridColumn kColumnTable[SaveSelectionDialog::kColumns] = {
    {"T-Cams", &TeamFileSelection::tcams},      {"Helmets", &TeamFileSelection::helmets},
    {"St. Wheels", &TeamFileSelection::wheels}, {"Arms", &TeamFileSelection::armColours},
    {"Rims", &TeamFileSelection::rimColours},   {"Type", &TeamFileSelection::tyreBrands},
    {"Name", &TeamFileSelection::shapeNames},
};

// Captions above groups of columns.
struct ColumnGroup {
    const char* caption;
    int first;
    int count;
};
constexpr ColumnGroup kColumnGroups[] = {
    {"Positions", 0, 3}, {"Colors", 3, 2}, {"Tyre", 5, 1}, {"Slot", 6, 1}};

struct GlobalBox {
    const char* name;
    const char* caption;
    uint16_t bit;
};
constexpr GlobalBox kGlobalTable[SaveSelectionDialog::kGlobalBoxes] = {
    {"CBSTWheel", "Cockpit St. Wheel", files::GlobalCockpitWheel},
    {"CBDash", "DashBoard", files::GlobalDashboard},
    {"CBTyres", "Tyres", files::GlobalWheelPositions},
};

const QString kSelectAll = QStringLiteral("Select ALL");
const QString kUnselectAll = QStringLiteral("Unselect ALL");

QString numbered(const char* prefix, int n) {
    return QLatin1String(prefix) + QString::number(n);
}

QCheckBox* makeBox(const QString& name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

template <typename Boxes>
bool allTicked(const Boxes& boxes) {
    return std::all_of(std::begin(boxes), std::end(boxes),
                       [](const QCheckBox* b) { return b->isChecked(); });
}

}  // namespace

SaveSelectionDialog::SaveSelectionDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormSave"));
    setWindowTitle(QStringLiteral("Choose Datas to Save"));
    setModal(false);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(4);
    auto* top = new QHBoxLayout;
    outer->addLayout(top, 1);
    buildCameras(top);
    auto* right = new QVBoxLayout;
    top->addLayout(right, 1);
    buildTeamGrid(right);
    buildGlobals(right);
    buildButtons(outer);

    // Centred on the screen once; afterwards it stays where the user puts it.
    outer->activate();
    resize(std::max(480, minimumWidth()), std::max(314, minimumHeight()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void SaveSelectionDialog::buildCameras(QBoxLayout* into) {
    auto* group = new QGroupBox(QStringLiteral("Cameras"), this);
    auto* column = new QVBoxLayout(group);
    column->setSpacing(0);
    for (int k = 0; k < kCameraBoxes; ++k) {
        cameraBoxes_[k] =
            makeBox(numbered("CBCam", k + 1), QLatin1String(kCameraTable[k].caption), group);
        column->addWidget(cameraBoxes_[k]);
        connect(cameraBoxes_[k], &QCheckBox::toggled, this, [this] { cameraBoxChanged(); });
    }
    chases_ = makeBox(numbered("CBCam", 13), QStringLiteral("Chases"), group);
    column->addWidget(chases_);
    connect(chases_, &QCheckBox::toggled, this, [this] { cameraBoxChanged(); });
    allCameras_ = makeBox(numbered("CBCam", 14), QStringLiteral("All"), group);
    column->addWidget(allCameras_);
    connect(allCameras_, &QCheckBox::toggled, this, [this](bool on) { allCamerasChanged(on); });
    column->addStretch(1);
    into->addWidget(group);
}

void SaveSelectionDialog::buildTeamGrid(QBoxLayout* into) {
    auto* group = new QGroupBox(QStringLiteral("Teams Datas"), this);
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(0);
    grid->setHorizontalSpacing(4);
    // Grid columns: 0 the team label, 1..7 the per-team boxes, 8 the row's "All".
    for (const ColumnGroup& g : kColumnGroups)
        grid->addWidget(new QLabel(QLatin1String(g.caption), group), 0, g.first + 1, 1, g.count,
                        Qt::AlignCenter);
    for (int c = 0; c < kColumns; ++c)
        grid->addWidget(new QLabel(QLatin1String(kColumnTable[c].caption), group), 1, c + 1,
                        Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("All"), group), 1, kColumns + 1, Qt::AlignCenter);

    for (int team = 0; team < kTeams; ++team) {
        const int row = team + 2;
        teamLabels_[team] = new QLabel(group);
        teamLabels_[team]->setObjectName(numbered("Label", team + 1));
        grid->addWidget(teamLabels_[team], row, 0);
        for (int c = 0; c < kColumns; ++c) {
            QCheckBox* box = makeBox(numbered("CB", 10 * team + c + 1), QString(), group);
            grid_[team][c] = box;
            grid->addWidget(box, row, c + 1, Qt::AlignCenter);
            connect(box, &QCheckBox::toggled, this, [this, team] { gridBoxChanged(team); });
        }
        rowAll_[team] = makeBox(numbered("CBA", 10 * team + 1), QString(), group);
        grid->addWidget(rowAll_[team], row, kColumns + 1, Qt::AlignCenter);
        connect(rowAll_[team], &QCheckBox::toggled, this,
                [this, team](bool on) { rowAllChanged(team, on); });
    }
    into->addWidget(group, 1);
}

void SaveSelectionDialog::buildGlobals(QBoxLayout* into) {
    auto* group = new QGroupBox(QStringLiteral("Global Datas (Misc. Positions)"), this);
    auto* row = new QHBoxLayout(group);
    for (int g = 0; g < kGlobalBoxes; ++g) {
        globals_[g] = makeBox(QLatin1String(kGlobalTable[g].name),
                              QLatin1String(kGlobalTable[g].caption), group);
        row->addWidget(globals_[g]);
    }
    into->addWidget(group);
}

void SaveSelectionDialog::buildButtons(QBoxLayout* into) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    selectButton_ = new QPushButton(kSelectAll, this);
    selectButton_->setObjectName(QStringLiteral("LMDButton2"));
    selectButton_->setAutoDefault(false);
    connect(selectButton_, &QPushButton::clicked, this, [this] { toggleSelectAll(); });
    row->addWidget(selectButton_);
    saveButton_ = new QPushButton(QStringLiteral("Save"), this);
    saveButton_->setObjectName(QStringLiteral("LMDButton1"));
    saveButton_->setDefault(true);
    connect(saveButton_, &QPushButton::clicked, this, [this] {
        // Hidden first, so the file dialog that follows is not covered by it.
        hide();
        emit saveRequested();
        if (saveHandler_) saveHandler_();
    });
    row->addWidget(saveButton_);
    into->addLayout(row);
}

files::TeamFileSelection SaveSelectionDialog::selection() const {
    TeamFileSelection s;
    for (int k = 0; k < kCameraBoxes; ++k)
        if (cameraBoxes_[k]->isChecked()) s.cameras |= uint16_t(1u << kCameraTable[k].record);
    if (chases_->isChecked()) s.globals |= files::GlobalChases;
    for (int g = 0; g < kGlobalBoxes; ++g)
        if (globals_[g]->isChecked()) s.globals |= kGlobalTable[g].bit;
    for (int team = 0; team < kTeams; ++team)
        for (int c = 0; c < kColumns; ++c)
            if (grid_[team][c]->isChecked()) s.*kColumnTable[c].mask |= uint16_t(1u << team);
    return s;
}

void SaveSelectionDialog::setTeamLabel(int team, const QString& caption) {
    if (team >= 0 && team < kTeams) teamLabels_[team]->setText(caption);
}

void SaveSelectionDialog::selectAllOnNextShow() {
    selectOnShow_ = true;
}

void SaveSelectionDialog::showSelection() {
    show();
    raise();
    activateWindow();
}

void SaveSelectionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;  // restored from the task bar, not shown by the program
    if (selectOnShow_) {
        tickEverything();
        setAllSelected(true);
    }
    selectOnShow_ = false;
}

void SaveSelectionDialog::cameraBoxChanged() {
    const bool all = allTicked(cameraBoxes_) && chases_->isChecked();
    cascadeLock_ = true;
    allCameras_->setChecked(all);
    cascadeLock_ = false;
}

void SaveSelectionDialog::allCamerasChanged(bool ticked) {
    if (cascadeLock_) return;
    // The state the "All" box was given, not its state as we go: each box changed below makes
    // "All" follow the camera boxes for a moment.
    for (QCheckBox* box : cameraBoxes_) box->setChecked(ticked);
    chases_->setChecked(ticked);
}

void SaveSelectionDialog::gridBoxChanged(int team) {
    const bool all = allTicked(grid_[team]);
    cascadeLock_ = true;
    rowAll_[team]->setChecked(all);
    cascadeLock_ = false;
}

void SaveSelectionDialog::rowAllChanged(int team, bool ticked) {
    if (cascadeLock_) return;
    for (QCheckBox* box : grid_[team]) box->setChecked(ticked);
}

void SaveSelectionDialog::toggleSelectAll() {
    cascadeLock_ = false;
    if (allSelected_)
        clearEverything();
    else
        tickEverything();
    setAllSelected(!allSelected_);
}

void SaveSelectionDialog::tickEverything() {
    // The "All" boxes tick the boxes they govern.
    allCameras_->setChecked(true);
    for (QCheckBox* box : rowAll_) box->setChecked(true);
    for (QCheckBox* box : globals_) box->setChecked(true);
}

void SaveSelectionDialog::clearEverything() {
    // The "All" boxes follow the boxes they govern.
    chases_->setChecked(false);
    for (QCheckBox* box : cameraBoxes_) box->setChecked(false);
    for (const auto& row : grid_)
        for (QCheckBox* box : row) box->setChecked(false);
    for (QCheckBox* box : globals_) box->setChecked(false);
}

void SaveSelectionDialog::setAllSelected(bool selected) {
    allSelected_ = selected;
    selectButton_->setText(selected ? kUnselectAll : kSelectAll);
}

}  // namespace pw::app
