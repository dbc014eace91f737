#include "db/DbFile.h"

#include <fcntl.h>
#include <sqlcipher/sqlite3.h>
#include <unistd.h>

#include <cstdio>

#include "db/DbConnection.h"

namespace {

bool Run(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace

bool CreateDatabaseFile(const std::string& path, const std::string& password)
{
    // Claiming the name exclusively first means an existing file is never touched.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    ::close(fd);

    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    if (ok) {
        sqlite3_key(db, password.data(), static_cast<int>(password.size()));
        // Switching to WAL writes the first page, and with it the key: an empty file would
        // open with any password.
        ok = Run(db, "PRAGMA journal_mode=WAL") &&
             Run(db, "SELECT count(*) FROM sqlite_master");
    }
    ok = sqlite3_close(db) == SQLITE_OK && ok;
    if (!ok)
        std::remove(path.c_str());
    return ok;
}

bool CompactDatabaseFile(const std::string& path, const std::string& password)
{
    // VACUUM rebuilds the file in place inside one write transaction, so the file is the old
    // copy until the commit and the new one after it; the key, every rowid and
    // sqlite_sequence are carried over. A busy file (another connection writing) makes it fail
    // after the busy timeout and leaves the file as it was.
    DbConnection connection;
    if (!connection.Open(path, password))
        return false;
    sqlite3* db = connection.Handle();
    if (!Run(db, "VACUUM"))
        return false;
    // The rebuilt pages sit in the write-ahead log; copy them into the file and shrink it.
    // While another connection is reading this may not finish, which only delays the shrink.
    Run(db, "PRAGMA wal_checkpoint(TRUNCATE)");
    return true;
}
