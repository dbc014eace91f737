#pragma once
// The main window: library tree, chapter grid and reading pane, toolbar, menus, status bar.
// It owns the database objects, the settings file and the templates.
#include <QMainWindow>

#include <array>
#include <memory>
#include <string>

#include "db/DbConnection.h"
#include "db/DbDataSet.h"
#include "db/DbQuery.h"
#include "reader/ReaderHost.h"

class BookNode;
class LibraryTree;
class QAction;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;
class QTreeWidgetItem;
class SkinManager;
class StatusPanels;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm7;
class TIniFile;
class TReaderView;

class TForm1 : public QMainWindow, public ReaderHost {
    Q_OBJECT
public:
    // Builds the window and runs its start-up (FormCreate). AppDir must be set.
    explicit TForm1(Prompts& prompts, QWidget* parent = nullptr);
    ~TForm1() override;

    // The secondary windows, created after this one.
    struct Windows {
        TForm2* form2 = nullptr;
        TForm3* form3 = nullptr;
        TForm4* form4 = nullptr;
        TForm5* form5 = nullptr;
        TForm7* form7 = nullptr;
    };
    void SetWindows(const Windows& windows) { windows_ = windows; }

    // --- owned objects ---
    DbConnection ADOConnection1;
    DbQuery ADOQuery1{ADOConnection1};  // statements and most queries
    DbQuery ADOQuery2{ADOConnection1};  // unread counts only
    DbDataSet ADODataSet1{ADOConnection1, "booktit", "id"};  // rows of the chapter grid
    std::unique_ptr<TIniFile> SettingsFile;
    double AppVersion = 0;
    std::string DatabasePath;
    std::string BookListTemplate;
    std::string ArticleTemplate;
    // The collection engine's state (0 idle, 1 running, 2 stopping). The engine is not part of
    // the program yet, so it stays 0.
    int UpdateState = 0;

    // --- library tree ---
    std::array<QTreeWidgetItem*, 3> CategoryNodes{};
    BookNode* CurrentBookNode = nullptr;
    QTreeWidgetItem* CurrentCategoryNode = nullptr;
    void UpdateUnreadCount(QTreeWidgetItem* node, int delta);

    // --- controls ---
    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButton1 = nullptr;  // 新增
    QToolButton* ToolButton2 = nullptr;  // 属性
    QToolButton* ToolButton3 = nullptr;  // 删除
    QToolButton* ToolButton4 = nullptr;  // 制电子书
    QToolButton* ToolButton7 = nullptr;  // 停止更新
    QToolButton* ToolButton6 = nullptr;  // 设置
    QToolButton* ToolButton8 = nullptr;  // 退出
    QAction* XT1 = nullptr;              // TXT格式
    QAction* N6 = nullptr;               // 采集规则设置
    QAction* N33 = nullptr;              // 查看 > 开启皮肤
    QAction* N14 = nullptr;              // 工具 > 字符测试
    QAction* N35 = nullptr;              // 工具 > 自动发帖
    QToolButton* SkinButton = nullptr;   // 皮肤, at the menu bar's corner
    QMenu* SkinMenu = nullptr;
    LibraryTree* TreeView1 = nullptr;
    QSplitter* Splitter1 = nullptr;      // tree | reader
    TReaderView* ReaderView = nullptr;
    StatusPanels* StatusBar1 = nullptr;
    // The tree menu: 更新 (更新全部, 更新目录), 删除, 属性.
    QMenu* PopupMenu1 = nullptr;
    QMenu* N1 = nullptr;                 // 更新 / 更新分类
    QAction* N2 = nullptr;               // 更新全部
    QAction* N3 = nullptr;               // 更新目录
    QAction* N5 = nullptr;               // 删除
    QAction* N32 = nullptr;              // 属性

    SkinManager& Skins() { return *skins_; }
    Prompts& UserPrompts() override { return prompts_; }

    // --- handlers ---
    void FormCreate();
    void TreeView1MouseDown(Qt::MouseButton button, const QPoint& position);
    void TreeView1Expanded(QTreeWidgetItem* node);
    void TreeView1Collapsed(QTreeWidgetItem* node);
    void ToolButton1Click();  // 新增
    void ToolButton2Click();  // 属性 (and the tree menu's N32)
    void ToolButton3Click();  // 删除 (and the tree menu's N5)
    void ToolButton4Click();  // 制电子书 (and XT1)
    void ToolButton6Click();  // 设置 (and N6)
    void ToolButton8Click();  // 退出
    void N14Click();          // 字符测试
    void N33Click();          // 开启皮肤
    void N35Click();          // 自动发帖
    void ChooseSkin(const std::string& name);  // Calcium1Click and its six twins
    void sSkinManager1AfterChange();
    void sSkinProvider1TitleButtons0MouseDown();
    void WebBrowser1TitleChange(const QString& title);
    // "更新全部" (contentsOnly false) and "更新目录" (true); the collection engine takes them.
    void RunUpdateCommand(bool contentsOnly);

    // --- ReaderHost ---
    TMType* CurrentBook() override;
    void UpdateCurrentBookUnread(int delta) override;
    int EngineState() const override { return UpdateState; }
    void ReadingPaneEnlarged(bool enlarged) override;
    void RunChapterEngineCommand(ChapterEngineCommand command) override;

signals:
    // The window closed; the process ends.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolbar();
    void BuildMenus();
    void BuildWorkArea();
    void BuildTreeMenu();
    void ConnectHandlers();
    void CreateCategoryNodes();
    void ApplySettingsSkin();
    void OpenDatabase();
    void LoadLibrary();
    void LoadTemplates();
    void FormClose();
    void SetBookCommandsEnabled(bool enabled);
    void ShowCurrentBookChapters();
    void WriteSkinName(const std::string& name);
    QString BaseCaption() const;
    // Connects a signal to a handler that reports its own errors.
    template <class Sender, class Signal, class Handler>
    void On(Sender* sender, Signal signal, Handler handler);

    Prompts& prompts_;
    std::unique_ptr<SkinManager> skins_;
    Windows windows_;
    bool databaseOpen_ = false;
    bool closed_ = false;
    // What "最大化" hid, to be shown again exactly.
    QList<int> splitterSizes_;
    bool toolbarWasVisible_ = true;
};
