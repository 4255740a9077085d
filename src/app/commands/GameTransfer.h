#pragma once

#include <QString>

namespace pw::model {
struct GameInstall;
}
namespace pw::wad {
enum class TyreReadResult;
}

namespace pw::app {

class Editor;

// Import All and Export All: every value from the game's files through the model into the
// window's fields, and back. Errors are thrown to the caller (Editor runs them guarded).
class GameTransfer {
public:
    explicit GameTransfer(Editor& editor) : editor_(editor) {}

    void importAll();
    void exportAll();

    // The wheel position fields from the model's tyre positions.
    void showTyrePositions();
    // Reads the tyre positions of the cars archive in use into the model and the fields, with the
    // messages and fallbacks of a missing archive or one without a collision mesh.
    void readTyrePositions();
    // The cockpit steering wheel and dashboard fields from the model.
    void fillCockpit();

private:
    void importGame(const model::GameInstall& game);
    void fillTeam(int team, bool showShapeNames);
    void fillDriver(int driver);
    void fillCameras();
    void showTyreBrands();
    // The wheel position fields after a read of the archive (the defaults when it is missing).
    void showReadTyrePositions(wad::TyreReadResult result, bool damaged);

    Editor& editor_;
};

}  // namespace pw::app
