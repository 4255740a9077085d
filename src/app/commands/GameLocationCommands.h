#pragma once

namespace pw::app {

class Editor;

// The Options menu's commands that point the program at another game executable, cars archive
// or images folder.
class GameLocationCommands {
public:
    explicit GameLocationCommands(Editor& editor) : editor_(editor) {}

    // "Change GP4 Path"; also run by Import All when the game cannot be found. Ends the program
    // when the game is still not found afterwards.
    void ChooseGP4Path();
    // "Change Cars wad": a file whose fifth byte is 99 becomes the cars archive in use.
    void ChangeCarswad();
    // "Change Images Path": the folder of a chosen picture becomes the images folder.
    void ChangeImagesPath1Click();

private:
    Editor& editor_;
};

}  // namespace pw::app
