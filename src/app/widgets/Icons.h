#pragma once

#include <QIcon>

namespace pw::app {

// The 18 x 18 menu icons (the ten of the original menus, then those of the Edit menu, then Import All and Export All), drawn here so the program carries no image files of its own.
enum class IconId {
    LoadTeam,
    SaveTeam,
    LoadPerformance,
    SavePerformance,
    Quit,
    DefaultAll,
    ChangeCarsWad,
    ChangeGamePath,
    ChangeImagesPath,
    RestoreGameFiles,
    About,
    Undo,
    Redo,
    ImportAll,
    ExportAll
};

constexpr int kIconSize = 18;

QIcon makeIcon(IconId id);

}  // namespace pw::app
