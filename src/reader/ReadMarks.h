#pragma once
// The chapter menu's read-mark and removal commands. Window-free: the grid hands over its
// selected rows (in grid order) and the data set's current row is the focused one.
#include <string>
#include <vector>

#include "db/DbQuery.h"

class DbDataSet;
class ReaderHost;

class ReadMarks {
public:
    ReadMarks(ReaderHost& host, DbDataSet& chapters);

    // Each returns the number of rows whose statement went through (for the bulk statements:
    // 1 when it went through), and does nothing without a current book or open chapters.
    int MarkSelectedUnread(const std::vector<int>& selectedRows);  // "标记为未读"
    int MarkSelectedRead(const std::vector<int>& selectedRows);    // "标记为已读"
    int MarkAllUnread();                                           // "全部标记为未读"
    int MarkAllRead();                                             // "全部标记为已读"
    int MarkUnreadBelowCurrent();                                  // "以下标记为未读"
    int MarkReadAboveCurrent();                                    // "以上标记为已读"
    // "删除选中章节": asks first; the rows stay in the table with type -1 and their files stay.
    int RemoveSelected(const std::vector<int>& selectedRows);

private:
    int MarkSelected(const std::vector<int>& selectedRows, bool read);
    int RunBulk(const SqlStatement& statement);
    const std::string* BookKey() const;
    void RefreshKeepingPosition();

    ReaderHost& host_;
    DbDataSet& chapters_;
    DbQuery query_;
};
