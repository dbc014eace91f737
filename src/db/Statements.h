#pragma once
// Every statement the program issues, as named operations with bound values.
// Book keys and local numbers are decimal texts; a day is "yyyy/mm/dd".
#include <string>
#include <vector>

#include "db/SqlStatement.h"

namespace Sql {

// Schema of a new file, in order.
std::vector<SqlStatement> SchemaStatements();
// Lookup indexes; created with the schema and, when missing, on opening an older file.
std::vector<SqlStatement> IndexStatements();

// Books.
SqlStatement SelectAllBooks();                                    // id, cid, name, address, startadr, endadr, ddimg, type
SqlStatement SelectBookByAddress(const std::string& address);
SqlStatement InsertBook(const std::string& name, const std::string& address,
                        const std::string& startadr, const std::string& endadr,
                        const std::string& ddimg, int category);
SqlStatement SelectMaxBookId();
SqlStatement UpdateBook(const std::string& name, const std::string& address,
                        const std::string& startadr, const std::string& endadr,
                        const std::string& ddimg, int category, const std::string& bookKey);
SqlStatement DeleteBook(const std::string& bookKey);

// Chapters.
SqlStatement DeleteBookChapters(const std::string& bookKey);
SqlStatement SelectBookChapters(const std::string& bookKey);      // grid, export, poster, List.htm
SqlStatement SelectUnreadChapters(const std::string& bookKey);    // its row count is the unread count
SqlStatement SelectMaxChapterNumber(const std::string& bookKey);  // one row; empty when no chapter
SqlStatement SelectChapterBySource(const std::string& bookKey, const std::string& addressb);
SqlStatement InsertChapter(const std::string& bookKey, const std::string& bookName,
                           const std::string& title, const std::string& number,
                           const std::string& addressb);
SqlStatement MarkChapterStored(const std::string& bookKey, const std::string& addressb,
                               const std::string& day);
SqlStatement MarkChapterPicturesPending(const std::string& bookKey, const std::string& addressb);
SqlStatement FinishChapterPictures(const std::string& bookKey, const std::string& addressb,
                                   int code, const std::string& day);
SqlStatement RemoveChapters(const std::string& bookKey, const std::vector<std::string>& numbers);
SqlStatement MarkChapterUnread(const std::string& bookKey, const std::string& addressb);
SqlStatement MarkChapterRead(const std::string& bookKey, const std::string& addressb);
SqlStatement MarkAllUnread(const std::string& bookKey);
SqlStatement MarkAllRead(const std::string& bookKey);
SqlStatement MarkUnreadAfter(const std::string& bookKey, const std::string& number);
SqlStatement MarkReadBefore(const std::string& bookKey, const std::string& number);
SqlStatement SelectBlankChapters(const std::string& bookKey);           // addressb, namec, address
SqlStatement SelectChaptersMissingPictures(const std::string& bookKey); // addressb, namec, address

// Rules.
SqlStatement SelectRuleByHost(const std::string& host);  // cid, mlstart, mlend, nrstart, nrend, delword, dellink, yuming
SqlStatement SelectRuleNameByHost(const std::string& host);
SqlStatement SelectRuleIdByHost(const std::string& host);
SqlStatement SelectAllRules();
SqlStatement AddDellinkColumn();
SqlStatement SelectRuleForImport(const std::string& host);

}  // namespace Sql
