#pragma once
// The connection to the library database: one SQLCipher file keyed with a password.
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

class DbConnection {
public:
    DbConnection() = default;
    ~DbConnection();
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;

    // Opens an existing file with the key. False (and LastError set) when the file is missing,
    // damaged, or keyed with another password. Never raises.
    bool Open(const std::string& path, const std::string& password);
    void Close();
    bool Connected() const { return db_ != nullptr; }
    const std::string& Path() const { return path_; }
    const std::string& LastError() const { return lastError_; }
    sqlite3* Handle() const { return db_; }

    // A prepared statement for the SQL text, kept for reuse until Close(): reset, bindings
    // cleared. Owned by the connection (never finalize it); reset it after use so that it holds
    // no lock. Null with `error` set when the text does not compile or nothing is open.
    sqlite3_stmt* CachedStatement(const std::string& sql, std::string& error);

    // Groups the statements of one step into one transaction. Batches nest: only the
    // outermost one commits. A batch that is destroyed without Commit() rolls back.
    class Batch {
    public:
        explicit Batch(DbConnection& connection);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        bool Commit();

    private:
        std::string SavepointName() const;

        DbConnection& connection_;
        int level_ = 0;
        bool outermost_ = false;
        bool active_ = false;  // a transaction or savepoint was started
        bool done_ = false;
    };

private:
    friend class Batch;
    sqlite3* db_ = nullptr;
    std::string path_;
    std::string lastError_;
    int batchDepth_ = 0;
    std::unordered_map<std::string, sqlite3_stmt*> statements_;
};
