#pragma once
// A query object on the connection: runs one statement at a time and keeps the rows of the
// last query open for reading.
#include <string>
#include <vector>

#include "db/SqlStatement.h"

class DbConnection;

class DbQuery {
public:
    explicit DbQuery(DbConnection& connection);

    // Drops the open result. The reason of the last failure is kept for the next read.
    void Close();
    // Both raise DbError (with the engine's message) on failure; the query is closed then.
    void Execute(const SqlStatement& statement);
    void Open(const SqlStatement& statement);

    bool Active() const { return active_; }

    // Reading a closed query raises DbError saying why it is closed.
    int RecordCount() const;
    void First();
    void Next();
    bool Eof() const;

    int FieldCount() const;
    std::string FieldName(int column) const;
    // Columns of the current row; an empty (NULL) column reads "" or 0.
    std::string AsString(int column) const;
    std::string AsString(const std::string& columnName) const;
    int AsInteger(int column) const;
    int AsInteger(const std::string& columnName) const;

private:
    void RequireActive() const;
    void RequireRow() const;
    int ColumnIndex(const std::string& columnName) const;

    DbConnection& connection_;
    bool active_ = false;
    std::string closedReason_;
    std::vector<std::string> columns_;
    // Row after row; text as 8-bit text, an empty (NULL) column as monostate.
    std::vector<SqlValue> cells_;
    size_t rowCount_ = 0;
    size_t current_ = 0;
};

// Run one statement, swallow every failure and tell whether it went through.
bool ExecSql(DbQuery& query, const SqlStatement& statement);
bool OpenSql(DbQuery& query, const SqlStatement& statement);
