#pragma once
// The connection to the library database: one SQLCipher file keyed with a password.
#include <string>

struct sqlite3;

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
        DbConnection& connection_;
        bool outermost_ = false;
        bool done_ = false;
    };

private:
    friend class Batch;
    sqlite3* db_ = nullptr;
    std::string path_;
    std::string lastError_;
    int batchDepth_ = 0;
};
