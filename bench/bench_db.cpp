// Library database: the table-of-contents step's lookups and inserts, and the unread counts of a
// large library.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "db/DbConnection.h"
#include "db/DbFile.h"
#include "db/DbQuery.h"
#include "db/Schema.h"
#include "db/Statements.h"

namespace {

constexpr int kChaptersPerStep = 5000;
constexpr int kBooks = 1000;
constexpr int kLibraryChapters = 2000000;

// A database file in a temporary folder that is removed with it.
class ScratchLibrary {
public:
    ScratchLibrary()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "taloran-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        folder_ = pattern;
        if (!CreateDatabaseFile(Path(), kDatabasePassword))
            throw std::runtime_error("cannot create the database");
        Reopen();
    }
    // A connection as the program opens it.
    void Reopen()
    {
        if (!connection.Open(Path(), kDatabasePassword))
            throw std::runtime_error("cannot open the database: " + connection.LastError());
    }
    std::string Path() const { return folder_ + "/" + kDatabaseFileName; }
    ~ScratchLibrary()
    {
        connection.Close();
        std::filesystem::remove_all(folder_);
    }

    DbConnection connection;

private:
    std::string folder_;
};

void CreateTables(DbConnection& connection, bool withIndexes)
{
    DbQuery query(connection);
    for (const SqlStatement& statement : Sql::SchemaStatements()) {
        if (!withIndexes && statement.sql.rfind("CREATE INDEX", 0) == 0)
            continue;
        query.Execute(statement);
    }
}

void BM_TableOfContentsStep(benchmark::State& state)
{
    ScratchLibrary library;
    CreateTables(library.connection, true);
    DbQuery query(library.connection);
    int step = 0;
    for (auto _ : state) {
        const std::string book = std::to_string(++step);
        DbConnection::Batch batch(library.connection);
        for (int c = 0; c < kChaptersPerStep; ++c) {
            const std::string source = "http://www.example.com/book/" + book + "/" +
                                       std::to_string(7000000 + c) + ".html";
            OpenSql(query, Sql::SelectChapterBySource(book, source));
            if (query.RecordCount() == 0)
                ExecSql(query, Sql::InsertChapter(book, "Book name", "Chapter title " +
                                                  std::to_string(c), std::to_string(100001 + c),
                                                  source));
        }
        if (!batch.Commit())
            state.SkipWithError("commit failed");
    }
    state.SetItemsProcessed(state.iterations() * kChaptersPerStep);
}
BENCHMARK(BM_TableOfContentsStep)->Unit(benchmark::kMillisecond)->Iterations(5);

// 2,000,000 chapters over 1,000 books, interleaved as a library that grew over time, half of
// each book read. Built once, by the engine itself, indexes last.
ScratchLibrary& LargeLibrary()
{
    static std::unique_ptr<ScratchLibrary> library = [] {
        auto made = std::make_unique<ScratchLibrary>();
        CreateTables(made->connection, false);
        DbQuery query(made->connection);
        // A throwaway file: no journal, no syncs, a big cache for sorting the indexes.
        query.Execute({"PRAGMA cache_size=-262144", {}});
        query.Execute({"PRAGMA temp_store=MEMORY", {}});
        query.Open({"PRAGMA journal_mode=OFF", {}});
        query.Execute({"PRAGMA synchronous=OFF", {}});
        DbConnection::Batch batch(made->connection);
        query.Execute(
            {"WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?1) "
             "INSERT INTO booktit (name, nameb, namec, address, addressb, dtime, type, typeb) "
             "SELECT i % ?2 + 1, 'Book name', 'Chapter title ' || (i / ?2), 100001 + i / ?2, "
             "'http://www.example.com/book/' || (i % ?2 + 1) || '/' || i || '.html', "
             "'2024/01/01', CASE WHEN i % 97 = 0 THEN -1 ELSE 1 END, "
             "CASE WHEN i < ?1 / 2 THEN 1 ELSE 0 END FROM n",
             {static_cast<long long>(kLibraryChapters), static_cast<long long>(kBooks)}});
        EnsureIndexes(made->connection);
        if (!batch.Commit())
            throw std::runtime_error("cannot build the library");
        made->Reopen();
        return made;
    }();
    return *library;
}

void BM_UnreadCountsOfLibrary(benchmark::State& state)
{
    ScratchLibrary& library = LargeLibrary();
    DbQuery query(library.connection);
    long long unread = 0;
    for (auto _ : state) {
        unread = 0;
        for (int book = 1; book <= kBooks; ++book) {
            OpenSql(query, Sql::SelectUnreadChapters(std::to_string(book)));
            unread += query.RecordCount();
        }
    }
    state.counters["unread"] = static_cast<double>(unread);
}
BENCHMARK(BM_UnreadCountsOfLibrary)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
