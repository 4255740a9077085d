#include "app/commands/TeamImagesController.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "app/Editor.h"
#include "app/commands/CommandErrors.h"
#include "app/commands/QuietEdits.h"
#include "app/commands/SelectionController.h"
#include "app/dialogs/UserPrompts.h"
#include "app/window/ComponentNames.h"
#include "app/window/ImagesPage.h"
#include "app/window/MainWindow.h"
#include "images/TeamImages.h"
#include "images/TeamPictures.h"
#include "model/GameInstall.h"
#include "model/GamePaths.h"
#include "model/Text.h"

namespace pw::app {

namespace {
constexpr char kNoImagesFolder[] =
    "Sorry but GP4's images folder can't be found.\r\nTeam images haven't been exchanged.";

// The fourth byte of a picture's pixels means nothing to the window: shown as an alpha channel
// it would make a picture whose fourth bytes are 0 invisible.
QPixmap opaque(const QImage& picture) {
    return QPixmap::fromImage(picture.convertToFormat(QImage::Format_RGB32));
}
}  // namespace

void TeamImagesController::connectAll() {
    QObject::connect(editor_.window().imagesPage()->applyButton(), &QPushButton::clicked, &editor_,
                     [this] { runGuarded(editor_.messages(), [this] { LMDButton11Click(); }); });
}

void TeamImagesController::resetTeamImages() {
    images::resetTeamImages(editor_.model());
}

void TeamImagesController::importGPIs(int t) {
    const model::GameInstall game = model::ResolveGameFolder(editor_.settings());
    if (!model::fileExists(model::SaveStatePath(game))) return;

    ImagesPage* page = editor_.window().imagesPage();
    for (int j = 0; j < 2; ++j)
        page->driverNameBox(j)->setText(
            model::Mister(editor_.fields().text(names::driverName(2 * t + j))));

    const QString folder = model::TeamImagesFolder(game, editor_.settings());
    const model::EditorModel& model = editor_.model();
    for (int j = 0; j < 2; ++j) {
        const QImage picture =
            images::readTeamPicture(images::driverPicturePath(folder, model, t, j),
                                    images::kDriverPictureSize, images::kDriverPictureSize);
        // The box stretches the picture to its 97 x 97 pixels.
        page->driverPicture(j)->setPixmap(opaque(picture));
    }
    const QImage gridCar = images::readTeamPicture(images::gridCarPicturePath(folder, model, t),
                                                   images::kGridCarWidth, images::kGridCarHeight);
    page->gridCarPicture()->setPixmap(opaque(gridCar));
}

void TeamImagesController::swapGPIs() {
    model::EditorModel& model = editor_.model();
    if (model.PendingImageSwaps.empty()) return;
    // Always the game's own folder: the game reads its pictures there, whatever "GpiPath" says.
    const QString folder = model::GameImagesFolder(model::ResolveGameFolder(editor_.settings()));
    const images::SwapReport report = images::SwapGPIs(folder, model.PendingImageSwaps);
    if (!report.folderFound) {
        // Nothing was exchanged: the exchanges stay pending for a later Export All.
        editor_.messages().show(QLatin1String(kNoImagesFolder));
        return;
    }
    // The files now hold the exchanged pictures under the game's own numbers. Forgetting the
    // exchanges keeps a second Export All from exchanging the files back.
    images::resetTeamImages(model);
}

void TeamImagesController::LMDButton11Click() {
    ImagesPage* page = editor_.window().imagesPage();
    const int a = page->firstTeam()->currentIndex();
    const int b = page->secondTeam()->currentIndex();
    if (a < 0 || b < 0) return;
    {
        QuietEdits quiet(editor_.model());
        images::exchangeTeamImages(editor_.model(), a, b);
    }
    editor_.selector().CarRefresh(editor_.model().SelectedTeam);
}

}  // namespace pw::app
