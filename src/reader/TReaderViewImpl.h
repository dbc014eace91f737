#pragma once
// The reader view's parts and commands (private to TReaderView).
#include <QList>
#include <QUrl>

#include <functional>
#include <string>

#include "reader/ReadMarks.h"
#include "reader/TReaderView.h"

class ChapterGrid;
class ChapterMenu;
class DbDataSet;
class ReaderBrowser;
class ReaderHost;
class ReadingToolbar;
class QSplitter;

struct TReaderView::Impl {
    Impl(TReaderView& view, ReaderHost& host, DbDataSet& chapters);

    // cxGrid1DBTableView1CellClick: show the row's chapter, mark it read.
    void ShowClickedChapter(int row);
    // "上一章" (-1) / "下一章" (+1); `quiet` swallows a failed read mark.
    void PageChapter(int step, bool quiet);
    void JumpToUnread();
    void ShowContentsPage();
    void OpenChapterOutside();
    void OpenContentsOutside();
    void ToggleEnlarged();
    void OpenChapterMenu(int row, const QPoint& globalPosition);
    void BrowserStep(int action);
    void MarkCurrentRead(bool quiet);
    void Navigate(const QUrl& url);

    TReaderView& view;
    ReaderHost& host;
    DbDataSet& chapters;
    ReadMarks marks;
    ChapterGrid* grid = nullptr;
    QSplitter* splitter = nullptr;
    ReadingToolbar* toolbar = nullptr;
    ReaderBrowser* browser = nullptr;
    ChapterMenu* menu = nullptr;
    std::string currentChapterAddress;  // CurrentChapterAddress
    TReaderView::UrlOpener openUrl;
    bool enlarged = false;
    QList<int> sizesBeforeEnlarging;
};
