#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include "core/tables/EditorModel.h"

namespace pw::model {
class GameFile;
}

namespace pw::images {

// Puts every team's picture numbers back to the game's own and forgets pending exchanges: the
// state after an Import All.
void resetTeamImages(model::EditorModel& model);

// Records an exchange of the pictures of teams a and b and exchanges their picture numbers, so
// the window shows the exchanged pictures at once; the files change only at Export All.
void exchangeTeamImages(model::EditorModel& model, int a, int b);

// Reads a picture file of raw pixels: exactly width * height * 4 bytes from byte 0. The file is
// opened for reading only. Throws GameFileError when it is missing or too short.
QImage readTeamPicture(const QString& path, int width, int height);
// The same over an open file (on disk or in memory); the path form calls it.
QImage readTeamPicture(model::GameFile& file, int width, int height);

// Full paths of a team's pictures in a pictures folder, by the numbers the model holds now.
QString driverPicturePath(const QString& folder, const model::EditorModel& model, int team, int seat);
QString gridCarPicturePath(const QString& folder, const model::EditorModel& model, int team);

struct SwapReport {
    bool folderFound = true;
    int failedCopies = 0;
};

// Applies the pending exchanges to the picture files of the game's images folder, in order, by
// the game's own picture numbers: for each pair and each picture, B is copied to "0.gpi", A to B
// and "0.gpi" to A. Every path is built in full from the folder; when the folder is missing
// nothing is touched. A copy that fails leaves its target as it was and ends the exchange of that
// picture (so no picture is lost); the other pictures are still exchanged.
SwapReport SwapGPIs(const QString& gameImagesFolder, const std::vector<std::pair<int, int>>& pending);

// The picture files SwapGPIs would write for these exchanges ("0.gpi" included), for a backup
// before it runs; none when nothing is pending or the folder is missing.
QStringList PicturesTouchedBy(const QString& gameImagesFolder,
                              const std::vector<std::pair<int, int>>& pending);

}  // namespace pw::images
