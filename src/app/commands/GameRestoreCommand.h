#pragma once

namespace pw::app {

class Editor;

// "Restore Game Files..." (menu Options): lists the backups Export All made of the current game
// folder, puts the chosen one's bytes back into the game's files and runs Import All.
class GameRestoreCommand {
public:
    explicit GameRestoreCommand(Editor& editor) : editor_(editor) {}

    void RestoreGameFiles();

private:
    Editor& editor_;
};

}  // namespace pw::app
