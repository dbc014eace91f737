#include "reader/ChapterMenu.h"

namespace {

QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

}  // namespace

ChapterMenu::ChapterMenu(QWidget* parent) : QMenu(parent)
{
    jumpToUnread = addAction(T("跳至未读章节"));
    addSeparator();
    marks = addMenu(T("标记更改"));
    markUnread = marks->addAction(T("标记为未读"));
    markRead = marks->addAction(T("标记为已读"));
    marks->addSeparator();
    markAllUnread = marks->addAction(T("全部标记为未读"));
    markAllRead = marks->addAction(T("全部标记为已读"));
    marks->addSeparator();
    markBelowUnread = marks->addAction(T("以下标记为未读"));
    markAboveRead = marks->addAction(T("以上标记为已读"));
    addSeparator();
    refetch = addMenu(T("重新下载"));
    refetchContent = refetch->addAction(T("章节内容"));
    refetchBlank = refetch->addAction(T("空白章节"));
    refetchMissingPictures = refetch->addAction(T("缺图章节"));
    removeSelected = addAction(T("删除选中章节"));
    regenerateList = addAction(T("重新生成目录"));
}
