#include "reader/ChapterDataSet.h"

#include <cstdlib>

#include "db/DbDataSet.h"
#include "db/DbError.h"
#include "db/Statements.h"

bool OpenBookChapters(DbDataSet& chapters, const std::string& bookKey)
{
    chapters.Close();
    if (bookKey.empty())
        return false;
    try {
        chapters.Open(Sql::SelectBookChapters(bookKey));
        return true;
    } catch (const DbError&) {
        chapters.Close();
        return false;
    }
}

std::string ChapterField(const DbDataSet& chapters, int row, const char* column)
{
    if (!chapters.Active() || row < 0 || row >= chapters.RecordCount())
        return {};
    int c = chapters.FieldIndex(column);
    return c < 0 ? std::string() : chapters.Value(row, c);
}

int ChapterNumberField(const DbDataSet& chapters, int row, const char* column)
{
    return std::atoi(ChapterField(chapters, row, column).c_str());
}

bool HasChapters(const DbDataSet& chapters)
{
    return chapters.Active() && chapters.RecordCount() > 0;
}
