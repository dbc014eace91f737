// Data sets: the chapter grid's rows and the rule editor's rows.
#include <gtest/gtest.h>

#include "LibraryFixture.h"
#include "db/DbDataSet.h"
#include "db/DbError.h"
#include "toolkit/TextCodec.h"

namespace {

class DataSetTest : public LibraryTest {
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        for (int n = 1; n <= 4; ++n)
            AddChapter("1", std::to_string(100000 + n), "http://s/" + std::to_string(n),
                       "title" + std::to_string(n));
        AddChapter("2", "100001", "http://s/1");
        QObject::connect(&grid, &DbDataSet::RowsReset, [this] { ++resets; });
        QObject::connect(&grid, &DbDataSet::RowChanged,
                         [this](int row) { changed.push_back(row); });
    }

    DbDataSet grid{connection, "booktit", "id"};
    int resets = 0;
    std::vector<int> changed;
};

}  // namespace

TEST_F(DataSetTest, RefreshKeepsTheCurrentRowByKeyOrElseByPosition)
{
    grid.Open(Sql::SelectBookChapters("1"));
    ASSERT_EQ(grid.RecordCount(), 4);
    EXPECT_EQ(grid.RecNo(), 0);
    grid.SetRecNo(2);
    EXPECT_EQ(grid.AsString("address"), "100003");

    AddChapter("1", "100000", "http://s/0");  // sorts first, pushing the current row down
    grid.Refresh();
    EXPECT_EQ(grid.RecordCount(), 5);
    EXPECT_EQ(grid.RecNo(), 3);
    EXPECT_EQ(grid.AsString("address"), "100003");

    ASSERT_TRUE(ExecSql(query, Sql::RemoveChapters("1", {"100003"})));
    grid.Refresh();
    EXPECT_EQ(grid.RecNo(), 3);
    EXPECT_EQ(grid.AsString("address"), "100004");
    EXPECT_EQ(resets, 3);
}

TEST_F(DataSetTest, PostedEditIsWrittenAtOnceToThatRowOnly)
{
    grid.Open(Sql::SelectBookChapters("1"));
    grid.SetRecNo(1);
    grid.Edit();
    grid.SetField("typeb", 1LL);
    EXPECT_EQ(grid.AsInteger("typeb"), 1);  // the edit shows before it is posted
    grid.Post();
    EXPECT_EQ(grid.CurrentState(), DbDataSet::State::Browse);
    EXPECT_EQ(changed, std::vector<int>{1});
    EXPECT_EQ(Rows({"SELECT name, address FROM booktit WHERE typeb=1", {}}), "1|100002\n");

    grid.Edit();
    grid.SetField("namec", std::string("it's \"new\""));
    grid.Post();
    EXPECT_EQ(Rows({"SELECT namec FROM booktit WHERE id=2", {}}), "it's \"new\"\n");
    EXPECT_EQ(grid.Value(1, grid.FieldIndex("NAMEC")), "it's \"new\"");
}

TEST_F(DataSetTest, FailedPostRaisesAndKeepsTheEdit)
{
    grid.Open(Sql::SelectBookChapters("1"));
    grid.Edit();
    grid.SetField("id", 2LL);  // taken by another row
    EXPECT_THROW(grid.Post(), DbError);
    EXPECT_EQ(grid.CurrentState(), DbDataSet::State::Edit);
    grid.Cancel();
    EXPECT_EQ(grid.AsInteger("id"), 1);

    ASSERT_TRUE(ExecSql(query, Sql::DeleteBookChapters("1")));
    grid.Edit();
    grid.SetField("typeb", 1LL);
    EXPECT_THROW(grid.Post(), DbError);  // the row is gone
    EXPECT_THROW(grid.SetField("nosuch", 1LL), DbError);
}

TEST_F(DataSetTest, InsertedRuleGetsItsKeyAndDeletedKeysAreNotReused)
{
    DbDataSet rules(connection, "webinfo", "cid");
    rules.Open(Sql::SelectAllRules());
    EXPECT_EQ(rules.RecordCount(), 0);
    for (const char* host : {"www.a.com", "www.b.com"}) {
        rules.Insert();
        rules.SetField("name", Utf8ToGb("规则"));
        rules.SetField("yuming", std::string(host));
        rules.Post();
    }
    ASSERT_EQ(rules.RecordCount(), 2);
    EXPECT_EQ(rules.RecNo(), 1);
    EXPECT_EQ(rules.AsInteger("cid"), 2);
    EXPECT_EQ(rules.AsString("dellink"), "");
    EXPECT_EQ(rules.AsString("name"), Utf8ToGb("规则"));

    rules.Delete();
    EXPECT_EQ(rules.RecordCount(), 1);
    rules.Insert();
    rules.SetField("yuming", std::string("www.c.com"));
    rules.Post();
    EXPECT_EQ(Rows({"SELECT cid, yuming FROM webinfo", {}}), "1|www.a.com\n3|www.c.com\n");
}

TEST_F(DataSetTest, LocateAndNavigation)
{
    grid.Open(Sql::SelectBookChapters("1"));
    EXPECT_TRUE(grid.Locate("ADDRESSB", "HTTP://S/3"));
    EXPECT_EQ(grid.RecNo(), 2);
    EXPECT_FALSE(grid.Locate("addressb", "http://s/9"));
    EXPECT_EQ(grid.RecNo(), 2);

    std::string visited;
    for (grid.First(); !grid.Eof(); grid.Next())
        visited += grid.AsString("address").substr(5);
    EXPECT_EQ(visited, "1234");
    EXPECT_EQ(grid.RecNo(), 3);

    // Two characters whose second bytes are "A" and "a" are not the same text.
    ASSERT_TRUE(ExecSql(query, Sql::MarkAllRead("1")));
    AddChapter("1", "100005", "http://s/5", "\xB0\x41");
    AddChapter("1", "100006", "http://s/6", "\xB0\x61");
    grid.Refresh();
    EXPECT_TRUE(grid.Locate("namec", "\xB0\x61"));
    EXPECT_EQ(grid.AsString("address"), "100006");
    EXPECT_TRUE(grid.Locate("namec", "TITLE2"));
    EXPECT_EQ(grid.AsString("address"), "100002");
}

TEST_F(DataSetTest, FailedOpenRaisesAndLeavesTheDataSetClosed)
{
    grid.Open(Sql::SelectBookChapters("1"));
    EXPECT_THROW(grid.Open({"Select * From nosuch", {}}), DbError);
    EXPECT_FALSE(grid.Active());
    EXPECT_EQ(grid.RecordCount(), 0);
    EXPECT_EQ(grid.RecNo(), -1);
    EXPECT_THROW(grid.Refresh(), DbError);
}
