#pragma once
// Pictures of the reading toolbar, drawn in code.
#include <QIcon>

enum class ToolPicture {
    OneWindow,    // "最大化"
    TwoWindows,   // "还原"
    Back,
    Forward,
    Reload,
    Home,
    Refetch,
    JumpUnread,
    PriorChapter,
    NextChapter,
    ContentsPage,
    OpenOutside,
};

QIcon ToolIcon(ToolPicture picture);
