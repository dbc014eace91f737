// Process start and the main window's start-up, then closing.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QMenuBar>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/AppIcons.h"
#include "app/LibraryTree.h"
#include "app/Skins.h"
#include "app/StatusPanels.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/TForm6.h"
#include "db/DbFile.h"
#include "db/DbConnection.h"
#include "db/DbQuery.h"
#include "db/Statements.h"
#include "reader/TReaderView.h"
#include "rules/TForm3.h"
#include "tools/TForm4.h"
#include "tools/TForm5.h"
#include "tools/TForm7.h"
#include "toolkit/AppDir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Tables()
{
    auto names = QueryColumn("select name from sqlite_master where type='table' and name not like 'sqlite%' order by name");
    return names;
}

std::string Normalised(std::string bytes)
{
    // Every line ends with CR LF, the last included.
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        if (bytes[i] == '\n' || bytes[i] == '\r')
            out += "\r\n";
        else
            out += bytes[i];
    }
    if (!out.empty() && out.substr(out.size() - 2) != "\r\n")
        out += "\r\n";
    return out;
}

QStringList ToolbarCaptions(TForm1* form)
{
    QStringList captions;
    for (QAction* a : form->ToolBar1->actions()) {
        if (a->isSeparator()) {
            captions << "|";
            continue;
        }
        if (auto* b = qobject_cast<QToolButton*>(form->ToolBar1->widgetForAction(a)))
            captions << b->text() + (b->isEnabled() ? "" : "-");
    }
    return captions;
}

}  // namespace

TEST_F(AppTest, FirstStartCreatesTheLibraryAndTheSettings)
{
    Start();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(Tables(), (std::vector<std::string>{"bookid", "booktit", "webinfo"}));

    ASSERT_EQ(form->TreeView1->topLevelItemCount(), 3);
    const char* names[] = {"小说类", "采集类", "其它类"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Category(i)->text(0), Q(names[i]));
        EXPECT_EQ(Category(i)->childCount(), 0);
        EXPECT_EQ(form->CategoryNodes[i], Category(i));
    }
    EXPECT_TRUE(Category(0)->isExpanded());
    EXPECT_TRUE(Category(1)->isExpanded());
    EXPECT_FALSE(Category(2)->isExpanded());
    EXPECT_EQ(NodeImage(Category(0)), PictureOpenFolder);
    EXPECT_EQ(NodeImage(Category(2)), PictureClosedFolder);
    EXPECT_EQ(NodeSelectedImage(Category(2)), PictureClosedFolder);

    EXPECT_TRUE(form->Skins().Active());
    EXPECT_EQ(form->Skins().AppliedSkin(), "Calcium");
    EXPECT_TRUE(form->N33->isChecked());
    const std::string ini = ReadFileBytes(dir.File("sysset.ini"));
    EXPECT_NE(ini.find("[skins]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("skinname=Calcium"), std::string::npos) << ini;

    EXPECT_EQ(form->windowTitle(), Q("TaloranV1.2"));
    EXPECT_DOUBLE_EQ(form->AppVersion, 1.2);
    EXPECT_EQ(form->UpdateState, 0);
    EXPECT_EQ(form->CurrentBookNode, nullptr);
    EXPECT_EQ(form->CurrentCategoryNode, nullptr);
    EXPECT_EQ(form->BookListTemplate, Normalised(ReadFileBytes(dir.File("Model/booklist.htm"))));
    EXPECT_EQ(form->ArticleTemplate, Normalised(ReadFileBytes(dir.File("Model/article.htm"))));
    EXPECT_EQ(form->StatusBar1->PanelText(4), "");
}

TEST_F(AppTest, AnEmptyDatabaseFileIsTakenAsANewLibrary)
{
    WriteFileBytes(dir.File("data.mdb"), "");
    Start();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(Tables(), (std::vector<std::string>{"bookid", "booktit", "webinfo"}));
    EXPECT_FALSE(form->ArticleTemplate.empty());
}

TEST_F(AppTest, MainWindowLayout)
{
    Start();
    EXPECT_EQ(ToolbarCaptions(form), (QStringList{Q("新增"), Q("属性-"), Q("删除-"), "|", Q("制电子书-"), "|",
                                                  Q("停止更新-"), "|", Q("设置"), Q("退出")}));
    EXPECT_EQ(form->ToolButton1->size(), QSize(55, 52));
    EXPECT_EQ(form->ToolButton1->iconSize(), QSize(32, 32));
    EXPECT_EQ(form->ToolButton1->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(form->XT1->text(), Q("TXT格式"));
    EXPECT_EQ(form->N6->text(), Q("采集规则设置"));

    QStringList menus;
    for (QAction* a : form->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{Q("文件"), Q("查看"), Q("工具"), Q("帮助")}));
    EXPECT_TRUE(form->N33->isCheckable());
    EXPECT_EQ(form->N14->text(), Q("字符测试"));
    EXPECT_EQ(form->N35->text(), Q("自动发帖"));
    EXPECT_EQ(form->menuBar()->cornerWidget(), form->SkinButton);

    EXPECT_EQ(form->TreeView1->width(), 191);
    EXPECT_EQ(form->Splitter1->handleWidth(), 1);
    EXPECT_EQ(form->ReaderView->Grid()->height(), 168);
    EXPECT_EQ(form->ReaderView->Splitter()->handleWidth(), 2);

    const char* panels[] = {"状态", "进度", "", "←前翻 后翻→", ""};
    const int widths[] = {1000 - 421, 50, 200, 85, 50};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(form->StatusBar1->PanelText(i), G(panels[i])) << i;
        EXPECT_EQ(form->StatusBar1->PanelWidth(i), widths[i]) << i;
    }
    EXPECT_TRUE(form->StatusBar1->Panel(1)->alignment() & Qt::AlignHCenter);
}

TEST_F(AppTest, SevenWindowsWithTheirCaptionsAndAMaximizedMainWindow)
{
    app = std::make_unique<TaloranApp>(prompts);
    EXPECT_EQ(QApplication::applicationName(), "Taloran");
    EXPECT_EQ(app->Form2()->windowTitle(), Q("新增小说"));
    EXPECT_EQ(app->Form3()->windowTitle(), Q("规则设置"));
    EXPECT_EQ(app->Form4()->windowTitle(), Q("字符测试工具"));
    EXPECT_EQ(app->Form5()->windowTitle(), Q("TXT文档制作"));
    EXPECT_EQ(app->Form6()->windowTitle(), Q("Form6"));
    EXPECT_FALSE(app->Form7()->windowTitle().isEmpty());
    app->Show();
    EXPECT_TRUE(app->Form1()->windowState() & Qt::WindowMaximized);
    for (QWidget* w : std::initializer_list<QWidget*>{app->Form2(), app->Form3(), app->Form4(), app->Form5(),
                                                      app->Form6(), app->Form7()})
        EXPECT_FALSE(w->isVisible()) << w->windowTitle().toStdString();
}

TEST_F(AppTest, BooksAppearUnderTheirCategoriesWithUnreadCounts)
{
    const auto keys = SeedLibrary({{"甲书", 0, 3, 2, 1},
                                   {"乙书", 1, 0, 4, 0},
                                   {"丙书", 2, 1, 0, 0},
                                   {"丁书", 0, 0, 0, 0},
                                   {"戊书", 7, 2, 0, 0}});
    Start();
    EXPECT_TRUE(prompts.shown.empty());

    auto texts = [&](int c) {
        QStringList t;
        for (int i = 0; i < Category(c)->childCount(); ++i)
            t << Category(c)->child(i)->text(0);
        return t;
    };
    EXPECT_EQ(texts(0), (QStringList{Q("甲书(3)"), Q("丁书")}));
    EXPECT_EQ(texts(1), (QStringList{Q("乙书")}));
    EXPECT_EQ(texts(2), (QStringList{Q("丙书(1)"), Q("戊书(2)")}));
    EXPECT_TRUE(Category(0)->isExpanded());
    EXPECT_TRUE(Category(1)->isExpanded());
    EXPECT_FALSE(Category(2)->isExpanded());

    auto bold = [](QTreeWidgetItem* n) { return n->data(0, Qt::FontRole).value<QFont>().bold(); };
    EXPECT_TRUE(bold(BookNamed("甲书")));
    EXPECT_FALSE(bold(BookNamed("乙书")));
    EXPECT_FALSE(bold(BookNamed("丁书")));
    EXPECT_FALSE(bold(Category(0)));

    BookNode* first = AsBook(BookNamed("甲书"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Record.id, keys[0]);
    EXPECT_EQ(first->Record.unread, 3);
    EXPECT_EQ(first->Record.address, "http://novels.example/0/");
    EXPECT_EQ(first->Record.startadr, "1");
    EXPECT_EQ(first->Record.endadr, "9");
    EXPECT_EQ(first->Record.ddimg, "1");
    EXPECT_EQ(first->Record.type, 0);
    EXPECT_EQ(NodeImage(first), PictureClosedBook);
    EXPECT_EQ(NodeSelectedImage(first), PictureOpenBook);

    // The counts went through the fifth panel during loading; it is empty once start-up ends.
    EXPECT_EQ(form->StatusBar1->PanelText(4), "");
}

TEST_F(AppTest, MissingArticleTemplateGivesOneMessageAndTheWholeLibrary)
{
    SeedLibrary({{"甲书", 0, 3}, {"乙书", 1, 2}});
    fs::remove(dir.File("Model/article.htm"));
    Start();
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Category(0)->childCount(), 1);
    EXPECT_EQ(Category(1)->childCount(), 1);
    EXPECT_FALSE(form->BookListTemplate.empty());
    EXPECT_TRUE(form->ArticleTemplate.empty());
    // The last count stays: the step that empties the panel did not run.
    EXPECT_EQ(form->StatusBar1->PanelText(4), G("未读: 2"));
}

TEST_F(AppTest, ADatabaseThatCannotBeOpenedIsReportedAndLeftUntouched)
{
    struct Case {
        const char* what;
        std::function<void(const std::string& path)> make;
    };
    const Case cases[] = {
        {"damaged", [](const std::string& path) { WriteFileBytes(path, std::string(8192, '\x5a')); }},
        {"another password",
         [](const std::string& path) {
             ASSERT_TRUE(CreateDatabaseFile(path, "another-key"));
             DbConnection c;
             ASSERT_TRUE(c.Open(path, "another-key"));
             DbQuery q(c);
             for (const SqlStatement& s : Sql::SchemaStatements())
                 ExecSql(q, s);
             ExecSql(q, Sql::InsertBook("x", "http://x/", "1", "1", "1", 0));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempAppDir here;
        prompts.shown.clear();
        const std::string path = here.File("data.mdb");
        c.make(path);
        const std::string before = ReadFileBytes(path);
        Start();
        EXPECT_EQ(Errors().size(), 1u);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Category(i)->childCount(), 0);
        EXPECT_TRUE(form->BookListTemplate.empty());
        EXPECT_TRUE(form->ArticleTemplate.empty());
        EXPECT_TRUE(form->isVisible());
        // A book added now cannot be stored; the user is told and no node appears.
        app->Form2()->Open(G("新书"), "http://new.example/", "1", "1", "1", -1);
        app->Form2()->Button1->click();
        EXPECT_EQ(Errors().size(), 2u);
        EXPECT_EQ(Category(0)->childCount(), 0);
        form->close();
        EXPECT_EQ(ReadFileBytes(path), before);
        app.reset();
    }
}

TEST_F(AppTest, ExitAsksFirstAndClosingCompactsTheDatabase)
{
    SeedLibrary({{"甲书", 0, 1500}});
    Start();
    // Deleting a big book leaves free pages that only compaction gives back.
    ClickNode(form, BookNamed("甲书"));
    prompts.yesNoAnswers = {true};
    form->ToolButton3Click();
    const auto sizeBefore = fs::file_size(dir.File("data.mdb"));

    prompts.shown.clear();
    prompts.yesNoAnswers = {false};
    form->ToolButton8Click();
    EXPECT_EQ(prompts.Texts("question"), std::vector<std::string>{G("确认退出吗?")});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(fs::file_size(dir.File("data.mdb")), sizeBefore);

    prompts.yesNoAnswers = {true};
    form->ToolButton8Click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_LT(fs::file_size(dir.File("data.mdb")), sizeBefore);
    EXPECT_EQ(QueryColumn("select count(*) from bookid"), std::vector<std::string>{"0"});
}

TEST_F(AppTest, TheWindowFrameCloseAsksNothingAndEndsTheProgram)
{
    Start();
    form->ToolButton6->click();  // the rule editor stays open beside it
    ASSERT_TRUE(app->Form3()->isVisible());
    bool timedOut = false;
    QTimer::singleShot(0, form, [&] { form->close(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        timedOut = true;
        QCoreApplication::quit();
    });
    guard.start(10000);
    QApplication::exec();
    EXPECT_FALSE(timedOut);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(Tables().size(), 3u);
}
