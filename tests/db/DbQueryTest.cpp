// Query objects, the statement catalogue and batches.
#include <gtest/gtest.h>

#include "LibraryFixture.h"
#include "db/DbError.h"
#include "toolkit/TextCodec.h"

namespace {

// Runs `read` and returns the DbError's text ("" when nothing was raised).
template <typename Read>
std::string RaisedBy(Read read)
{
    try {
        read();
    } catch (const DbError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST_F(LibraryTest, FirstBookGetsIdOneAndReadsByPosition)
{
    ASSERT_TRUE(ExecSql(query, Sql::InsertBook("name", "http://a/b", "1", "3", "1", 2)));
    ASSERT_TRUE(OpenSql(query, Sql::SelectMaxBookId()));
    EXPECT_EQ(query.AsString(0), "1");

    ASSERT_TRUE(OpenSql(query, Sql::SelectAllBooks()));
    ASSERT_EQ(query.RecordCount(), 1);
    EXPECT_EQ(query.AsInteger(0), 1);
    EXPECT_EQ(query.AsInteger(1), 0);  // cid is never written
    EXPECT_EQ(query.AsString("CID"), "");
    EXPECT_EQ(query.AsString(2) + query.AsString(3) + query.AsString(4) + query.AsString(5),
              "namehttp://a/b13");
    EXPECT_EQ(query.AsInteger(6), 1);
    EXPECT_EQ(query.AsString("Type"), "2");

    ASSERT_TRUE(ExecSql(query, Sql::UpdateBook("renamed", "http://a/c", "2", "4", "0", 1, "1")));
    EXPECT_EQ(Rows(Sql::SelectAllBooks()), "1||renamed|http://a/c|2|4|0|1\n");
    ASSERT_TRUE(ExecSql(query, Sql::DeleteBook("1")));
    EXPECT_EQ(Rows(Sql::SelectAllBooks()), "");
}

TEST_F(LibraryTest, AwkwardTextsAreStoredAndFoundUnchangedTouchingNoOtherRow)
{
    const std::string texts[] = {
        "say \"hi\"", "it's", "it''s", "100%", "%", "a_c", "abc", "back\\slash", "\\",
        "'); DROP TABLE booktit; --", Utf8ToGb("第一章 “引子”"), Utf8ToGb("生僻字𠀀"),
        std::string(300, 'x'),
    };
    for (size_t i = 0; i < std::size(texts); ++i)
        AddChapter("1", std::to_string(100001 + i), "http://s/" + texts[i], texts[i]);
    AddChapter("2", "100001", "http://s/" + texts[0], "other book");

    for (size_t i = 0; i < std::size(texts); ++i) {
        const std::string& text = texts[i];
        ASSERT_TRUE(OpenSql(query, Sql::SelectChapterBySource("1", "http://s/" + text)));
        ASSERT_EQ(query.RecordCount(), 1) << text;
        EXPECT_EQ(query.AsString("namec"), text);
        EXPECT_EQ(query.AsString("addressb"), "http://s/" + text);
        ASSERT_TRUE(ExecSql(query, Sql::MarkChapterRead("1", "http://s/" + text)));
        EXPECT_EQ(Rows({"SELECT count(*) FROM booktit WHERE typeb=1", {}}),
                  std::to_string(i + 1) + "\n")
            << text;
    }
    // The database holds real characters, so the sqlcipher tool shows them.
    EXPECT_EQ(Rows({"SELECT namec FROM booktit WHERE address='100011'", {}}),
              Utf8ToGb("第一章 “引子”") + "\n");
    EXPECT_EQ(Rows({"SELECT hex(namec) FROM booktit WHERE address='100011'", {}}),
              "E7ACACE4B880E7ABA020E2809CE5BC95E5AD90E2809D\n");

    ASSERT_TRUE(ExecSql(query, Sql::InsertBook(texts[0], texts[1], "1", "1", "0", 0)));
    ASSERT_TRUE(OpenSql(query, Sql::SelectBookByAddress(texts[1])));
    ASSERT_EQ(query.RecordCount(), 1);
    EXPECT_EQ(query.AsString("name"), texts[0]);
}

TEST_F(LibraryTest, TextComparisonsIgnoreLetterCase)
{
    AddChapter("1", "100001", "http://Site.COM/Read/A.htm");
    ASSERT_TRUE(OpenSql(query, Sql::SelectChapterBySource("1", "HTTP://site.com/read/a.HTM")));
    EXPECT_EQ(query.RecordCount(), 1);
    ASSERT_TRUE(ExecSql(query, Sql::InsertBook("b", "http://Site.com/Book/", "1", "1", "0", 0)));
    ASSERT_TRUE(OpenSql(query, Sql::SelectBookByAddress("http://site.com/book/")));
    EXPECT_EQ(query.RecordCount(), 1);
    ASSERT_TRUE(
        ExecSql(query, {"INSERT INTO webinfo (name, yuming) VALUES ('r', 'WWW.Site.com')", {}}));
    ASSERT_TRUE(OpenSql(query, Sql::SelectRuleIdByHost("www.site.COM")));
    EXPECT_EQ(query.RecordCount(), 1);
    ASSERT_TRUE(OpenSql(query, Sql::SelectRuleIdByHost("www.site.co")));
    EXPECT_EQ(query.RecordCount(), 0);
}

TEST_F(LibraryTest, HighestChapterNumberIsEmptyForABookWithoutChapters)
{
    ASSERT_TRUE(OpenSql(query, Sql::SelectMaxChapterNumber("1")));
    ASSERT_EQ(query.RecordCount(), 1);
    EXPECT_EQ(query.AsString(0), "");
    EXPECT_EQ(query.AsInteger(0), 0);
    AddChapter("1", "100002", "http://s/2");
    AddChapter("1", "100001", "http://s/1");
    AddChapter("11", "100009", "http://s/9");
    ASSERT_TRUE(OpenSql(query, Sql::SelectMaxChapterNumber("1")));
    EXPECT_EQ(query.AsString(0), "100002");
}

TEST_F(LibraryTest, MarksBeforeAndAfterLeaveTheFocusedChapterAlone)
{
    for (int n = 1; n <= 5; ++n)
        AddChapter("1", std::to_string(100000 + n), "http://s/" + std::to_string(n));
    AddChapter("2", "100001", "http://s/1");
    const SqlStatement marks{"SELECT group_concat(typeb, '') FROM "
                             "(SELECT typeb FROM booktit ORDER BY name, address)",
                             {}};

    ASSERT_TRUE(ExecSql(query, Sql::MarkReadBefore("1", "100003")));
    EXPECT_EQ(Rows(marks), "110000\n");
    ASSERT_TRUE(ExecSql(query, Sql::MarkAllRead("1")));
    ASSERT_TRUE(ExecSql(query, Sql::MarkUnreadAfter("1", "100003")));
    EXPECT_EQ(Rows(marks), "111000\n");
    ASSERT_TRUE(ExecSql(query, Sql::MarkChapterUnread("1", "http://s/1")));
    EXPECT_EQ(Rows(marks), "011000\n");
    ASSERT_TRUE(ExecSql(query, Sql::MarkAllUnread("1")));
    EXPECT_EQ(Rows(marks), "000000\n");
}

TEST_F(LibraryTest, ChapterStatesDriveTheListsAndTheUnreadCount)
{
    for (int n = 1; n <= 5; ++n)
        AddChapter("1", std::to_string(100000 + n), "http://s/" + std::to_string(n));
    ASSERT_TRUE(ExecSql(query, Sql::MarkChapterStored("1", "http://s/1", "2024/05/06")));
    ASSERT_TRUE(ExecSql(query, Sql::MarkChapterPicturesPending("1", "http://s/2")));
    ASSERT_TRUE(ExecSql(query, Sql::FinishChapterPictures("1", "http://s/3", 2, "2024/05/07")));
    ASSERT_TRUE(ExecSql(query, Sql::RemoveChapters("1", {})));
    ASSERT_TRUE(ExecSql(query, Sql::RemoveChapters("1", {"100004", "100005"})));
    ASSERT_TRUE(ExecSql(query, Sql::MarkChapterRead("1", "http://s/1")));

    EXPECT_EQ(Rows({"SELECT address, type, dtime FROM booktit ORDER BY address", {}}),
              "100001|1|2024/05/06\n100002|2|\n100003|2|2024/05/07\n100004|-1|\n100005|-1|\n");
    DbQuery grid(connection);
    ASSERT_TRUE(OpenSql(grid, Sql::SelectBookChapters("1")));
    EXPECT_EQ(grid.RecordCount(), 3);
    EXPECT_EQ(grid.AsString("address"), "100001");
    EXPECT_EQ(Rows(Sql::SelectBlankChapters("1")), "");
    EXPECT_EQ(Rows(Sql::SelectChaptersMissingPictures("1")),
              "http://s/2|t|100002\nhttp://s/3|t|100003\n");
    ASSERT_TRUE(OpenSql(query, Sql::SelectUnreadChapters("1")));
    EXPECT_EQ(query.RecordCount(), 2);

    ASSERT_TRUE(ExecSql(query, Sql::DeleteBookChapters("1")));
    EXPECT_EQ(Rows({"SELECT count(*) FROM booktit", {}}), "0\n");
}

TEST(DatabaseQuery, StatementsOnAClosedOrMissingDatabaseReturnFalse)
{
    TempAppDir dir(false);
    DbConnection connection;
    DbQuery query(connection);
    EXPECT_FALSE(ExecSql(query, Sql::MarkAllRead("1")));
    EXPECT_FALSE(OpenSql(query, Sql::SelectAllBooks()));
    EXPECT_NE(RaisedBy([&] { query.RecordCount(); }), "");

    EXPECT_FALSE(connection.Open(dir.File("missing.mdb"), kDatabasePassword));
    EXPECT_FALSE(ExecSql(query, Sql::SchemaStatements()[0]));

    ASSERT_TRUE(CreateDatabaseFile(dir.File("data.mdb"), kDatabasePassword));
    ASSERT_TRUE(connection.Open(dir.File("data.mdb"), kDatabasePassword));
    ASSERT_TRUE(ExecSql(query, Sql::SchemaStatements()[0]));
    connection.Close();
    EXPECT_FALSE(ExecSql(query, Sql::SelectAllBooks()));
    EXPECT_FALSE(OpenSql(query, Sql::SelectAllBooks()));
}

TEST_F(LibraryTest, ReadingAFailedQueryRaisesTheReason)
{
    EXPECT_FALSE(OpenSql(query, {"Select * From nosuch", {}}));
    EXPECT_FALSE(query.Active());
    EXPECT_EQ(RaisedBy([&] { query.RecordCount(); }), "no such table: nosuch");
    EXPECT_EQ(RaisedBy([&] { query.Eof(); }), "no such table: nosuch");
    query.Close();
    EXPECT_EQ(RaisedBy([&] { query.AsString(0); }), "no such table: nosuch");

    ASSERT_TRUE(OpenSql(query, Sql::SelectAllBooks()));
    EXPECT_EQ(query.RecordCount(), 0);
    EXPECT_NE(RaisedBy([&] { query.AsString(0); }), "");  // no current row
    EXPECT_NE(RaisedBy([&] { query.AsString("nosuch"); }), "");
    EXPECT_FALSE(ExecSql(query, {"update booktit set nosuch=1", {}}));
    EXPECT_EQ(RaisedBy([&] { query.RecordCount(); }), "no such column: nosuch");
    query.Close();
    ASSERT_TRUE(ExecSql(query, Sql::MarkAllRead("1")));
    EXPECT_EQ(RaisedBy([&] { query.RecordCount(); }), Utf8ToGb("查询未打开"));
}

TEST_F(LibraryTest, BatchesCommitOnlyAtTheOutermostAndRollBackWhenAbandoned)
{
    DbConnection other;
    ASSERT_TRUE(other.Open(path, kDatabasePassword));
    DbQuery otherQuery(other);
    auto count = [&] {
        otherQuery.Open({"SELECT count(*) FROM booktit", {}});
        return otherQuery.AsInteger(0);
    };
    {
        DbConnection::Batch outer(connection);
        AddChapter("1", "100001", "http://s/1");
        {
            DbConnection::Batch inner(connection);
            AddChapter("1", "100002", "http://s/2");
            EXPECT_TRUE(inner.Commit());
        }
        EXPECT_EQ(count(), 0);  // nothing is visible before the outermost commit
        {
            DbConnection::Batch abandoned(connection);
            AddChapter("1", "100003", "http://s/3");
            EXPECT_FALSE(ExecSql(query, {"insert into nosuch values(1)", {}}));
        }
        EXPECT_TRUE(outer.Commit());
    }
    EXPECT_EQ(Rows({"SELECT address FROM booktit", {}}), "100001\n100002\n");
    EXPECT_EQ(count(), 2);
    {
        DbConnection::Batch dropped(connection);
        AddChapter("1", "100004", "http://s/4");
    }
    EXPECT_EQ(count(), 2);
    {
        DbConnection::Batch next(connection);  // the connection is usable again
        AddChapter("1", "100005", "http://s/5");
        EXPECT_TRUE(next.Commit());
        EXPECT_FALSE(next.Commit());
    }
    EXPECT_EQ(count(), 3);
}
