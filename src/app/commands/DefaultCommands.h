#pragma once

namespace pw::app {

class Editor;

// The "Default" commands of the pages and "Default All (but images)": each writes the built-in
// values of its group into the window's fields (the live values) and the few model values that
// are not fields, refreshes the selection and the preview, and says so on the status line.
// Nothing reaches the game files before Export All. Errors are thrown to the caller.
class DefaultCommands {
public:
    explicit DefaultCommands(Editor& editor) : editor_(editor) {}

    // Connects the pages' "Default" buttons and the Options menu command, each run guarded.
    void connectAll();

    void DefaultCams();       // Cameras: the camera table and the chase cameras
    void DefaultTcam();       // Positions: T-Cam Y, Z of every team
    void DefaultHelmet();     // Positions: helmet Y, Z of every team
    void DefaultExtSW();      // Positions: steering-wheel Y, Z of every team
    void DefaultCockpit();    // Positions: the cockpit steering wheel and dashboards
    void DefaultTPClick();    // Positions: the four wheel positions
    void DefaultArmButton();  // Teams: car 1 arm colours
    void DefaultRimButton();  // Teams: car 1 rim colours
    void DefaultBrands();     // Teams: tyre brands
    void DefaultTName();      // Teams: team and engine names
    void DefaultTData();      // Teams: powers, failure rates, gears
    void DefaultDName();      // Drivers: names
    void DefaultDData();      // Drivers: numbers, abilities, variations
    void DefaultTeam();       // Slots: car-shape names and every per-team and per-driver group
    void DefaultAll();        // Options: cameras, wheel positions, cockpit, teams

private:
    Editor& editor_;
};

}  // namespace pw::app
