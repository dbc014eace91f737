#include "reader/ReadMarks.h"

#include <cstdlib>

#include "db/DbDataSet.h"
#include "db/DbError.h"
#include "db/Statements.h"
#include "reader/ChapterDataSet.h"
#include "reader/ReaderHost.h"
#include "toolkit/Prompts.h"
#include "toolkit/TextCodec.h"

ReadMarks::ReadMarks(ReaderHost& host, DbDataSet& chapters)
    : host_(host), chapters_(chapters), query_(chapters.Connection())
{
}

const std::string* ReadMarks::BookKey() const
{
    const TMType* book = host_.CurrentBook();
    if (!book || book->id.empty() || !chapters_.Active())
        return nullptr;
    return &book->id;
}

void ReadMarks::RefreshKeepingPosition()
{
    try {
        chapters_.Refresh();
    } catch (const DbError& e) {
        host_.UserPrompts().ReportError(e.what());
    }
}

int ReadMarks::MarkSelected(const std::vector<int>& selectedRows, bool read)
{
    if (!BookKey() || selectedRows.empty())
        return 0;
    int changed = 0;
    for (int row : selectedRows) {
        if (row < 0 || row >= chapters_.RecordCount())
            continue;
        int mark = ChapterNumberField(chapters_, row, "typeb");
        // Rows already carrying the wanted mark are left alone and not counted.
        if (read ? mark >= 1 : mark != 1)
            continue;
        std::string name = ChapterField(chapters_, row, "name");
        std::string source = ChapterField(chapters_, row, "addressb");
        SqlStatement statement =
            read ? Sql::MarkChapterRead(name, source) : Sql::MarkChapterUnread(name, source);
        if (ExecSql(query_, statement))
            ++changed;
    }
    if (changed > 0)
        host_.UpdateCurrentBookUnread(read ? -changed : changed);
    RefreshKeepingPosition();
    return changed;
}

int ReadMarks::MarkSelectedUnread(const std::vector<int>& selectedRows)
{
    return MarkSelected(selectedRows, false);
}

int ReadMarks::MarkSelectedRead(const std::vector<int>& selectedRows)
{
    return MarkSelected(selectedRows, true);
}

int ReadMarks::RunBulk(const SqlStatement& statement)
{
    int done = ExecSql(query_, statement) ? 1 : 0;
    RefreshKeepingPosition();
    host_.UpdateCurrentBookUnread(0);
    return done;
}

int ReadMarks::MarkAllUnread()
{
    const std::string* key = BookKey();
    return key ? RunBulk(Sql::MarkAllUnread(*key)) : 0;
}

int ReadMarks::MarkAllRead()
{
    const std::string* key = BookKey();
    return key ? RunBulk(Sql::MarkAllRead(*key)) : 0;
}

int ReadMarks::MarkUnreadBelowCurrent()
{
    const std::string* key = BookKey();
    if (!key || chapters_.RecNo() < 0)
        return 0;
    return RunBulk(Sql::MarkUnreadAfter(*key, ChapterField(chapters_, chapters_.RecNo(), "address")));
}

int ReadMarks::MarkReadAboveCurrent()
{
    const std::string* key = BookKey();
    if (!key || chapters_.RecNo() < 0)
        return 0;
    return RunBulk(Sql::MarkReadBefore(*key, ChapterField(chapters_, chapters_.RecNo(), "address")));
}

int ReadMarks::RemoveSelected(const std::vector<int>& selectedRows)
{
    const std::string* bookKey = BookKey();
    if (!bookKey || selectedRows.empty())
        return 0;
    if (!host_.UserPrompts().AskYesNo(Utf8ToGb("确认删除选中的章节吗?")))
        return 0;
    std::string key = *bookKey;  // the host's record must not be read after the data set moves
    std::vector<std::string> numbers;
    for (int row : selectedRows)
        if (row >= 0 && row < chapters_.RecordCount())
            numbers.push_back(ChapterField(chapters_, row, "address"));
    int done = ExecSql(query_, Sql::RemoveChapters(key, numbers)) ? 1 : 0;
    OpenBookChapters(chapters_, key);
    host_.UpdateCurrentBookUnread(0);
    return done;
}
