#pragma once
// Runs one bound statement on a connection and collects its rows: the single place where
// values cross between the program's 8-bit text and the database's UTF-8.
#include <string>
#include <vector>

#include "db/SqlStatement.h"

class DbConnection;

struct DbResult {
    std::vector<std::string> columns;  // column names
    std::vector<SqlValue> cells;       // row after row; text as 8-bit text, NULL as monostate
    int changes = 0;                   // rows written by an insert, update or delete

    size_t RowCount() const { return columns.empty() ? 0 : cells.size() / columns.size(); }
};

// Raises DbError with the engine's message when the statement cannot run. Rows are collected
// only when `result` is given.
void RunStatement(DbConnection& connection, const SqlStatement& statement, DbResult* result);

// How the readers present a value: NULL as "" or 0; an integer as its decimal text. AsInteger
// raises DbError for a text that is not a whole number.
std::string ValueAsString(const SqlValue& value);
int ValueAsInteger(const SqlValue& value);

// ASCII letters compared without case, as the database's NOCASE collation does. Both texts are
// 8-bit text; the comparison never folds a byte inside a double-byte character.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);
