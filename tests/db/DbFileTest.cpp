// The database file: schema, key, damaged files, compaction, migration.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include <sys/wait.h>
#include <unistd.h>

#include "LibraryFixture.h"
#include "db/Schema.h"

namespace {

std::string ColumnsOf(DbConnection& connection, const std::string& table)
{
    DbQuery columns(connection);
    columns.Open({"PRAGMA table_info(" + table + ")", {}});
    std::string text;
    for (; !columns.Eof(); columns.Next())
        text += columns.AsString("name") + " " + columns.AsString("type") + "\n";
    return text;
}

}  // namespace

TEST_F(LibraryTest, NewFileHasExactlyTheThreeTablesInColumnOrderWithoutRows)
{
    EXPECT_EQ(Rows({"SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE "
                    "'sqlite%' ORDER BY name",
                    {}}),
              "bookid\nbooktit\nwebinfo\n");
    EXPECT_EQ(ColumnsOf(connection, "bookid"),
              "id INTEGER\ncid INTEGER\nname TEXT\naddress TEXT\nstartadr TEXT\nendadr TEXT\n"
              "ddimg INTEGER\ntype INTEGER\n");
    EXPECT_EQ(ColumnsOf(connection, "booktit"),
              "id INTEGER\nname TEXT\nnameb TEXT\nnamec TEXT\naddress TEXT\naddressb TEXT\n"
              "dtime TEXT\ntype INTEGER\ntypeb INTEGER\n");
    EXPECT_EQ(ColumnsOf(connection, "webinfo"),
              "cid INTEGER\nname TEXT\nyuming TEXT\nmlstart TEXT\nmlend TEXT\nnrstart TEXT\n"
              "nrend TEXT\ndelword TEXT\ndellink TEXT\n");
    EXPECT_EQ(Rows({"SELECT (SELECT count(*) FROM bookid) + (SELECT count(*) FROM booktit) + "
                    "(SELECT count(*) FROM webinfo)",
                    {}}),
              "0\n");
    EXPECT_EQ(Rows({"SELECT count(*) FROM sqlite_master WHERE type='index' AND sql IS NOT NULL",
                    {}}),
              std::to_string(Sql::IndexStatements().size()) + "\n");
}

TEST_F(LibraryTest, FileOpensOnlyWithItsKeyAndIsNotPlainSqlite)
{
    connection.Close();
    EXPECT_NE(ReadFileBytes(path).substr(0, 16), std::string("SQLite format 3\0", 16));

    DbConnection other;
    EXPECT_FALSE(other.Open(path, "qelmvurtipb"));
    EXPECT_NE(other.LastError().find("not a database"), std::string::npos) << other.LastError();
    EXPECT_FALSE(other.Connected());
    EXPECT_TRUE(other.Open(path, kDatabasePassword)) << other.LastError();
}

TEST_F(LibraryTest, SqlcipherToolReadsTheFileGivenTheKey)
{
    if (!std::filesystem::exists("/usr/bin/sqlcipher"))
        GTEST_SKIP() << "no sqlcipher tool";
    ASSERT_TRUE(ExecSql(query, Sql::InsertBook("b", "http://a/", "1", "1", "0", 0)));
    connection.Close();
    const std::string command = "printf \"PRAGMA key='" + std::string(kDatabasePassword) +
                                "';\\nSELECT name FROM bookid;\\n\" | sqlcipher '" + path +
                                "' 2>&1";
    FILE* tool = popen(command.c_str(), "r");
    ASSERT_NE(tool, nullptr);
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, tool))
        output += buffer;
    pclose(tool);
    EXPECT_EQ(output, "b\n");
}

TEST_F(LibraryTest, AProcessThatDiesMidBatchLeavesEveryCommittedRow)
{
    connection.Close();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        DbConnection writer;
        DbQuery insert(writer);
        bool ok = writer.Open(path, kDatabasePassword);
        {
            DbConnection::Batch batch(writer);
            for (int c = 0; c < 50; ++c)
                ok = ok &&
                     ExecSql(insert, Sql::InsertChapter("1", "b", "t", std::to_string(c), "s"));
            ok = ok && batch.Commit();
        }
        ok = ok && ExecSql(insert, Sql::InsertChapter("1", "b", "t", "single", "s"));
        DbConnection::Batch unfinished(writer);
        for (int c = 0; c < 50; ++c)
            ExecSql(insert, Sql::InsertChapter("1", "b", "t", "lost", "s"));
        _exit(ok ? 0 : 1);  // no destructor runs: nothing is closed or rolled back
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    ASSERT_TRUE(connection.Open(path, kDatabasePassword)) << connection.LastError();
    EXPECT_EQ(Rows({"SELECT count(*), sum(address = 'single'), sum(address = 'lost') FROM booktit",
                    {}}),
              "51|1|0\n");
}

TEST(DatabaseFile, MissingEmptyAndDamagedFilesFailToOpenWithAReason)
{
    TempAppDir dir(false);
    std::mt19937 random(7);
    std::string noise(8192, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    WriteFileBytes(dir.File("noise.mdb"), noise);
    WriteFileBytes(dir.File("empty.mdb"), "");
    WriteFileBytes(dir.File("text.mdb"), "SQLite format 3 but not really a database at all");

    for (const char* name : {"missing.mdb", "empty.mdb", "noise.mdb", "text.mdb"}) {
        DbConnection connection;
        EXPECT_FALSE(connection.Open(dir.File(name), kDatabasePassword)) << name;
        EXPECT_FALSE(connection.LastError().empty()) << name;
        EXPECT_FALSE(std::filesystem::exists(dir.File("missing.mdb")));
    }
    EXPECT_EQ(ReadFileBytes(dir.File("noise.mdb")), noise);
}

TEST(DatabaseFile, CreationRefusesAnExistingFileOrAMissingFolder)
{
    TempAppDir dir(false);
    const std::string path = dir.File(kDatabaseFileName);
    ASSERT_TRUE(CreateDatabaseFile(path, kDatabasePassword));
    const std::string created = ReadFileBytes(path);
    EXPECT_FALSE(CreateDatabaseFile(path, kDatabasePassword));
    EXPECT_EQ(ReadFileBytes(path), created);
    EXPECT_FALSE(CreateDatabaseFile(dir.File("no/such/folder/data.mdb"), kDatabasePassword));

    DbConnection connection;
    ASSERT_TRUE(connection.Open(path, kDatabasePassword));
    DbQuery query(connection);
    ASSERT_TRUE(OpenSql(query, {"SELECT count(*) FROM sqlite_master", {}}));
    EXPECT_EQ(query.AsInteger(0), 0);
}

TEST_F(LibraryTest, CompactionKeepsRowsCountersAndKeyWhileAnotherConnectionIsOpen)
{
    for (int b = 0; b < 3; ++b)
        ASSERT_TRUE(ExecSql(query, Sql::InsertBook("book" + std::to_string(b), "http://a/" +
                                                   std::to_string(b), "1", "1", "1", b)));
    ASSERT_TRUE(ExecSql(query, Sql::DeleteBook("3")));
    {
        DbConnection::Batch batch(connection);
        const std::string filler(2000, 'x');
        for (int c = 0; c < 500; ++c)
            AddChapter("2", std::to_string(100001 + c), "http://a/c" + std::to_string(c), filler);
        ASSERT_TRUE(batch.Commit());
    }
    ASSERT_TRUE(ExecSql(query, Sql::DeleteBookChapters("2")));
    AddChapter("1", "100001", "http://a/kept");
    const std::string books = Rows(Sql::SelectAllBooks());
    const std::string chapters = Rows({"SELECT * FROM booktit", {}});
    const auto sizeBefore = std::filesystem::file_size(path);

    ASSERT_TRUE(CompactDatabaseFile(path, kDatabasePassword));

    EXPECT_LT(std::filesystem::file_size(path), sizeBefore / 4);
    EXPECT_EQ(Rows(Sql::SelectAllBooks()), books);  // the idle connection reads on
    EXPECT_EQ(Rows({"SELECT * FROM booktit", {}}), chapters);
    ASSERT_TRUE(ExecSql(query, Sql::InsertBook("new", "http://a/new", "1", "1", "0", 0)));
    ASSERT_TRUE(ExecSql(query, Sql::InsertChapter("4", "new", "t", "100001", "http://a/n")));
    EXPECT_EQ(Rows({"SELECT max(id) FROM bookid UNION ALL SELECT max(id) FROM booktit", {}}),
              "4\n502\n");

    connection.Close();
    DbConnection reopened;
    EXPECT_FALSE(reopened.Open(path, "wrong"));
    ASSERT_TRUE(reopened.Open(path, kDatabasePassword)) << reopened.LastError();
    DbQuery check(reopened);
    ASSERT_TRUE(OpenSql(check, Sql::SelectAllBooks()));
    EXPECT_EQ(check.RecordCount(), 3);
}

TEST(DatabaseFile, FailedCompactionLeavesTheFileAsItWas)
{
    TempAppDir dir(false);
    const std::string path = dir.File(kDatabaseFileName);
    ASSERT_TRUE(CreateDatabaseFile(path, kDatabasePassword));
    const std::string bytes = ReadFileBytes(path);
    EXPECT_FALSE(CompactDatabaseFile(path, "wrong"));
    EXPECT_FALSE(CompactDatabaseFile(dir.File("missing.mdb"), kDatabasePassword));
    EXPECT_EQ(ReadFileBytes(path), bytes);
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing.mdb")));
}

TEST(DatabaseFile, RuleTableOfAnEarlierVersionGainsDellinkAndKeepsItsRules)
{
    TempAppDir dir(false);
    const std::string path = dir.File(kDatabaseFileName);
    ASSERT_TRUE(CreateDatabaseFile(path, kDatabasePassword));
    DbConnection connection;
    ASSERT_TRUE(connection.Open(path, kDatabasePassword));
    DbQuery query(connection);
    std::string oldSchema = Sql::SchemaStatements()[2].sql;
    const std::string dellink = ", dellink TEXT COLLATE NOCASE";
    oldSchema.erase(oldSchema.find(dellink), dellink.size());
    ASSERT_TRUE(ExecSql(query, {oldSchema, {}})) << oldSchema;
    ASSERT_TRUE(ExecSql(query, {"INSERT INTO webinfo (name, yuming, mlstart, mlend, nrstart, "
                                "nrend, delword) VALUES ('r','www.a.com','<ul>','</ul>','<p>',"
                                "'</p>','ad')",
                                {}}));

    ASSERT_TRUE(OpenSql(query, Sql::SelectAllRules()));
    EXPECT_EQ(query.FieldCount(), 8);
    ASSERT_TRUE(RuleTableNeedsDellink(connection));
    ASSERT_TRUE(ExecSql(query, Sql::AddDellinkColumn()));
    ASSERT_TRUE(OpenSql(query, Sql::SelectAllRules()));
    EXPECT_EQ(query.FieldName(8), "dellink");
    EXPECT_FALSE(RuleTableNeedsDellink(connection));
    EXPECT_FALSE(ExecSql(query, Sql::AddDellinkColumn()));  // a second run changes nothing

    ASSERT_TRUE(OpenSql(query, Sql::SelectRuleByHost("WWW.A.COM")));
    ASSERT_EQ(query.RecordCount(), 1);
    EXPECT_EQ(query.AsInteger("cid"), 1);
    EXPECT_EQ(query.AsString("mlstart") + query.AsString("mlend") + query.AsString("nrstart") +
                  query.AsString("nrend") + query.AsString("delword") + query.AsString("yuming"),
              "<ul></ul><p></p>adwww.a.com");
    EXPECT_EQ(query.AsString("dellink"), "");
}

TEST_F(LibraryTest, CurrentRuleTableNeedsNoMigration)
{
    EXPECT_FALSE(RuleTableNeedsDellink(connection));
    connection.Close();
    EXPECT_FALSE(RuleTableNeedsDellink(connection));
}
