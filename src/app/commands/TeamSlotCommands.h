#pragma once

namespace pw::app {

class Editor;

// "Lensmith Team Datas Operations" of the Slots page: Copy puts one team's data onto another
// team, Swap exchanges the data of two teams and, with it, their pictures. Only the window's
// fields (the live values) and the car-shape names change; the files wait for Export All.
class TeamSlotCommands {
public:
    explicit TeamSlotCommands(Editor& editor) : editor_(editor) {}

    // Connects the "Apply" button.
    void connectAll();

    // "Apply": Copy (operation 0) or Swap (operation 1) of the two chosen teams; nothing when
    // either team is not chosen. Ends with the first team selected.
    void LMDApplyClick();

private:
    Editor& editor_;
};

}  // namespace pw::app
