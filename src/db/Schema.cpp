#include "db/Schema.h"

#include "db/DbConnection.h"
#include "db/DbStatementRunner.h"
#include "db/SqlStatement.h"
#include "db/Statements.h"

bool EnsureIndexes(DbConnection& connection)
{
    bool all = true;
    for (const SqlStatement& statement : Sql::IndexStatements()) {
        try {
            RunStatement(connection, statement, nullptr);
        } catch (...) {
            all = false;  // the table is not there yet
        }
    }
    return all;
}

bool RuleTableNeedsDellink(DbConnection& connection)
{
    DbResult columns;
    try {
        RunStatement(connection, {"PRAGMA table_info(webinfo)", {}}, &columns);
    } catch (...) {
        return false;
    }
    if (columns.RowCount() == 0)
        return false;  // no rule table at all
    const size_t width = columns.columns.size();
    for (size_t row = 0; row < columns.RowCount(); ++row)
        if (SameTextIgnoringCase(ValueAsString(columns.cells[row * width + 1]), "dellink"))
            return false;
    return true;
}
