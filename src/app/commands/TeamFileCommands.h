#pragma once

#include <QString>

#include "core/ownfiles/CameraEncodings.h"

namespace pw::model {
struct EditorModel;
}

namespace pw::app {

class Editor;

// "Load Team File" and "Save Team File": the team file (".car"), the camera set (".cam") and the
// tyre set (".tyr", load only) between the window and the program's own files.
//
// A load reads and checks the whole file before it changes anything: a file that is cut short or
// holds values that name no record is refused with a message, and the model and the window stay
// as they were. A save writes the whole file at once, so a failed save leaves any earlier file of
// that name as it was. Errors the commands do not handle themselves (a field that is not a
// number) are thrown to the caller, which runs the commands guarded.
class TeamFileCommands {
public:
    explicit TeamFileCommands(Editor& editor) : editor_(editor) {}

    // Connects the two menu commands and the save-selection dialog's "Save".
    void connectCommands();

    // Asks for a file and loads it by the last three characters of its name: "car" a team file,
    // "cam" a camera set, "tyr" a tyre set; any other ending does nothing.
    void LoadTeamFile();
    // Shows the save-selection dialog without blocking the window; its "Save" runs SaveTeamFile.
    void showSaveSelection();
    // Takes the values from the window, asks for the file and writes a team file (first filter,
    // with the dialog's selection) or a camera set (second filter).
    void SaveTeamFile();

    void loadTeamFile(const QString& path);
    void loadCameraSet(const QString& path);
    void loadTyreSet(const QString& path);

private:
    // The twelve camera records and the chase cameras as the window shows them.
    files::ShownCameras shownCameras() const;
    // Each team's positions and colours (and, for a save, its tyre brand) from the window.
    void takeTeamValues(model::EditorModel& into, bool withTyreBrands) const;

    void showCamera(int record, const files::ShownCamera& shown) const;
    void showTeamValues(bool withSteeringWheels) const;
    void showTyreBrand(int team, int brand) const;
    // Writes the file, or says that nothing was saved; true when it was written.
    bool save(const QString& path, const QByteArray& bytes) const;

    Editor& editor_;
    // The save dialog keeps the filter it last had, unless the proposed name asks for a camera set.
    int saveFilter_ = 1;
};

}  // namespace pw::app
