#include "reader/ReadingToolbar.h"

#include <QMenu>
#include <QToolButton>

#include "reader/ToolIcons.h"

namespace {

QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QAction* Button(QToolBar* bar, ToolPicture picture, const char* hint)
{
    QAction* action = bar->addAction(ToolIcon(picture), QString());
    action->setToolTip(T(hint));
    action->setStatusTip(T(hint));
    action->setObjectName(T(hint));
    return action;
}

}  // namespace

ReadingToolbar::ReadingToolbar(QWidget* parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(20, 20));
    setContextMenuPolicy(Qt::PreventContextMenu);

    enlarge = Button(this, ToolPicture::OneWindow, "最大化");
    back = Button(this, ToolPicture::Back, "后退");
    forward = Button(this, ToolPicture::Forward, "前进");
    reload = Button(this, ToolPicture::Reload, "刷新");
    home = Button(this, ToolPicture::Home, "主页");
    refetchChapter = Button(this, ToolPicture::Refetch, "重新下载本章内容");
    jumpToUnread = Button(this, ToolPicture::JumpUnread, "跳至未读章节");
    priorChapter = Button(this, ToolPicture::PriorChapter, "上一章");
    nextChapter = Button(this, ToolPicture::NextChapter, "下一章");
    contentsPage = Button(this, ToolPicture::ContentsPage, "目录页");
    openOutside = Button(this, ToolPicture::OpenOutside, "打开外部连接");

    auto* outsideMenu = new QMenu(this);
    openChapterOutside = outsideMenu->addAction(T("外部打开章节页面"));
    openContentsOutside = outsideMenu->addAction(T("外部打开目录页面"));
    openOutside->setMenu(outsideMenu);
    if (auto* button = qobject_cast<QToolButton*>(widgetForAction(openOutside)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
}

void ReadingToolbar::ShowEnlarged(bool enlarged)
{
    const char* hint = enlarged ? "还原" : "最大化";
    enlarge->setIcon(ToolIcon(enlarged ? ToolPicture::TwoWindows : ToolPicture::OneWindow));
    enlarge->setToolTip(T(hint));
    enlarge->setStatusTip(T(hint));
}
