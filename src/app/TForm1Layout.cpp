// The main window's controls: toolbar, menus, work area, tree menu, status bar.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>

#include "app/AppIcons.h"
#include "app/LibraryTree.h"
#include "app/Skins.h"
#include "app/StatusPanels.h"
#include "app/TForm1.h"
#include "reader/TReaderView.h"

namespace {

constexpr int kButtonWidth = 55;
constexpr int kButtonHeight = 52;
// A drop-down button gets its arrow beside the 55 pixels of the button.
constexpr int kDropDownArrowWidth = 14;
constexpr int kTreeWidth = 191;

QToolButton* AddButton(QToolBar* bar, const char* caption, ToolbarPicture picture, bool enabled)
{
    auto* button = new QToolButton(bar);
    button->setText(QString::fromUtf8(caption));
    button->setIcon(ToolbarIcon(picture));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    button->setEnabled(enabled);
    button->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(button);
    return button;
}

QAction* AddDropDownItem(QToolButton* button, const char* caption)
{
    auto* menu = new QMenu(button);
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->setFixedSize(kButtonWidth + kDropDownArrowWidth, kButtonHeight);
    return item;
}

}  // namespace

void TForm1::BuildToolbar()
{
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(32, 32));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    ToolButton1 = AddButton(ToolBar1, "新增", ToolbarPicture::Add, true);
    ToolButton2 = AddButton(ToolBar1, "属性", ToolbarPicture::Properties, false);
    ToolButton3 = AddButton(ToolBar1, "删除", ToolbarPicture::Delete, false);
    ToolBar1->addSeparator();
    ToolButton4 = AddButton(ToolBar1, "制电子书", ToolbarPicture::EBook, false);
    XT1 = AddDropDownItem(ToolButton4, "TXT格式");
    ToolBar1->addSeparator();
    ToolButton7 = AddButton(ToolBar1, "停止更新", ToolbarPicture::Stop, false);
    ToolBar1->addSeparator();
    ToolButton6 = AddButton(ToolBar1, "设置", ToolbarPicture::Settings, true);
    N6 = AddDropDownItem(ToolButton6, "采集规则设置");
    ToolButton8 = AddButton(ToolBar1, "退出", ToolbarPicture::Exit, true);
}

void TForm1::BuildMenus()
{
    QMenuBar* bar = menuBar();
    bar->addMenu(QStringLiteral("文件"));
    QMenu* view = bar->addMenu(QStringLiteral("查看"));
    N33 = view->addAction(QStringLiteral("开启皮肤"));
    N33->setCheckable(true);
    N33->setChecked(true);
    QMenu* tools = bar->addMenu(QStringLiteral("工具"));
    N14 = tools->addAction(QStringLiteral("字符测试"));
    N35 = tools->addAction(QStringLiteral("自动发帖"));
    QMenu* help = bar->addMenu(QStringLiteral("帮助"));
    help->addAction(QStringLiteral("检查更新"));
    help->addSeparator();
    help->addAction(QStringLiteral("关于"));

    // A native title bar takes no buttons of ours, so the skin button sits at the menu bar's
    // corner.
    SkinMenu = new QMenu(this);
    for (const std::string& name : SkinManager::SkinNames())
        SkinMenu->addAction(QString::fromStdString(name))->setCheckable(true);
    SkinButton = new QToolButton(bar);
    SkinButton->setText(QStringLiteral("皮肤"));
    SkinButton->setToolTip(QStringLiteral("皮肤"));
    SkinButton->setIcon(SkinButtonIcon());
    SkinButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SkinButton->setAutoRaise(true);
    SkinButton->setFocusPolicy(Qt::NoFocus);
    bar->setCornerWidget(SkinButton, Qt::TopRightCorner);
}

void TForm1::BuildWorkArea()
{
    TreeView1 = new LibraryTree(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    ReaderView = new TReaderView(*this, ADODataSet1, this);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(1);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(TreeView1);
    Splitter1->addWidget(ReaderView);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    TreeView1->setMinimumWidth(40);
    Splitter1->setSizes({kTreeWidth, 1000});
    setCentralWidget(Splitter1);

    StatusBar1 = new StatusPanels(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);
}

void TForm1::BuildTreeMenu()
{
    PopupMenu1 = new QMenu(this);
    N1 = PopupMenu1->addMenu(QStringLiteral("更新"));
    N2 = N1->addAction(QStringLiteral("更新全部"));
    N3 = N1->addAction(QStringLiteral("更新目录"));
    N5 = PopupMenu1->addAction(QStringLiteral("删除"));
    N32 = PopupMenu1->addAction(QStringLiteral("属性"));
}
