#include "app/commands/TeamFileCommands.h"

#include <QAction>
#include <algorithm>

#include "app/Editor.h"
#include "app/commands/CommandErrors.h"
#include "app/commands/FieldReactions.h"
#include "app/commands/FileDialogPaths.h"
#include "app/commands/GameTransfer.h"
#include "app/commands/OwnFileIO.h"
#include "app/commands/WindowToModel.h"
#include "app/dialogs/UserPrompts.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/MainWindow.h"
#include "core/ownfiles/CameraSet.h"
#include "core/ownfiles/OwnFileKind.h"
#include "core/ownfiles/TeamFile.h"
#include "core/ownfiles/TyreSet.h"
#include "core/tables/Conversions.h"
#include "core/bytes/GamePaths.h"
#include "core/location/SettingsStore.h"
#include "core/bytes/Text.h"
#include "core/tables/TyreBrands.h"

namespace pw::app {

namespace {

constexpr char kLoadTitle[] = "Load CamSet";
constexpr char kLoadFilter[] =
    "All readable files|*.car;*.cam;*.tyr|Car datas file (*.car)|*.car|Camset file (*.cam)|*.cam|"
    "Tyreset file (*.tyr)|*.tyr|All (*.*)|*.*";
constexpr char kSaveTitle[] = "Save CamSet";
constexpr char kSaveFilter[] = "Car data File (*.car)|*.car|CamSet File (*.cam)|*.cam";
constexpr char kSaveSuffix[] = "car";
constexpr int kCameraSetFilter = 2;

constexpr char kTeamFileLoaded[] = "All Cameras have been loaded.";
constexpr char kCameraSetLoaded[] = "All Camset's Datas have been loaded.";
constexpr char kTyreSetLoaded[] = "Tyre Set loaded";
constexpr char kTeamFileSaved[] = "All Team Datas have been saved";
constexpr char kCameraSetSaved[] = "All Cameras have been saved";

// Sets EditsLive back when a fill ends, whichever way it ends.
class EditsLiveAfterFill {
public:
    explicit EditsLiveAfterFill(model::EditorModel& model) : model_(model) { model_.EditsLive = 0; }
    ~EditsLiveAfterFill() { model_.EditsLive = 1; }
    EditsLiveAfterFill(const EditsLiveAfterFill&) = delete;
    EditsLiveAfterFill& operator=(const EditsLiveAfterFill&) = delete;

private:
    model::EditorModel& model_;
};

}  // namespace

void TeamFileCommands::connectCommands() {
    MainWindow& window = editor_.window();
    MessageSink& messages = editor_.messages();
    QObject::connect(window.loadTeamAction(), &QAction::triggered, &editor_,
                     [this, &messages] { runGuarded(messages, [this] { LoadTeamFile(); }); });
    QObject::connect(window.saveTeamAction(), &QAction::triggered, &editor_,
                     [this, &messages] { runGuarded(messages, [this] { showSaveSelection(); }); });
}

// ---- Load ------------------------------------------------------------------------------------

void TeamFileCommands::LoadTeamFile() {
    const QString chosen =
        chooseFileToLoad(editor_.settings(), editor_.dialogs(), model::settings::kLoadTeamPath,
                         kLoadTitle, kLoadFilter);
    if (chosen.isEmpty()) return;
    switch (files::teamFileKindOf(chosen)) {
        case files::TeamFileKind::TeamFile:
            loadTeamFile(chosen);
            break;
        case files::TeamFileKind::CameraSet:
            loadCameraSet(chosen);
            break;
        case files::TeamFileKind::TyreSet:
            loadTyreSet(chosen);
            break;
        case files::TeamFileKind::None:
            break;
    }
}

void TeamFileCommands::loadTeamFile(const QString& path) {
    files::TeamFileContent content;
    if (!readOwnFile(editor_.messages(), path, files::kMaxTeamFileKindSize,
                     [&](const QByteArray& bytes) { content = files::readTeamFile(bytes, path); }))
        return;
    // The file's blocks go over the values the window shows, so that teams and blocks the file
    // does not hold keep what the user sees. Worked out on a copy: a field that is not a number
    // stops the load before anything has changed.
    model::EditorModel& model = editor_.model();
    model::EditorModel next = model;
    if (content.versioned()) takeTeamValues(next, false);
    files::applyTeamFile(content, next);
    model = next;

    {
        EditsLiveAfterFill quiet(model);
        const files::TeamFileSelection& present = content.present;
        for (int record : files::maskIndexes(present.cameras & files::kCameraMaskBits))
            showCamera(record, content.shownCamera(record));
        if (present.globals & files::GlobalChases) {
            editor_.fields().setCameraField(101, content.chaseY);
            editor_.fields().setCameraField(102, content.chaseZ);
        }
        for (int team : files::maskIndexes(present.tyreBrands & files::kTeamMaskBits))
            showTyreBrand(team, content.teams[team].tyreBrand);
        if (present.globals & files::GlobalWheelPositions) editor_.transfer().showTyrePositions();
        for (int j = 0; j < std::min(content.shapeNameCount, model::kTeamCount); ++j)
            editor_.fields().setText(names::carShapeName(j),
                                     model::Mister(QString::fromLatin1(content.shapeNames[j])));
        showTeamValues(content.layout == files::TeamFileLayout::Version4);
        if (content.versioned() ||
            (present.globals & (files::GlobalDashboard | files::GlobalCockpitWheel)))
            editor_.transfer().fillCockpit();
    }

    // Once the window shows the file, the reactions that keep the model and the preview in step
    // with it run once.
    FieldReactions& reactions = editor_.reactions();
    reactions.cockpitChanged(false, names::cockpitDash(0));
    reactions.tyrePositionChanged(names::tyrePosition(1));
    reactions.colourSwatchClicked(0);
    reactions.colourSwatchClicked(0);
    reactions.teamPositionChanged(FieldReactions::TeamPosition::Helmet, 0, names::helmetY(0));
    // A name read for the team on show must reach the preview even though the team stays the same.
    if (content.shapeNameCount > 0) editor_.previewInputs().shapeChanged = true;
    editor_.setStatus(QLatin1String(kTeamFileLoaded));
    editor_.preview().requestRepaint();
}

void TeamFileCommands::loadCameraSet(const QString& path) {
    files::CameraSetContent content;
    if (!readOwnFile(editor_.messages(), path, files::kMaxTeamFileKindSize,
                     [&](const QByteArray& bytes) { content = files::readCameraSet(bytes, path); }))
        return;
    model::EditorModel& model = editor_.model();
    files::applyCameraSet(content, model);
    {
        EditsLiveAfterFill quiet(model);
        for (int record : files::maskIndexes(content.presentCameras & files::kCameraMaskBits))
            showCamera(record, content.shownCamera(record));
        if (content.hasChases) {
            editor_.fields().setCameraField(101, content.shownChaseY());
            editor_.fields().setCameraField(102, content.shownChaseZ());
        }
    }
    editor_.setStatus(QLatin1String(kCameraSetLoaded));
    editor_.preview().requestRepaint();
}

void TeamFileCommands::loadTyreSet(const QString& path) {
    files::TyreSetContent content;
    if (!readOwnFile(editor_.messages(), path, files::kMaxTeamFileKindSize,
                     [&](const QByteArray& bytes) { content = files::readTyreSet(bytes, path); }))
        return;
    for (int team = 0; team < model::kTeamCount; ++team) showTyreBrand(team, content.brands[team]);
    editor_.setStatus(QLatin1String(kTyreSetLoaded));
}

void TeamFileCommands::showCamera(int record, const files::ShownCamera& shown) const {
    for (int f = 0; f < model::kCameraFieldCount; ++f) {
        const auto field = model::CameraField(f);
        editor_.fields().setCameraField(model::cameraFieldId(record, field), shown[f]);
    }
}

void TeamFileCommands::showTeamValues(bool withSteeringWheels) const {
    const WindowFields& fields = editor_.fields();
    for (int t = 0; t < model::kTeamCount; ++t) {
        const model::TeamRecord& team = editor_.model().teams[t];
        fields.setNumber(names::tcamY(t), model::tcamYToDisplay(team.tcamY));
        fields.setNumber(names::tcamZ(t), model::tcamZToDisplay(team.tcamZ));
        fields.setNumber(names::helmetY(t), model::helmetToDisplay(team.helmetY));
        fields.setNumber(names::helmetZ(t), model::helmetToDisplay(team.helmetZ));
        fields.swatch(names::armSwatch(t, 0))
            ->setColourValue(model::colourToWindow(team.armColour));
        fields.swatch(names::rimSwatch(t, 0))
            ->setColourValue(model::colourToWindow(team.rimColour));
        fields.swatch(names::armSwatch(t, 1))->setEnabled(false);
        fields.swatch(names::rimSwatch(t, 1))->setEnabled(false);
        if (withSteeringWheels) {
            fields.setNumber(names::wheelY(t), model::steeringWheelToDisplay(team.wheelY));
            fields.setNumber(names::wheelZ(t), model::steeringWheelToDisplay(team.wheelZ));
        }
    }
}

void TeamFileCommands::showTyreBrand(int team, int brand) const {
    Stepper* stepper = editor_.fields().stepper(names::brandStepper(team));
    stepper->setPosition(brand);
    // A selector that cannot hold the brand (only the second team's offers McLaren) stops at its
    // nearest position; caption and model follow what the selector shows, as Export All reads it.
    const int shown = stepper->position();
    editor_.fields().setText(names::brandCaption(team),
                             QLatin1String(model::TyreBrandNames[shown]));
    editor_.model().teams[team].tyreBrand = shown;
}

// ---- Save ------------------------------------------------------------------------------------

void TeamFileCommands::showSaveSelection() {
    editor_.saveSelection().showSelection();
}

void TeamFileCommands::SaveTeamFile() {
    // Every value is read before the file dialog opens: a field that is not a number ends the
    // save there, with nothing written and the model as it was.
    const files::ShownCameras shown = shownCameras();
    model::EditorModel& model = editor_.model();
    model::EditorModel next = model;
    takeTeamValues(next, true);
    model = next;

    model::SettingsStore& settings = editor_.settings();
    SaveFileRequest request;
    request.title = QLatin1String(kSaveTitle);
    request.filter = QLatin1String(kSaveFilter);
    request.defaultSuffix = QLatin1String(kSaveSuffix);
    request.initialFolder =
        dialogFolderOf(rememberedPath(settings, model::settings::kSaveTeamPath));
    request.initialName =
        model::fileNamePart(rememberedPath(settings, model::settings::kLoadTeamPath));
    if (request.initialName.right(3).toLower() == QLatin1String("cam"))
        saveFilter_ = kCameraSetFilter;
    request.filterIndex = saveFilter_;
    const std::optional<SaveFileAnswer> answer = editor_.dialogs().saveFile(request);
    if (!answer || answer->path.isEmpty()) return;
    saveFilter_ = answer->filterIndex;
    rememberPath(settings, model::settings::kSaveTeamPath, answer->path);

    // The format follows the filter chosen, never the extension typed.
    if (answer->filterIndex == kCameraSetFilter) {
        if (save(answer->path, files::writeCameraSet(shown)))
            editor_.setStatus(QLatin1String(kCameraSetSaved));
    } else {
        const files::TeamFileSelection selection = editor_.saveSelection().selection();
        if (save(answer->path, files::writeTeamFile(model, shown, selection)))
            editor_.setStatus(QLatin1String(kTeamFileSaved));
    }
}

bool TeamFileCommands::save(const QString& path, const QByteArray& bytes) const {
    return writeOwnFile(editor_.messages(), path, bytes);
}

files::ShownCameras TeamFileCommands::shownCameras() const {
    const WindowFields& fields = editor_.fields();
    files::ShownCameras shown;
    for (int record = 0; record < model::kCameraCount; ++record)
        for (int f = 0; f < model::kCameraFieldCount; ++f)
            shown.records[record][f] =
                fields.cameraField(model::cameraFieldId(record, model::CameraField(f)));
    shown.chaseY = fields.cameraField(101);
    shown.chaseZ = fields.cameraField(102);
    return shown;
}

void TeamFileCommands::takeTeamValues(model::EditorModel& into, bool withTyreBrands) const {
    takeTeamPositions(editor_.fields(), into);
    if (withTyreBrands) takeTyreBrands(editor_.fields(), into);
}

}  // namespace pw::app
