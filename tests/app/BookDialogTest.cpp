// The book dialog: add, duplicate, edit, move, cancel, the rule indicator.
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "AppTestSupport.h"
#include "app/AppIcons.h"
#include "app/LibraryTree.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "db/DbQuery.h"

class BookDialogTest : public AppTest {
protected:
    std::vector<std::string> keys;
    TForm2* dialog = nullptr;

    void SetUp() override
    {
        keys = SeedLibrary({{"甲书", 0, 3, 0, 0, "http://a.example/1/"}, {"乙书", 1, 0, 0, 0, "http://b.example/2/"}});
        Start();
        dialog = app->Form2();
    }

    void Fill(const char* name, const char* address, int category, bool pictures = true)
    {
        dialog->LabeledEdit1->setText(Q(name));
        dialog->LabeledEdit2->setText(Q(address));
        dialog->LabeledEdit3->setText("2");
        dialog->LabeledEdit4->setText("7");
        dialog->ComboBox1->setCurrentIndex(category);
        dialog->CheckBox1->setChecked(pictures);
    }

    std::vector<std::string> Row(const std::string& key)
    {
        std::vector<std::string> row;
        for (const char* c : {"name", "address", "startadr", "endadr", "ddimg", "type"}) {
            auto v = QueryColumn(std::string("select ") + c + " from bookid where id=?", {key});
            row.push_back(v.empty() ? "<none>" : v[0]);
        }
        return row;
    }

    std::vector<std::string> BookCount() { return QueryColumn("select count(*) from bookid"); }
};

TEST_F(BookDialogTest, AddingPutsTheNewBookLastUnderItsCategory)
{
    form->TreeView1->collapseItem(Category(1));
    const QWidget* shown = WhileModal([&] { form->ToolButton1->click(); }, [&](QWidget*) {
        // "新增" starts from the defaults.
        EXPECT_EQ(dialog->LabeledEdit1->text(), "");
        EXPECT_EQ(dialog->LabeledEdit2->text(), "");
        EXPECT_EQ(dialog->LabeledEdit3->text(), "1");
        EXPECT_EQ(dialog->LabeledEdit4->text(), "1");
        EXPECT_TRUE(dialog->CheckBox1->isChecked());
        EXPECT_EQ(dialog->ComboBox1->currentIndex(), 0);
        Fill("新书", "http://c.example/9/", 1, false);
        dialog->Button1->click();
    });
    EXPECT_EQ(shown, dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(prompts.shown.empty());

    ASSERT_EQ(Category(1)->childCount(), 2);
    BookNode* node = AsBook(Category(1)->child(1));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->text(0), Q("新书"));
    EXPECT_TRUE(Category(1)->isExpanded());
    EXPECT_EQ(NodeImage(node), PictureClosedBook);
    EXPECT_EQ(NodeSelectedImage(node), PictureClosedBook);
    EXPECT_EQ(node->Record.id, std::to_string(std::stoi(keys[1]) + 1));
    EXPECT_EQ(node->Record.unread, 0);
    EXPECT_EQ(node->Record.type, 1);
    EXPECT_EQ(node->Record.ddimg, "0");
    EXPECT_EQ(Row(node->Record.id), (std::vector<std::string>{G("新书"), "http://c.example/9/", "2", "7", "0", "1"}));
}

TEST_F(BookDialogTest, AnAddressAlreadyStoredIsNotAddedTwice)
{
    dialog->Open("", "", "1", "1", "1", -1);
    Fill("别名", "HTTP://A.example/1/", 2);
    dialog->Button1->click();
    EXPECT_EQ(prompts.Texts("info"), std::vector<std::string>{G("已经添加此书")});
    EXPECT_EQ(BookCount(), std::vector<std::string>{"2"});
    EXPECT_EQ(Category(2)->childCount(), 0);
}

TEST_F(BookDialogTest, AFailedInsertAddsNoNodeAndSaysSo)
{
    ASSERT_TRUE(ExecSql(form->ADOQuery1, {"create trigger refuse before insert on bookid "
                                          "begin select raise(abort, 'refused'); end", {}}));
    dialog->Open("", "", "1", "1", "1", -1);
    Fill("新书", "http://c.example/9/", 0);
    dialog->Button1->click();
    EXPECT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Category(0)->childCount(), 1);
    EXPECT_EQ(BookCount(), std::vector<std::string>{"2"});
}

TEST_F(BookDialogTest, EditingChangesTextRecordAndRowAndKeepsTheBoldOfUnreadBooks)
{
    ClickNode(form, BookNamed("甲书"));
    BookNode* node = form->CurrentBookNode;
    WhileModal([&] { form->ToolButton2->click(); }, [&](QWidget*) {
        EXPECT_EQ(dialog->Mode(), 0);
        EXPECT_EQ(dialog->LabeledEdit1->text(), Q("甲书"));
        EXPECT_EQ(dialog->LabeledEdit2->text(), "http://a.example/1/");
        EXPECT_EQ(dialog->LabeledEdit4->text(), "9");
        // No duplicate check on edit: the other book's address is accepted.
        Fill("甲书新名", "http://b.example/2/", 0, false);
        dialog->Button1->click();
    });
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(node->text(0), Q("甲书新名"));
    EXPECT_TRUE(node->data(0, Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(node->Record.name, G("甲书新名"));
    EXPECT_EQ(node->Record.address, "http://b.example/2/");
    EXPECT_EQ(node->Record.startadr, "2");
    EXPECT_EQ(node->Record.endadr, "7");
    EXPECT_EQ(node->Record.ddimg, "0");
    EXPECT_EQ(node->Record.unread, 3);
    EXPECT_EQ(Row(keys[0]), (std::vector<std::string>{G("甲书新名"), "http://b.example/2/", "2", "7", "0", "0"}));
    EXPECT_EQ(node->parent(), Category(0));
}

TEST_F(BookDialogTest, ChangingTheCategoryMovesTheNodeLastAndKeepsItsPictures)
{
    ClickNode(form, BookNamed("甲书"));
    BookNode* node = form->CurrentBookNode;
    form->TreeView1->expandItem(Category(2));
    dialog->Open(node->Record.name, node->Record.address, "1", "9", "1", node->Record.type);
    dialog->ComboBox1->setCurrentIndex(2);
    dialog->Button1->click();
    EXPECT_EQ(Category(0)->childCount(), 0);
    ASSERT_EQ(Category(2)->childCount(), 1);
    EXPECT_EQ(Category(2)->child(0), node);
    EXPECT_EQ(node->Record.type, 2);
    EXPECT_EQ(NodeImage(node), PictureClosedBook);
    EXPECT_EQ(NodeSelectedImage(node), PictureOpenBook);
    EXPECT_EQ(form->CurrentBookNode, node);
    EXPECT_EQ(Row(keys[0])[5], "2");
}

TEST_F(BookDialogTest, CancelChangesNothing)
{
    ClickNode(form, BookNamed("乙书"));
    dialog->Open(G("乙书"), "http://b.example/2/", "1", "9", "1", 1);
    Fill("别的", "http://z.example/", 0);
    dialog->Button2->click();
    EXPECT_EQ(BookNamed("乙书")->text(0), Q("乙书"));
    EXPECT_EQ(Row(keys[1])[0], G("乙书"));
    EXPECT_EQ(Category(1)->childCount(), 1);
}

TEST_F(BookDialogTest, LeavingTheAddressFieldLooksUpTheSiteRule)
{
    ASSERT_TRUE(ExecSql(form->ADOQuery1, {"insert into webinfo(name, yuming) values(?, ?)",
                                          {G("笔趣阁"), std::string("www.rule.example")}}));
    dialog->Open("", "", "1", "1", "1", -1);
    struct Case {
        const char* address;
        const char* indicator;
    };
    const Case cases[] = {
        {"http://www.rule.example/book/12/", "对应规则:笔趣阁"},
        {"http://other.example/book/12/", "没有找到对应规则"},
        {"http://www.rule.example/", "对应规则:笔趣阁"},
    };
    for (const Case& c : cases) {
        dialog->LabeledEdit2->setText(Q(c.address));
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(dialog->LabeledEdit2, &leave);
        EXPECT_EQ(dialog->Label1->text(), Q(c.indicator)) << c.address;
    }
    // Switching to another window is not leaving the field.
    dialog->LabeledEdit2->setText("http://other.example/");
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(dialog->LabeledEdit2, &away);
    EXPECT_EQ(dialog->Label1->text(), Q("对应规则:笔趣阁"));
    // The indicator is not reset by the next opening.
    dialog->Open("", "", "1", "1", "1", -1);
    EXPECT_EQ(dialog->Label1->text(), Q("对应规则:笔趣阁"));
}
