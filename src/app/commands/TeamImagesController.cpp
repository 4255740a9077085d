#include "app/commands/TeamImagesController.h"

#include <QComboBox>
#include <QDateTime>
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
#include "core/images/TeamImages.h"
#include "core/images/TeamPictures.h"
#include "core/bytes/GameFileError.h"
#include "core/location/GameInstall.h"
#include "core/bytes/GamePaths.h"
#include "core/bytes/Text.h"

namespace pw::app {

namespace {
// Three pictures a team, eleven teams, and room for pictures exchanged between them.
constexpr size_t kMaxKeptPictures = 64;

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
    reported_.clear();
    kept_.clear();
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
    for (int j = 0; j < 2; ++j)
        // The box stretches the picture to its 97 x 97 pixels.
        showPicture(page->driverPicture(j), images::driverPicturePath(folder, model, t, j),
                    images::kDriverPictureSize, images::kDriverPictureSize);
    showPicture(page->gridCarPicture(), images::gridCarPicturePath(folder, model, t),
                images::kGridCarWidth, images::kGridCarHeight);
}

QPixmap TeamImagesController::picture(const QString& path, int width, int height) {
    const QString file = model::resolvePath(path);
    const model::FileStamp stamp = model::fileStampOf(file);
    const auto it = kept_.find(file);
    if (it != kept_.end() && it->second.stamp == stamp && it->second.width == width &&
        it->second.height == height)
        return it->second.pixmap;
    if (it != kept_.end()) kept_.erase(it);
    const QPixmap pixmap = opaque(images::readTeamPicture(file, width, height));
    // A file changed moments ago may change again without changing its stamp: not kept yet.
    if (model::stampSettled(stamp, QDateTime::currentMSecsSinceEpoch())) {
        if (kept_.size() >= kMaxKeptPictures) kept_.clear();
        kept_[file] = Kept{stamp, width, height, pixmap};
    }
    return pixmap;
}

void TeamImagesController::showPicture(QLabel* box, const QString& path, int width, int height) {
    try {
        const QPixmap shown = picture(path, width, height);
        // Setting the same pixmap again would only lay the box out anew.
        if (box->pixmap().cacheKey() != shown.cacheKey()) box->setPixmap(shown);
        reported_.erase(path);
    } catch (const model::GameFileError& e) {
        // A picture that cannot be read stops only itself: its box stays empty and the other
        // pictures, the fields and the selection go on. Import All and the selection it makes
        // read the same picture twice; its error is shown once.
        box->clear();
        if (reported_.insert(path).second) editor_.messages().showError(e.message());
    }
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
