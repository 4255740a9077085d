#pragma once

#include <QString>
#include <functional>

#include "core/ownfiles/TeamFileSelection.h"

namespace pw::app {

// The team pictures of the Images page. Import All resets them and loads them, selecting a team
// shows its pictures, Export All (in the data core) exchanges the picture files and tells it. The
// window's own is TeamImagesController; tests put recorders in its place.
class TeamImagesPort {
public:
    virtual ~TeamImagesPort() = default;
    // Pending exchanges emptied, every team's picture numbers back to the game's own.
    virtual void resetTeamImages() {}
    // Shows team t's pictures and driver names on the Images page.
    virtual void importGPIs(int /*team*/) {}
    // Export All has exchanged the picture files and forgotten the pending exchanges.
    virtual void picturesExchanged() {}
};

// The save-selection dialog of the team files: its team labels follow the team names, and the
// first showing after every Import All ticks everything. "Save Team File" shows it without
// blocking the window; its "Save" hides it and runs the save handler, which reads selection().
// Without the dialog, "Save Team File" does nothing.
class SaveSelectionPort {
public:
    virtual ~SaveSelectionPort() = default;
    virtual void setTeamLabel(int /*team*/, const QString& /*caption*/) {}
    virtual void selectAllOnNextShow() {}
    virtual void showSelection() {}
    virtual files::TeamFileSelection selection() const { return {}; }
    virtual void setSaveHandler(std::function<void()> /*handler*/) {}
};

}  // namespace pw::app
