#include "app/commands/PerformanceFileCommands.h"

#include <QAction>

#include "app/Editor.h"
#include "app/commands/CommandErrors.h"
#include "app/commands/FileDialogPaths.h"
#include "app/commands/OwnFileIO.h"
#include "app/commands/WindowToModel.h"
#include "app/dialogs/UserPrompts.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/MainWindow.h"
#include "core/ownfiles/KeyedPerformanceFile.h"
#include "core/ownfiles/OwnFileKind.h"
#include "core/ownfiles/PerformanceFileContent.h"
#include "core/ownfiles/SectionedPerformanceFile.h"
#include "core/tables/Conversions.h"
#include "core/bytes/GamePaths.h"
#include "core/location/SettingsStore.h"
#include "core/bytes/Text.h"
#include "core/tables/TyreBrands.h"

namespace pw::app {

namespace {

constexpr char kLoadTitle[] = "Choose a Performance file";
constexpr char kLoadFilter[] =
    "All Performance files (*.g4p,*.txt)|*.g4p;*.txt|GP4Editor Performance file (*.txt)|*.txt|"
    "PerfEditor Performance file (*.g4p)|*.g4p|All (*.*)|*.*";
constexpr char kSaveTitle[] = "Save Performance File to...";
constexpr char kSaveFilter[] =
    "GPEdit Performance file (*.txt)|*.txt|PerfEditor Performance file (*.g4p)|*.g4p";
constexpr char kSaveSuffix[] = ".txt";
constexpr int kKeyedListFilter = 2;

constexpr char kSaved[] = "Performance Data saved";
constexpr char kLoaded[] = "Performance Datas loaded";
constexpr char kVersionWarning[] =
    "File version is not 213. Some troubles can happen with this file.";
constexpr char kNotAPerformanceFile[] = "This file is not a performance file (or an unknown one :)";

}  // namespace

void PerformanceFileCommands::connectCommands() {
    MainWindow& window = editor_.window();
    MessageSink& messages = editor_.messages();
    QObject::connect(
        window.loadPerformanceAction(), &QAction::triggered, &editor_,
        [this, &messages] { runGuarded(messages, [this] { LoadPerformanceFile1Click(); }); });
    QObject::connect(
        window.savePerformanceAction(), &QAction::triggered, &editor_,
        [this, &messages] { runGuarded(messages, [this] { SavePerformancefile1Click(); }); });
}

// ---- Load ------------------------------------------------------------------------------------

void PerformanceFileCommands::LoadPerformanceFile1Click() {
    const QString chosen =
        chooseFileToLoad(editor_.settings(), editor_.dialogs(), model::settings::kLoadPerfsPath,
                         kLoadTitle, kLoadFilter);
    if (chosen.isEmpty()) return;
    switch (files::performanceFileKindOf(chosen)) {
        case files::PerformanceFileKind::Sectioned:
            loadSectioned(chosen);
            break;
        case files::PerformanceFileKind::KeyedList:
            loadKeyedList(chosen);
            break;
        case files::PerformanceFileKind::None:
            editor_.messages().show(QLatin1String(kNotAPerformanceFile));
            break;
    }
}

void PerformanceFileCommands::loadSectioned(const QString& path) {
    files::PerformanceFileContent content;
    if (!readOwnFile(editor_.messages(), path, files::kMaxPerformanceFileSize,
                     [&](const QByteArray& bytes) {
                         content = files::readSectionedPerformanceFile(bytes, path);
                     }))
        return;
    if (content.versionMismatch) editor_.messages().show(QLatin1String(kVersionWarning));
    show(content);
    // Without a "[File" section the values stay in the boxes all the same.
    if (content.recognised)
        editor_.setStatus(QLatin1String(kLoaded));
    else
        editor_.messages().show(QLatin1String(kNotAPerformanceFile));
}

void PerformanceFileCommands::loadKeyedList(const QString& path) {
    files::PerformanceFileContent content;
    if (!readOwnFile(editor_.messages(), path, files::kMaxPerformanceFileSize,
                     [&](const QByteArray& bytes) {
                         content = files::readKeyedPerformanceFile(bytes, path);
                     }))
        return;
    show(content);
    editor_.setStatus(QLatin1String(kLoaded));
}

void PerformanceFileCommands::show(const files::PerformanceFileContent& content) const {
    const WindowFields& fields = editor_.fields();
    const auto put = [&](const QString& name, const std::optional<QString>& value) {
        if (value) fields.setText(name, *value);
    };
    for (int t = 0; t < model::kTeamCount; ++t) {
        const files::PerformanceTeamValues& team = content.teams[t];
        put(names::teamName(t), team.teamName);
        put(names::engineName(t), team.engineName);
        put(names::qualifyPower(t), team.qualifyPower);
        put(names::racePower(t), team.racePower);
        put(names::failureRate(t), team.failureRate);
        put(names::gearCaption(t), team.gearCaption);
        if (team.gearPosition)
            fields.stepper(names::gearStepper(t))->setPosition(*team.gearPosition);
        if (team.tyreBrand) {
            Stepper* stepper = fields.stepper(names::brandStepper(t));
            stepper->setPosition(*team.tyreBrand);
            // Only the second team's selector offers McLaren; the caption names what it shows.
            fields.setText(names::brandCaption(t),
                           QLatin1String(model::TyreBrandNames[stepper->position()]));
        }
    }
    for (int d = 0; d < model::kDriverCount; ++d) {
        const files::PerformanceDriverValues& driver = content.drivers[d];
        put(names::driverNumber(d), driver.number);
        put(names::driverName(d), driver.name);
        put(names::qualifyAbility(d), driver.qualifyAbility);
        put(names::qualifyVariation(d), driver.qualifyVariation);
        put(names::raceAbility(d), driver.raceAbility);
        put(names::raceVariation(d), driver.raceVariation);
    }
}

// ---- Save ------------------------------------------------------------------------------------

void PerformanceFileCommands::SavePerformancefile1Click() {
    model::SettingsStore& settings = editor_.settings();
    SaveFileRequest request;
    request.title = QLatin1String(kSaveTitle);
    request.filter = QLatin1String(kSaveFilter);
    request.defaultSuffix = QLatin1String(kSaveSuffix);
    request.initialFolder =
        dialogFolderOf(rememberedPath(settings, model::settings::kSavePerfsPath));
    request.initialName =
        model::fileNamePart(rememberedPath(settings, model::settings::kLoadPerfsPath));
    request.initialName.chop(4);  // the extension and its dot
    request.filterIndex = saveFilter_;
    const std::optional<SaveFileAnswer> answer = editor_.dialogs().saveFile(request);
    if (!answer || answer->path.isEmpty()) return;
    saveFilter_ = answer->filterIndex;
    rememberPath(settings, model::settings::kSavePerfsPath, answer->path);

    // Every box is read before anything is written: one that is not a number ends the save with
    // no file written and the model as it was.
    const bool keyedList = answer->filterIndex == kKeyedListFilter;
    model::EditorModel next = editor_.model();
    takeValues(next, !keyedList);
    editor_.model() = next;
    const QByteArray bytes = keyedList ? files::writeKeyedPerformanceFile(next)
                                       : files::writeSectionedPerformanceFile(next);
    if (writeOwnFile(editor_.messages(), answer->path, bytes))
        editor_.setStatus(QLatin1String(kSaved));
}

void PerformanceFileCommands::takeValues(model::EditorModel& into, bool withTyreBrands) const {
    takeTeamData(editor_.fields(), into);
    if (withTyreBrands) takeTyreBrands(editor_.fields(), into);
    takeDriverData(editor_.fields(), into);
}

}  // namespace pw::app
