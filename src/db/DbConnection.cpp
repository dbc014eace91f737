#include "db/DbConnection.h"

#include <sqlcipher/sqlite3.h>

#include <filesystem>
#include <system_error>

#include "db/Schema.h"
#include "toolkit/TextCodec.h"

namespace {

// Waits this long for another connection (the compaction, the sqlcipher tool) to let go.
constexpr int kBusyTimeoutMs = 5000;
// Statements with a variable text (a list of numbers) would grow the cache without end.
constexpr size_t kMaxCachedStatements = 128;

bool Run(sqlite3* db, const char* sql, std::string* error = nullptr)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK && error)
        *error = Utf8ToGb(message ? message : sqlite3_errstr(rc));
    sqlite3_free(message);
    return rc == SQLITE_OK;
}

}  // namespace

DbConnection::~DbConnection()
{
    Close();
}

bool DbConnection::Open(const std::string& path, const std::string& password)
{
    Close();
    lastError_.clear();

    // A missing file must not be created here, and an empty one would accept any key.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        lastError_ = "database file not found: " + path;
        return false;
    }
    if (std::filesystem::file_size(path, ec) == 0 || ec) {
        lastError_ = "database file is empty: " + path;
        return false;
    }

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        lastError_ = Utf8ToGb(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        return false;
    }
    sqlite3_key(db, password.data(), static_cast<int>(password.size()));
    sqlite3_busy_timeout(db, kBusyTimeoutMs);

    // The key is only tried when a page is read: a wrong key or a file that is no database
    // fails here with "file is encrypted or is not a database".
    // WAL with synchronous=FULL: a commit is on disk when it returns (one sync of the log per
    // commit), and a crash at any moment leaves the last committed state.
    if (!Run(db, "SELECT count(*) FROM sqlite_master", &lastError_) ||
        !Run(db, "PRAGMA journal_mode=WAL", &lastError_) ||
        !Run(db, "PRAGMA synchronous=FULL", &lastError_)) {
        sqlite3_close(db);
        return false;
    }

    db_ = db;
    path_ = path;
    EnsureIndexes(*this);
    return true;
}

void DbConnection::Close()
{
    for (auto& [sql, statement] : statements_)
        sqlite3_finalize(statement);
    statements_.clear();
    if (db_)
        sqlite3_close(db_);  // an open transaction is rolled back
    db_ = nullptr;
    path_.clear();
    batchDepth_ = 0;
}

sqlite3_stmt* DbConnection::CachedStatement(const std::string& sql, std::string& error)
{
    if (!db_) {
        error = "database is not open";
        return nullptr;
    }
    auto found = statements_.find(sql);
    if (found != statements_.end()) {
        sqlite3_reset(found->second);
        sqlite3_clear_bindings(found->second);
        return found->second;
    }
    if (statements_.size() >= kMaxCachedStatements) {
        for (auto& [text, statement] : statements_)
            sqlite3_finalize(statement);
        statements_.clear();
    }
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &statement,
                                      &tail);
    if (rc != SQLITE_OK || !statement) {
        error = rc != SQLITE_OK ? Utf8ToGb(sqlite3_errmsg(db_)) : "empty statement";
        sqlite3_finalize(statement);
        return nullptr;
    }
    // One statement per text: whatever follows the first would silently not run.
    for (; tail && *tail; ++tail) {
        if (*tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n' && *tail != ';') {
            error = "more than one statement in: " + sql;
            sqlite3_finalize(statement);
            return nullptr;
        }
    }
    statements_.emplace(sql, statement);
    return statement;
}

DbConnection::Batch::Batch(DbConnection& connection)
    : connection_(connection), level_(connection.batchDepth_++)
{
    outermost_ = level_ == 0;
    sqlite3* db = connection_.db_;
    if (!db)
        return;
    if (outermost_) {
        // IMMEDIATE takes the write lock now, so a busy file is waited for here and not in
        // the middle of the step.
        active_ = Run(db, "BEGIN IMMEDIATE");
    } else if (!sqlite3_get_autocommit(db)) {
        // A savepoint lets an inner batch that is abandoned undo only its own statements.
        active_ = Run(db, ("SAVEPOINT " + SavepointName()).c_str());
    }
}

DbConnection::Batch::~Batch()
{
    sqlite3* db = connection_.db_;
    if (!done_ && active_ && db && !sqlite3_get_autocommit(db)) {
        if (outermost_) {
            Run(db, "ROLLBACK");
        } else {
            Run(db, ("ROLLBACK TO " + SavepointName()).c_str());
            Run(db, ("RELEASE " + SavepointName()).c_str());
        }
    }
    if (connection_.batchDepth_ > 0)
        --connection_.batchDepth_;
}

bool DbConnection::Batch::Commit()
{
    if (done_)
        return false;
    done_ = true;
    sqlite3* db = connection_.db_;
    if (!active_ || !db)
        return !outermost_ && db;  // an inner batch without a transaction has nothing to do
    if (sqlite3_get_autocommit(db))
        return false;  // the engine already rolled the transaction back after an error
    if (!outermost_)
        return Run(db, ("RELEASE " + SavepointName()).c_str());
    if (Run(db, "COMMIT"))
        return true;
    if (!sqlite3_get_autocommit(db))
        Run(db, "ROLLBACK");
    return false;
}

std::string DbConnection::Batch::SavepointName() const
{
    return "batch" + std::to_string(level_);
}
