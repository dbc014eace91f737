// The main window: construction, the handlers' wiring, the reader's host, closing.
#include "app/TForm1.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QToolButton>

#include <type_traits>

#include "app/ErrorReport.h"
#include "app/LibraryTree.h"
#include "app/Skins.h"
#include "db/DbFile.h"
#include "reader/TReaderView.h"
#include "toolkit/IniFile.h"

TForm1::TForm1(Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), skins_(std::make_unique<SkinManager>())
{
    setObjectName(QStringLiteral("Form1"));
    BuildToolbar();
    BuildMenus();
    BuildWorkArea();
    BuildTreeMenu();
    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1()
{
    // The reader view shows ADODataSet1; it must go before the database members do.
    delete ReaderView;
}

template <class Sender, class Signal, class Handler>
void TForm1::On(Sender* sender, Signal signal, Handler handler)
{
    connect(sender, signal, this, [this, handler](auto&&... args) {
        ReportErrors(prompts_, [&] {
            if constexpr (std::is_invocable_v<Handler, decltype(args)...>)
                handler(args...);
            else
                handler();
        });
    });
}

void TForm1::ConnectHandlers()
{
    On(ToolButton1, &QToolButton::clicked, [this] { ToolButton1Click(); });
    On(ToolButton2, &QToolButton::clicked, [this] { ToolButton2Click(); });
    On(ToolButton3, &QToolButton::clicked, [this] { ToolButton3Click(); });
    On(ToolButton4, &QToolButton::clicked, [this] { ToolButton4Click(); });
    On(XT1, &QAction::triggered, [this] { ToolButton4Click(); });
    On(ToolButton6, &QToolButton::clicked, [this] { ToolButton6Click(); });
    On(N6, &QAction::triggered, [this] { ToolButton6Click(); });
    On(ToolButton8, &QToolButton::clicked, [this] { ToolButton8Click(); });
    On(N14, &QAction::triggered, [this] { N14Click(); });
    On(N33, &QAction::triggered, [this] { N33Click(); });
    On(N35, &QAction::triggered, [this] { N35Click(); });
    On(SkinButton, &QToolButton::pressed, [this] { sSkinProvider1TitleButtons0MouseDown(); });
    for (QAction* item : SkinMenu->actions()) {
        const std::string name = item->text().toStdString();
        On(item, &QAction::triggered, [this, name] { ChooseSkin(name); });
    }
    On(skins_.get(), &SkinManager::AfterChange, [this] { sSkinManager1AfterChange(); });

    On(TreeView1, &LibraryTree::MouseDown,
       [this](Qt::MouseButton button, const QPoint& at) { TreeView1MouseDown(button, at); });
    On(TreeView1, &QTreeWidget::itemExpanded, [this](QTreeWidgetItem* n) { TreeView1Expanded(n); });
    On(TreeView1, &QTreeWidget::itemCollapsed, [this](QTreeWidgetItem* n) { TreeView1Collapsed(n); });
    On(N2, &QAction::triggered, [this] { RunUpdateCommand(false); });
    On(N3, &QAction::triggered, [this] { RunUpdateCommand(true); });
    On(N5, &QAction::triggered, [this] { ToolButton3Click(); });
    On(N32, &QAction::triggered, [this] { ToolButton2Click(); });

    On(ReaderView, &TReaderView::PageTitleChanged,
       [this](const QString& title) { WebBrowser1TitleChange(title); });
}

// --- the reader's host ---------------------------------------------------------------------

TMType* TForm1::CurrentBook()
{
    return CurrentBookNode ? &CurrentBookNode->Record : nullptr;
}

void TForm1::UpdateCurrentBookUnread(int delta)
{
    UpdateUnreadCount(CurrentBookNode, delta);
}

void TForm1::RunChapterEngineCommand(ChapterEngineCommand)
{
    // The collection engine takes the chapter grid's download commands once it exists.
}

void TForm1::RunUpdateCommand(bool)
{
    // The collection engine takes the tree menu's update commands once it exists.
}

// --- closing -------------------------------------------------------------------------------

void TForm1::ToolButton8Click()
{
    if (prompts_.AskYesNo(Utf8ToGb("确认退出吗?")))
        close();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Closing is never refused.
    ReportErrors(prompts_, [this] { FormClose(); });
    event->accept();
    emit Closed();
}

void TForm1::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    // Compaction needs the file to itself. A file that did not open is left exactly as it is.
    ADODataSet1.Close();
    ADOQuery1.Close();
    ADOQuery2.Close();
    ADOConnection1.Close();
    if (databaseOpen_)
        CompactDatabaseFile(DatabasePath, kDatabasePassword);
    SettingsFile.reset();
}
