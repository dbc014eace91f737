#include "db/DbDataSet.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>

#include "db/DbConnection.h"
#include "db/DbError.h"
#include "db/DbStatementRunner.h"
#include "toolkit/TextCodec.h"

namespace {

std::string QuotedName(const std::string& name)
{
    std::string quoted = "\"";
    for (char c : GbToUtf8(name)) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

}  // namespace

DbDataSet::DbDataSet(DbConnection& connection, std::string table, std::string keyColumn,
                     QObject* parent)
    : QObject(parent),
      connection_(connection),
      table_(std::move(table)),
      keyColumn_(std::move(keyColumn))
{
}

void DbDataSet::Open(const SqlStatement& statement)
{
    statement_ = statement;
    Load(nullptr, 0);
}

void DbDataSet::Close()
{
    const bool moved = current_ != -1;
    ClearRows();
    emit RowsReset();
    if (moved)
        emit CurrentRowChanged(-1);
}

void DbDataSet::ClearRows()
{
    state_ = State::Inactive;
    columns_.clear();
    rows_.clear();
    pending_.clear();
    current_ = -1;
    bof_ = eof_ = true;
}

void DbDataSet::Refresh()
{
    if (!Active())
        throw DbError("the data set is not open");
    const int keyColumn = FieldIndex(keyColumn_);
    if (keyColumn >= 0 && current_ >= 0) {
        const SqlValue key = rows_[current_][keyColumn];
        Load(&key, current_);
    } else {
        Load(nullptr, current_);
    }
}

void DbDataSet::Load(const SqlValue* keepKey, int keepIndex)
{
    DbResult result;
    try {
        RunStatement(connection_, statement_, &result);
    } catch (const std::exception& e) {
        Close();
        throw DbError(e.what());
    }
    ClearRows();
    columns_ = std::move(result.columns);
    const size_t width = columns_.size();
    rows_.reserve(result.RowCount());
    for (size_t start = 0; start + width <= result.cells.size() && width > 0; start += width)
        rows_.emplace_back(std::make_move_iterator(result.cells.begin() + start),
                           std::make_move_iterator(result.cells.begin() + start + width));
    state_ = State::Browse;

    int row = rows_.empty() ? -1 : std::clamp(keepIndex, 0, RecordCount() - 1);
    const int keyColumn = FieldIndex(keyColumn_);
    if (keepKey && keyColumn >= 0) {
        for (int r = 0; r < RecordCount(); ++r) {
            if (rows_[r][keyColumn] == *keepKey) {
                row = r;
                break;
            }
        }
    }
    current_ = row;
    bof_ = eof_ = rows_.empty();
    emit RowsReset();
    emit CurrentRowChanged(current_);
}

int DbDataSet::RecordCount() const
{
    return static_cast<int>(rows_.size());
}

int DbDataSet::FieldCount() const
{
    return static_cast<int>(columns_.size());
}

std::string DbDataSet::FieldName(int column) const
{
    if (column < 0 || column >= FieldCount())
        throw DbError("no column " + std::to_string(column));
    return columns_[column];
}

int DbDataSet::FieldIndex(const std::string& columnName) const
{
    for (size_t c = 0; c < columns_.size(); ++c)
        if (SameTextIgnoringCase(columns_[c], columnName))
            return static_cast<int>(c);
    return -1;
}

int DbDataSet::RequireColumn(const std::string& columnName) const
{
    const int column = FieldIndex(columnName);
    if (column < 0)
        throw DbError("no column named " + columnName);
    return column;
}

int DbDataSet::RequireKeyColumn() const
{
    const int column = FieldIndex(keyColumn_);
    if (column < 0)
        throw DbError("the rows lack the key column " + keyColumn_ + " of " + table_);
    return column;
}

void DbDataSet::RequireCurrentRow() const
{
    if (!Active())
        throw DbError("the data set is not open");
    if (current_ < 0)
        throw DbError("the data set has no current row");
}

// Navigation.

void DbDataSet::LeaveEditing()
{
    if (state_ == State::Edit || state_ == State::Insert) {
        if (pending_.empty())
            Cancel();
        else
            Post();
    }
}

void DbDataSet::MoveTo(int row)
{
    const int before = current_;
    current_ = row;
    if (current_ != before)
        emit CurrentRowChanged(current_);
}

void DbDataSet::SetRecNo(int row)
{
    if (rows_.empty())
        return;
    LeaveEditing();
    bof_ = eof_ = false;
    MoveTo(std::clamp(row, 0, RecordCount() - 1));
}

void DbDataSet::First()
{
    if (rows_.empty())
        return;
    LeaveEditing();
    bof_ = true;
    eof_ = false;
    MoveTo(0);
}

void DbDataSet::Last()
{
    if (rows_.empty())
        return;
    LeaveEditing();
    bof_ = false;
    eof_ = true;
    MoveTo(RecordCount() - 1);
}

void DbDataSet::Next()
{
    if (rows_.empty())
        return;
    LeaveEditing();
    bof_ = false;
    if (current_ + 1 < RecordCount())
        MoveTo(current_ + 1);
    else
        eof_ = true;
}

void DbDataSet::Prior()
{
    if (rows_.empty())
        return;
    LeaveEditing();
    eof_ = false;
    if (current_ > 0)
        MoveTo(current_ - 1);
    else
        bof_ = true;
}

bool DbDataSet::Eof() const
{
    return eof_;
}

bool DbDataSet::Bof() const
{
    return bof_;
}

bool DbDataSet::Locate(const std::string& columnName, const std::string& value)
{
    const int column = FieldIndex(columnName);
    if (column < 0)
        return false;
    for (int r = 0; r < RecordCount(); ++r) {
        if (SameTextIgnoringCase(ValueAsString(rows_[r][column]), value)) {
            LeaveEditing();
            bof_ = eof_ = false;
            MoveTo(r);
            return true;
        }
    }
    return false;
}

// Values.

std::string DbDataSet::Value(int row, int column) const
{
    if (row < 0 || row >= RecordCount())
        throw DbError("no row " + std::to_string(row));
    FieldName(column);
    return ValueAsString(rows_[row][column]);
}

SqlValue DbDataSet::CurrentValue(int column) const
{
    for (const auto& [pendingColumn, value] : pending_)
        if (pendingColumn == column)
            return value;
    if (state_ == State::Insert)
        return std::monostate{};
    RequireCurrentRow();
    return rows_[current_][column];
}

std::string DbDataSet::AsString(const std::string& columnName) const
{
    return ValueAsString(CurrentValue(RequireColumn(columnName)));
}

int DbDataSet::AsInteger(const std::string& columnName) const
{
    return ValueAsInteger(CurrentValue(RequireColumn(columnName)));
}

// Editing.

void DbDataSet::Edit()
{
    if (state_ == State::Edit)
        return;
    if (state_ == State::Insert)
        Cancel();
    RequireCurrentRow();
    RequireKeyColumn();
    state_ = State::Edit;
    pending_.clear();
}

void DbDataSet::Insert()
{
    if (!Active())
        throw DbError("the data set is not open");
    LeaveEditing();
    state_ = State::Insert;
    pending_.clear();
}

void DbDataSet::SetField(const std::string& columnName, const SqlValue& value)
{
    if (state_ != State::Edit && state_ != State::Insert)
        throw DbError("the data set is not being edited");
    const int column = RequireColumn(columnName);
    for (auto& [pendingColumn, pendingValue] : pending_) {
        if (pendingColumn == column) {
            pendingValue = value;
            return;
        }
    }
    pending_.emplace_back(column, value);
}

std::vector<SqlValue> DbDataSet::ReadRow(const std::string& whereColumn, const SqlValue& key,
                                         const std::vector<SqlValue>& fallback)
{
    // The statement's columns are matched by name; one that is not the table's keeps its value.
    std::vector<SqlValue> row = fallback;
    DbResult result;
    try {
        RunStatement(connection_,
                     {"SELECT * FROM " + QuotedName(table_) + " WHERE " + whereColumn + "=?",
                      {key}},
                     &result);
    } catch (const DbError&) {
        return row;
    }
    if (result.RowCount() == 0)
        return row;
    for (size_t c = 0; c < result.columns.size(); ++c) {
        const int column = FieldIndex(result.columns[c]);
        if (column >= 0)
            row[column] = result.cells[c];
    }
    return row;
}

void DbDataSet::Post()
{
    if (state_ != State::Edit && state_ != State::Insert)
        return;

    std::vector<SqlValue> written(columns_.size());
    if (state_ == State::Edit)
        written = rows_[current_];
    for (const auto& [column, value] : pending_)
        written[column] = value;

    if (state_ == State::Edit) {
        if (pending_.empty()) {
            Cancel();
            return;
        }
        const int keyColumn = RequireKeyColumn();
        SqlStatement update{"UPDATE " + QuotedName(table_) + " SET ", {}};
        for (size_t i = 0; i < pending_.size(); ++i) {
            update.sql += (i ? "," : "") + QuotedName(columns_[pending_[i].first]) + "=?";
            update.params.push_back(pending_[i].second);
        }
        const SqlValue key = rows_[current_][keyColumn];
        update.sql += " WHERE " + QuotedName(columns_[keyColumn]) + "=?";
        update.params.push_back(key);
        DbResult result;
        RunStatement(connection_, update, &result);  // raises; the edit stays pending
        if (result.changes == 0)
            throw DbError("the row to update is no longer in " + table_);
        rows_[current_] = ReadRow(QuotedName(columns_[keyColumn]), key, written);
        state_ = State::Browse;
        pending_.clear();
        emit RowChanged(current_);
        return;
    }

    SqlStatement insert{"INSERT INTO " + QuotedName(table_), {}};
    if (pending_.empty()) {
        insert.sql += " DEFAULT VALUES";
    } else {
        std::string names;
        std::string marks;
        for (size_t i = 0; i < pending_.size(); ++i) {
            names += (i ? "," : "") + QuotedName(columns_[pending_[i].first]);
            marks += i ? ",?" : "?";
            insert.params.push_back(pending_[i].second);
        }
        insert.sql += " (" + names + ") VALUES (" + marks + ")";
    }
    RunStatement(connection_, insert, nullptr);  // raises; the insert stays pending
    const long long rowid = sqlite3_last_insert_rowid(connection_.Handle());
    rows_.push_back(ReadRow("rowid", rowid, written));
    state_ = State::Browse;
    pending_.clear();
    bof_ = eof_ = false;
    current_ = RecordCount() - 1;
    emit RowsReset();
    emit CurrentRowChanged(current_);
}

void DbDataSet::Cancel()
{
    if (state_ == State::Edit || state_ == State::Insert)
        state_ = State::Browse;
    pending_.clear();
}

void DbDataSet::Delete()
{
    if (state_ == State::Insert) {
        Cancel();
        return;
    }
    Cancel();
    RequireCurrentRow();
    const int keyColumn = RequireKeyColumn();
    const std::string sql = "DELETE FROM " + QuotedName(table_) + " WHERE " +
                            QuotedName(columns_[keyColumn]) + "=?";
    RunStatement(connection_, {sql, {rows_[current_][keyColumn]}}, nullptr);
    rows_.erase(rows_.begin() + current_);
    current_ = std::min(current_, RecordCount() - 1);
    bof_ = eof_ = rows_.empty();
    emit RowsReset();
    emit CurrentRowChanged(current_);
}
