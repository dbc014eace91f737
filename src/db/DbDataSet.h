#pragma once
// A data set whose rows stay open for controls to show (the chapter grid, the rule editor).
// Rows are read once by Open/Refresh and held in memory; edits are written at once by Post.
// Write-back addresses rows by the table's key column, which the statement must select.
#include <QObject>

#include <string>
#include <vector>

#include "db/SqlStatement.h"

class DbConnection;

class DbDataSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    DbDataSet(DbConnection& connection, std::string table, std::string keyColumn,
              QObject* parent = nullptr);

    // Raises DbError on failure; the data set is closed then.
    void Open(const SqlStatement& statement);
    void Close();
    bool Active() const { return state_ != State::Inactive; }
    State CurrentState() const { return state_; }
    const SqlStatement& Statement() const { return statement_; }

    // Reads the rows again with the same statement; the current row stays on the row with the
    // same key (or the same index when that row is gone). Raises DbError on failure.
    void Refresh();

    int RecordCount() const;
    int FieldCount() const;
    std::string FieldName(int column) const;
    int FieldIndex(const std::string& columnName) const;  // -1 when missing

    // Current row (0-based; -1 when there are no rows).
    int RecNo() const { return current_; }
    void SetRecNo(int row);
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const;
    bool Bof() const;
    // Moves to the first row whose column equals value (case-insensitive, like the database).
    bool Locate(const std::string& columnName, const std::string& value);

    // Values of any row, or of the current row. NULL reads "" or 0.
    std::string Value(int row, int column) const;
    std::string AsString(const std::string& columnName) const;
    int AsInteger(const std::string& columnName) const;

    // Editing the current row / a new row. SetField works in Edit and Insert state.
    void Edit();
    void Insert();
    void SetField(const std::string& columnName, const SqlValue& value);
    // Writes the row to the database at once; raises DbError when the write fails (the data set
    // then stays in its editing state).
    void Post();
    void Cancel();
    void Delete();

signals:
    // The rows were read anew, a row was inserted or deleted, or the data set was closed.
    void RowsReset();
    // One row's values changed (after Post of an edit).
    void RowChanged(int row);
    void CurrentRowChanged(int row);

private:
    void Load(const SqlValue* keepKey, int keepIndex);
    void ClearRows();
    // Posts pending changes (or cancels an untouched edit) before the current row moves.
    void LeaveEditing();
    void MoveTo(int row);
    int RequireColumn(const std::string& columnName) const;
    int RequireKeyColumn() const;
    void RequireCurrentRow() const;
    std::vector<SqlValue> ReadRow(const std::string& whereColumn, const SqlValue& key,
                                  const std::vector<SqlValue>& fallback);
    SqlValue CurrentValue(int column) const;

    DbConnection& connection_;
    std::string table_;
    std::string keyColumn_;
    SqlStatement statement_;
    State state_ = State::Inactive;
    std::vector<std::string> columns_;
    std::vector<std::vector<SqlValue>> rows_;
    // Column index and new value of each field set since Edit()/Insert().
    std::vector<std::pair<int, SqlValue>> pending_;
    int current_ = -1;
    bool bof_ = true;
    bool eof_ = true;
};
