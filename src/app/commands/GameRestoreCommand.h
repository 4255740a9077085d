#pragma once

#include <QString>

namespace pw::app {

class Editor;

// "Restore Game Files..." (menu Options): lists the backups Export All made of the current game
// folder, puts the chosen one's bytes back into the game's files and runs Import All.
class GameRestoreCommand {
public:
    explicit GameRestoreCommand(Editor& editor) : editor_(editor) {}

    void RestoreGameFiles();
    // Before Import All: an Export All into the game folder that never finished (the program was
    // stopped, or its roll-back failed) is offered to be put back from its backup. Either answer
    // settles it: it is not offered again.
    void offerUnfinishedExport(const QString& gameFolder);

private:
    Editor& editor_;
};

}  // namespace pw::app
