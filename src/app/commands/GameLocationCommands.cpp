#include "app/commands/GameLocationCommands.h"

#include <QDir>
#include <QFile>

#include "app/Editor.h"
#include "app/PreviewInputs.h"
#include "app/commands/GameTransfer.h"
#include "app/commands/SelectionController.h"
#include "app/dialogs/UserPrompts.h"
#include "core/bytes/ByteIO.h"
#include "core/location/GameInstall.h"
#include "core/bytes/GamePaths.h"
#include "core/location/SettingsStore.h"
#include "core/location/WinePrefixes.h"

namespace pw::app {

namespace {
constexpr char kTerminateMessage[] = "Sorry but Lensmith will now terminate.";
constexpr char kNotACarsWadMessage[] =
    "Sorry but you didn't selected a cars wad.\r\nCurrent cars wad will be used.";
constexpr qint64 kCarsWadCheckOffset = 4;
constexpr uint8_t kCarsWadCheckByte = 99;

QString noSection() {
    return QString::fromLatin1(model::settings::kNoSection);
}
}  // namespace

void GameLocationCommands::ChooseGP4Path() {
    // A game-executable dialog further down the same chain already ended the program.
    if (editor_.terminated()) return;
    model::SettingsStore& settings = editor_.settings();
    // The user asks where the game is: look through the Wine prefixes anew.
    model::searchWinePrefixesAgain();
    const model::GameInstall game = model::ResolveGameFolder(settings);
    OpenFileRequest request;
    request.title = QStringLiteral("Choose GP4 Path");
    request.filter = QStringLiteral("GP4.exe|*.exe");
    // Not the current folder: started from a desktop menu that is the program's own, and a
    // prefix's ".wine" folder is hidden in the home folder.
    request.initialFolder = game.found ? game.folder : model::GameSearchStartFolder();
    request.initialName = settings.read(noSection(), QLatin1String(model::settings::kGP4Path),
                                        QLatin1String(model::settings::kGP4PathDialogDefault));
    // The preview finds its textures relative to the current folder, which a dialog may change.
    const QString currentFolder = QDir::currentPath();
    const QString chosen = editor_.dialogs().openFile(request);
    if (!chosen.isEmpty() && model::fileExists(chosen)) {
        model::StoreChosenGameExecutable(settings, chosen);
        QDir::setCurrent(currentFolder);
        editor_.transfer().importAll();
    }
    if (editor_.terminated()) return;
    if (!model::ResolveGameFolder(settings).found) {
        editor_.messages().show(QLatin1String(kTerminateMessage));
        editor_.terminate();
    }
}

void GameLocationCommands::ChangeCarswad() {
    model::SettingsStore& settings = editor_.settings();
    const model::GameInstall game = model::ResolveGameFolder(settings);
    const QString current =
        settings.read(noSection(), QLatin1String(model::settings::kCarsWadPath), QString());
    OpenFileRequest request;
    request.title = QStringLiteral("Choose Cars wad");
    request.filter = QStringLiteral("wad files|*.wad");
    request.initialFolder = current.isEmpty() ? game.folder : model::folderPart(current);
    request.initialName = current.isEmpty()
                              ? QString::fromLatin1(model::settings::kCarsWadDialogDefault)
                              : model::fileNamePart(current);
    const QString chosen = editor_.dialogs().openFile(request);
    if (chosen.isEmpty()) return;
    // A read-only archive must become writable: Export All writes the tyre positions into it.
    QFile::setPermissions(
        chosen, QFile::permissions(chosen) | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    model::GameFile file(chosen);
    const uint8_t check = file.readU8(kCarsWadCheckOffset, "the cars wad's check byte");
    if (check != kCarsWadCheckByte) {
        editor_.messages().show(QLatin1String(kNotACarsWadMessage));
        return;
    }
    settings.write(noSection(), QLatin1String(model::settings::kCarsWadPath),
                   QDir::toNativeSeparators(chosen));
    editor_.transfer().readTyrePositions();
    editor_.previewInputs().shapeChanged = true;
    editor_.preview().requestRepaint();
}

void GameLocationCommands::ChangeImagesPath1Click() {
    model::SettingsStore& settings = editor_.settings();
    const model::GameInstall game = model::ResolveGameFolder(settings);
    OpenFileRequest request;
    request.title = QStringLiteral("Choose one of the gpi of the new folder");
    request.filter = QStringLiteral("GP4 Image file (*.gpi)|*.gpi");
    request.defaultSuffix = QStringLiteral("*.gpi");
    request.initialFolder = model::TeamImagesFolder(game, settings);
    const QString chosen = editor_.dialogs().openFile(request);
    if (chosen.isEmpty()) return;
    const QString folder = QDir::toNativeSeparators(model::folderPart(chosen)) + QDir::separator();
    settings.write(noSection(), QLatin1String(model::settings::kGpiPath), folder);
    editor_.selector().CarRefresh(editor_.model().SelectedTeam);
}

}  // namespace pw::app
