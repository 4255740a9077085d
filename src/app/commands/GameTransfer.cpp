#include "app/commands/GameTransfer.h"

#include <QDir>
#include <stdexcept>

#include "app/Editor.h"
#include "app/commands/DefaultCommands.h"
#include "app/commands/EditHistory.h"
#include "app/commands/FieldReactions.h"
#include "app/commands/GameLocationCommands.h"
#include "app/commands/GameRestoreCommand.h"
#include "app/commands/SelectionController.h"
#include "app/commands/WindowToModel.h"
#include "app/dialogs/UserPrompts.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/Stepper.h"
#include "app/window/CommandStrip.h"
#include "app/window/ComponentNames.h"
#include "app/window/MainWindow.h"
#include "app/window/QuickCamBar.h"
#include "core/images/TeamImages.h"
#include "core/tables/Conversions.h"
#include "core/tables/Defaults.h"
#include "core/tables/ExeTables.h"
#include "core/transfer/ExportAll.h"
#include "core/bytes/GamePaths.h"
#include "core/location/GameInstall.h"
#include "core/tables/SaveState.h"
#include "core/location/SettingsStore.h"
#include "core/bytes/Text.h"
#include "core/tables/TyreBrands.h"
#include "core/archive/TyrePositions.h"
#include "core/values/GameRead.h"

namespace pw::app {

namespace {
constexpr char kChooseGameMessage[] = "Please choose your GP4 folder";
constexpr char kImportFailedStatus[] =
    "Import failed: choose the game with Options > \"Change GP4 Path\"";
constexpr char kNothingImported[] =
    "Nothing has been exported: the last Import All did not succeed. Run Import All again, or "
    "choose the game with Options > \"Change GP4 Path\".";

// Export All refused before the game's files were opened for writing.
class ExportRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
}  // namespace

// ---- Import All
// ----------------------------------------------------------------------------------

void GameTransfer::importAll() {
    // Whatever was imported before no longer matches what the window will show if this fails.
    editor_.setImportedGame(std::nullopt);
    model::SettingsStore& settings = editor_.settings();
    const model::GameInstall game = model::ResolveGameFolder(settings);
    if (!game.found) {
        editor_.messages().show(QLatin1String(kChooseGameMessage));
        editor_.location().ChooseGP4Path();
        return;
    }
    try {
        try {
            editor_.restore().offerUnfinishedExport(game.folder);
        } catch (const model::GameFileError& e) {
            // A backup that cannot be put back does not keep the game from being imported.
            editor_.messages().showError(e.message());
        }
        importGame(game);
    } catch (...) {
        editor_.setStatus(QLatin1String(kImportFailedStatus));
        throw;
    }
}

void GameTransfer::importGame(const model::GameInstall& game) {
    model::SettingsStore& settings = editor_.settings();
    model::EditorModel& model = editor_.model();

    // What the window held before is gone: no step may lead back into it.
    editor_.history().forget();
    model.EditsLive = 0;
    editor_.teamImages().resetTeamImages();
    editor_.selector().lightQuickCam(0);

    // What each game file is before it is read: Export All writes only into the same bytes.
    const transfer::GameFiles gameFiles = transfer::LocateGameFiles(game, settings);
    transfer::ImportRecord record = transfer::RecordImport(gameFiles);
    // Import All's reading sequence; the window then says what the reads said, in their order,
    // and shows the defaults that took the place of what was missing.
    const values::GameRead read = values::ReadGame(
        values::GameFilePaths{gameFiles.folder, gameFiles.exe, gameFiles.saveState,
                              gameFiles.carsArchive},
        model);
    model = read.model;
    for (const QString& note : read.notes) editor_.messages().show(note);
    showReadTyrePositions(read.wheels, read.archiveError.has_value());
    if (!read.saveStateFound)
        editor_.defaults().DefaultBrands();
    else
        showTyreBrands();
    editor_.teamImages().importGPIs(model.SelectedTeam);

    fillCockpit();
    const bool showShapeNames = !model.teams[0].carShapeName.isEmpty();
    for (int t = 0; t < model::kTeamCount; ++t) fillTeam(t, showShapeNames);
    for (int d = 0; d < model::kDriverCount; ++d) fillDriver(d);
    fillCameras();

    model.SelectedCamera = 105;
    model.EditsLive = 1;
    record.game.versionByte = model.versionByte;
    editor_.setImportedGame(record);
    editor_.saveSelection().selectAllOnNextShow();
    editor_.selector().HighSelCam();
    // Team 0 is selected as a click on its arm colour would select it.
    editor_.selector().CarRefresh(0);
    editor_.setStatus(QStringLiteral("Import Done"));
    editor_.history().startFromHere();
}

void GameTransfer::readTyrePositions() {
    model::SettingsStore& settings = editor_.settings();
    const QString archive = model::CarsArchivePath(model::ResolveGameFolder(settings), settings);
    // Another cars archive chosen after Import All: the record of what was read follows it.
    if (editor_.importedGame() && editor_.importedGame()->carsArchive != archive) {
        transfer::ImportRecord record = *editor_.importedGame();
        transfer::RecordArchive(record, archive);
        editor_.setImportedGame(record);
    }
    const values::WheelsRead read = values::ReadWheelPositions(archive, editor_.model());
    if (read.note) editor_.messages().show(*read.note);
    showReadTyrePositions(read.result, read.error.has_value());
}

void GameTransfer::showReadTyrePositions(wad::TyreReadResult result, bool damaged) {
    if (damaged) return;
    switch (result) {
        case wad::TyreReadResult::ArchiveMissing:
            editor_.defaults().DefaultTPClick();
            // While Import All fills the fields quietly the model has not followed them yet.
            editor_.reactions().tyrePositionsFromFields();
            break;
        case wad::TyreReadResult::NoCollisionMesh:
            break;
        case wad::TyreReadResult::Read:
            showTyrePositions();
            break;
    }
}

void GameTransfer::showTyrePositions() {
    // Copied first: while edits are live every field written rebuilds the model from the fields.
    const auto wheels = editor_.model().tyres.wheel;
    for (int w = 0; w < model::kWheelCount; ++w)
        for (int axis = 0; axis < 3; ++axis)
            editor_.fields().setNumber(
                names::tyrePosition(3 * w + 1 + axis),
                model::tyrePositionToDisplay(
                    wheels[w][model::tyreFloatIndex(model::TyreAxis(axis))]));
}

void GameTransfer::showTyreBrands() {
    for (int t = 0; t < model::kTeamCount; ++t) {
        Stepper* stepper = editor_.fields().stepper(names::brandStepper(t));
        stepper->setPosition(editor_.model().teams[t].tyreBrand);
        editor_.fields().setText(names::brandCaption(t),
                                 QLatin1String(model::TyreBrandNames[stepper->position()]));
    }
}

void GameTransfer::fillCockpit() {
    const model::CockpitPositions& cockpit = editor_.model().cockpit;
    for (int axis = 0; axis < 3; ++axis) {
        const auto wheel = model::CockpitField(axis);
        const auto dash = model::CockpitField(axis + 3);
        editor_.fields().setNumber(
            names::cockpitWheel(axis),
            model::cockpitToDisplay(wheel, model::cockpitValue(cockpit, wheel)));
        editor_.fields().setNumber(
            names::cockpitDash(axis),
            model::cockpitToDisplay(dash, model::cockpitValue(cockpit, dash)));
    }
}

void GameTransfer::fillTeam(int t, bool showShapeNames) {
    const WindowFields& fields = editor_.fields();
    // The team-name reaction below writes the record's name, so the values are taken first.
    const model::TeamRecord team = editor_.model().teams[t];
    fields.setNumber(names::tcamY(t), model::tcamYToDisplay(team.tcamY));
    fields.setNumber(names::tcamZ(t), model::tcamZToDisplay(team.tcamZ));
    fields.setNumber(names::helmetY(t), model::helmetToDisplay(team.helmetY));
    fields.setNumber(names::helmetZ(t), model::helmetToDisplay(team.helmetZ));
    fields.swatch(names::armSwatch(t, 0))->setColourValue(model::colourToWindow(team.armColour));
    fields.swatch(names::rimSwatch(t, 0))->setColourValue(model::colourToWindow(team.rimColour));
    fields.swatch(names::rimSwatch(t, 1))->setEnabled(false);
    fields.swatch(names::armSwatch(t, 1))->setEnabled(false);
    fields.setNumber(names::wheelY(t), model::steeringWheelToDisplay(team.wheelY));
    fields.setNumber(names::wheelZ(t), model::steeringWheelToDisplay(team.wheelZ));
    fields.setText(names::teamName(t), model::textFromRecord(team.teamName));
    fields.setText(names::engineName(t), model::textFromRecord(team.engineName));
    fields.setNumber(names::qualifyPower(t), model::powerToDisplay(team.qualifyPower));
    fields.setNumber(names::racePower(t), model::powerToDisplay(team.racePower));
    fields.setNumber(names::failureRate(t), model::failureRateToDisplay(team.failureRate));
    fields.setNumber(names::gearCaption(t), model::gearCountToDisplay(team.gearCount));
    fields.stepper(names::gearStepper(t))->setPosition(team.gearCount);
    editor_.showTeamCaption(t, model::Mister(model::textFromRecord(team.teamName)));
    if (showShapeNames)
        fields.setText(names::carShapeName(t),
                       model::Mister(QString::fromLatin1(team.carShapeName)));
}

void GameTransfer::fillDriver(int d) {
    const WindowFields& fields = editor_.fields();
    const model::DriverRecord& driver = editor_.model().drivers[d];
    fields.setNumber(names::driverNumber(d), model::driverNumberToDisplay(driver.number));
    fields.setText(names::driverName(d), model::textFromRecord(driver.name));
    fields.setNumber(names::qualifyAbility(d), model::driverValueToDisplay(driver.qualifyAbility));
    fields.setNumber(names::qualifyVariation(d),
                     model::driverValueToDisplay(driver.qualifyVariation));
    fields.setNumber(names::raceAbility(d), model::driverValueToDisplay(driver.raceAbility));
    fields.setNumber(names::raceVariation(d), model::driverValueToDisplay(driver.raceVariation));
}

void GameTransfer::fillCameras() {
    model::EditorModel& model = editor_.model();
    for (int r = 0; r < model::kCameraCount; ++r) {
        for (int f = 0; f < model::kCameraFieldCount; ++f) {
            const auto field = model::CameraField(f);
            // The records hold display units from here until Export All rebuilds them.
            int16_t& value = model.cameras[r].field[f];
            value = int16_t(model::cameraFieldToDisplay(field, value));
            editor_.fields().setCameraField(model::cameraFieldId(r, field), value);
        }
    }
    editor_.fields().setCameraField(101, model::chaseToDisplay(model.chaseY));
    editor_.fields().setCameraField(102, model::chaseToDisplay(model.chaseZ));
}

// ---- Export All
// ----------------------------------------------------------------------------------

void GameTransfer::exportAll() {
    // Without a successful Import All the fields hold nothing of the game in use.
    if (!editor_.gameImported()) throw ExportRefused(kNothingImported);
    const WindowFields& fields = editor_.fields();
    // Every field is parsed into a copy first: a field that is not a number stops the command
    // before any file is opened, and leaves the model as it was.
    model::EditorModel next = editor_.model();
    takeCameraValues(fields, next);
    takeTeamPositions(fields, next);
    for (int t = 0; t < model::kTeamCount; ++t)
        next.teams[t].carShapeName = model::recordFromText(fields.text(names::carShapeName(t)));
    takeTeamData(fields, next);
    takeTyreBrands(fields, next);
    takeDriverData(fields, next);
    model::EditorModel& model = editor_.model();
    model = next;

    model::SettingsStore& settings = editor_.settings();
    const transfer::GameFiles files =
        transfer::LocateGameFiles(model::ResolveGameFolder(settings), settings);
    const transfer::ExportResult result =
        transfer::ExportAll(model, files, *editor_.importedGame(),
                            [this](const QString& note) { editor_.messages().show(note); });
    editor_.setImportedGame(result.record);
    editor_.teamImages().picturesExchanged();
    editor_.setStatus(QStringLiteral("Export Done"));
    if (!result.afterNote.isEmpty()) editor_.messages().show(result.afterNote);
}

}  // namespace pw::app
