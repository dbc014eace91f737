#pragma once
// The reading pane's own toolbar: buttons with a picture and a hint only.
#include <QToolBar>

class QToolButton;

class ReadingToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit ReadingToolbar(QWidget* parent = nullptr);

    // "最大化" with picture one window, or "还原" with picture two windows.
    void ShowEnlarged(bool enlarged);

    QAction* enlarge;
    QAction* back;
    QAction* forward;
    QAction* reload;
    QAction* home;
    QAction* refetchChapter;
    QAction* jumpToUnread;
    QAction* priorChapter;
    QAction* nextChapter;
    QAction* contentsPage;
    QAction* openOutside;           // "打开外部连接"
    QAction* openChapterOutside;    // "外部打开章节页面"
    QAction* openContentsOutside;   // "外部打开目录页面"
};
