// The library tree: clicks, the tree menu, unread counts, the book commands.
#include <QAction>
#include <QTableView>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QWebEngineView>

#include <filesystem>
#include <map>

#include "AppTestSupport.h"
#include "app/AppIcons.h"
#include "app/LibraryTree.h"
#include "app/StatusPanels.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "db/DbConnection.h"
#include "db/DbDataSet.h"
#include "db/DbFile.h"
#include "db/DbQuery.h"
#include "db/Statements.h"
#include "reader/TReaderView.h"
#include "tools/TForm7.h"

namespace fs = std::filesystem;

namespace {

struct BookCommands {
    bool properties, remove, ebook, menuRemove;
    bool operator==(const BookCommands&) const = default;
};

BookCommands CommandsOf(TForm1* form)
{
    return {form->ToolButton2->isEnabled(), form->ToolButton3->isEnabled(), form->ToolButton4->isEnabled(),
            form->N5->isEnabled()};
}

std::ostream& operator<<(std::ostream& os, const BookCommands& c)
{
    return os << c.properties << c.remove << c.ebook << c.menuRemove;
}

constexpr BookCommands kAllOn{true, true, true, true};
constexpr BookCommands kAllOff{false, false, false, false};

}  // namespace

class LibraryTreeTest : public AppTest {
protected:
    std::vector<std::string> keys;

    void SetUp() override
    {
        keys = SeedLibrary({{"甲书", 0, 5, 1, 2}, {"乙书", 0, 2}, {"丙书", 1, 0, 3}});
        // Only the first book has a table-of-contents page.
        WriteFileBytes(dir.File("Book/" + keys[0] + "/List.htm"), "<html><body>list</body></html>");
        WriteFileBytes(dir.File("Book/" + keys[0] + "/100001.htm"), "<html></html>");
        Start();
    }

    QUrl PaneUrl() const { return form->ReaderView->Browser()->url(); }
    int GridRows() const { return form->ADODataSet1.Active() ? form->ADODataSet1.RecordCount() : 0; }
    void CloseMenu() { form->PopupMenu1->hide(); }
};

TEST_F(LibraryTreeTest, LeftClickOnABookMakesItCurrentAndShowsItsChaptersAndContentsPage)
{
    EXPECT_EQ(CommandsOf(form), (BookCommands{false, false, false, true}));
    QTreeWidgetItem* book = BookNamed("甲书");
    ClickNode(form, book);
    EXPECT_EQ(form->CurrentBookNode, book);
    EXPECT_EQ(form->N1->title(), Q("更新"));
    EXPECT_EQ(CommandsOf(form), kAllOn);
    EXPECT_EQ(GridRows(), 6);  // the removed chapters are not listed
    EXPECT_EQ(form->StatusBar1->PanelText(4), G("未读: 5"));
    const QUrl list = QUrl::fromLocalFile(QString::fromStdString(dir.File("Book/" + keys[0] + "/List.htm")));
    EXPECT_TRUE(WaitFor([&] { return PaneUrl() == list; })) << PaneUrl().toString().toStdString();
    EXPECT_FALSE(form->PopupMenu1->isVisible());

    // A book without a contents page leaves the pane where it is.
    ClickNode(form, BookNamed("乙书"));
    EXPECT_EQ(form->StatusBar1->PanelText(4), G("未读: 2"));
    EXPECT_EQ(GridRows(), 2);
    QTest::qWait(100);
    EXPECT_EQ(PaneUrl(), list);
}

TEST_F(LibraryTreeTest, RightClickOnABookOpensTheMenuWithoutTouchingPanelOrPane)
{
    const QUrl pane = PaneUrl();
    ClickNode(form, BookNamed("甲书"), Qt::RightButton);
    EXPECT_EQ(form->CurrentBookNode, BookNamed("甲书"));
    EXPECT_EQ(form->TreeView1->currentItem(), BookNamed("甲书"));
    EXPECT_EQ(GridRows(), 6);
    EXPECT_TRUE(form->PopupMenu1->isVisible());
    EXPECT_EQ(form->PopupMenu1->actions().first()->text(), Q("更新"));
    EXPECT_EQ(form->StatusBar1->PanelText(4), "");
    QTest::qWait(100);
    EXPECT_EQ(PaneUrl(), pane);
    CloseMenu();
}

TEST_F(LibraryTreeTest, ClickOnACategoryKeepsTheCurrentBookForTheMenuOnly)
{
    ClickNode(form, BookNamed("丙书"));
    ClickNode(form, Category(0), Qt::RightButton);
    EXPECT_EQ(form->CurrentCategoryNode, Category(0));
    EXPECT_EQ(form->CurrentBookNode, BookNamed("丙书"));
    EXPECT_EQ(form->N1->title(), Q("更新分类"));
    EXPECT_EQ(CommandsOf(form), kAllOff);
    EXPECT_TRUE(form->PopupMenu1->isVisible());
    EXPECT_EQ(GridRows(), 3);  // still the last book's chapters
    CloseMenu();

    // The menu's "属性" edits the book clicked last.
    QWidget* dialog = WhileModal([&] { form->N32->trigger(); }, [&](QWidget* w) {
        EXPECT_EQ(w, app->Form2());
        EXPECT_EQ(app->Form2()->LabeledEdit1->text(), Q("丙书"));
        EXPECT_EQ(app->Form2()->Mode(), 1);
    });
    EXPECT_EQ(dialog, app->Form2());

    // A left click on a category shows no menu.
    ClickNode(form, Category(1));
    EXPECT_EQ(form->CurrentCategoryNode, Category(1));
    EXPECT_FALSE(form->PopupMenu1->isVisible());
}

TEST_F(LibraryTreeTest, NoMenuWhileTheEngineIsBusyAndNothingOnEmptySpace)
{
    form->UpdateState = 1;
    ClickNode(form, BookNamed("乙书"), Qt::RightButton);
    EXPECT_EQ(form->TreeView1->currentItem(), BookNamed("乙书"));
    EXPECT_EQ(form->CurrentBookNode, BookNamed("乙书"));
    EXPECT_FALSE(form->PopupMenu1->isVisible());
    form->UpdateState = 0;

    const QPoint below(20, form->TreeView1->viewport()->height() - 5);
    ASSERT_EQ(form->TreeView1->itemAt(below), nullptr);
    QTest::mouseClick(form->TreeView1->viewport(), Qt::RightButton, Qt::NoModifier, below);
    EXPECT_FALSE(form->PopupMenu1->isVisible());
    EXPECT_EQ(form->CurrentBookNode, BookNamed("乙书"));
}

TEST_F(LibraryTreeTest, KeyboardSelectionChangesNothingElse)
{
    ClickNode(form, BookNamed("甲书"));
    form->TreeView1->setFocus();
    QTest::keyClick(form->TreeView1, Qt::Key_Down);
    EXPECT_EQ(form->TreeView1->currentItem(), BookNamed("乙书"));
    EXPECT_EQ(form->CurrentBookNode, BookNamed("甲书"));
    EXPECT_EQ(GridRows(), 6);
    EXPECT_EQ(form->StatusBar1->PanelText(4), G("未读: 5"));
}

TEST_F(LibraryTreeTest, UnreadCountFollowsDeltasAndRecounts)
{
    ClickNode(form, BookNamed("乙书"));
    QTreeWidgetItem* node = BookNamed("乙书");
    auto bold = [&] { return node->data(0, Qt::FontRole).value<QFont>().bold(); };
    form->UpdateCurrentBookUnread(-1);
    EXPECT_EQ(node->text(0), Q("乙书(1)"));
    form->UpdateUnreadCount(node, -1);
    EXPECT_EQ(node->text(0), Q("乙书"));
    EXPECT_FALSE(bold());
    EXPECT_EQ(form->StatusBar1->PanelText(4), G("未读: 0"));
    form->UpdateUnreadCount(node, 0);
    EXPECT_EQ(node->text(0), Q("乙书(2)"));
    EXPECT_TRUE(bold());
    form->UpdateUnreadCount(nullptr, 0);  // no node: nothing happens
    form->UpdateUnreadCount(Category(0), 0);
    EXPECT_EQ(Category(0)->text(0), Q("小说类"));
}

TEST_F(LibraryTreeTest, CategoryPicturesFollowExpandAndCollapse)
{
    form->TreeView1->collapseItem(Category(0));
    EXPECT_EQ(NodeImage(Category(0)), PictureClosedFolder);
    EXPECT_EQ(NodeSelectedImage(Category(0)), PictureClosedFolder);
    form->TreeView1->expandItem(Category(2));
    EXPECT_EQ(NodeImage(Category(2)), PictureOpenFolder);
    EXPECT_EQ(NodeSelectedImage(Category(2)), PictureOpenFolder);
}

TEST_F(LibraryTreeTest, DeleteAnsweredNoChangesNothing)
{
    ClickNode(form, BookNamed("甲书"));
    prompts.yesNoAnswers = {false};
    form->ToolButton3->click();
    EXPECT_EQ(prompts.Texts("question"), std::vector<std::string>{G("确认删除吗?")});
    EXPECT_NE(BookNamed("甲书"), nullptr);
    EXPECT_EQ(form->CurrentBookNode, BookNamed("甲书"));
    EXPECT_EQ(QueryColumn("select count(*) from booktit where name=?", {keys[0]}), std::vector<std::string>{"8"});
    EXPECT_TRUE(fs::exists(dir.File("Book/" + keys[0] + "/List.htm")));
}

TEST_F(LibraryTreeTest, DeleteAnsweredYesRemovesRowsNodeAndFolder)
{
    ClickNode(form, BookNamed("甲书"));
    prompts.yesNoAnswers = {true};
    form->ToolButton3->click();
    EXPECT_EQ(prompts.shown.size(), 1u);  // only the question, no message afterwards
    EXPECT_EQ(BookNamed("甲书"), nullptr);
    EXPECT_EQ(QueryColumn("select count(*) from bookid where id=?", {keys[0]}), std::vector<std::string>{"0"});
    EXPECT_EQ(QueryColumn("select count(*) from booktit where name=?", {keys[0]}), std::vector<std::string>{"0"});
    EXPECT_FALSE(fs::exists(dir.File("Book/" + keys[0])));
    // The other books and their chapters stay.
    EXPECT_EQ(QueryColumn("select count(*) from booktit"), std::vector<std::string>{"5"});
    // The tree picked a neighbour; when it is a book it is current, otherwise nothing is.
    BookNode* now = AsBook(form->TreeView1->currentItem());
    EXPECT_EQ(form->CurrentBookNode, now);
    EXPECT_EQ(CommandsOf(form), now ? kAllOn : kAllOff);
    const std::map<std::string, int> chapters{{G("乙书"), 2}, {G("丙书"), 3}};
    EXPECT_EQ(GridRows(), now ? chapters.at(now->Record.name) : 0);
}

TEST_F(LibraryTreeTest, AutoPostNeedsACurrentBook)
{
    form->N35->trigger();
    EXPECT_EQ(prompts.Texts("info"), std::vector<std::string>{G("请先选择一个项目")});
    ClickNode(form, BookNamed("乙书"));
    QWidget* poster = WhileModal([&] { form->N35->trigger(); });
    EXPECT_EQ(poster, app->Form7());
    EXPECT_EQ(app->Form7()->Book().id, keys[1]);
}

TEST_F(AppTest, DeletingTheOnlyBookLeavesNoCurrentBook)
{
    const auto keys = SeedLibrary({{"独书", 1, 2}});
    Start();
    ClickNode(form, BookNamed("独书"));
    prompts.yesNoAnswers = {true};
    form->N5->trigger();
    EXPECT_EQ(Category(1)->childCount(), 0);
    EXPECT_EQ(form->CurrentBookNode, nullptr);
    EXPECT_EQ(CommandsOf(form), kAllOff);
    EXPECT_FALSE(form->ADODataSet1.Active() && form->ADODataSet1.RecordCount() > 0);
    // "属性" has nothing to edit now.
    EXPECT_EQ(WhileModal([&] { form->ToolButton2Click(); }), nullptr);
}

// The reader and the tree meet here: reading a chapter in the main window lowers the book's count
// on its node and in the fifth panel, and the row loses its bold.
TEST_F(AppTest, ReadingAChapterLowersTheCountOnTheTreeAndInThePanel)
{
    const std::vector<std::string> keys = SeedLibrary({{"甲书", 0, 2}});
    {
        DbConnection connection;
        ASSERT_TRUE(connection.Open(dir.File(kDatabaseFileName), kDatabasePassword));
        DbQuery query(connection);
        ASSERT_TRUE(ExecSql(query, Sql::MarkChapterStored(keys[0], "http://novels.example/0/100001.html", "2026/12/10")));
    }
    WriteFileBytes(dir.File("Book/" + keys[0] + "/100001.htm"), "<html><body>one</body></html>");
    Start();
    QTreeWidgetItem* book = BookNamed("甲书");
    ClickNode(form, book);
    EXPECT_EQ(book->text(0), Q("甲书(2)"));

    QTableView* grid = form->ReaderView->Grid();
    const QModelIndex first = grid->model()->index(0, 0);
    ASSERT_TRUE(grid->model()->data(first, Qt::FontRole).value<QFont>().bold());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->visualRect(first).center());

    EXPECT_EQ(book->text(0), Q("甲书(1)"));
    EXPECT_TRUE(book->font(0).bold());
    EXPECT_EQ(form->StatusBar1->PanelText(4), G("未读: 1"));
    EXPECT_FALSE(grid->model()->data(first, Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(QueryColumn("select typeb from booktit where address='100001'"), std::vector<std::string>{"1"});
}
