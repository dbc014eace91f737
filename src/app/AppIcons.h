#pragma once
// The program's own pictures, drawn at run time so that no image files need to ship.
#include <QIcon>
#include <QPixmap>

// The six 16x16 pictures of the library tree, by index.
enum TreePicture {
    PictureBlankPage = 0,
    PictureOpenFolder = 1,
    PictureClosedFolder = 2,
    PictureClosedBook = 3,
    PictureUpdating = 4,
    PictureOpenBook = 5,
};
inline constexpr int kTreePictureCount = 6;
QPixmap TreePictureAt(int index);

// 32x32 pictures of the main toolbar.
enum class ToolbarPicture { Add, Properties, Delete, EBook, Stop, Settings, Exit };
QIcon ToolbarIcon(ToolbarPicture picture);

// The small palette-like picture of the skin button.
QIcon SkinButtonIcon();
