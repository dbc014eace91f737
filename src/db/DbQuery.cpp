#include "db/DbQuery.h"

#include "db/DbError.h"
#include "db/DbStatementRunner.h"
#include "toolkit/TextCodec.h"

namespace {

const std::string& NotOpenReason()
{
    static const std::string reason = Utf8ToGb("查询未打开");
    return reason;
}

}  // namespace

DbQuery::DbQuery(DbConnection& connection) : connection_(connection), closedReason_(NotOpenReason())
{
}

void DbQuery::Close()
{
    if (active_)
        closedReason_ = NotOpenReason();
    active_ = false;
    columns_.clear();
    cells_.clear();
    rowCount_ = 0;
    current_ = 0;
}

void DbQuery::Execute(const SqlStatement& statement)
{
    Close();
    try {
        RunStatement(connection_, statement, nullptr);
    } catch (const std::exception& e) {
        closedReason_ = e.what();
        throw DbError(e.what());
    }
    closedReason_ = NotOpenReason();
}

void DbQuery::Open(const SqlStatement& statement)
{
    Close();
    DbResult result;
    try {
        RunStatement(connection_, statement, &result);
    } catch (const std::exception& e) {
        closedReason_ = e.what();
        throw DbError(e.what());
    }
    columns_ = std::move(result.columns);
    cells_ = std::move(result.cells);
    rowCount_ = columns_.empty() ? 0 : cells_.size() / columns_.size();
    current_ = 0;
    active_ = true;
}

void DbQuery::RequireActive() const
{
    if (!active_)
        throw DbError(closedReason_);
}

void DbQuery::RequireRow() const
{
    RequireActive();
    if (current_ >= rowCount_)
        throw DbError("no current row");
}

int DbQuery::RecordCount() const
{
    RequireActive();
    return static_cast<int>(rowCount_);
}

void DbQuery::First()
{
    RequireActive();
    current_ = 0;
}

void DbQuery::Next()
{
    RequireActive();
    if (current_ < rowCount_)
        ++current_;
}

bool DbQuery::Eof() const
{
    RequireActive();
    return current_ >= rowCount_;
}

int DbQuery::FieldCount() const
{
    RequireActive();
    return static_cast<int>(columns_.size());
}

std::string DbQuery::FieldName(int column) const
{
    RequireActive();
    if (column < 0 || column >= static_cast<int>(columns_.size()))
        throw DbError("no column " + std::to_string(column));
    return columns_[column];
}

int DbQuery::ColumnIndex(const std::string& columnName) const
{
    RequireActive();
    for (size_t c = 0; c < columns_.size(); ++c)
        if (SameTextIgnoringCase(columns_[c], columnName))
            return static_cast<int>(c);
    throw DbError("no column named " + columnName);
}

std::string DbQuery::AsString(int column) const
{
    RequireRow();
    FieldName(column);
    return ValueAsString(cells_[current_ * columns_.size() + column]);
}

std::string DbQuery::AsString(const std::string& columnName) const
{
    return AsString(ColumnIndex(columnName));
}

int DbQuery::AsInteger(int column) const
{
    RequireRow();
    FieldName(column);
    return ValueAsInteger(cells_[current_ * columns_.size() + column]);
}

int DbQuery::AsInteger(const std::string& columnName) const
{
    return AsInteger(ColumnIndex(columnName));
}

bool ExecSql(DbQuery& query, const SqlStatement& statement)
{
    try {
        query.Execute(statement);
        return true;
    } catch (...) {
        return false;
    }
}

bool OpenSql(DbQuery& query, const SqlStatement& statement)
{
    try {
        query.Open(statement);
        return true;
    } catch (...) {
        return false;
    }
}
