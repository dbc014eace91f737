#pragma once
// The chapter grid's menu, every entry in its order.
#include <QMenu>

class ChapterMenu : public QMenu {
    Q_OBJECT
public:
    explicit ChapterMenu(QWidget* parent = nullptr);

    QAction* jumpToUnread;
    QMenu* marks;           // "标记更改"
    QAction* markUnread;
    QAction* markRead;
    QAction* markAllUnread;
    QAction* markAllRead;
    QAction* markBelowUnread;
    QAction* markAboveRead;
    QMenu* refetch;         // "重新下载"
    QAction* refetchContent;
    QAction* refetchBlank;
    QAction* refetchMissingPictures;
    QAction* removeSelected;
    QAction* regenerateList;
};
