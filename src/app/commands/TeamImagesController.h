#pragma once

#include <QPixmap>
#include <QString>
#include <map>
#include <set>

#include "app/ExtensionPorts.h"
#include "core/bytes/FileStamp.h"

class QLabel;

namespace pw::app {

class Editor;

// The team pictures of the Images page: which pictures each team shows, the exchange of two
// teams' pictures, and the exchange of the picture files at Export All.
class TeamImagesController : public TeamImagesPort {
public:
    explicit TeamImagesController(Editor& editor) : editor_(editor) {}

    // Connects the "Apply" button of "Team Images Operations".
    void connectAll();

    // Every team's picture numbers back to the game's own; no exchange pending.
    void resetTeamImages() override;
    // Shows team t's driver names and pictures, read from the pictures folder ("GpiPath").
    // Without a save-state file in the game folder nothing changes. A picture that cannot be read
    // leaves its box empty and is reported in the error box (once, until it is read again or the
    // next Import All); the other pictures are still shown.
    void importGPIs(int team) override;
    // Exchanges the picture files of every pending exchange in the game's own images folder, then
    // starts afresh (numbers back to the game's own, nothing pending), as an Import All would.

    // "Apply" of "Team Images Operations": exchanges the pictures of the two chosen teams.
    void LMDButton11Click();

private:
    void showPicture(QLabel* box, const QString& path, int width, int height);
    // The picture at path as shown, read again only when the file there changed since.
    QPixmap picture(const QString& path, int width, int height);

    Editor& editor_;
    std::set<QString> reported_;
    // Pictures read, under the path and the stamp of the file they were read from: every
    // selection of a team shows its three pictures again.
    struct Kept {
        model::FileStamp stamp;
        int width = 0, height = 0;
        QPixmap pixmap;
    };
    std::map<QString, Kept> kept_;
};

}  // namespace pw::app
