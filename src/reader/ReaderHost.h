#pragma once
// What the reader needs from the main window.
#include "db/Records.h"

class Prompts;

// Menu commands of the chapter grid that belong to the collection engine.
enum class ChapterEngineCommand {
    RefetchSelected,        // "重新下载" > "章节内容" and the toolbar's "重新下载本章内容"
    RefetchBlank,           // "空白章节"
    RefetchMissingPictures, // "缺图章节"
    RegenerateList,         // "重新生成目录"
};

class ReaderHost {
public:
    virtual ~ReaderHost() = default;

    // The book last clicked in the library tree, or nullptr.
    virtual TMType* CurrentBook() = 0;
    // UpdateUnreadCount of the current book's node: a non-zero delta is added, 0 recounts.
    virtual void UpdateCurrentBookUnread(int delta) = 0;
    // The engine's UpdateState: 0 idle, 1 running, 2 stopping.
    virtual int EngineState() const = 0;
    virtual Prompts& UserPrompts() = 0;
    // "最大化"/"还原": the main window hides or shows the tree, its splitter and the main toolbar.
    virtual void ReadingPaneEnlarged(bool enlarged) = 0;
    virtual void RunChapterEngineCommand(ChapterEngineCommand command) = 0;
};
